#include "bjtbiaswindow.h"

#include "biascommon.h"
#include "schematic.h"

#include "active/thermal.h"
#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/uihooks.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

// The window's boxes keep fixed widths so that its grids line up.
constexpr int kInputWidth = 58;
constexpr int kResultWidth = 72;

QLineEdit* InputBox(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeBiasInput(parent, name, text, tip, kInputWidth);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// Text of the error panel when the arithmetic of a calculation fails; the fault follows it.
const QString kErrorText = "Bias calculation error -";

BjtResistorRow Row(const char* caption, const char* value, const char* units, float BjtResistors::*member)
{
    return {caption, value, units, member};
}

BjtBiasWindowDescription Describe(int index)
{
    const auto rb = Row("RB =", "lblRB", "lblRbUnits", &BjtResistors::rb);
    const auto rc = Row("RC =", "lblRC", "lblRcUnits", &BjtResistors::rc);
    const auto rb1 = Row("RB1 =", "lblRB1", "lblRb1Units", &BjtResistors::rb1);
    const auto rb2 = Row("RB2 =", "lblRB2", "lblRb2units", &BjtResistors::rb2);
    const auto re = Row("Re =", "lblRe", "lblReUnits", &BjtResistors::re);
    BjtBiasWindowDescription d;
    d.identity.objectName = QString("frmBJTBias%1").arg(index);
    d.identity.caption = "Bipolar Transistor Bias";
    d.identity.helpTopic = 30 + index;
    d.diagram = QString("help/bjtbias%1.svg").arg(index);
    switch (index) {
    case 1:
        d.network = BjtNetwork::BaseBias;
        d.title = "Base Bias Network (non-stabilized)";
        d.helpItemName = "menHelpBaseBias";
        d.helpItemCaption = "Base Bias &Help";
        d.resistors = {rb, rc};
        break;
    case 2:
        d.network = BjtNetwork::CollectorFeedback;
        d.title = "Collector Feedback Bias Network";
        d.helpItemName = "menHelpCollectorFeedback";
        d.helpItemCaption = "Collector Feedback &Help";
        d.resistors = {rb, rc};
        break;
    case 3:
        d.network = BjtNetwork::VFeedbackCurrentSource;
        d.title = "V Feedback, Constant I Source Bias Network";
        d.helpItemName = "menHelpVFeedbackConstantI";
        d.helpItemCaption = "V Feedback, Constant I &Help";
        d.resistors = {rc, rb1, rb2, rb};
        d.dividerVoltageInput = true;
        d.dividerCurrentInput = true;
        break;
    case 4:
        d.network = BjtNetwork::VoltageFeedback;
        d.title = "Voltage Feedback Bias Network";
        d.helpItemName = "menHelpVoltageFeedback";
        d.helpItemCaption = "Voltage Feedback &Help";
        d.resistors = {rc, rb1, rb2};
        d.dividerCurrentInput = true;
        break;
    default:
        d.network = BjtNetwork::EmitterFeedback;
        d.title = "Emitter Feedback Bias Network";
        d.helpItemName = "menHelpEmitterFeedbback";
        d.helpItemCaption = "Emitter Feedback &Help";
        d.resistors = {re, rb1, rb2};
        d.dividerCurrentInput = true;
        break;
    }
    return d;
}

} // namespace

const BjtBiasWindowDescription& BjtBiasDescription(int index)
{
    static const std::vector<BjtBiasWindowDescription> all = [] {
        std::vector<BjtBiasWindowDescription> v;
        for (int i = 1; i <= 5; ++i)
            v.push_back(Describe(i));
        return v;
    }();
    return all[std::size_t(std::clamp(index, 1, 5) - 1)];
}

BjtBiasWindow::BjtBiasWindow(const BjtBiasWindowDescription& description, QWidget* parent)
    : CalcFrame(description.identity, parent), d_(description)
{
    BuildControls();
    BuildMenus();
    EnsureBiasPanels(this);
    SetMainCalculateButton(cmdCalculate_);
    ShowHeadings();
    cmdCalculate_->setFocus();
}

void BjtBiasWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 8, 12, 4);
    outer->setSpacing(6);

    outer->addWidget(MakeTitle(body, d_.title));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    outer->addLayout(columns);

    // ---- Left: the three steps -------------------------------------------------------------
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    columns->addLayout(left);

    left->addWidget(MakeHeading(body, "1. Enter values for Vcc, Vce, and  Ic.", "lblStep1"));
    auto* point = new QGridLayout;
    point->setHorizontalSpacing(6);
    txtVcc_ = InputBox(body, "txtVcc", "2.7", "Collector supply voltage");
    txtVce_ = InputBox(body, "txtVce", "2", "Desired Collector-Emitter voltage");
    txtIc_ = InputBox(body, "txtIc", "5", "Desired Collector current");
    point->addWidget(MakeCaption(body, "Vcc ="), 0, 0);
    point->addWidget(txtVcc_, 0, 1);
    point->addWidget(MakeLabel(body, "V"), 0, 2);
    point->addWidget(MakeCaption(body, "Vce ="), 1, 0);
    point->addWidget(txtVce_, 1, 1);
    point->addWidget(MakeLabel(body, "V"), 1, 2);
    point->addWidget(MakeCaption(body, "Ic ="), 2, 0);
    point->addWidget(txtIc_, 2, 1);
    point->addWidget(MakeLabel(body, "mA"), 2, 2);
    point->setColumnMinimumWidth(0, 44);
    point->setColumnMinimumWidth(3, 10);
    point->setColumnStretch(5, 1);
    left->addLayout(point);

    left->addSpacing(4);
    left->addWidget(MakeHeading(body, "2. Enter Transistor Parameters.", "lblStep2"));
    auto* fraTransistor = new QGroupBox("Transistor Parameters", body);
    fraTransistor->setObjectName("fraTransistor");
    auto* tp = new QGridLayout(fraTransistor);
    tp->setHorizontalSpacing(6);
    tp->setVerticalSpacing(2);
    const char* heads[] = {"min", "typ", "max"};
    for (int i = 0; i < 3; ++i) {
        auto* h = new QLabel(heads[i], fraTransistor);
        h->setAlignment(Qt::AlignCenter);
        tp->addWidget(h, 0, i + 1);
    }
    const char* hfeValues[] = {"50", "80", "150"};
    const char* hfeTips[] = {"Minimum hFE", "Typical hFE", "Maximum hFE"};
    const char* tcValues[] = {"-25", "25", "65"};
    const char* tcTips[] = {"Lowest case temperature for analysis", "", "Highest case temperature for analysis"};
    for (int i = 0; i < 3; ++i) {
        txtHFE_[i] = InputBox(fraTransistor, QString("txtHFE(%1)").arg(i), hfeValues[i], hfeTips[i]);
        txtTcase_[i] = InputBox(fraTransistor, QString("txtTcase(%1)").arg(i), tcValues[i], tcTips[i]);
        tp->addWidget(txtHFE_[i], 1, i + 1);
        tp->addWidget(txtTcase_[i], 2, i + 1);
    }
    // The middle column is the reference case temperature of every coefficient.
    txtTcase_[1]->setEnabled(false);
    tp->addWidget(MakeCaption(fraTransistor, "hFE ="), 1, 0);
    tp->addWidget(MakeCaption(fraTransistor, "Tcase ="), 2, 0);
    tp->addWidget(MakeLabel(fraTransistor, "°C"), 2, 4);

    txtICBO_ = InputBox(fraTransistor, "txtICBO", "0.1", "Icbo at 25 °C");
    txtVBE_ = InputBox(fraTransistor, "txtVBE", "0.78", "Base-Emitter voltage at 25 °C");
    txtTheta_ = InputBox(fraTransistor, "txtTheta", "300", "Thermal resistance of transistor");
    txtHfeTempCo_ = InputBox(fraTransistor, "txtHfeTempCo", "0.5", "Temperature coefficient for hFE in % per °C");
    txtVbeTempCo_ = InputBox(fraTransistor, "txtVbeTempCo", "-2", "Temperature coefficient for Base-Emitter voltage");
    txtIcboFactor_ = InputBox(fraTransistor, "txtIcboFactor", "2", "Mulitplier for Icbo for every 10 °C");
    const std::tuple<const char*, QLineEdit*, const char*> singles[] = {
        {"Icbo =", txtICBO_, "µA at 25 °C"},     {"Vbe =", txtVBE_, "V at 25 °C"},
        {"θjc =", txtTheta_, "°C/W"},            {"hFE TC =", txtHfeTempCo_, "% / °C"},
        {"Vbe TC =", txtVbeTempCo_, "mV / °C"},  {"Icbo x", txtIcboFactor_, "per 10 °C"}};
    int row = 3;
    for (const auto& [caption, box, unit] : singles) {
        tp->addWidget(MakeCaption(fraTransistor, caption), row, 0);
        tp->addWidget(box, row, 1);
        tp->addWidget(MakeLabel(fraTransistor, unit), row, 2, 1, 3);
        ++row;
    }
    tp->setColumnMinimumWidth(0, 60);
    left->addWidget(fraTransistor);

    auto* fraDesign = new QGroupBox("Design Rules", body);
    fraDesign->setObjectName("fraDesignRules");
    auto* dr = new QGridLayout(fraDesign);
    dr->setHorizontalSpacing(6);
    row = 0;
    if (d_.dividerVoltageInput) {
        txtVRB2Mult_ = InputBox(fraDesign, "txtVRB2Mult", "0.75", "Fraction of Vce to set voltage divider");
        dr->addWidget(MakeCaption(fraDesign, "V(RB2) ="), row, 0);
        dr->addWidget(txtVRB2Mult_, row, 1);
        dr->addWidget(MakeLabel(fraDesign, "x Vce"), row++, 2);
    }
    if (d_.dividerCurrentInput) {
        txtIRB2Mult_ = InputBox(fraDesign, "txtIRB2Mult", "0.1", "Desired current through voltage divider");
        dr->addWidget(MakeCaption(fraDesign, "I(RB2) ="), row, 0);
        dr->addWidget(txtIRB2Mult_, row, 1);
        dr->addWidget(MakeLabel(fraDesign, "x Ic"), row++, 2);
    }
    dr->setColumnMinimumWidth(0, 60);
    dr->setVerticalSpacing(2);
    // The simple networks have no rule to set.
    fraDesign->setVisible(row > 0);
    // Beside the operating point it belongs to, so the form stays short.
    point->addWidget(fraDesign, 0, 4, 3, 1, Qt::AlignTop);

    left->addSpacing(4);
    left->addWidget(MakeHeading(body, "3. Calculate bias resistors and analyze circuit.", "lblStep3"));
    cmdCalculate_ = MakeCalculateButton(body, "Calculate [F4]", "Calculates bias resistors and analyzes the circuit");
    cmdCalculate_->setMinimumWidth(150);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(cmdCalculate_);
    buttonRow->addStretch(1);
    left->addLayout(buttonRow);
    left->addStretch(1);
    connect(cmdCalculate_, &QPushButton::clicked, this, &BjtBiasWindow::CalculateBias);

    // ---- Right: the circuit, the designed resistors, the analysis ---------------------------
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    columns->addLayout(right, 1);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    // The circuit, drawn from its picture file; a missing file leaves the space blank.
    auto* image = new Schematic("Image1", d_.diagram, body);
    image->setFixedSize(170, 170);
    top->addWidget(image, 0, Qt::AlignTop);

    auto* fraResults = new QGroupBox("Bias Resistors", body);
    fraResults->setObjectName("fraResistors");
    auto* rs = new QGridLayout(fraResults);
    rs->setHorizontalSpacing(6);
    rs->setVerticalSpacing(2);
    row = 0;
    for (const BjtResistorRow& r : d_.resistors) {
        QLabel* value = MakeBiasResult(fraResults, r.valueName, kResultWidth);
        QLabel* units = MakeLabel(fraResults, "Ohms", r.unitsName);
        units->setMinimumWidth(44);
        rs->addWidget(MakeCaption(fraResults, r.caption), row, 0);
        rs->addWidget(value, row, 1);
        rs->addWidget(units, row++, 2);
        resistorValues_.push_back(value);
        resistorUnits_.push_back(units);
    }
    lblIcc_ = MakeBiasResult(fraResults, "lblIcc", kResultWidth);
    rs->addWidget(MakeCaption(fraResults, "Icc ="), row, 0);
    rs->addWidget(lblIcc_, row, 1);
    rs->addWidget(MakeLabel(fraResults, "mA"), row++, 2);
    if (d_.dividerVoltageInput) {
        lblVRB2_ = MakeBiasResult(fraResults, "lblVRB2", kResultWidth);
        rs->addWidget(MakeCaption(fraResults, "V(RB2) ="), row, 0);
        rs->addWidget(lblVRB2_, row, 1);
        rs->addWidget(MakeLabel(fraResults, "V"), row++, 2);
    }
    if (d_.dividerCurrentInput) {
        lblIRB2_ = MakeBiasResult(fraResults, "lblIRB2", kResultWidth);
        rs->addWidget(MakeCaption(fraResults, "I(RB2) ="), row, 0);
        rs->addWidget(lblIRB2_, row, 1);
        rs->addWidget(MakeLabel(fraResults, "mA"), row++, 2);
    }
    rs->setRowStretch(row, 1);
    top->addWidget(fraResults, 0, Qt::AlignTop);
    top->addStretch(1);
    right->addLayout(top);

    right->addWidget(MakeHeading(body, "Stability Analysis:", "lblStabilityHeading"));
    grdStability_ = MakeBiasGrid(body, "grdStability", 5, 3);
    SetGridText(grdStability_, 0, 1, "Stability Factor");
    SetGridText(grdStability_, 0, 2, "Delta Ic (mA); typ hFE, Tc");
    const char* factors[] = {"Icbo", "Vbe", "hFE", "Delta Ic, Total ="};
    for (int i = 0; i < 4; ++i)
        SetGridText(grdStability_, i + 1, 0, factors[i]);
    // The total has no stability factor of its own.
    SetGridColour(grdStability_, 4, 1, kGridUnused);
    SetGridText(grdStability_, 1, 1, "-0.00E+00");
    SetGridText(grdStability_, 1, 2, "-00.000");
    FitGridToContents(grdStability_);
    right->addWidget(grdStability_);

    right->addWidget(MakeHeading(body, "Collector Current, Ic (mA):", "lblIcHeading"));
    grdIc_ = MakeBiasGrid(body, "grdIc", 4, 4);
    SetGridText(grdIc_, 0, 0, "hFE = ");
    for (int i = 1; i < 4; ++i) {
        SetGridText(grdIc_, 0, i, "00000");
        SetGridText(grdIc_, i, 0, "-000 °C");
        SetGridText(grdIc_, i, 1, "-000.00");
    }
    FitGridToContents(grdIc_);
    ClearGridValues(grdStability_);
    ClearGridValues(grdIc_);
    // The table's two summaries sit beside it.
    auto* icRow = new QHBoxLayout;
    icRow->setSpacing(10);
    icRow->addWidget(grdIc_, 0, Qt::AlignTop);
    auto* summary = new QGridLayout;
    summary->setHorizontalSpacing(6);
    summary->setVerticalSpacing(2);
    lblTjMax_ = MakeBiasResult(body, "lblTjMax", kResultWidth);
    lblTjMax_->setFixedWidth(56);
    lblIcMaxMin_ = MakeBiasResult(body, "lblIcMaxMin", kResultWidth);
    lblIcMaxMin_->setFixedWidth(56);
    summary->addWidget(MakeCaption(body, "Tj max ="), 0, 0);
    summary->addWidget(lblTjMax_, 0, 1);
    summary->addWidget(MakeLabel(body, "°C"), 0, 2);
    summary->addWidget(MakeCaption(body, "Ic max / Ic min ="), 1, 0);
    summary->addWidget(lblIcMaxMin_, 1, 1);
    summary->setRowStretch(2, 1);
    icRow->addLayout(summary);
    icRow->addStretch(1);
    right->addLayout(icRow);
    right->addStretch(1);

    // Typing only clears the mark a failed check left; nothing is recalculated.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        WhiteOnTyping({box});
}

void BjtBiasWindow::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate Bias", "mnuCalculateBias", &BjtBiasWindow::CalculateBias);
    QAction* help = AddHelpItem(d_.helpItemCaption, d_.helpItemName);
    connect(help, &QAction::triggered, this, &CalcFrame::ShowHelp);
}

void BjtBiasWindow::ShowHeadings()
{
    for (int i = 0; i < 3; ++i) {
        SetGridText(grdIc_, 0, i + 1, txtHFE_[i]->text().trimmed());
        SetGridText(grdIc_, i + 1, 0, txtTcase_[i]->text().trimmed() + " °C");
    }
}

void BjtBiasWindow::ClearResults()
{
    for (QLabel* l : resistorValues_)
        l->clear();
    for (QLabel* l : {lblIcc_, lblVRB2_, lblIRB2_, lblTjMax_, lblIcMaxMin_})
        if (l)
            l->clear();
    ClearGridValues(grdIc_);
    ClearGridValues(grdStability_);
}

bool BjtBiasWindow::CheckInputs()
{
    constexpr double kMaxGain = 10000.0;
    if (!CheckInput(txtVcc_, 0.0, 1000.0) || !CheckInput(txtIc_, 0.0, 5000.0))
        return false;
    // The transistor needs some voltage across it below the supply.
    if (!CheckInput(txtVce_, 0.0, FieldValue(txtVcc_) - 0.001))
        return false;
    if (!CheckInput(txtHFE_[0], 1.0, kMaxGain)
        || !CheckInput(txtHFE_[1], FieldValue(txtHFE_[0]), FieldValue(txtHFE_[2]))
        || !CheckInput(txtHFE_[2], FieldValue(txtHFE_[1]), kMaxGain))
        return false;
    if (!CheckInput(txtICBO_, 0.0, 1e6) || !CheckInput(txtTheta_, 0.0, 5000.0))
        return false;
    if (!CheckInput(txtTcase_[0], -273.0, 25.0) || !CheckInput(txtTcase_[2], 25.0, 200.0))
        return false;
    if (txtVRB2Mult_ && !CheckInput(txtVRB2Mult_, 0.0, 1.0))
        return false;
    if (txtIRB2Mult_ && !CheckInput(txtIRB2Mult_, 0.0, 100.0))
        return false;
    return CheckInput(txtVBE_, 0.0, 5.0) && CheckInput(txtIcboFactor_, 0.0, 500.0)
        && CheckInput(txtVbeTempCo_, -10000.0, 10000.0) && CheckInput(txtHfeTempCo_, -1000.0, 1000.0);
}

BjtBiasInputs BjtBiasWindow::ReadInputs() const
{
    BjtBiasInputs in;
    in.vcc_v = FieldValue(txtVcc_);
    in.ic_a = FieldValue(txtIc_) / 1000.0;
    in.vce_v = FieldValue(txtVce_);
    for (int i = 0; i < 3; ++i) {
        in.hfe[std::size_t(i)] = FieldValue(txtHFE_[i]);
        in.tcase_c[std::size_t(i)] = FieldValue(txtTcase_[i]);
    }
    in.icbo_a = FieldValue(txtICBO_) / 1e6;
    in.theta_c_per_w = FieldValue(txtTheta_);
    in.vbe_v = FieldValue(txtVBE_);
    in.hfeTempCo_pct_per_c = FieldValue(txtHfeTempCo_);
    in.vbeTempCo_mv_per_c = FieldValue(txtVbeTempCo_);
    in.icboFactor = FieldValue(txtIcboFactor_);
    if (txtVRB2Mult_)
        in.vrb2Mult = FieldValue(txtVRB2Mult_);
    if (txtIRB2Mult_)
        in.irb2Mult = FieldValue(txtIRB2Mult_);
    return in;
}

void BjtBiasWindow::CalculateBias()
{
    if (!CheckInputs())
        return;
    BeginCalculation();
    EnsureBiasPanels(this);
    ShowWebLink(false);

    const BjtBiasInputs in = ReadInputs();
    ShowHeadings();
    BiasStatus status;

    const BjtDesign design = DesignBjtBias(d_.network, in);
    if (design.fault.number != 0) {
        // Without a base current there is nothing to design; old results would mislead.
        ClearResults();
        status.error = kErrorText + "   " + QString::fromStdString(design.fault.text);
        cmdCalculate_->setFocus();
        ShowBiasStatus(this, status);
        return;
    }

    // Each resistor as it will be built: the shown (possibly standard) value is analysed.
    BjtResistors kept;
    for (std::size_t i = 0; i < d_.resistors.size(); ++i) {
        const BjtResistorRow& r = d_.resistors[i];
        kept.*(r.value) = float(ShowComponent(resistorValues_[i], resistorUnits_[i], design.r.*(r.value), "Ohm", "0.",
                                              "Ohms"));
    }

    const BjtAnalysis a = AnalyseBjtBias(d_.network, in, design, kept);
    for (int t = 0; t < 3; ++t)
        for (int k = 0; k < 3; ++k)
            SetGridText(grdIc_, t + 1, k + 1, FormatPicture(a.ic_a[std::size_t(t)][std::size_t(k)] * 1000.0, "0.00"));
    const BjtStability& s = a.stability;
    SetGridText(grdStability_, 1, 1, FormatPicture(s.sIcbo, "Scientific"));
    SetGridText(grdStability_, 2, 1, FormatPicture(s.sVbe, "Scientific"));
    SetGridText(grdStability_, 3, 1, FormatPicture(s.sHfe, "Scientific"));
    for (int i = 0; i < 4; ++i)
        SetGridText(grdStability_, i + 1, 2, FormatPicture(a.deltaIc_a[std::size_t(i)] * 1000.0, "0.000"));

    lblTjMax_->setText(FormatPicture(a.tjMax_c, "0.0"));
    lblIcMaxMin_->setText(FormatPicture(a.icMaxOverMin, "0.0"));
    lblIcc_->setText(FormatPicture(a.supplyCurrent_ma, "0.00"));
    if (lblVRB2_)
        lblVRB2_->setText(FormatPicture(design.vrb2_v, "0.00"));
    if (lblIRB2_)
        lblIRB2_->setText(FormatPicture(design.irb2_a * 1000.0, "0.000"));

    const double limit = Settings().maxJunctionTempC;
    if (JunctionNotBelowLimit(a.tjMax_c, limit))
        status.caution = QString::fromStdString(JunctionCautionText(NumberText(limit)));
    if (a.outOfRegulation)
        status.warning = kOutOfRegulationText;
    if (a.fault.number != 0)
        status.error = kErrorText + "   " + QString::fromStdString(a.fault.text);

    cmdCalculate_->setFocus();
    ShowBiasStatus(this, status);
}

} // namespace korvel::ui
