#include "rficbiaswindow.h"

#include "activeform.h"
#include "biascommon.h"
#include "schematic.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/statusbar.h"
#include "shell/uihooks.h"
#include "shell/unitselector.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

constexpr double kHuge = 1e300;

// Units keep a common width so that the boxes before them line up.
QLabel* Unit(QWidget* parent, const QString& text, const QString& name = QString())
{
    QLabel* label = MakeLabel(parent, text, name);
    label->setMinimumWidth(28);
    return label;
}

// Where Cin and Cout sit in the drawings (view-box units).
const QRectF kCinSpot(34, 128, 40, 44);
const QRectF kCoutSpot(226, 128, 40, 44);

QString DrawingFor(RficBiasKind kind, bool cin, bool cout)
{
    return QString("help/%1-%2-%3.svg")
        .arg(kind == RficBiasKind::Voltage ? "vbias" : "ibias", cin ? "cin" : "nocin", cout ? "cout" : "nocout");
}

CalcFrame::Identity IdentityOf(RficBiasKind kind)
{
    if (kind == RficBiasKind::Voltage)
        return {"frmVBias", "Voltage-Biased RFIC", 37, "Voltage-Biased RFICs &Help"};
    return {"frmIBias", "I-Biased Circuit", 38, "Current-Biased RFICs &Help"};
}

} // namespace

RficBiasWindow::RficBiasWindow(RficBiasKind kind, QWidget* parent) : CalcFrame(IdentityOf(kind), parent), kind_(kind)
{
    BuildControls();
    BuildMenus();
    EnsureBiasPanels(this);
    SetMainCalculateButton(cmdCalculate_);
    AdoptSelector(cbofpFreqUnits_);
    ShowSwitches();
    cmdCalculate_->setFocus();
}

void RficBiasWindow::BuildControls()
{
    const bool voltage = kind_ == RficBiasKind::Voltage;
    QWidget* body = MakeScrollingBody(Body());
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(10, 4, 10, 2);
    outer->setSpacing(4);

    outer->addWidget(MakeTitle(body, voltage ? "Voltage-Biased Circuit" : "Current-Biased Circuit"));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    outer->addLayout(columns, 1);

    // ---- Left: inputs and the design rule --------------------------------------------------
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    columns->addLayout(left);

    auto* fraInputs = new QGroupBox("Inputs", body);
    fraInputs->setObjectName("fraInputs");
    cbofpFreqUnits_ = new UnitSelector(fraInputs);
    cbofpFreqUnits_->setObjectName("cbofpFreqUnits");
    for (const char* code : {"GHz", "MHz", "kHz", "Hz"})
        cbofpFreqUnits_->AddUnit(code, code);
    // The defaults are cellular and paging frequencies, typed in MHz.
    cbofpFreqUnits_->setCurrentIndex(1);
    if (voltage)
        BuildVoltageInputs(fraInputs);
    else
        BuildCurrentInputs(fraInputs);
    left->addWidget(fraInputs);

    auto* fraRule = new QGroupBox(voltage ? "Design Rule" : "Design Rule (loss per blocking cap)", body);
    fraRule->setObjectName("fraDesignRule");
    auto* rule = new QGridLayout(fraRule);
    rule->setVerticalSpacing(2);
    int ruleRow = 0;
    if (voltage) {
        auto* lblLossPer = new QLabel("Loss per bias element:", fraRule);
        lblLossPer->setObjectName("lblLossPer");
        rule->addWidget(lblLossPer, ruleRow++, 0, 1, 2);
    }
    const char* captions[4] = {"&0.1 dB    (default)", "0.&25 dB", "0.&5 dB", "0.0&1 dB"};
    for (int i = 0; i < 4; ++i) {
        optLoss_[i] = new QRadioButton(captions[i], fraRule);
        optLoss_[i]->setObjectName(QString("optLoss(%1)").arg(i));
        rule->addWidget(optLoss_[i], ruleRow + i / 2, i % 2);
    }
    optLoss_[0]->setChecked(true);
    left->addWidget(fraRule);

    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate [F4]");
    cmdCalculate_->setMinimumWidth(140);
    auto* cmdReadIMnote = new QPushButton("Cb Read Me", body);
    cmdReadIMnote->setObjectName("cmdReadIMnote");
    cmdReadIMnote->setAutoDefault(false);
    buttons->addWidget(cmdCalculate_);
    buttons->addWidget(cmdReadIMnote);
    buttons->addStretch(1);
    left->addLayout(buttons);
    left->addStretch(1);

    // ---- Right: the circuit and the results ----------------------------------------------
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    columns->addLayout(right, 1);
    imgSchematic_ = new Schematic("imgSchematic", DrawingFor(kind_, true, true), body);
    imgSchematic_->SetDisplayScale(0.72);
    imgCinCap_ = imgSchematic_->AddSpot("imgCinCap", kCinSpot, "Click to take Cin out of the circuit");
    imgCinSC_ = imgSchematic_->AddSpot("imgCinSC", kCinSpot, "Click to put Cin into the circuit");
    imgCoutCap_ = imgSchematic_->AddSpot("imgCoutCap", kCoutSpot, "Click to take Cout out of the circuit");
    imgCoutSC_ = imgSchematic_->AddSpot("imgCoutSC", kCoutSpot, "Click to put Cout into the circuit");
    connect(imgSchematic_, &Schematic::SpotClicked, this, [this](const QString& spot) {
        if (spot.startsWith("imgCin"))
            ToggleCin();
        else
            ToggleCout();
    });
    right->addWidget(imgSchematic_, 0, Qt::AlignHCenter);
    auto* lblNote = new QLabel(voltage ? "Note: Click on Cin, Cout to toggle in-out or use Menu Alt-S"
                                       : "Note: Click on Cin, Cout to toggle in/out or use Menu Alt-S",
                               body);
    lblNote->setObjectName("lblNote");
    right->addWidget(lblNote, 0, Qt::AlignHCenter);

    auto* fraResults = new QGroupBox("Results", body);
    fraResults->setObjectName("fraResults");
    if (voltage)
        BuildVoltageResults(fraResults);
    else
        BuildCurrentResults(fraResults);
    right->addWidget(fraResults);
    right->addStretch(1);

    connect(cmdCalculate_, &QPushButton::clicked, this, &RficBiasWindow::CalculateBias);
    connect(cmdReadIMnote, &QPushButton::clicked, this, &RficBiasWindow::ReadIMNote);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        if (box->objectName().startsWith("txt"))
            WhiteOnTyping({box});
}

void RficBiasWindow::BuildVoltageInputs(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    txtFreqLow_ = MakeBiasInput(box, "txtFreqLow", "834", "Lowest operating frequency, or low end of dual-band system");
    txtFreqHigh_ = MakeBiasInput(box, "txtFreqHigh", "1910",
                                 "Higest operating frequency, or high end of dual-band system");
    txtZ0_ = MakeBiasInput(box, "txtZ0", "50", "Enter source and load impedance");
    txtStageGain_ = MakeBiasInput(box, "txtStageGain", "17", "Enter stage gain or loss");
    grid->addWidget(MakeCaption(box, "Frequency units:"), 0, 0);
    grid->addWidget(cbofpFreqUnits_, 0, 1);
    grid->addWidget(MakeCaption(box, "F1 (low) ="), 1, 0);
    grid->addWidget(txtFreqLow_, 1, 1);
    grid->addWidget(MakeCaption(box, "F2 (high) ="), 2, 0);
    grid->addWidget(txtFreqHigh_, 2, 1);
    grid->addWidget(MakeCaption(box, "Z0 ="), 3, 0);
    grid->addWidget(txtZ0_, 3, 1);
    grid->addWidget(Unit(box, "Ohm"), 3, 2);
    grid->addWidget(MakeCaption(box, "Stage gain ="), 4, 0);
    grid->addWidget(txtStageGain_, 4, 1);
    grid->addWidget(Unit(box, "dB"), 4, 2);
    grid->setColumnStretch(3, 1);
}

void RficBiasWindow::BuildCurrentInputs(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    txtFreqLow_ = MakeBiasInput(box, "txtFreqLow", "450", "Enter lowest operating frequency");
    txtZ0_ = MakeBiasInput(box, "txtZ0", "50", "Enter source and load impedance");
    txtVs_ = MakeBiasInput(box, "txtVs", "12", "Enter supply voltage");
    txtVdMin_ = MakeBiasInput(box, "txtVdMin", "4.4", "Enter minimum Vd at 25 deg C");
    txtVdTyp_ = MakeBiasInput(box, "txtVdTyp", "5.5", "Enter typical Vd at 25 deg C");
    txtVdMax_ = MakeBiasInput(box, "txtVdMax", "6.6", "Enter maximum Vd at 25 deg C");
    txtIdTyp25_ = MakeBiasInput(box, "txtIdTyp25", "60", "Target current at 25 °C");
    txtdVdT_ = MakeBiasInput(box, "txtdVdT", "-8", "Enter temperature sensitivity of Vd");
    txtTheta_ = MakeBiasInput(box, "txtTheta", "125", "Enter device thermal resistance");
    txtTempLow_ = MakeBiasInput(box, "txtTempLow", "-25", "Lowest temperature for analysis");
    txtTempHigh_ = MakeBiasInput(box, "txtTempHigh", "85", "Highest temperature for analysis");
    txtRFC_ = MakeBiasInput(box, "txtRFC", "350", "Enter RFC value, or 0 if none");
    auto* lblTemp25 = MakeBiasResult(box, "lblTemp25", 58);
    lblTemp25->setText("25");

    grid->setVerticalSpacing(3);
    int row = 0;
    grid->addWidget(MakeCaption(box, "F (low) ="), row, 0);
    grid->addWidget(txtFreqLow_, row, 1);
    grid->addWidget(cbofpFreqUnits_, row++, 2, 1, 2, Qt::AlignLeft);
    grid->addWidget(MakeCaption(box, "Z0 ="), row, 0);
    grid->addWidget(txtZ0_, row, 1);
    grid->addWidget(Unit(box, "Ohm"), row++, 2);
    grid->addWidget(MakeCaption(box, "Vs ="), row, 0);
    grid->addWidget(txtVs_, row, 1);
    grid->addWidget(Unit(box, "V"), row++, 2);
    grid->addWidget(MakeColumnHeading(box, "Min"), row, 1);
    grid->addWidget(MakeColumnHeading(box, "Typ"), row, 2);
    grid->addWidget(MakeColumnHeading(box, "Max"), row++, 3);
    grid->addWidget(MakeCaption(box, "Vd at 25 °C ="), row, 0);
    grid->addWidget(txtVdMin_, row, 1);
    grid->addWidget(txtVdTyp_, row, 2);
    grid->addWidget(txtVdMax_, row, 3);
    grid->addWidget(Unit(box, "V"), row++, 4);
    grid->addWidget(MakeCaption(box, "Id at 25 °C ="), row, 0);
    grid->addWidget(txtIdTyp25_, row, 1);
    grid->addWidget(Unit(box, "mA"), row++, 2);
    grid->addWidget(MakeCaption(box, "dVd/dT ="), row, 0);
    grid->addWidget(txtdVdT_, row, 1);
    grid->addWidget(Unit(box, "mV/°C"), row++, 2);
    grid->addWidget(MakeCaption(box, "θ ="), row, 0);
    grid->addWidget(txtTheta_, row, 1);
    grid->addWidget(Unit(box, "°C/W"), row++, 2);
    grid->addWidget(MakeCaption(box, "Tcase ="), row, 0);
    grid->addWidget(txtTempLow_, row, 1);
    grid->addWidget(lblTemp25, row, 2);
    grid->addWidget(txtTempHigh_, row, 3);
    grid->addWidget(Unit(box, "°C"), row++, 4);
    grid->addWidget(MakeCaption(box, "RFC ="), row, 0);
    grid->addWidget(txtRFC_, row, 1);
    grid->addWidget(Unit(box, "nH", "lblRFCUnits"), row++, 2);
    grid->setColumnStretch(5, 1);
}

void RficBiasWindow::BuildVoltageResults(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    lblCin_ = MakeBiasResult(box, "lblCin");
    lblCinUnits_ = Unit(box, "", "lblCinUnits");
    lblCout_ = MakeBiasResult(box, "lblCout");
    lblCoutUnits_ = Unit(box, "", "lblCoutUnits");
    lblRFC_ = MakeBiasResult(box, "lblRFC");
    lblRFCUnits_ = Unit(box, "", "lblRFCUnits");
    lblCbypass_ = MakeBiasResult(box, "lblCbypass");
    lblCbypassUnits_ = Unit(box, "", "lblCbypassUnits");
    grid->addWidget(MakeCaption(box, "Cin ="), 0, 0);
    grid->addWidget(lblCin_, 0, 1);
    grid->addWidget(lblCinUnits_, 0, 2);
    grid->addWidget(MakeCaption(box, "Cout ="), 1, 0);
    grid->addWidget(lblCout_, 1, 1);
    grid->addWidget(lblCoutUnits_, 1, 2);
    grid->addWidget(MakeCaption(box, "RFC ="), 0, 3);
    grid->addWidget(lblRFC_, 0, 4);
    grid->addWidget(lblRFCUnits_, 0, 5);
    grid->addWidget(MakeCaption(box, "Cb ="), 1, 3);
    grid->addWidget(lblCbypass_, 1, 4);
    grid->addWidget(lblCbypassUnits_, 1, 5);

    grid->addWidget(MakeColumnHeading(box, "at F1"), 2, 1);
    grid->addWidget(MakeColumnHeading(box, "at F2"), 2, 4);
    const char* captions[4] = {"Loss due to Caps =", "Loss due to RFC + Cb =", "Total Loss = ", "Overall Gain ="};
    const char* names[4] = {"CapLoss", "rfcLoss", "TotalLoss", "OverallGain"};
    QLabel** rows[4] = {lblCapLoss_, lblRfcLoss_, lblTotalLoss_, lblOverallGain_};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(MakeCaption(box, captions[r]), r + 3, 0);
        for (int b = 0; b < 2; ++b) {
            rows[r][b] = MakeBiasResult(box, QString("lblF%1%2").arg(b + 1).arg(names[r]));
            grid->addWidget(rows[r][b], r + 3, 1 + 3 * b);
            grid->addWidget(Unit(box, "dB"), r + 3, 2 + 3 * b);
        }
    }
    lblF3dB_ = MakeBiasResult(box, "lblF3dB");
    lblF3dBUnits_ = Unit(box, "", "lblF3dBUnits");
    grid->addWidget(MakeCaption(box, "f -3dB (low freq) ="), 7, 0);
    grid->addWidget(lblF3dB_, 7, 1);
    grid->addWidget(lblF3dBUnits_, 7, 2);
    grid->setColumnStretch(6, 1);
}

void RficBiasWindow::BuildCurrentResults(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    lblRbias_ = MakeBiasResult(box, "lblRbias");
    lblRbiasUnits_ = Unit(box, "[Ohm]", "lblRbiasUnits");
    lblCin_ = MakeBiasResult(box, "lblCin");
    lblCinUnits_ = Unit(box, "", "lblCinUnits");
    lblCout_ = MakeBiasResult(box, "lblCout");
    lblCoutUnits_ = Unit(box, "", "lblCoutUnits");
    lblCbypass_ = MakeBiasResult(box, "lblCbypass");
    lblCbypassUnits_ = Unit(box, "", "lblCbypassUnits");
    lblBiasLoss_ = MakeBiasResult(box, "lblBiasLoss");
    lblPdRbias_ = MakeBiasResult(box, "lblPdRbias");
    grid->addWidget(MakeCaption(box, "Rbias ="), 0, 0);
    grid->addWidget(lblRbias_, 0, 1);
    grid->addWidget(lblRbiasUnits_, 0, 2);
    grid->addWidget(MakeCaption(box, "Bias loss ="), 1, 0);
    grid->addWidget(lblBiasLoss_, 1, 1);
    grid->addWidget(Unit(box, "dB"), 1, 2);
    grid->addWidget(MakeCaption(box, "Pd of Rbias ="), 2, 0);
    grid->addWidget(lblPdRbias_, 2, 1);
    grid->addWidget(Unit(box, "mW"), 2, 2);
    grid->addWidget(MakeCaption(box, "Cin ="), 0, 3);
    grid->addWidget(lblCin_, 0, 4);
    grid->addWidget(lblCinUnits_, 0, 5);
    grid->addWidget(MakeCaption(box, "Cout ="), 1, 3);
    grid->addWidget(lblCout_, 1, 4);
    grid->addWidget(lblCoutUnits_, 1, 5);
    grid->addWidget(MakeCaption(box, "Cb ="), 2, 3);
    grid->addWidget(lblCbypass_, 2, 4);
    grid->addWidget(lblCbypassUnits_, 2, 5);
    auto* lblAnalysis = new QLabel("Id and Thermal Analysis:", box);
    lblAnalysis->setObjectName("lblAnalysis");
    grid->addWidget(lblAnalysis, 3, 0, 1, 6);
    grdAnalysis_ = MakeBiasGrid(box, "grdAnalysis", 6, 4);
    grid->addWidget(grdAnalysis_, 4, 0, 1, 6, Qt::AlignLeft);
    grid->setColumnStretch(6, 1);
    ShowGridHeadings();
}

void RficBiasWindow::ShowGridHeadings()
{
    SetGridText(grdAnalysis_, 0, 0, "Tcase =");
    const char* rows[5] = {"Id max = ", "Id typ = ", "Id min = ", "Pd = ", "Tj = "};
    for (int r = 0; r < 5; ++r)
        SetGridText(grdAnalysis_, r + 1, 0, rows[r]);
    const double temps[3] = {FieldValue(txtTempLow_), 25.0, FieldValue(txtTempHigh_)};
    for (int t = 0; t < 3; ++t)
        SetGridText(grdAnalysis_, 0, t + 1, QString::fromStdString(NumberText(temps[t])) + " °C");
    FitGridToContents(grdAnalysis_);
}

void RficBiasWindow::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate Bias", "mnuCalculateBias", &RficBiasWindow::CalculateBias);
    QMenu* params = AddMenu("&Select Parameters", "mnuParameters");
    mnuParametersCin_ = AddItem(params, "&Cin included", "mnuParametersCin", &RficBiasWindow::ToggleCin);
    mnuParametersCout_ = AddItem(params, "Cou&t included", "mnuParametersCout", &RficBiasWindow::ToggleCout);
    mnuParametersCin_->setCheckable(true);
    mnuParametersCout_->setCheckable(true);
    params->addSeparator();
    AddItem(params, "&Frequency Units", "mnuSelectFreqUnits", [this] { cbofpFreqUnits_->OpenFromMenu(); });
    // The help item carries this window's own name.
    if (auto* help = HelpMenu()->findChild<QAction*>("mnuHelpWindow"))
        help->setObjectName(kind_ == RficBiasKind::Voltage ? "menHelpOn" : "menHelpCurrentBiasedRFIC");
}

void RficBiasWindow::ShowSwitches()
{
    imgSchematic_->SetDrawing(DrawingFor(kind_, cinIncluded_, coutIncluded_));
    imgCinCap_->setVisible(cinIncluded_);
    imgCinSC_->setVisible(!cinIncluded_);
    imgCoutCap_->setVisible(coutIncluded_);
    imgCoutSC_->setVisible(!coutIncluded_);
    mnuParametersCin_->setChecked(cinIncluded_);
    mnuParametersCout_->setChecked(coutIncluded_);
}

void RficBiasWindow::ToggleCin()
{
    cinIncluded_ = !cinIncluded_;
    ShowSwitches();
}

void RficBiasWindow::ToggleCout()
{
    coutIncluded_ = !coutIncluded_;
    ShowSwitches();
}

void RficBiasWindow::ReadIMNote()
{
    ShowMessageBox(this, "Note on Intermodulation Performance",
                   "While the value of bypass capacitor, Cb, shown is completely adequate for this RF operating "
                   "frequency, maximizing Third Order Incercept Point (IP3, TOI) may require additional bypassing "
                   "with large value capacitors to suppress low frequency intermodulation (IM) components.",
                   MsgIcon::Information);
}

bool RficBiasWindow::CheckInputs()
{
    if (kind_ == RficBiasKind::Voltage) {
        return CheckInput(txtFreqLow_, 0.0, kHuge) && CheckInput(txtFreqHigh_, 0.0, kHuge)
            && CheckInput(txtZ0_, 0.0, 10000.0) && CheckInput(txtStageGain_, -1000.0, 1000.0, true);
    }
    if (!CheckInput(txtFreqLow_, 0.0, kHuge) || !CheckInput(txtZ0_, 0.0, 10000.0) || !CheckInput(txtVs_, 0.0, 1000.0))
        return false;
    // The device voltages in order: typical between minimum and maximum.
    if (!CheckInput(txtVdMin_, 0.0, 1000.0))
        return false;
    if (!ValidateInput(txtVdMax_, false) || !ValidateInput(txtVdTyp_, false))
        return false;
    if (!CheckRange(FieldValue(txtVdTyp_), FieldValue(txtVdMin_), FieldValue(txtVdMax_), false, txtVdTyp_))
        return false;
    if (!CheckInput(txtVdMax_, FieldValue(txtVdTyp_), 1000.0))
        return false;
    return CheckInput(txtIdTyp25_, 0.0, 100000.0) && CheckInput(txtdVdT_, -1000.0, 1000.0, true)
        && CheckInput(txtTheta_, 0.0, 100000.0, true) && CheckInput(txtTempLow_, -273.0, 25.0, true)
        && CheckInput(txtTempHigh_, 25.0, 500.0) && CheckInput(txtRFC_, 0.0, 1e12, true);
}

RficCommonInputs RficBiasWindow::ReadCommon() const
{
    RficCommonInputs c;
    c.z0_ohm = FieldValue(txtZ0_);
    for (int i = 0; i < 4; ++i)
        if (optLoss_[i]->isChecked())
            c.lossDb = double(float(kRficLossRules[std::size_t(i)]));
    c.cinIncluded = cinIncluded_;
    c.coutIncluded = coutIncluded_;
    c.bypassRatio = Settings().bypassRatio;
    c.useStandardValues = Settings().useStandardValues;
    c.tolerance = Settings().componentTolerance;
    return c;
}

void RficBiasWindow::CalculateBias()
{
    BeginCalculation();
    if (!CheckInputs())
        return;
    if (kind_ == RficBiasKind::Voltage)
        CalculateVoltage();
    else
        CalculateCurrent();
    cmdCalculate_->setFocus();
}

void RficBiasWindow::ShowCapacitors(const RficComponents& parts)
{
    // An excluded capacitor is not part of the design: its box stays empty.
    if (cinIncluded_) {
        ShowEngComponent(lblCin_, lblCinUnits_, parts.cin_f, "F", "  0.00");
    } else {
        lblCin_->clear();
        lblCinUnits_->clear();
    }
    if (coutIncluded_) {
        ShowEngComponent(lblCout_, lblCoutUnits_, parts.cout_f, "F", "  0.00");
    } else {
        lblCout_->clear();
        lblCoutUnits_->clear();
    }
    ShowEngComponent(lblCbypass_, lblCbypassUnits_, parts.cb_f, "F", "  0.00");
}

void RficBiasWindow::CalculateVoltage()
{
    const std::string unit = cbofpFreqUnits_->Code().toStdString();
    VBiasInputs in;
    in.common = ReadCommon();
    in.f1_hz = ConvertUnit(FieldValue(txtFreqLow_), unit, true);
    in.f2_hz = ConvertUnit(FieldValue(txtFreqHigh_), unit, true);
    in.stageGain_db = FieldValue(txtStageGain_);
    const VBiasResult r = DesignVBias(in);

    ShowCapacitors(r.parts);
    ShowEngComponent(lblRFC_, lblRFCUnits_, r.parts.rfc_h, "H", "  0.00");
    for (std::size_t b = 0; b < 2; ++b) {
        const VBiasBand& band = r.bands[b];
        lblCapLoss_[b]->setText(r.capLossShown ? FormatPicture(band.capLoss_db, "  0.00") : QString());
        lblRfcLoss_[b]->setText(FormatPicture(band.rfcLoss_db, "  0.00"));
        lblTotalLoss_[b]->setText(FormatPicture(band.totalLoss_db, "  0.00"));
        lblOverallGain_[b]->setText(FormatPicture(band.gain_db, "  0.00"));
    }
    if (r.f3dbShown) {
        lblF3dB_->setText(FormatPicture(ConvertUnit(r.f3db_hz, unit, false), "  0.00"));
        lblF3dBUnits_->setText(QString::fromStdString(unit));
    } else {
        lblF3dB_->clear();
        lblF3dBUnits_->clear();
    }

    BiasStatus status;
    if (r.faultNumber != 0)
        status.error = "Error in bias network calculation   " + QString::fromStdString(r.faultText);
    ShowBiasStatus(this, status);
}

void RficBiasWindow::CalculateCurrent()
{
    const std::string unit = cbofpFreqUnits_->Code().toStdString();
    IBiasInputs in;
    in.common = ReadCommon();
    in.f_hz = ConvertUnit(FieldValue(txtFreqLow_), unit, true);
    in.vs_v = FieldValue(txtVs_);
    in.vd_v = {FieldValue(txtVdMin_), FieldValue(txtVdTyp_), FieldValue(txtVdMax_)};
    in.idTyp_a = FieldValue(txtIdTyp25_) / 1000.0;
    in.dVdT_vPerC = FieldValue(txtdVdT_) / 1000.0;
    in.theta_cPerW = FieldValue(txtTheta_);
    in.tLow_c = FieldValue(txtTempLow_);
    in.tHigh_c = FieldValue(txtTempHigh_);
    in.rfc_h = FieldValue(txtRFC_) * 1e-9;
    const IBiasResult r = DesignIBias(in, Settings().maxJunctionTempC);

    if (r.rbiasExact_ohm > 0.0) {
        ShowComponent(lblRbias_, lblRbiasUnits_, r.rbiasExact_ohm, "Ohm", "0.0", "[Ohm]");
    } else {
        // No standard part stands for a resistor of zero or less; it is shown as computed.
        lblRbias_->setText(FormatPicture(r.rbiasExact_ohm, "0.0"));
        lblRbiasUnits_->setText("[Ohm]");
    }
    ShowCapacitors(r.parts);
    lblBiasLoss_->setText(FormatPicture(r.biasLoss_db, "  0.00"));
    lblPdRbias_->setText(FormatPicture(r.pdRbiasMax_w * 1000.0, " 0.0"));

    ShowGridHeadings();
    for (std::size_t t = 0; t < 3; ++t) {
        const IBiasColumn& c = r.columns[t];
        const int col = int(t) + 1;
        SetGridText(grdAnalysis_, 1, col, FormatPicture(c.idMax_a * 1000.0, "  0.0"));
        SetGridText(grdAnalysis_, 2, col, FormatPicture(c.idTyp_a * 1000.0, "  0.0"));
        SetGridText(grdAnalysis_, 3, col, FormatPicture(c.idMin_a * 1000.0, "  0.0"));
        SetGridText(grdAnalysis_, 4, col, FormatPicture(c.pd_w * 1000.0, " 0.0"));
        SetGridText(grdAnalysis_, 5, col, FormatPicture(c.tj_c, " 0.0"));
    }
    FitGridToContents(grdAnalysis_);

    BiasStatus status;
    if (r.outOfRegulation)
        status.warning = "Out of regulation condition - zero Id ";
    if (r.tjCaution)
        status.caution = form::JunctionCaution();
    if (r.faultNumber != 0)
        status.error = "Error in bias network calculation   " + QString::fromStdString(r.faultText);
    if (status.caution.isEmpty() && status.warning.isEmpty() && status.error.isEmpty()) {
        // This window's normal status carries a trailing blank.
        Status()->SetPanel(0, "Normal ", "grn");
        ShowWebLink(true);
        return;
    }
    ShowBiasStatus(this, status);
}

} // namespace korvel::ui
