#include "fetbiaswindow.h"

#include "biascommon.h"
#include "schematic.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"

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

constexpr double kHuge = 1e6;
// Box width of the dense form: "-0.65" and "-0.731" fit.
constexpr int kBox = 52;

// The drawings of the circuit with Rd in and with the drain tied to Vdd.
const QString kDrawingRd = "help/fetbias-rd.svg";
const QString kDrawingShort = "help/fetbias-short.svg";
// Where Rd sits in both drawings (view-box units).
const QRectF kRdSpot(160, 20, 40, 72);

// A designed resistor as the preferences want it; a negative design is shown as computed,
// since no standard part stands for it.
void ShowResistor(QLabel* value, QLabel* unit, double exact)
{
    if (exact > 0.0) {
        ShowComponent(value, unit, exact, "Ohm", "0.", "Ohms");
    } else {
        value->setText(FormatPicture(exact, "0."));
        unit->setText("Ohms");
    }
}

} // namespace

FetBiasWindow::FetBiasWindow(QWidget* parent)
    : CalcFrame({"frmFETbias", "FET Self Bias", 36, "FET Bias &Help"}, parent)
{
    BuildControls();
    BuildMenus();
    EnsureBiasPanels(this);
    SetMainCalculateButton(cmdCalculate_);
    ShowHeadings();
    ShowRdState();
    ShowVpSpecState();
    cmdCalculate_->setFocus();
}

void FetBiasWindow::BuildControls()
{
    QWidget* body = MakeScrollingBody(Body());
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(10, 4, 10, 2);
    outer->setSpacing(4);

    outer->addWidget(MakeTitle(body, "FET Bias - Source Resistor"));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);
    outer->addLayout(columns, 1);

    // ---- Left: the three steps with their inputs ------------------------------------------
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    columns->addLayout(left);

    auto* step1 = new QLabel("1. Enter values for Vdd, target Id, and target Vds.", body);
    step1->setObjectName("lblStep1");
    left->addWidget(step1);
    auto* targets = new QGridLayout;
    targets->setHorizontalSpacing(4);
    txtVdd_ = MakeBiasInput(body, "txtVdd", "3", "Drain supply voltage", kBox);
    txtIdTarget_ = MakeBiasInput(body, "txtIdTarget", "20", "Desired Drain current", kBox);
    txtVdsTarget_ = MakeBiasInput(body, "txtVdsTarget", "2", "Desired Drain-Source voltage", kBox);
    targets->addWidget(MakeCaption(body, "Vdd ="), 0, 0);
    targets->addWidget(txtVdd_, 0, 1);
    targets->addWidget(MakeLabel(body, "V"), 0, 2);
    targets->addWidget(MakeCaption(body, "Id ="), 0, 3);
    targets->addWidget(txtIdTarget_, 0, 4);
    targets->addWidget(MakeLabel(body, "mA"), 0, 5);
    targets->addWidget(MakeCaption(body, "Vds ="), 0, 6);
    targets->addWidget(txtVdsTarget_, 0, 7);
    targets->addWidget(MakeLabel(body, "V"), 0, 8);
    targets->setColumnStretch(9, 1);
    targets->setContentsMargins(0, 0, 0, 0);
    left->addLayout(targets);

    auto* step2 = new QLabel("2. Enter Transistor Parameters. (%Idss/mA is a toggle)", body);
    step2->setObjectName("lblStep2");
    left->addWidget(step2);
    auto* fraFet = new QGroupBox("FET Parameters", body);
    fraFet->setObjectName("fraFETParameters");
    auto* fet = new QGridLayout(fraFet);
    fet->setHorizontalSpacing(5);
    fet->setVerticalSpacing(4);
    fet->addWidget(MakeColumnHeading(fraFet, "Min"), 0, 1);
    fet->addWidget(MakeColumnHeading(fraFet, "Typ"), 0, 2);
    fet->addWidget(MakeColumnHeading(fraFet, "Max"), 0, 3);
    const char* idssDefaults[3] = {"58", "65", "72"};
    const char* idssTips[3] = {"Min Idss at 25 °C", "Typ Idss at 25 °C", "Max Idss at 25 °C"};
    const char* vpDefaults[3] = {"-0.65", "-0.5", "-0.35"};
    const char* vpTips[3] = {"Minimum V'p  (data sheet min Vp)", "Typical V'p  (data sheet typ Vp)",
                             "Maximum V'p  (data sheet max Vp)"};
    fet->addWidget(MakeCaption(fraFet, "Idss ="), 1, 0);
    fet->addWidget(MakeCaption(fraFet, "V'p ="), 2, 0);
    fet->addWidget(MakeCaption(fraFet, "Vp (calc) ="), 3, 0);
    for (int i = 0; i < 3; ++i) {
        txtIdss_[i] = MakeBiasInput(fraFet, QString("txtIdss(%1)").arg(i), idssDefaults[i], idssTips[i], kBox);
        txtVp_[i] = MakeBiasInput(fraFet, QString("txtVp(%1)").arg(i), vpDefaults[i], vpTips[i], kBox);
        lblVpCalc_[i] = MakeBiasResult(fraFet, QString("lblVpCalc(%1)").arg(i), kBox);
        fet->addWidget(txtIdss_[i], 1, i + 1);
        fet->addWidget(txtVp_[i], 2, i + 1);
        fet->addWidget(lblVpCalc_[i], 3, i + 1);
    }
    fet->addWidget(MakeLabel(fraFet, "mA"), 1, 4);
    fet->addWidget(MakeLabel(fraFet, "V"), 2, 4);
    fet->addWidget(MakeLabel(fraFet, "V"), 3, 4);

    txtVpSpec_ = MakeBiasInput(fraFet, "txtVpSpec", "10", "Current or % Idss where V'p is specified", kBox);
    cmdVpSpecToggle_ = new QPushButton(fraFet);
    cmdVpSpecToggle_->setObjectName("cmdVpSpecToggle");
    cmdVpSpecToggle_->setAutoDefault(false);
    cmdVpSpecToggle_->setToolTip("Toggles between % Idss and mA");
    lblVpSpec_ = new QLabel(fraFet);
    lblVpSpec_->setObjectName("lblVpSpec");
    txtVpTempco_ = MakeBiasInput(fraFet, "txtVpTempco", "0", "Temperature coefficient for Vp", kBox);
    txtIdssTempco_ = MakeBiasInput(fraFet, "txtIdssTempco", "-0.13", "Temperature coefficient for Idss", kBox);
    txtTheta_ = MakeBiasInput(fraFet, "txtTheta", "300", "Thermal resistance of FET", kBox);
    cmdVpSpecToggle_->setFixedWidth(58);
    fet->addWidget(MakeCaption(fraFet, "V'p spec ="), 4, 0);
    fet->addWidget(txtVpSpec_, 4, 1);
    fet->addWidget(cmdVpSpecToggle_, 4, 2);
    fet->addWidget(lblVpSpec_, 5, 0, 1, 5, Qt::AlignRight);
    fet->addWidget(MakeCaption(fraFet, "Vp tempco ="), 6, 0);
    fet->addWidget(txtVpTempco_, 6, 1);
    fet->addWidget(MakeLabel(fraFet, "mV/°C"), 6, 2);
    fet->addWidget(MakeCaption(fraFet, "Idss tempco ="), 7, 0);
    fet->addWidget(txtIdssTempco_, 7, 1);
    fet->addWidget(MakeLabel(fraFet, "%/°C"), 7, 2);
    fet->addWidget(MakeCaption(fraFet, "θ ="), 8, 0);
    fet->addWidget(txtTheta_, 8, 1);
    fet->addWidget(MakeLabel(fraFet, "°C/W"), 8, 2);
    fet->setVerticalSpacing(3);
    fet->setColumnStretch(5, 1);
    left->addWidget(fraFet);

    auto* lower = new QHBoxLayout;
    auto* fraTemps = new QGroupBox("Analysis Temperatures ", body);
    fraTemps->setObjectName("fraTemperatures");
    auto* temps = new QGridLayout(fraTemps);
    temps->setHorizontalSpacing(6);
    const char* tDefaults[3] = {"-25", "25", "65"};
    const char* tTips[3] = {"Lowest case temperature for analysis", "", "Highest case temperature for analysis"};
    const char* tHeads[3] = {"Low", "Nominal", "High"};
    for (int t = 0; t < 3; ++t) {
        txtTcase_[t] = MakeBiasInput(fraTemps, QString("txtTcase(%1)").arg(t), tDefaults[t], tTips[t], kBox);
        temps->addWidget(MakeColumnHeading(fraTemps, tHeads[t]), 0, t);
        temps->addWidget(txtTcase_[t], 1, t);
    }
    temps->addWidget(MakeLabel(fraTemps, "°C"), 1, 3);
    lower->addWidget(fraTemps);
    lower->addStretch(1);
    auto* fraAnalysis = new QGroupBox("Analysis", body);
    fraAnalysis->setObjectName("fraAnalysis");
    auto* analysis = new QHBoxLayout(fraAnalysis);
    optAnalysis_[0] = new QRadioButton("Nominal", fraAnalysis);
    optAnalysis_[0]->setObjectName("optAnalysis(0)");
    optAnalysis_[0]->setToolTip("Analyzes bias for typical values of Idss & V'p");
    optAnalysis_[1] = new QRadioButton("Statistical distribution", fraAnalysis);
    optAnalysis_[1]->setObjectName("optAnalysis(1)");
    optAnalysis_[1]->setToolTip("Worst case analysis for combination of min/max Idss & V'p");
    optAnalysis_[0]->setChecked(true);
    analysis->addWidget(optAnalysis_[0]);
    analysis->addWidget(optAnalysis_[1]);
    left->addLayout(lower);

    auto* step3 = new QLabel("3. [F4] to calculate bias resistors and analyze circuit.", body);
    step3->setObjectName("lblStep3");
    left->addWidget(step3);
    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate [F4]");
    cmdCalculate_->setMinimumWidth(150);
    buttons->addWidget(cmdCalculate_);
    buttons->addStretch(1);
    left->addLayout(buttons);
    left->addStretch(1);

    // ---- Right: the circuit, the designed parts and the analysis --------------------------
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    columns->addLayout(right, 1);

    auto* top = new QHBoxLayout;
    image1_ = new Schematic("Image1", kDrawingRd, body);
    image1_->SetDisplayScale(0.6);
    imgRd_ = image1_->AddSpot("imgRd", kRdSpot, "Click to take Rd out of the circuit");
    imgShort_ = image1_->AddSpot("imgShort", kRdSpot, "Click to put Rd into the circuit");
    connect(image1_, &Schematic::SpotClicked, this, [this] { ToggleRd(); });
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(image1_);
    auto* lblRdToggle = new QLabel("(Click Rd to toggle in/out or Menu Alt-S)", body);
    lblRdToggle->setObjectName("lblRdToggle");
    lblRdToggle->setWordWrap(true);
    lblRdToggle->setAlignment(Qt::AlignCenter);
    lblRdToggle->setFixedWidth(image1_->sizeHint().width());
    pictureColumn->addWidget(lblRdToggle, 0, Qt::AlignHCenter);
    top->addLayout(pictureColumn);

    auto* design = new QGridLayout;
    design->setHorizontalSpacing(4);
    design->setVerticalSpacing(4);
    lblRs_ = MakeBiasResult(body, "lblRs", 60);
    lblRsUnits_ = MakeLabel(body, "Ohms", "lblRsUnits");
    lblRd_ = MakeBiasResult(body, "lblRd", 60);
    lblRdUnits_ = MakeLabel(body, "Ohms", "lblRdUnits");
    txtVgs_ = new QLineEdit(body);
    txtVgs_->setObjectName("txtVgs");
    txtVgs_->setReadOnly(true);
    txtVgs_->setFixedWidth(60);
    txtVgs_->setAlignment(Qt::AlignRight);
    lblVdsCalc_ = MakeBiasResult(body, "lblVdsCalc", 60);
    lblIdCalc_ = MakeBiasResult(body, "lblIdCalc", 60);
    lblVdsMinMax_ = MakeBiasResult(body, "lblVdsMinMax", 76);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* value, QWidget* unit) {
        design->addWidget(MakeCaption(body, caption), row, 0);
        design->addWidget(value, row, 1);
        design->addWidget(unit, row, 2);
        ++row;
    };
    addRow("Rs =", lblRs_, lblRsUnits_);
    addRow("Rd =", lblRd_, lblRdUnits_);
    addRow("Vgs =", txtVgs_, MakeLabel(body, "V"));
    addRow("Vds =", lblVdsCalc_, MakeLabel(body, "V (calc)"));
    addRow("Id =", lblIdCalc_, MakeLabel(body, "mA (calc)"));
    addRow("Vds =", lblVdsMinMax_, MakeLabel(body, "V (min/max)"));
    design->setRowStretch(row, 1);
    top->addLayout(design);
    right->addLayout(top);

    auto* lblBias = new QLabel("Bias Analysis:", body);
    lblBias->setObjectName("lblBiasAnalysis");
    right->addWidget(lblBias);
    grdId_ = MakeBiasGrid(body, "grdId", 4, 4);
    right->addWidget(grdId_);
    auto* lblSens = new QLabel("Sensitivity Analysis:", body);
    lblSens->setObjectName("lblSensitivityAnalysis");
    right->addWidget(lblSens);
    grdSensitivity_ = MakeBiasGrid(body, "grdSensitivity", 5, 3);
    right->addWidget(grdSensitivity_);
    const char* notes[3] = {"1.    Id due to min/max range of Parameter [mA]",
                            "2.    Vds due to min/max range of Parameter [V]",
                            "3.    Id, Vds due to Rs Tolerance per Menu Option [mA, V]"};
    for (int n = 0; n < 3; ++n) {
        auto* note = new QLabel(notes[n], body);
        note->setObjectName(QString("lblNote(%1)").arg(n));
        right->addWidget(note);
    }
    right->addWidget(fraAnalysis, 0, Qt::AlignLeft);
    right->addStretch(1);

    connect(cmdCalculate_, &QPushButton::clicked, this, &FetBiasWindow::CalculateBias);
    connect(cmdVpSpecToggle_, &QPushButton::clicked, this, &FetBiasWindow::ToggleVpSpec);

    for (QLineEdit* box : {txtVdd_, txtIdTarget_, txtVdsTarget_, txtVpSpec_, txtVpTempco_, txtIdssTempco_, txtTheta_})
        WhiteOnTyping({box});
    // The three values of a spread are checked against each other; a fix to one clears all.
    WhiteOnTyping({txtIdss_[0], txtIdss_[1], txtIdss_[2]});
    WhiteOnTyping({txtVp_[0], txtVp_[1], txtVp_[2]});
    WhiteOnTyping({txtTcase_[0], txtTcase_[1], txtTcase_[2]});
}

void FetBiasWindow::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate Bias", "mnuCalculateBias", &FetBiasWindow::CalculateBias);
    QMenu* params = AddMenu("&Select Parameters", "mnuParameters");
    mnuParametersRd_ = AddItem(params, "Remove &Rd", "mnuParametersRd", &FetBiasWindow::ToggleRd);
}

void FetBiasWindow::ShowHeadings()
{
    SetGridText(grdId_, 1, 0, "  Id (mA) = ");
    SetGridText(grdId_, 2, 0, "  Pd (mW) = ");
    SetGridText(grdId_, 3, 0, "  Tj (°C) = ");
    for (int t = 0; t < 3; ++t)
        SetGridText(grdId_, 0, t + 1,
                    "Tc = " + QString::fromStdString(NumberText(FieldValue(txtTcase_[t]))) + " °C");
    SetGridText(grdSensitivity_, 0, 0, "Parameter");
    SetGridText(grdSensitivity_, 0, 1, "Id Sensitivity  [1]");
    SetGridText(grdSensitivity_, 0, 2, "Vds Sensitivity [2]");
    const char* rows[4] = {"V'p", "Idss", "Temp", "Rs  [3]"};
    for (int r = 0; r < 4; ++r)
        SetGridText(grdSensitivity_, r + 1, 0, rows[r]);
    FitGridToContents(grdId_);
    FitGridToContents(grdSensitivity_);
}

void FetBiasWindow::ShowRdState()
{
    image1_->SetDrawing(rdIncluded_ ? kDrawingRd : kDrawingShort);
    imgRd_->setVisible(rdIncluded_);
    imgShort_->setVisible(!rdIncluded_);
    mnuParametersRd_->setText(rdIncluded_ ? "Remove &Rd" : "Add &Rd");
}

void FetBiasWindow::ToggleRd()
{
    rdIncluded_ = !rdIncluded_;
    ShowRdState();
}

void FetBiasWindow::ShowVpSpecState()
{
    cmdVpSpecToggle_->setText(vpSpecIsCurrent_ ? "mA" : "% Idss");
    lblVpSpec_->setText(vpSpecIsCurrent_ ? "Id at which V'p is specified" : "% Idss at which V'p is specified");
}

void FetBiasWindow::ToggleVpSpec()
{
    vpSpecIsCurrent_ = !vpSpecIsCurrent_;
    ShowVpSpecState();
}

bool FetBiasWindow::CheckInputs()
{
    if (!CheckInput(txtVdd_, 0.0, 1000.0))
        return false;
    // Idss first: the target current is limited by the typical device.
    if (!CheckInput(txtIdss_[0], 0.0, kHuge))
        return false;
    if (!ValidateInput(txtIdss_[2], false) || !ValidateInput(txtIdss_[1], false))
        return false;
    if (!CheckRange(FieldValue(txtIdss_[1]), FieldValue(txtIdss_[0]), FieldValue(txtIdss_[2]), false, txtIdss_[1]))
        return false;
    if (!CheckInput(txtIdss_[2], FieldValue(txtIdss_[1]), kHuge))
        return false;
    // At 0.9999 Idss the source resistor would be next to nothing and the design meaningless;
    // that limit itself is refused too.
    const double idMax = 0.9999 * FieldValue(txtIdss_[1]);
    if (!CheckInput(txtIdTarget_, 0.0, idMax))
        return false;
    if (FieldValue(txtIdTarget_) >= idMax) {
        FlagInvalidInput(txtIdTarget_, "Input value too high.  Must be < " + QString::fromStdString(NumberText(idMax)));
        return false;
    }
    if (!CheckInput(txtVdsTarget_, 0.0, 1000.0))
        return false;
    if (!CheckInput(txtVp_[0], -100.0, 100.0))
        return false;
    if (!ValidateInput(txtVp_[2], false) || !ValidateInput(txtVp_[1], false))
        return false;
    if (!CheckRange(FieldValue(txtVp_[1]), FieldValue(txtVp_[0]), FieldValue(txtVp_[2]), false, txtVp_[1]))
        return false;
    if (!CheckInput(txtVp_[2], FieldValue(txtVp_[1]), 100.0))
        return false;
    // The reference current must lie below every device's Idss, or the device never
    // reaches it and has no pinch-off voltage.
    if (!CheckInput(txtVpSpec_, 0.0, vpSpecIsCurrent_ ? 0.9999 * FieldValue(txtIdss_[0]) : 99.99))
        return false;
    if (!CheckInput(txtVpTempco_, -1000.0, 1000.0, true) || !CheckInput(txtIdssTempco_, -100.0, 100.0, true)
        || !CheckInput(txtTheta_, 0.0, 100000.0, true))
        return false;
    if (!CheckInput(txtTcase_[0], -273.0, 500.0, true))
        return false;
    if (!ValidateInput(txtTcase_[2], false) || !ValidateInput(txtTcase_[1], false))
        return false;
    if (!CheckRange(FieldValue(txtTcase_[1]), FieldValue(txtTcase_[0]), FieldValue(txtTcase_[2]), true, txtTcase_[1]))
        return false;
    return CheckInput(txtTcase_[2], FieldValue(txtTcase_[1]), 500.0, true);
}

FetBiasInputs FetBiasWindow::ReadInputs() const
{
    FetBiasInputs in;
    in.vdd_v = FieldValue(txtVdd_);
    in.idTarget_a = FieldValue(txtIdTarget_) / 1000.0;
    in.vdsTarget_v = FieldValue(txtVdsTarget_);
    for (std::size_t i = 0; i < 3; ++i) {
        in.idss_a[i] = FieldValue(txtIdss_[i]) / 1000.0;
        in.vpPrime_v[i] = FieldValue(txtVp_[i]);
        in.tcase_c[i] = FieldValue(txtTcase_[i]);
    }
    in.vpSpecIsCurrent = vpSpecIsCurrent_;
    in.vpSpecFraction = FieldValue(txtVpSpec_) / 100.0;
    in.vpSpecCurrent_a = FieldValue(txtVpSpec_) / 1000.0;
    in.vpTempco_vPerC = FieldValue(txtVpTempco_) / 1000.0;
    in.idssTempco_perC = FieldValue(txtIdssTempco_) / 100.0;
    in.theta_cPerW = FieldValue(txtTheta_);
    in.rdIncluded = rdIncluded_;
    in.worstCase = optAnalysis_[1]->isChecked();
    in.useStandardValues = Settings().useStandardValues;
    in.tolerance = Settings().componentTolerance;
    return in;
}

void FetBiasWindow::CalculateBias()
{
    if (!CheckInputs())
        return;
    BeginCalculation();
    const FetBiasInputs in = ReadInputs();
    const FetBiasResult r = DesignFetBias(in, Settings().maxJunctionTempC);

    for (std::size_t j = 0; j < 3; ++j)
        lblVpCalc_[j]->setText(FormatPicture(r.vpNominal_v[j], "0.00"));
    ShowResistor(lblRs_, lblRsUnits_, r.rsExact_ohm);
    if (in.rdIncluded) {
        ShowResistor(lblRd_, lblRdUnits_, r.rdExact_ohm);
    } else {
        lblRd_->clear();
        lblRdUnits_->setText("Ohms");
    }
    txtVgs_->setText(FormatPicture(r.vgs_v, "0.000"));
    lblVdsCalc_->setText(FormatPicture(r.vds_v, "0.00"));
    lblIdCalc_->setText(FormatPicture(r.id_a * 1000.0, "0.0"));
    lblVdsMinMax_->setText(FormatPicture(r.vdsMin_v, "0.0") + " / " + FormatPicture(r.vdsMax_v, "0.0"));

    ShowHeadings();
    for (std::size_t t = 0; t < 3; ++t) {
        const FetCell& c = r.cells[t];
        const int col = int(t) + 1;
        SetGridText(grdId_, 1, col,
                    in.worstCase ? FormatPicture(c.idMin_a * 1000.0, "0.0") + " / " + FormatPicture(c.idMax_a * 1000.0, "0.0")
                                 : FormatPicture(c.idMin_a * 1000.0, "0.0"));
        SetGridText(grdId_, 2, col, FormatPicture(c.pd_w * 1000.0, "0"));
        SetGridText(grdId_, 3, col, FormatPicture(c.tj_c, "0"));
    }
    const FetSensitivity* rows[4] = {&r.sensVp, &r.sensIdss, &r.sensTemp, &r.sensRs};
    for (int k = 0; k < 4; ++k) {
        const bool rsRow = k == 3;
        SetGridText(grdSensitivity_, k + 1, 1, FormatPicture(rows[k]->id_a * 1000.0, rsRow ? "0.000" : "0.00"));
        SetGridText(grdSensitivity_, k + 1, 2, FormatPicture(rows[k]->vds_v, "0.000"));
    }
    FitGridToContents(grdId_);
    FitGridToContents(grdSensitivity_);

    BiasStatus status;
    status.caution = QString::fromStdString(r.messages.caution);
    status.warning = QString::fromStdString(r.messages.warning);
    if (r.faultNumber != 0)
        status.error = "Error in FET bias calculation   " + QString::fromStdString(r.faultText);
    cmdCalculate_->setFocus();
    ShowBiasStatus(this, status);
}

} // namespace korvel::ui
