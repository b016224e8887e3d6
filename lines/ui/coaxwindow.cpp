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
    : LineWindow(description.identity, DielectricTable::General, "Select dielectric material", parent),
      d_(description)
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

    AddUnitsRow(outer);
    txtEr_->setMinimumWidth(kBoxWidth);

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
    CreateWaveResults(resBox, &ResultBox);
    row = 0;
    AddResultRow(res, row, "Z0 =", txtZ0_, MakeLabel(resBox, "ohms"));
    AddResultRow(res, row, d_.ratioLabel, lblD1D2Ratio_);
    AddResultRow(res, row, "Vp =", lblPropVel_, MakeLabel(resBox, "fraction of c"));
    AddResultRow(res, row, "1.0 Wavelength =", lblWavelength_, lblWavelengthUnits_);
    AddResultRow(res, row, "Length =", lblFractLambda_, MakeLabel(resBox, "wavelengths"));
    AddResultRow(res, row, "Elect Length =", lblElectLength_, cbofpAngleUnits_);
    AddHiddenLossControls(resBox);
    res->setRowStretch(row, 1);
    res->setColumnStretch(1, 1);
    columns->addWidget(resBox, 1);
    outer->addLayout(columns);

    // ---- Commands -----------------------------------------------------------------------
    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate Z0  [F4]", "Calculates Z0 from physical dimensions");
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
    AddPrintItems();
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "Calculate &ZO", "mnuCalculateZo", &CoaxFamilyWindow::CalcZ0);
    AddItem(calc, d_.synthMenuCaption, d_.synthMenuName, &CoaxFamilyWindow::Synthesise);
    calc->addSeparator();
    AddItem(calc, d_.tableMenuCaption, "mnuTableZ0");
    AddItem(calc, d_.plotMenuCaption, "mnuPlotZ0");
    AddSelectParametersMenu();
    AddLineHelpItems();
}

void CoaxFamilyWindow::ShowWave(const LineWave& wave, double ratio)
{
    lblD1D2Ratio_->setText(FormatPicture(ratio, "  0.000"));
    LineWindow::ShowWave(wave);
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

    const std::string lengthCode = LengthCode();
    LineAnalysisInputs in;
    in.outer = FieldValue(txtOuter_);
    in.inner = FieldValue(txtInnerDiam_);
    in.length_m = ConvertUnit(FieldValue(txtLength_), lengthCode, true);
    in.freq_hz = ConvertUnit(FieldValue(txtFreq_), FreqCode(), true);
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

    const std::string lengthCode = LengthCode();
    LineSynthesisInputs in;
    in.z0_ohm = FieldValue(txtZ0_);
    in.fixed_m = ConvertUnit(FieldValue(kept), lengthCode, true);
    in.length_m = ConvertUnit(FieldValue(txtLength_), lengthCode, true);
    in.freq_hz = ConvertUnit(FieldValue(txtFreq_), FreqCode(), true);
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
