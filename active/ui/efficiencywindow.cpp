#include "efficiencywindow.h"

#include "activeform.h"
#include "biascommon.h"

#include "active/efficiency.h"
#include "active/thermal.h"
#include "core/settings.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/unitselector.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

constexpr double kHuge = 1e+300;
constexpr double kTiny = 1e-300;

bool Blank(const QLineEdit* box) { return box->text().trimmed().isEmpty(); }

} // namespace

EfficiencyWindow::EfficiencyWindow(QWidget* parent)
    : CalcFrame({"frmAmplifierEfficiency", "Amplifier Efficiency", 47, "Amplifier Efficiency &Help"}, parent)
{
    EnsureBiasPanels(this);
    BuildControls();
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate Efficiency", "mnuCalculateEfficiency", &EfficiencyWindow::CalcEfficiency);
    SetMainCalculateButton(cmdCalculate_);
    cmdCalculate_->setFocus();
}

void EfficiencyWindow::BuildControls()
{
    using namespace form;
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 8, 12, 4);
    outer->setSpacing(6);

    outer->addWidget(MakeTitle(body, "Amplifier Efficiency Calculator"));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);

    // ---- Left: what is typed ----------------------------------------------------------
    auto* left = new QVBoxLayout;
    auto* modeBox = new QGroupBox("Calculation mode", body);
    modeBox->setObjectName("fraCalcMode");
    auto* modes = new QVBoxLayout(modeBox);
    modes->setSpacing(2);
    auto* group = new QButtonGroup(this);
    const char* const modeTexts[] = {"Enter Po and Pi, calc Gain", "Enter Po and Gain, calc Pi",
                                     "Enter Pi and Gain, calc Po"};
    for (int i = 0; i < 3; ++i) {
        optCalcMode_[i] = new QRadioButton(modeTexts[i], modeBox);
        optCalcMode_[i]->setObjectName(QString("optCalcMode(%1)").arg(i));
        group->addButton(optCalcMode_[i], i);
        modes->addWidget(optCalcMode_[i]);
    }
    optCalcMode_[0]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this] { ModeChanged(); });
    left->addWidget(modeBox);

    auto* rf = new QGroupBox("RF powers (peak or CW)", body);
    rf->setObjectName("fraRF");
    auto* rg = new QGridLayout(rf);
    rg->setVerticalSpacing(4);
    txtPout_ = Input(rf, "txtPout", "22.4", "Enter output power (peak or CW)");
    txtPin_ = Input(rf, "txtPin", "4", "Enter input power (peak or CW)");
    txtGain_ = Input(rf, "txtGain", QString(), "Enter amplifier gain");
    AddRow(rg, 0, Caption(rf, "Po ="), txtPout_, Unit(rf, "dBm"));
    AddRow(rg, 1, Caption(rf, "Pi ="), txtPin_, Unit(rf, "dBm"));
    AddRow(rg, 2, Caption(rf, "Gain ="), txtGain_, Unit(rf, "dB"));
    rg->setColumnStretch(3, 1);
    left->addWidget(rf);

    auto* dc = new QGroupBox("DC supplies", body);
    dc->setObjectName("fraDC");
    auto* dg = new QGridLayout(dc);
    dg->setVerticalSpacing(4);
    txtV1_ = Input(dc, "txtV1", "3", "Enter voltage for primary supply");
    txtI1_ = Input(dc, "txtI1", "152", "Enter current for primary supply");
    txtV2_ = Input(dc, "txtV2", "0", "Enter voltage for 2nd supply (optional)");
    txtI2_ = Input(dc, "txtI2", "0", "Enter current for 2nd supply (optional)");
    dg->addWidget(Caption(dc, "V1 ="), 0, 0);
    dg->addWidget(txtV1_, 0, 1);
    dg->addWidget(Unit(dc, "V"), 0, 2);
    dg->addWidget(Caption(dc, "I1 ="), 0, 3);
    dg->addWidget(txtI1_, 0, 4);
    dg->addWidget(Unit(dc, "mA"), 0, 5);
    dg->addWidget(Caption(dc, "V2 ="), 1, 0);
    dg->addWidget(txtV2_, 1, 1);
    dg->addWidget(Unit(dc, "V"), 1, 2);
    dg->addWidget(Caption(dc, "I2 ="), 1, 3);
    dg->addWidget(txtI2_, 1, 4);
    dg->addWidget(Unit(dc, "mA"), 1, 5);
    for (int c : {0, 3})
        dg->itemAtPosition(0, c)->widget()->setMinimumWidth(40);
    dg->setColumnStretch(6, 1);
    left->addWidget(dc);

    auto* pulse = new QGroupBox("Pulse", body);
    pulse->setObjectName("fraPulse");
    auto* pg = new QGridLayout(pulse);
    pg->setVerticalSpacing(4);
    cbofpTimeUnits_ = new UnitSelector(pulse);
    cbofpTimeUnits_->setObjectName("cbofpTimeUnits");
    const std::pair<const char*, const char*> times[] = {{"second (s)", "s"},
                                                        {"millisecond (ms)", "ms"},
                                                        {"microsecond (us)", "us"},
                                                        {"nanosecond (ns)", "ns"},
                                                        {"picosecond (ps)", "ps"}};
    for (const auto& [text, code] : times)
        cbofpTimeUnits_->AddUnit(text, code);
    AdoptSelector(cbofpTimeUnits_);
    txtPulseWidth_ = Input(pulse, "txtPulseWidth", "1",
                           "For pulse operation, enter pulse width; for CW, make equal to period");
    txtPulsePeriod_ = Input(pulse, "txtPulsePeriod", "1",
                            "For pulse operation, enter pulse period; for CW, make equal to width");
    lblPulseWidthUnits_ = Unit(pulse, "[uS]", "lblPulseWidthUnits");
    lblPeriodUnits_ = Unit(pulse, "[uS]", "lblPeriodUnits");
    pg->addWidget(Caption(pulse, "Time units for pulse:", "lblTimeUnits"), 0, 0);
    pg->addWidget(cbofpTimeUnits_, 0, 1, 1, 2);
    AddRow(pg, 1, Caption(pulse, "Pulse width ="), txtPulseWidth_, lblPulseWidthUnits_);
    AddRow(pg, 2, Caption(pulse, "Pulse period ="), txtPulsePeriod_, lblPeriodUnits_);
    pg->setColumnStretch(3, 1);
    // The unit only labels the two boxes: the duty cycle is a ratio of two times alike.
    connect(cbofpTimeUnits_, &UnitSelector::CodeChanged, this, [this] {
        static const char* const labels[] = {"[S]", "[mS]", "[uS]", "[nS]", "[pS]"};
        const int row = cbofpTimeUnits_->currentIndex();
        if (row < 0 || row > 4)
            return;
        lblPulseWidthUnits_->setText(labels[row]);
        lblPeriodUnits_->setText(labels[row]);
    });
    cbofpTimeUnits_->setCurrentIndex(2);
    left->addWidget(pulse);
    left->addStretch(1);
    columns->addLayout(left);

    // ---- Right: thermal inputs, results, the command ------------------------------------
    auto* right = new QVBoxLayout;
    auto* thermal = new QGroupBox("Device", body);
    thermal->setObjectName("fraDevice");
    auto* tg = new QGridLayout(thermal);
    tg->setVerticalSpacing(4);
    txtTcase_ = Input(thermal, "txtTcase", "85", "Enter case temperature of device");
    txtTheta_ = Input(thermal, "txtTheta", "175", "Enter device thermal resistance");
    AddRow(tg, 0, Caption(thermal, "Tcase ="), txtTcase_, Unit(thermal, QString::fromUtf8("°C")));
    AddRow(tg, 1, Caption(thermal, QString::fromUtf8("θ =")), txtTheta_, Unit(thermal, QString::fromUtf8("°C/W")));
    tg->setColumnStretch(3, 1);
    right->addWidget(thermal);

    auto* results = new QGroupBox("Results", body);
    results->setObjectName("fraResults");
    auto* resg = new QGridLayout(results);
    resg->setVerticalSpacing(4);
    lblDutyCycle_ = Result(results, "lblDutyCycle");
    lblPv1_ = Result(results, "lblPv1");
    lblPv2_ = Result(results, "lblPv2");
    lblPdc_ = Result(results, "lblPdc");
    lblPdiss_ = Result(results, "lblPdiss");
    lblSimpleEfficiency_ = Result(results, "lblSimpleEfficiency");
    lblPAE_ = Result(results, "lblPAE");
    txtTjn_ = Input(results, "txtTjn", QString(), "Junction temperature");
    txtTjn_->setReadOnly(true);
    int row = 0;
    AddRow(resg, row++, Caption(results, "Duty cycle ="), lblDutyCycle_, Unit(results, "%"));
    AddRow(resg, row++, Caption(results, "Pv1 ="), lblPv1_, Unit(results, "mW"));
    AddRow(resg, row++, Caption(results, "Pv2 ="), lblPv2_, Unit(results, "mW"));
    AddRow(resg, row++, Caption(results, "Pdc ="), lblPdc_, Unit(results, "mW"));
    AddRow(resg, row++, Caption(results, "Pdiss ="), lblPdiss_, Unit(results, "mW"));
    AddRow(resg, row++, Caption(results, "Efficiency ="), lblSimpleEfficiency_);
    AddRow(resg, row++, Caption(results, "PAE ="), lblPAE_);
    AddRow(resg, row++, Caption(results, "Tj ="), txtTjn_, Unit(results, QString::fromUtf8("°C")));
    resg->setColumnStretch(3, 1);
    right->addWidget(results);

    cmdCalculate_ = MakeCalculateButton(body, "Calculate [F4]", "Calculate power and efficiencies");
    cmdCalculate_->setMinimumWidth(150);
    connect(cmdCalculate_, &QPushButton::clicked, this, &EfficiencyWindow::CalcEfficiency);
    right->addWidget(cmdCalculate_, 0, Qt::AlignLeft);
    right->addStretch(1);
    columns->addLayout(right, 1);
    outer->addLayout(columns, 1);

    for (QLineEdit* box : {txtPout_, txtPin_, txtGain_, txtV1_, txtI1_, txtV2_, txtI2_, txtPulseWidth_,
                           txtPulsePeriod_, txtTcase_, txtTheta_})
        WhiteOnTyping({box});
    ModeChanged();
}

int EfficiencyWindow::Mode() const
{
    for (int i = 0; i < 3; ++i)
        if (optCalcMode_[i]->isChecked())
            return i;
    return 0;
}

void EfficiencyWindow::ModeChanged()
{
    // The computed quantity's box shows a result; the other two are typed.
    const int mode = Mode();
    txtGain_->setReadOnly(mode == 0);
    txtPin_->setReadOnly(mode == 1);
    txtPout_->setReadOnly(mode == 2);
}

void EfficiencyWindow::CalcEfficiency()
{
    BeginCalculation();
    const int mode = Mode();
    const double any = -kHuge;

    // The two powers of the chosen mode, then supplies, pulse, case and thermal resistance.
    if ((mode != 2 && !CheckInput(txtPout_, any, kHuge, true)) || (mode != 1 && !CheckInput(txtPin_, any, kHuge, true))
        || (mode != 0 && !CheckInput(txtGain_, any, kHuge, true)))
        return;
    if (!CheckInput(txtV1_, any, kHuge, true) || !CheckInput(txtI1_, any, kHuge, true))
        return;
    // The second supply may be left blank.
    for (QLineEdit* box : {txtV2_, txtI2_})
        if (!Blank(box) && !CheckInput(box, any, kHuge, true))
            return;
    if (!CheckInput(txtPulseWidth_, kTiny, kHuge) || !CheckInput(txtPulsePeriod_, kTiny, kHuge)
        || !CheckInput(txtTcase_, -273.0, kHuge, true) || !CheckInput(txtTheta_, 0.0, kHuge, true))
        return;

    EfficiencyInputs in;
    in.mode = EfficiencyMode(mode);
    in.pout_dbm = FieldValue(txtPout_);
    in.pin_dbm = FieldValue(txtPin_);
    in.gain_db = FieldValue(txtGain_);
    in.v1_v = FieldValue(txtV1_);
    in.i1_a = FieldValue(txtI1_) / 1000.0;
    in.v2_v = FieldValue(txtV2_);
    in.i2_a = FieldValue(txtI2_) / 1000.0;
    in.pulseWidth = FieldValue(txtPulseWidth_);
    in.pulsePeriod = FieldValue(txtPulsePeriod_);
    in.tcase_c = FieldValue(txtTcase_);
    in.theta_c_per_w = FieldValue(txtTheta_);
    in.tjLimit_c = Settings().maxJunctionTempC;
    const EfficiencyResult r = korvel::CalcEfficiency(in);

    using form::Format;
    switch (mode) {
    case 0: txtGain_->setText(Format(r.gain_db, "0.00")); break;
    case 1: txtPin_->setText(Format(r.pin_dbm, "0.00")); break;
    case 2: txtPout_->setText(Format(r.pout_dbm, "0.00")); break;
    }
    lblDutyCycle_->setText(Format(r.dutyCycle * 100.0, "0.000"));
    lblPv1_->setText(Format(r.pv1_w * 1000.0, "0.00"));
    lblPv2_->setText(Format(r.pv2_w * 1000.0, "0.00"));
    lblPdc_->setText(Format(r.pdc_w * 1000.0, "0.00"));
    lblPdiss_->setText(Format(r.pdiss_w * 1000.0, "0.00"));
    lblSimpleEfficiency_->setText(Format(r.simpleEfficiency, "0.0%"));
    lblPAE_->setText(Format(r.pae, "0.0%"));
    txtTjn_->setText(Format(r.tj_c, "0."));

    BiasStatus status;
    if (r.tjCaution)
        status.caution = form::JunctionCaution();
    if (r.energyWarning)
        status.warning = kEnergyWarning;
    if (r.fault)
        status.error = kUnexpectedResult;
    ShowBiasStatus(this, status);
}

} // namespace korvel::ui
