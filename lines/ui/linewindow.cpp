#include "linewindow.h"

#include "dielectricselector.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/unitselector.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace korvel::ui {

LineWindow::LineWindow(const Identity& identity, DielectricTable table, const QString& dielectricTip,
                       QWidget* parent)
    : CalcFrame(identity, parent)
{
    QWidget* body = Body();
    cbofpFreqUnits_ = new UnitSelector(body);
    cbofpFreqUnits_->setObjectName("cbofpFreqUnits");
    for (const char* code : {"GHz", "MHz", "kHz", "Hz"})
        cbofpFreqUnits_->AddUnit(code, code);

    cbofpLengthUnits_ = new UnitSelector(body);
    cbofpLengthUnits_->setObjectName("cbofpLengthUnits");
    const std::pair<const char*, const char*> lengths[] = {{"mils", "mil"}, {"inches", "in"}, {"meters", "m"},
                                                           {"cm", "cm"},    {"mm", "mm"},     {"um", "um"}};
    for (const auto& [text, code] : lengths)
        cbofpLengthUnits_->AddUnit(text, code);

    cbofpAngleUnits_ = new UnitSelector(body);
    cbofpAngleUnits_->setObjectName("cbofpAngleUnits");
    cbofpAngleUnits_->AddUnit("degrees", "deg");
    cbofpAngleUnits_->AddUnit("radians", "rad");

    // Er comes from the list until the user picks the custom entry.
    txtEr_ = MakeInput(body, "txtEr", "1", "Enter relative dielectric constant Er");
    txtEr_->setEnabled(false);
    cbofpDielectric_ = new DielectricSelector(table, txtEr_, body);
    cbofpDielectric_->setToolTip(dielectricTip);
}

void LineWindow::AddUnitsRow(QVBoxLayout* outer)
{
    auto* unitsBox = new QGroupBox("Units", Body());
    unitsBox->setObjectName("fraUnits");
    auto* units = new QGridLayout(unitsBox);
    units->setHorizontalSpacing(8);
    units->addWidget(MakeCaption(unitsBox, "Frequency:", "lblFreqUnits"), 0, 0);
    units->addWidget(cbofpFreqUnits_, 0, 1);
    units->addWidget(MakeCaption(unitsBox, "Length Units:", "lblLengthUnits"), 0, 2);
    units->addWidget(cbofpLengthUnits_, 0, 3);
    units->addWidget(MakeCaption(unitsBox, "Dielectric:", "lblDielectric"), 0, 4);
    units->addWidget(cbofpDielectric_, 0, 5);
    units->setColumnStretch(5, 1);
    outer->addWidget(unitsBox);
}

void LineWindow::CreateWaveResults(QWidget* box, ResultFactory makeResult)
{
    lblPropVel_ = makeResult(box, "lblPropVel");
    lblWavelength_ = makeResult(box, "lblWavelength");
    lblWavelengthUnits_ = MakeLabel(box, cbofpLengthUnits_->currentText(), "lblWavelengthUnits");
    lblFractLambda_ = makeResult(box, "lblFractLambda");
    lblElectLength_ = makeResult(box, "lblElectLength");
    cbofpAngleUnits_->setParent(box);
}

void LineWindow::AddResultRow(QGridLayout* grid, int& row, const QString& caption, QWidget* value, QWidget* after)
{
    grid->addWidget(MakeCaption(grid->parentWidget(), caption), row, 0);
    grid->addWidget(value, row, 1);
    if (after)
        grid->addWidget(after, row, 2);
    ++row;
}

void LineWindow::AddHiddenLossControls(QWidget* box)
{
    auto* txtLossTan = new QLineEdit(box);
    txtLossTan->setObjectName("txtLossTan");
    for (QWidget* w : std::initializer_list<QWidget*>{
             MakeLabel(box, "Loss Tan =", "lblLossTan"), txtLossTan, MakeLabel(box, "Loss =", "lblLossEqual"),
             MakeLabel(box, QString(), "lblLoss"), MakeLabel(box, "[dB, user's length]", "lblLossUnits")})
        w->hide();
}

void LineWindow::AddPrintItems()
{
    AddFileItem("&Print", "mnuFilePrint");
    AddFileItem("Page set&up", "mnuFilePageSetup");
    AddFileItem("Print pre&view", "mnuFilePrintPreview");
    FileMenu()->insertSeparator(FileMenu()->actions().value(3));
}

void LineWindow::AddSelectParametersMenu()
{
    QMenu* select = AddMenu("&Select Parameters", "mnuSelectParameters");
    AddItem(select, "&Dielectric", "mnuSelectDielectric", [this] { cbofpDielectric_->OpenFromMenu(); });
    AddItem(select, "&Frequency Units", "mnuSelectFreqUnits", [this] { cbofpFreqUnits_->OpenFromMenu(); });
    AddItem(select, "L&ength Units", "mnuSelectLengthUnits", [this] { cbofpLengthUnits_->OpenFromMenu(); });
    AddItem(select, "&Angle Untis", "mnuSelectAngleUnits", [this] { cbofpAngleUnits_->OpenFromMenu(); });
}

void LineWindow::AddLineHelpItems()
{
    AddHelpItem("&Applications and Examples", "mnuHelpApplications");
    AddHelpItem("&Tutorial", "mnuHelpTutorial");
    AddHelpItem("&Keyboard Shortcuts", "mnuHelpKeyboard");
}

void LineWindow::ShowWave(const LineWave& wave)
{
    const std::string lengthCode = LengthCode();
    const std::string angleCode = AngleCode();
    lblPropVel_->setText(FormatPicture(wave.velocityFactor, "  0.000"));
    lblWavelength_->setText(FormatPicture(ConvertUnit(wave.wavelength_m, lengthCode, false), "  0.000"));
    lblWavelengthUnits_->setText(QString::fromStdString(lengthCode));
    lblFractLambda_->setText(FormatPicture(wave.fractionOfWavelength, "  0.000"));
    lblElectLength_->setText(FormatPicture(ConvertUnit(wave.electricalLength_rad, angleCode, false),
                                           angleCode == "deg" ? "  0.0" : "  0.00"));
}

std::string LineWindow::FreqCode() const { return cbofpFreqUnits_->Code().toStdString(); }
std::string LineWindow::LengthCode() const { return cbofpLengthUnits_->Code().toStdString(); }
std::string LineWindow::AngleCode() const { return cbofpAngleUnits_->Code().toStdString(); }

} // namespace korvel::ui
