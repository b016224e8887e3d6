#include "coaxwindow.h"

#include "dielectricselector.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/unitselector.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

constexpr double kTiny = 1e-300;
constexpr double kHuge = 1e+300;

std::string CodeOf(const UnitSelector* selector) { return selector->Code().toStdString(); }

// Inputs and results share one width so that the two columns of the window line up.
constexpr int kBoxWidth = 110;

QLineEdit* InputBox(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setMinimumWidth(kBoxWidth);
    return box;
}

QLabel* ResultBox(QWidget* parent, const QString& name)
{
    QLabel* label = MakeResult(parent, name);
    label->setMinimumWidth(kBoxWidth);
    return label;
}

} // namespace

CoaxFamilyWindow::CoaxFamilyWindow(const CoaxWindowDescription& description, QWidget* parent)
    : CalcFrame(description.identity, parent), d_(description)
{
    BuildControls();
    BuildMenus();
    SetMainCalculateButton(cmdCalculate_);
    cmdCalculate_->setFocus();
}

void CoaxFamilyWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(10);

    // ---- Units and dielectric ------------------------------------------------------------
    auto* unitsBox = new QGroupBox("Units", body);
    unitsBox->setObjectName("fraUnits");
    auto* units = new QGridLayout(unitsBox);
    units->setHorizontalSpacing(8);

    cbofpFreqUnits_ = new UnitSelector(unitsBox);
    cbofpFreqUnits_->setObjectName("cbofpFreqUnits");
    for (const char* code : {"GHz", "MHz", "kHz", "Hz"})
        cbofpFreqUnits_->AddUnit(code, code);

    cbofpLengthUnits_ = new UnitSelector(unitsBox);
    cbofpLengthUnits_->setObjectName("cbofpLengthUnits");
    const std::pair<const char*, const char*> lengths[] = {{"mils", "mil"}, {"inches", "in"}, {"meters", "m"},
                                                           {"cm", "cm"},    {"mm", "mm"},     {"um", "um"}};
    for (const auto& [text, code] : lengths)
        cbofpLengthUnits_->AddUnit(text, code);

    cbofpAngleUnits_ = new UnitSelector(body);
    cbofpAngleUnits_->setObjectName("cbofpAngleUnits");
    cbofpAngleUnits_->AddUnit("degrees", "deg");
    cbofpAngleUnits_->AddUnit("radians", "rad");

    txtEr_ = InputBox(body, "txtEr", "1", "Enter relative dielectric constant Er");
    cbofpDielectric_ = new DielectricSelector(DielectricTable::General, txtEr_, unitsBox);
    cbofpDielectric_->setToolTip("Select dielectric material");

    units->addWidget(MakeCaption(unitsBox, "Frequency:", "lblFreqUnits"), 0, 0);
    units->addWidget(cbofpFreqUnits_, 0, 1);
    units->addWidget(MakeCaption(unitsBox, "Length Units:", "lblLengthUnits"), 0, 2);
    units->addWidget(cbofpLengthUnits_, 0, 3);
    units->addWidget(MakeCaption(unitsBox, "Dielectric:", "lblDielectric"), 0, 4);
    units->addWidget(cbofpDielectric_, 0, 5);
    units->setColumnStretch(5, 1);
    outer->addWidget(unitsBox);

    // ---- Physical inputs and electrical results side by side -----------------------------
    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);

    auto* dimBox = new QGroupBox("Line", body);
    dimBox->setObjectName("fraDimensions");
    auto* dims = new QGridLayout(dimBox);
    dims->setVerticalSpacing(6);
    txtOuter_ = InputBox(dimBox, d_.outerName, d_.outerDefault, d_.outerTip);
    txtInnerDiam_ = InputBox(dimBox, "txtInnerDiam", d_.innerDefault, d_.innerTip);
    txtLength_ = InputBox(dimBox, "txtLength", "1000", d_.lengthTip);
    txtFreq_ = InputBox(dimBox, "txtFreq", "1", "Enter frequency in user-selected Frequency Units");
    txtEr_->setParent(dimBox);
    txtEr_->setEnabled(false);
    int row = 0;
    dims->addWidget(MakeCaption(dimBox, d_.outerLabel), row, 0);
    dims->addWidget(txtOuter_, row++, 1);
    dims->addWidget(MakeCaption(dimBox, d_.innerLabel), row, 0);
    dims->addWidget(txtInnerDiam_, row++, 1);
    dims->addWidget(MakeCaption(dimBox, "Length ="), row, 0);
    dims->addWidget(txtLength_, row++, 1);
    dims->addWidget(MakeCaption(dimBox, "Freq ="), row, 0);
    dims->addWidget(txtFreq_, row++, 1);
    dims->addWidget(MakeCaption(dimBox, "Er ="), row, 0);
    dims->addWidget(txtEr_, row++, 1);
    dims->setRowStretch(row, 1);
    columns->addWidget(dimBox);

    auto* resBox = new QGroupBox("Results", body);
    resBox->setObjectName("fraResults");
    auto* res = new QGridLayout(resBox);
    res->setVerticalSpacing(6);
    txtZ0_ = InputBox(resBox, "txtZ0", QString(), d_.z0Tip);
    lblD1D2Ratio_ = ResultBox(resBox, "lblD1D2Ratio");
    lblPropVel_ = ResultBox(resBox, "lblPropVel");
    lblWavelength_ = ResultBox(resBox, "lblWavelength");
    lblWavelengthUnits_ = new QLabel(cbofpLengthUnits_->currentText(), resBox);
    lblWavelengthUnits_->setObjectName("lblWavelengthUnits");
    lblFractLambda_ = ResultBox(resBox, "lblFractLambda");
    lblElectLength_ = ResultBox(resBox, "lblElectLength");
    cbofpAngleUnits_->setParent(resBox);
    row = 0;
    res->addWidget(MakeCaption(resBox, "Z0 ="), row, 0);
    res->addWidget(txtZ0_, row, 1);
    res->addWidget(new QLabel("ohms", resBox), row++, 2);
    res->addWidget(MakeCaption(resBox, d_.ratioLabel), row, 0);
    res->addWidget(lblD1D2Ratio_, row++, 1);
    res->addWidget(MakeCaption(resBox, "Vp ="), row, 0);
    res->addWidget(lblPropVel_, row, 1);
    res->addWidget(new QLabel("fraction of c", resBox), row++, 2);
    res->addWidget(MakeCaption(resBox, "1.0 Wavelength ="), row, 0);
    res->addWidget(lblWavelength_, row, 1);
    res->addWidget(lblWavelengthUnits_, row++, 2);
    res->addWidget(MakeCaption(resBox, "Length ="), row, 0);
    res->addWidget(lblFractLambda_, row, 1);
    res->addWidget(new QLabel("wavelengths", resBox), row++, 2);
    res->addWidget(MakeCaption(resBox, "Elect Length ="), row, 0);
    res->addWidget(lblElectLength_, row, 1);
    res->addWidget(cbofpAngleUnits_, row++, 2);

    // Loss is not modelled for these lines; the controls exist and stay hidden.
    auto* lblLossTan = new QLabel("Loss Tan =", resBox);
    lblLossTan->setObjectName("lblLossTan");
    auto* txtLossTan = new QLineEdit(resBox);
    txtLossTan->setObjectName("txtLossTan");
    auto* lblLossEqual = new QLabel("Loss =", resBox);
    lblLossEqual->setObjectName("lblLossEqual");
    auto* lblLoss = new QLabel(resBox);
    lblLoss->setObjectName("lblLoss");
    auto* lblLossUnits = new QLabel("[dB, user's length]", resBox);
    lblLossUnits->setObjectName("lblLossUnits");
    for (QWidget* w : {static_cast<QWidget*>(lblLossTan), static_cast<QWidget*>(txtLossTan),
                       static_cast<QWidget*>(lblLossEqual), static_cast<QWidget*>(lblLoss),
                       static_cast<QWidget*>(lblLossUnits)})
        w->hide();
    res->setRowStretch(row, 1);
    res->setColumnStretch(1, 1);
    columns->addWidget(resBox, 1);
    outer->addLayout(columns);

    // ---- Commands -----------------------------------------------------------------------
    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = new QPushButton("Calculate Z0  [F4]", body);
    cmdCalculate_->setObjectName("cmdCalculate");
    cmdCalculate_->setToolTip("Calculates Z0 from physical dimensions");
    cmdCalculate_->setDefault(true);
    cmdSynthesis_ = new QPushButton(d_.synthCaption, body);
    cmdSynthesis_->setObjectName(d_.synthButtonName);
    cmdSynthesis_->setToolTip(d_.synthTip);
    cmdSynthesis_->setAutoDefault(false);
    for (QPushButton* b : {cmdCalculate_, cmdSynthesis_})
        b->setMinimumWidth(150);
    buttons->addWidget(cmdCalculate_);
    buttons->addWidget(cmdSynthesis_);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    outer->addStretch(1);

    connect(cmdCalculate_, &QPushButton::clicked, this, &CoaxFamilyWindow::CalcZ0);
    connect(cmdSynthesis_, &QPushButton::clicked, this, &CoaxFamilyWindow::Synthesise);

    // Typing resets a box marked by a failed check; the two dimensions share one ratio check.
    WhiteOnTyping({txtOuter_, txtInnerDiam_});
    WhiteOnTyping({txtLength_});
    WhiteOnTyping({txtFreq_});
    WhiteOnTyping({txtEr_});
    WhiteOnTyping({txtZ0_});

    setTabOrder(txtOuter_, txtInnerDiam_);
    setTabOrder(txtInnerDiam_, txtLength_);
    setTabOrder(txtLength_, txtFreq_);
    setTabOrder(txtFreq_, txtEr_);
    setTabOrder(txtEr_, txtZ0_);
}

void CoaxFamilyWindow::BuildMenus()
{
    AddFileItem("&Print", "mnuFilePrint");
    AddFileItem("Page set&up", "mnuFilePageSetup");
    AddFileItem("Print pre&view", "mnuFilePrintPreview");
    FileMenu()->insertSeparator(FileMenu()->actions().value(3));

    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "Calculate &ZO", "mnuCalculateZo", &CoaxFamilyWindow::CalcZ0);
    AddItem(calc, d_.synthMenuCaption, d_.synthMenuName, &CoaxFamilyWindow::Synthesise);
    calc->addSeparator();
    AddItem(calc, d_.tableMenuCaption, "mnuTableZ0");
    AddItem(calc, d_.plotMenuCaption, "mnuPlotZ0");

    QMenu* select = AddMenu("&Select Parameters", "mnuSelectParameters");
    AddItem(select, "&Dielectric", "mnuSelectDielectric", [this] { cbofpDielectric_->OpenFromMenu(); });
    AddItem(select, "&Frequency Units", "mnuSelectFreqUnits", [this] { cbofpFreqUnits_->OpenFromMenu(); });
    AddItem(select, "L&ength Units", "mnuSelectLengthUnits", [this] { cbofpLengthUnits_->OpenFromMenu(); });
    AddItem(select, "&Angle Untis", "mnuSelectAngleUnits", [this] { cbofpAngleUnits_->OpenFromMenu(); });

    AddHelpItem("&Applications and Examples", "mnuHelpApplications");
    AddHelpItem("&Tutorial", "mnuHelpTutorial");
    AddHelpItem("&Keyboard Shortcuts", "mnuHelpKeyboard");
}

void CoaxFamilyWindow::ShowWave(const LineWave& wave, double ratio)
{
    const std::string lengthCode = CodeOf(cbofpLengthUnits_);
    const std::string angleCode = CodeOf(cbofpAngleUnits_);
    lblD1D2Ratio_->setText(FormatPicture(ratio, "  0.000"));
    lblPropVel_->setText(FormatPicture(wave.velocityFactor, "  0.000"));
    lblWavelength_->setText(FormatPicture(ConvertUnit(wave.wavelength_m, lengthCode, false), "  0.000"));
    lblWavelengthUnits_->setText(QString::fromStdString(lengthCode));
    lblFractLambda_->setText(FormatPicture(wave.fractionOfWavelength, "  0.000"));
    lblElectLength_->setText(FormatPicture(ConvertUnit(wave.electricalLength_rad, angleCode, false),
                                    angleCode == "deg" ? "  0.0" : "  0.00"));
}

void CoaxFamilyWindow::CalcZ0()
{
    BeginCalculation();
    mathError_ = false;

    for (QLineEdit* box : {txtOuter_, txtInnerDiam_, txtLength_, txtFreq_})
        if (!CheckInput(box, kTiny, kHuge))
            return;
    if (!CheckInput(txtEr_, 1.0, d_.erMax))
        return;
    const bool innerOverOuter = d_.ratioInnerOverOuter;
    QLineEdit* num = innerOverOuter ? txtInnerDiam_ : txtOuter_;
    QLineEdit* den = innerOverOuter ? txtOuter_ : txtInnerDiam_;
    // A ratio of exactly 1 is refused only where the accepted range leaves it out (a coax's
    // conductors cannot coincide); touching wires (S/D = 1) are a line of their own.
    const bool unityAllowed = d_.ratioMin <= 1.0 && 1.0 <= d_.ratioMax;
    if (!CheckRatio(FieldValue(num), num, FieldValue(den), den, d_.ratioMin, d_.ratioMax, unityAllowed)) {
        // Both boxes are marked; the inner one is the one to correct, its text ready to retype.
        txtInnerDiam_->setFocus(Qt::OtherFocusReason);
        txtInnerDiam_->selectAll();
        return;
    }

    const std::string lengthCode = CodeOf(cbofpLengthUnits_);
    LineAnalysisInputs in;
    in.outer = FieldValue(txtOuter_);
    in.inner = FieldValue(txtInnerDiam_);
    in.length_m = ConvertUnit(FieldValue(txtLength_), lengthCode, true);
    in.freq_hz = ConvertUnit(FieldValue(txtFreq_), CodeOf(cbofpFreqUnits_), true);
    in.er = FieldValue(txtEr_);

    const LineAnalysis a = AnalyseCoaxFamily(*d_.model, in);
    if (a.fault.raised) {
        mathError_ = true;
        ShowFault(QString::fromStdString(a.fault.text));
    }

    txtZ0_->setText(FormatPicture(a.z0_ohm, a.z0_ohm >= 1.0 ? "  0.0" : "  0.00"));
    ShowWave(a.wave, a.ratio);

    // After a fault its message stays; the accuracy rules would only hide it.
    if (mathError_)
        return;
    ShowNormalStatus();
    for (const LineWarning& w : a.warnings)
        ShowWarning(QString::fromStdString(w.text), w.level == LineStatusLevel::Severe);
}

void CoaxFamilyWindow::Synthesise()
{
    BeginCalculation();

    QLineEdit* kept = d_.model->solvesOuter ? txtInnerDiam_ : txtOuter_;
    QLineEdit* solved = d_.model->solvesOuter ? txtOuter_ : txtInnerDiam_;
    if (!CheckInput(kept, kTiny, kHuge) || !CheckInput(txtZ0_, d_.z0Min, d_.z0Max)
        || !CheckInput(txtLength_, kTiny, kHuge) || !CheckInput(txtFreq_, kTiny, kHuge)
        || !CheckInput(txtEr_, 1.0, d_.erMax))
        return;

    const std::string lengthCode = CodeOf(cbofpLengthUnits_);
    LineSynthesisInputs in;
    in.z0_ohm = FieldValue(txtZ0_);
    in.fixed_m = ConvertUnit(FieldValue(kept), lengthCode, true);
    in.length_m = ConvertUnit(FieldValue(txtLength_), lengthCode, true);
    in.freq_hz = ConvertUnit(FieldValue(txtFreq_), CodeOf(cbofpFreqUnits_), true);
    in.er = FieldValue(txtEr_);

    const LineSynthesis s = SynthesiseCoaxFamily(*d_.model, in);
    if (s.fault.raised) {
        // The fault is reported, but the status rules below still run and replace it.
        mathError_ = true;
        ShowFault(QString::fromStdString(s.fault.text));
    }

    solved->setText(FormatPicture(ConvertUnit(s.solved_m, lengthCode, false), "  0.000"));
    ShowWave(s.wave, s.ratio);
    txtZ0_->setText(FormatPicture(in.z0_ohm, "  0.0"));
    txtZ0_->setFocus(Qt::OtherFocusReason);
    txtZ0_->setCursorPosition(int(txtZ0_->text().size()));

    ShowNormalStatus();
    for (const LineWarning& w : s.warnings)
        ShowWarning(QString::fromStdString(w.text), w.level == LineStatusLevel::Severe);
}

} // namespace korvel::ui
