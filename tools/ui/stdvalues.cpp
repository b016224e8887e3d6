#include "stdvalues.h"

#include "toolwidgets.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/services.h"
#include "shell/statusbar.h"
#include "tools/stdvaluecalc.h"

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

struct Component {
    const char* button;
    const char* caption;
    const char* menu;
    const char* menuCaption;
    const char* baseUnit;
};
constexpr Component kComponents[] = {
    {"cmdResistor", "&Resistor", "mnuSelectResistor", "&Resistor", "Ohm"},
    {"cmdCapacitor", "&Capacitor", "mnuSelectCapacitor", "&Capacitor", "F"},
    {"cmdInductor", "&Inductor", "mnuSelectInductor", "&Inductor", "H"},
};

struct Series {
    double tolerance;
    const char* caption;
};
constexpr Series kSeries[] = {{0, "0.1 %  (E192)"}, {1, "1 %  (E96)"}, {5, "5 %  (E24)"},
                              {10, "10 %  (E12)"}, {20, "20 %  (E6)"}};

// The chosen component's button is shown in a pale green.
const QColor kChosen(176, 232, 176);

// A typed value is a component value: from a femto-unit to a tera-unit covers every part made.
constexpr double kMinimumValue = 1e-15;
constexpr double kMaximumValue = 1e15;

} // namespace

StdValuesWindow::StdValuesWindow(QWidget* parent)
    : CalcFrame({"frmStdValues", "Standard Component Values", 62, "Standard Values &Help"}, parent)
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(10);

    auto* top = new QHBoxLayout;
    auto* inBox = new QGroupBox("Value", body);
    inBox->setObjectName("fraValue");
    auto* in = new QGridLayout(inBox);
    txtNumber_ = MakeToolInput(inBox, "txtNumber", "612E-5",
                               "Enter the value in ohms, farads or henries (for example 4.7E-9)");
    in->addWidget(MakeCaption(inBox, "Value ="), 0, 0);
    in->addWidget(txtNumber_, 0, 1);
    in->addWidget(new QLabel("(ohms, farads or henries)", inBox), 1, 1);
    auto* kinds = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(kComponents[i].caption, inBox);
        b->setObjectName(kComponents[i].button);
        b->setAutoDefault(false);
        b->setAutoFillBackground(true);
        b->setMinimumWidth(96);
        components_[std::size_t(i)] = b;
        kinds->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { SelectComponent(i); });
    }
    in->addLayout(kinds, 2, 0, 1, 2);
    in->setRowStretch(3, 1);
    top->addWidget(inBox, 1);

    auto* tolBox = new QGroupBox("Tolerance", body);
    tolBox->setObjectName("fraTolerance");
    auto* tol = new QVBoxLayout(tolBox);
    int selected = 2;
    for (int i = 0; i < 5; ++i) {
        auto* o = new QRadioButton(kSeries[i].caption, tolBox);
        o->setObjectName(QString("optTol(%1)").arg(i));
        optTol_[std::size_t(i)] = o;
        tol->addWidget(o);
        if (kSeries[i].tolerance == Settings().componentTolerance)
            selected = i;
    }
    // The window opens on the tolerance the preferences hold.
    optTol_[std::size_t(selected)]->setChecked(true);
    top->addWidget(tolBox);
    outer->addLayout(top);

    auto* resBox = new QGroupBox("Nearest standard value", body);
    resBox->setObjectName("fraResults");
    auto* res = new QGridLayout(resBox);
    res->setVerticalSpacing(6);
    lblPrefValue_ = MakeToolResult(resBox, "lblPrefValue");
    lblPrefUnits_ = new QLabel(resBox);
    lblPrefUnits_->setObjectName("lblPrefUnits");
    lblPrefUnits_->setMinimumWidth(150);
    lblDeltaNumeric_ = MakeToolResult(resBox, "lblDeltaNumeric");
    lblDeltaPercent_ = MakeToolResult(resBox, "lblDeltaPercent");
    res->addWidget(MakeCaption(resBox, "Standard value ="), 0, 0);
    res->addWidget(lblPrefValue_, 0, 1);
    res->addWidget(lblPrefUnits_, 0, 2);
    res->addWidget(MakeCaption(resBox, "Value - standard ="), 1, 0);
    res->addWidget(lblDeltaNumeric_, 1, 1);
    res->addWidget(new QLabel("base units", resBox), 1, 2);
    res->addWidget(MakeCaption(resBox, "Difference ="), 2, 0);
    res->addWidget(lblDeltaPercent_, 2, 1);
    res->addWidget(new QLabel("of the value", resBox), 2, 2);
    res->setColumnStretch(2, 1);
    outer->addWidget(resBox);

    auto* buttons = new QHBoxLayout;
    cmdCalculate_ = MakeCalculateButton(body, "Calculate  [F4]");
    cmdCalculate_->setMinimumWidth(150);
    buttons->addWidget(cmdCalculate_);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    outer->addStretch(1);
    connect(cmdCalculate_, &QPushButton::clicked, this, &StdValuesWindow::CalcStandardValue);
    SetMainCalculateButton(cmdCalculate_);
    WhiteOnTyping({txtNumber_});
    connect(txtNumber_, &QLineEdit::returnPressed, this, &StdValuesWindow::CalcStandardValue);

    QMenu* select = AddMenu("&Component", "mnuSelect");
    for (int i = 0; i < 3; ++i)
        AddItem(select, kComponents[i].menuCaption, kComponents[i].menu, [this, i] { SelectComponent(i); });
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Standard value\tF4", "mnuCalculateValue", &StdValuesWindow::CalcStandardValue);

    // The resistor is the component at load; its button shows the mark without calculating.
    MarkComponent(0);
    txtNumber_->setFocus();
}

void StdValuesWindow::SelectComponent(int index)
{
    baseUnit_ = kComponents[index].baseUnit;
    MarkComponent(index);
    CalcStandardValue();
}

void StdValuesWindow::MarkComponent(int index)
{
    for (int i = 0; i < 3; ++i) {
        QPushButton* b = components_[std::size_t(i)];
        if (i == index)
            SetBackground(b, kChosen);
        else
            b->setPalette(QPalette());  // back to the desktop's own button colours
    }
}

double StdValuesWindow::Tolerance() const
{
    for (int i = 0; i < 5; ++i)
        if (optTol_[std::size_t(i)]->isChecked())
            return kSeries[i].tolerance;
    return 5.0;
}

void StdValuesWindow::CalcStandardValue()
{
    BeginCalculation();
    if (!CheckInput(txtNumber_, kMinimumValue, kMaximumValue))
        return;
    StandardValueInputs in;
    in.value = FieldValue(txtNumber_);
    in.baseUnit = baseUnit_.toStdString();
    in.tolerance = Tolerance();
    const StandardValueResult r = korvel::CalcStandardValue(in);

    lblPrefValue_->setText(QString::fromStdString(NumberText(r.mantissa)));
    lblPrefUnits_->setText(QString::fromStdString(r.unit + "   (" + r.unitName + ")"));
    lblDeltaNumeric_->setText(QString::fromStdString(FormatValue(r.delta, "scientific")));
    lblDeltaPercent_->setText(QString::fromStdString(FormatValue(r.deltaFraction, "Percent")));

    if (r.fault) {
        PlaySound("ding.wav");
        Status()->SetStatus("Unexpected error. Check input data.  ", "yel");
        ShowWebLink(false);
        return;
    }
    ShowNormalStatus();
}

} // namespace korvel::ui
