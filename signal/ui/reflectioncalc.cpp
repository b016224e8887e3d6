#include "reflectioncalc.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/statusbar.h"
#include "shell/unitselector.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

constexpr double kNoUpperLimit = 1e300;
const QString kExtremeText = "Mathematically correct but extreme values or undefined results. ";

struct FieldSpec {
    ReflField field;
    const char* name;
    const char* caption;
    const char* unit;
    const char* tip;
    double minimum;
    double maximum;
    bool zeroAllowed;
};

// Shown top to bottom; the bounds are what an entry in that box is checked against.
const FieldSpec kFields[] = {
    {ReflField::Gamma, "txtGamma", "Reflection Coefficient (rho) =", "", "Magnitude of the reflection coefficient, 0 to 1",
     0.0, 1.0, true},
    {ReflField::SWR, "txtSWR", "VSWR =", ": 1", "Voltage standing-wave ratio, 1 or more", 1.0, kNoUpperLimit, true},
    {ReflField::Rl, "txtRl", "Return Loss =", "dB", "Return loss in dB, above 0", 0.0, kNoUpperLimit, false},
    {ReflField::Lmm, "txtLmm", "Mismatch Loss =", "dB", "Mismatch loss in dB, above 0", 0.0, kNoUpperLimit, false},
    {ReflField::Tmag, "txtTmag", "Transmission Coeff (T) =", "ratio",
     "Power transmission coefficient 1 - rho^2, above 0 up to 1", 0.0, 1.0, false},
    {ReflField::TdB, "txtTdB", "Transmission Coeff (T) =", "dB", "Power transmission coefficient as a loss in dB",
     0.0, kNoUpperLimit, false},
    {ReflField::Zload, "txtZload", "Load Resistance =", "ohms", "Purely resistive load, in ohms", 0.0, kNoUpperLimit,
     true},
    {ReflField::Yload, "txtYload", "Load Conductance =", "siemens", "Purely resistive load as a conductance, in siemens",
     0.0, kNoUpperLimit, true},
};

const char* const kPowerUnits[] = {"dBm", "dBW", "dBmV", "pW", "nW", "uW", "mW", "W", "kW"};

bool IsLogarithmic(const QString& unit) { return unit == "dBm" || unit == "dBW" || unit == "dBmV"; }

QLineEdit* MakeBox(QWidget* parent, const QString& name, const QString& tip)
{
    QLineEdit* box = ui::MakeInput(parent, name, QString(), tip);
    // Wide enough for " Undefined" and a conductance with five decimals, no wider, so that
    // both groups fit side by side in the main window.
    box->setFixedWidth(QFontMetrics(box->font()).horizontalAdvance("-00000.00000") + 14);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QString Shown(const ReflValue& v)
{
    if (v.kind != ReflKind::Number)
        return QString::fromStdString(ReflText(v, ""));
    return LocalNumber(v.value);
}

} // namespace

ReflectionCalcWindow::ReflectionCalcWindow(QWidget* parent)
    : CalcFrame({"frmReflectionCalc", "Reflection Calculator", 51, "Reflection Calculator &Help"}, parent)
{
    BuildControls();
    BuildMenus();
    // What the window shows at load: rho 0.5 over 50 ohms, so that a power split asked for
    // before any other entry uses the rho on the screen.
    state_.z0 = 50.0;
    state_.rho = 0.5;
    state_.t = 1.0 - 0.5 * 0.5;
}

void ReflectionCalcWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(10);

    auto* hint = new QLabel("Type a value into any box and press Enter: it sets all the others.", body);
    hint->setObjectName("lblInstructions");
    outer->addWidget(hint);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);

    // ---- Reflection --------------------------------------------------------------------
    auto* reflBox = new QGroupBox("Reflection", body);
    reflBox->setObjectName("fraReflection");
    auto* grid = new QGridLayout(reflBox);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const FieldSpec& f : kFields) {
        QLineEdit* box = MakeBox(reflBox, f.name, f.tip);
        reflBoxes_[std::size_t(f.field)] = box;
        grid->addWidget(MakeCaption(reflBox, f.caption), row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(f.unit, reflBox), row++, 2);
        const ReflField field = f.field;
        connect(box, &QLineEdit::returnPressed, this, [this, field] { EnterReflectionField(field); });
        WhiteOnTyping({box});
    }
    txtZ0_ = MakeBox(reflBox, "txtZ0", "Reference impedance Z0 in ohms; used by the next entry");
    txtZ0_->setText("50");
    grid->addWidget(MakeCaption(reflBox, "Reference Z0 ="), row, 0);
    grid->addWidget(txtZ0_, row, 1);
    grid->addWidget(new QLabel("ohms", reflBox), row++, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    WhiteOnTyping({txtZ0_});
    txtZ0_->installEventFilter(this);
    connect(txtZ0_, &QLineEdit::returnPressed, this, [this] { CheckZ0(); });
    reflBoxes_[std::size_t(ReflField::Gamma)]->setText(LocalNumber("0.5"));
    columns->addWidget(reflBox, 3);

    // ---- Power --------------------------------------------------------------------------
    auto* powerBox = new QGroupBox("Power", body);
    powerBox->setObjectName("fraPower");
    auto* pgrid = new QGridLayout(powerBox);
    pgrid->setVerticalSpacing(6);
    const std::pair<const char*, const char*> powers[] = {
        {"txtPinc", "Incident Power ="}, {"txtPrefl", "Reflected Power ="}, {"txtPtran", "Transmitted Power ="}};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = MakeBox(powerBox, powers[i].first, "Enter a power and press Enter; uses the last rho");
        powerBoxes_[std::size_t(i)] = box;
        pgrid->addWidget(MakeCaption(powerBox, powers[i].second), i, 0);
        pgrid->addWidget(box, i, 1);
        const auto field = PowerField(i);
        connect(box, &QLineEdit::returnPressed, this, [this, field] { EnterPowerField(field); });
        WhiteOnTyping({box});
    }
    powerBoxes_[0]->setText("0");

    cbofpPowerUnits_ = new UnitSelector(powerBox);
    cbofpPowerUnits_->setObjectName("cbofpPowerUnits");
    cbofpPowerUnits_->setToolTip("Unit of the three power boxes");
    cbofpPowerUnits_->setFont(QFont("Arial", cbofpPowerUnits_->font().pointSize()));
    for (const char* unit : kPowerUnits)
        cbofpPowerUnits_->AddUnit(unit, unit);
    cbofpPowerUnits_->SetFocusAfterClose(powerBoxes_[0]);
    connect(cbofpPowerUnits_, &QComboBox::currentIndexChanged, this, &ReflectionCalcWindow::PowerUnitChosen);
    lblPrUnits_ = new QLabel(cbofpPowerUnits_->currentText(), powerBox);
    lblPrUnits_->setObjectName("lblPrUnits");
    lblPtUnits_ = new QLabel(cbofpPowerUnits_->currentText(), powerBox);
    lblPtUnits_->setObjectName("lblPtUnits");
    pgrid->addWidget(cbofpPowerUnits_, 0, 2);
    pgrid->addWidget(lblPrUnits_, 1, 2);
    pgrid->addWidget(lblPtUnits_, 2, 2);
    auto* note = new QLabel("The split uses the transmission\ncoefficient of the last reflection entry.", powerBox);
    note->setObjectName("lblPowerNote");
    note->setEnabled(false);
    pgrid->addWidget(note, 3, 0, 1, 3);
    pgrid->setRowStretch(4, 1);
    pgrid->setColumnStretch(1, 1);
    columns->addWidget(powerBox, 2);

    outer->addLayout(columns);
    outer->addStretch(1);

    for (std::size_t i = 0; i + 1 < reflBoxes_.size(); ++i)
        setTabOrder(reflBoxes_[i], reflBoxes_[i + 1]);
}

void ReflectionCalcWindow::BuildMenus()
{
    QMenu* select = AddMenu("&Select Parameters", "mnuSelectParameters");
    AddItem(select, "&Power Units", "mnuSelectPowerUnits", [this] { cbofpPowerUnits_->OpenFromMenu(); });
}

void ReflectionCalcWindow::PowerUnitChosen(int index)
{
    // The power values stay as typed: a unit change relabels them, it does not convert them.
    if (index >= 0 && index < int(std::size(kPowerUnits)))
        powerUnit_ = kPowerUnits[index];
    lblPrUnits_->setText(cbofpPowerUnits_->currentText());
    lblPtUnits_->setText(cbofpPowerUnits_->currentText());
}

void ReflectionCalcWindow::EnterReflectionField(ReflField field)
{
    const FieldSpec* spec = nullptr;
    for (const FieldSpec& f : kFields)
        if (f.field == field)
            spec = &f;
    QLineEdit* box = reflBoxes_[std::size_t(field)];
    if (!ValidateInput(box, false))
        return;
    const double value = FieldValue(box);
    if (!CheckRange(value, spec->minimum, spec->maximum, spec->zeroAllowed, box))
        return;

    const ReflEntry e =
        EnterReflection(field, value, state_, box->text().toStdString(), txtZ0_->text().toStdString());
    state_ = e.state;
    warning_ = warning_ || e.warning;
    for (std::size_t i = 0; i < e.texts.size(); ++i)
        if (e.texts[i])
            reflBoxes_[i]->setText(QString::fromStdString(*e.texts[i]));
    ErrMessage();
}

void ReflectionCalcWindow::EnterPowerField(PowerField field)
{
    QLineEdit* box = powerBoxes_[std::size_t(field)];
    const bool logUnit = IsLogarithmic(powerUnit_);
    std::optional<PowerEntry> entry = PowerShortcut(field, state_.t, logUnit, box->text().toStdString());
    if (!entry) {
        if (!ValidateInput(box, false))
            return;
        const double value = FieldValue(box);
        if (!CheckRange(value, logUnit ? -1000.0 : 0.0, logUnit ? 1000.0 : kNoUpperLimit, true, box))
            return;
        entry = SplitPower(field, ConvertUnit(value, powerUnit_.toStdString(), true), state_.t);
    }
    warning_ = warning_ || entry->warning;
    for (std::size_t i = 0; i < entry->out.size(); ++i) {
        const PowerOut& out = entry->out[i];
        if (out.kind == PowerOut::Kind::Text)
            powerBoxes_[i]->setText(QString::fromStdString(out.text));
        else if (out.kind == PowerOut::Kind::Watts)
            powerBoxes_[i]->setText(QString::fromStdString(
                FormatValue(ConvertUnit(out.watts, powerUnit_.toStdString(), false), "0.000")));
    }
    ErrMessage();
}

bool ReflectionCalcWindow::CheckZ0()
{
    // A refused Z0 takes the focus back and shows a message, which itself moves the focus:
    // the check must not run again from inside itself.
    if (checkingZ0_)
        return false;
    checkingZ0_ = true;
    bool ok = ValidateInput(txtZ0_, false);
    if (ok) {
        const double z0 = FieldValue(txtZ0_);
        ok = CheckRange(z0, 0.0, kNoUpperLimit, false, txtZ0_);
        if (ok)
            state_.z0 = z0;
    }
    checkingZ0_ = false;
    return ok;
}

bool ReflectionCalcWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtZ0_ && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Opening a menu or leaving the application is not leaving the box.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && isVisible())
            CheckZ0();
    }
    return CalcFrame::eventFilter(watched, event);
}

void ReflectionCalcWindow::ErrMessage()
{
    if (warning_)
        ShowWarning(kExtremeText, false);
    else
        ShowNormalStatus();
    warning_ = false;
}

QString ReflectionCalcWindow::RhoFromSWR(double swr) const { return Shown(korvel::RhoFromSWR(swr)); }
QString ReflectionCalcWindow::RhoFromReturnLoss(double rl) const { return Shown(korvel::RhoFromReturnLoss(rl)); }
QString ReflectionCalcWindow::RhoFromMismatchLoss(double ml) const { return Shown(korvel::RhoFromMismatchLoss(ml)); }
QString ReflectionCalcWindow::RhoFromTransCoeffMag(double t) const { return Shown(korvel::RhoFromTransCoeffMag(t)); }
QString ReflectionCalcWindow::RhoFromTransCoeffDB(double tdb) const { return Shown(korvel::RhoFromTransCoeffDB(tdb)); }
QString ReflectionCalcWindow::RhoFromLoadResistance(double r, double z0) const
{
    return Shown(korvel::RhoFromLoadResistance(r, z0));
}
QString ReflectionCalcWindow::RhoFromLoadConductance(double g, double z0) const
{
    return Shown(korvel::RhoFromLoadConductance(g, z0));
}
QString ReflectionCalcWindow::LoadConductanceFromRho(double rho) const
{
    return Shown(korvel::LoadConductanceFromRho(rho, state_.z0));
}
QString ReflectionCalcWindow::LoadResistanceFromRho(double rho) const
{
    return Shown(korvel::LoadResistanceFromRho(rho, state_.z0));
}
QString ReflectionCalcWindow::SWRfromRho(double rho) const { return Shown(korvel::SWRfromRho(rho)); }
QString ReflectionCalcWindow::ReturnLossFromRho(double rho) const { return Shown(korvel::ReturnLossFromRho(rho)); }
QString ReflectionCalcWindow::MismatchLossFromRho(double rho) const { return Shown(korvel::MismatchLossFromRho(rho)); }
QString ReflectionCalcWindow::TransmissionCoeffMagFromRho(double rho) const
{
    return Shown(korvel::TransmissionCoeffMagFromRho(rho));
}
QString ReflectionCalcWindow::TransmissionCoeffdBFromRho(double rho) const
{
    return Shown(korvel::TransmissionCoeffdBFromRho(rho));
}

} // namespace korvel::ui
