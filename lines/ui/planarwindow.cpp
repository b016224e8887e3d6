#include "planarwindow.h"

#include "dielectricselector.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/uihooks.h"
#include "shell/unitselector.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>

namespace korvel::ui {
namespace {

// The window's boxes keep fixed widths so that its grids line up.
QLineEdit* InputBox(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setFixedWidth(78);
    return box;
}

QLabel* ResultBox(QWidget* parent, const QString& name)
{
    QLabel* label = MakeResult(parent, name);
    label->setFixedWidth(88);
    return label;
}

// Impedances above this are shown as whole ohms with a trailing point.
constexpr double kWholeOhmsAbove = 1000.0;

// A solved width or gap with six significant digits, and at least the three decimals the
// coax family writes its solved diameters with: the analysis that follows then shows the
// target Z0 in every digit it shows.
QString SolvedDimensionText(double value)
{
    const int decimals = std::clamp(5 - int(std::floor(std::log10(value))), 3, 15);
    return FormatPicture(value, ("  0." + std::string(size_t(decimals), '0')).c_str());
}

} // namespace

PlanarLineWindow::PlanarLineWindow(const PlanarWindowDescription& description, QWidget* parent)
    : LineWindow(description.identity, DielectricTable::Substrate, "Select substrate material", parent),
      d_(description)
{
    BuildControls();
    BuildMenus();
    ConnectTyping();
    SetMainCalculateButton(cmdCalculate_);
    cmdCalculate_->setFocus();
}

void PlanarLineWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(8, 8, 8, 4);
    outer->setSpacing(10);

    AddUnitsRow(outer);
    txtEr_->setFixedWidth(78);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);

    // ---- The line's dimensions, in the order they are checked ----------------------------
    auto* dimBox = new QGroupBox("Line", body);
    dimBox->setObjectName("fraDimensions");
    auto* dims = new QGridLayout(dimBox);
    dims->setVerticalSpacing(6);
    int row = 0;
    for (const PlanarInput& in : d_.inputs) {
        QLineEdit* box = InputBox(dimBox, in.name, in.defaultText, in.tip);
        boxes_[size_t(in.box)] = box;
        dims->addWidget(MakeCaption(dimBox, in.caption), row, 0);
        dims->addWidget(box, row++, 1);
    }
    txtEr_->setParent(dimBox);
    dims->addWidget(MakeCaption(dimBox, "Er ="), row, 0);
    dims->addWidget(txtEr_, row++, 1);
    dims->setRowStretch(row, 1);
    columns->addWidget(dimBox);

    // ---- Results -------------------------------------------------------------------------
    auto* resBox = new QGroupBox("Results", body);
    resBox->setObjectName("fraResults");
    auto* res = new QGridLayout(resBox);
    res->setVerticalSpacing(6);
    lblZ0_ = ResultBox(resBox, "lblZ0");
    lblKeff_ = ResultBox(resBox, "lblKeff");
    lblWHratio_ = ResultBox(resBox, "lblWHratio");
    lblKe_ = ResultBox(resBox, "lblKe");
    CreateWaveResults(resBox, &ResultBox);
    row = 0;
    auto addRow = [&](const QString& caption, QWidget* value, QWidget* after) {
        AddResultRow(res, row, caption, value, after);
    };
    AddTargetRow(res, row);
    addRow("Z0 =", lblZ0_, MakeLabel(resBox, "ohms"));
    addRow(d_.keffCaption, lblKeff_, nullptr);
    addRow("Vp =", lblPropVel_, MakeLabel(resBox, "fraction of c"));
    if (d_.showsWH)
        addRow("W/H =", lblWHratio_, nullptr);
    else
        lblWHratio_->hide();
    if (d_.showsShapeFactor)
        addRow("Shape factor =", lblKe_, nullptr);
    else
        lblKe_->hide();
    addRow("1.0 Wavelength =", lblWavelength_, lblWavelengthUnits_);
    addRow("Length =", lblFractLambda_, MakeLabel(resBox, "wavelengths"));
    addRow("Elect Length =", lblElectLength_, cbofpAngleUnits_);

    AddHiddenLossControls(resBox);
    res->setRowStretch(row, 1);
    res->setColumnStretch(1, 1);
    columns->addWidget(resBox, 1);

    // ---- The cross-section, and the CPW's choice of a lower ground plane -----------------
    auto* picBox = new QGroupBox("Cross-section", body);
    picBox->setObjectName("fraCrossSection");
    auto* picLay = new QVBoxLayout(picBox);
    picLay->setSpacing(4);
    if (d_.groundPlaneChoice) {
        auto* fra = new QFrame(picBox);
        fra->setObjectName("fraGroundplane");
        auto* lay = new QVBoxLayout(fra);
        lay->setContentsMargins(4, 0, 0, 0);
        lay->setSpacing(2);
        optWithGround_ = new QRadioButton("With Groundplane", fra);
        optNoGround_ = new QRadioButton("No Groundplane", fra);
        int index = 0;
        for (QRadioButton* opt : {optWithGround_, optNoGround_}) {
            opt->setObjectName("optGroundplane");
            opt->setProperty("index", index++);
            lay->addWidget(opt);
        }
        optWithGround_->setChecked(true);
        connect(optWithGround_, &QRadioButton::toggled, this, [this](bool on) { ShowGroundPlane(on); });
        picLay->addWidget(fra);
    }
    picture_ = new LineSection(d_.section, picBox);
    picture_->setObjectName(d_.sectionName);
    picLay->addWidget(picture_);
    if (d_.groundPlaneChoice) {
        // Without the lower ground the window shows the open line in the same place, so the
        // layout does not jump when the choice changes.
        pictureNoGround_ = new LineSection(LineSectionKind::CpwOpen, picBox);
        pictureNoGround_->setObjectName("imgCpw");
        picLay->addWidget(pictureNoGround_);
        pictureNoGround_->hide();
    }
    picLay->addStretch(1);
    columns->addWidget(picBox);
    outer->addLayout(columns);

    // ---- Command -------------------------------------------------------------------------
    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate Z0  [F4]", "Calculate Z0 from physical parameters");
    cmdCalculate_->setMinimumWidth(150);
    buttons->addWidget(cmdCalculate_);
    AddSynthesisCommand(buttons);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    outer->addStretch(1);
    connect(cmdCalculate_, &QPushButton::clicked, this, &PlanarLineWindow::CalcZ0);

    QWidget* previous = nullptr;
    for (const PlanarInput& in : d_.inputs) {
        QWidget* box = Box(in.box);
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    if (previous)
        setTabOrder(previous, txtEr_);
    setTabOrder(txtEr_, txtTargetZ0_);
}

void PlanarLineWindow::BuildMenus()
{
    AddPrintItems();
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "Calculate &ZO", "mnuCalculateZo", &PlanarLineWindow::CalcZ0);
    AddItem(calc, "Synthesize &Width", "mnuSynthesizeWidth", &PlanarLineWindow::SynthesizeWidth);
    calc->addSeparator();
    AddItem(calc, "&Table of Z0 vs. Width", "mnuTableZ0");
    AddItem(calc, "&Plot Z0 vs. Width", "mnuPlotZ0");
    AddSelectParametersMenu();
    AddLineHelpItems();
}

void PlanarLineWindow::ConnectTyping()
{
    // Typing clears the yellow of a failed check; a box that takes part in a ratio check
    // clears its partner as well, since either one may be the one that was wrong.
    for (const PlanarInput& in : d_.inputs) {
        std::vector<QLineEdit*> reset{Box(in.box)};
        const auto rule = std::find_if(d_.typing.begin(), d_.typing.end(),
                                       [&](const PlanarTypingReset& r) { return r.typed == in.box; });
        if (rule != d_.typing.end()) {
            reset.clear();
            for (PlanarBox b : rule->reset)
                reset.push_back(Box(b));
        }
        connect(Box(in.box), &QLineEdit::textChanged, this, [reset] {
            for (QLineEdit* other : reset)
                SetFieldBackground(other, kFieldNormal);
        });
    }
    WhiteOnTyping({txtEr_});
}

void PlanarLineWindow::ShowGroundPlane(bool withGround)
{
    picture_->setVisible(withGround);
    if (pictureNoGround_)
        pictureNoGround_->setVisible(!withGround);
}

bool PlanarLineWindow::CheckAndRead(std::optional<PlanarBox> solved, PlanarReading& reading)
{
    // The inputs in their fixed order; synthesis skips the box it fills and checks its target
    // after Er.
    for (const PlanarInput& in : d_.inputs)
        if (in.box != solved && !CheckInput(Box(in.box), in.minimum, in.maximum, in.zeroAllowed))
            return false;
    if (!CheckInput(txtEr_, 1.0, d_.erMax))
        return false;
    if (solved && !CheckInput(txtTargetZ0_, 1e-300, 1e+300))
        return false;
    for (const PlanarRatioCheck& r : d_.ratios) {
        if (r.numerator == solved || r.denominator == solved)
            continue;   // the search keeps to the ratios the analysis accepts
        QLineEdit* num = Box(r.numerator);
        QLineEdit* den = Box(r.denominator);
        // A strip as wide as the substrate is high is an ordinary line: unity is allowed.
        if (!CheckRatio(FieldValue(num), num, FieldValue(den), den, r.minimum, r.maximum, true)) {
            Box(r.focus)->setFocus(Qt::OtherFocusReason);
            Box(r.focus)->selectAll();
            return false;
        }
    }

    const std::string lengthCode = LengthCode();
    const std::string freqCode = FreqCode();
    for (const PlanarInput& in : d_.inputs) {
        const size_t i = size_t(in.box);
        reading.typed[i] = FieldValue(Box(in.box));
        reading.si[i] = ConvertUnit(reading.typed[i], in.box == PlanarBox::Freq ? freqCode : lengthCode, true);
    }
    reading.er = FieldValue(txtEr_);
    reading.groundPlane = !optNoGround_ || !optNoGround_->isChecked();
    return true;
}

void PlanarLineWindow::CalcZ0()
{
    BeginCalculation();
    mathError_ = false;
    PlanarReading reading;
    if (!CheckAndRead(std::nullopt, reading))
        return;

    const PlanarOutcome out = d_.analyse(reading, kept_);
    if (out.rangeFailed)
        ShowMessageBox(this, out.rangeTitle, out.rangeText, MsgIcon::Exclamation);
    if (out.fault.raised) {
        mathError_ = true;
        ShowFault(QString::fromStdString(out.fault.text));
    }
    kept_.eeff = out.eeff;
    kept_.shapeFactor = out.shapeFactor;

    lblZ0_->setText(FormatPicture(out.z0_ohm, out.z0_ohm <= kWholeOhmsAbove ? d_.z0Picture : "0."));
    lblKeff_->setText(FormatPicture(out.eeff, d_.keffPicture));
    if (d_.showsWH)
        lblWHratio_->setText(FormatPicture(out.whRatio, "  0.000"));
    if (d_.showsShapeFactor)
        lblKe_->setText(FormatPicture(out.shapeFactor, "  0.000"));
    ShowWave(out.wave);

    // After a fault its message stays; the accuracy rules would only hide it.
    if (mathError_)
        return;
    ShowNormalStatus();
    for (const LineWarning& w : out.warnings)
        ShowWarning(QString::fromStdString(w.text), w.level == LineStatusLevel::Severe);
}

void PlanarLineWindow::AddTargetRow(QGridLayout* results, int& row)
{
    QWidget* box = results->parentWidget();
    txtTargetZ0_ = MakeInput(box, "txtTargetZ0", "50", "Enter the Z0 to synthesize for");
    // As wide as the results it stands above, so that the column lines up.
    txtTargetZ0_->setFixedWidth(lblZ0_->maximumWidth());
    AddResultRow(results, row, "Target Z0 =", txtTargetZ0_, MakeLabel(box, "ohms"));
    WhiteOnTyping({txtTargetZ0_});
}

void PlanarLineWindow::AddSynthesisCommand(QHBoxLayout* buttons)
{
    QWidget* body = Body();
    cmdSynthesize_ = new QPushButton("Synthesize W  [F3]", body);
    cmdSynthesize_->setObjectName("cmdSynthesize");
    cmdSynthesize_->setToolTip("Calculates the width that gives the target Z0");
    cmdSynthesize_->setAutoDefault(false);
    cmdSynthesize_->setMinimumWidth(150);
    buttons->addWidget(cmdSynthesize_);
    connect(cmdSynthesize_, &QPushButton::clicked, this, &PlanarLineWindow::SynthesizeWidth);
    if (!d_.gapSynthesis)
        return;
    // The CPW solves either its width for the gap typed or its gap for the width typed.
    auto* fra = new QFrame(body);
    fra->setObjectName("fraSynthesize");
    auto* lay = new QHBoxLayout(fra);
    lay->setContentsMargins(4, 0, 0, 0);
    auto* optWidth = new QRadioButton("Width", fra);
    optSynthesizeGap_ = new QRadioButton("Gap", fra);
    int index = 0;
    for (QRadioButton* opt : {optWidth, optSynthesizeGap_}) {
        opt->setObjectName("optSynthesize");
        opt->setProperty("index", index++);
        lay->addWidget(opt);
    }
    optWidth->setChecked(true);
    connect(optSynthesizeGap_, &QRadioButton::toggled, this, [this](bool gap) {
        cmdSynthesize_->setText(gap ? "Synthesize G  [F3]" : "Synthesize W  [F3]");
        cmdSynthesize_->setToolTip(gap ? "Calculates the gap that gives the target Z0"
                                       : "Calculates the width that gives the target Z0");
    });
    buttons->addWidget(fra);
}

void PlanarLineWindow::SynthesizeWidth()
{
    BeginCalculation();
    const PlanarBox solved = optSynthesizeGap_ && optSynthesizeGap_->isChecked() ? PlanarBox::Gap : PlanarBox::Width;
    PlanarReading reading;
    if (!CheckAndRead(solved, reading))
        return;

    const DimensionSynthesis s = d_.synthesise(FieldValue(txtTargetZ0_), reading, solved);
    if (!s.solved) {
        FlagInvalidInput(txtTargetZ0_, QString::fromStdString(s.message));
        return;
    }
    Box(solved)->setText(SolvedDimensionText(ConvertUnit(s.value_m, LengthCode(), false)));
    CalcZ0();
}

} // namespace korvel::ui
