#include "thermalwindow.h"

#include "activeform.h"
#include "biascommon.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/statusbar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

namespace korvel::ui {
namespace {

constexpr double kHuge = 1e+300;

// The heat path in cross-section: the die on its lead frame inside the moulded package,
// sitting on a finned heatsink, each part named at the right.
class PackagePicture : public QWidget {
public:
    explicit PackagePicture(QWidget* parent) : QWidget(parent)
    {
        setObjectName("picThermal");
        setMinimumSize(300, 170);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(255, 255, 255));
        p.setPen(QPen(QColor(0xB8, 0xC7, 0xD9)));
        p.drawRect(rect().adjusted(0, 0, -1, -1));

        const int x0 = 18;
        const int w = 150;
        // Heatsink with its fins.
        const QColor sink(0x9A, 0xA8, 0xB8);
        p.setPen(QPen(QColor(0x56, 0x67, 0x7C), 1.2));
        p.setBrush(sink);
        p.drawRect(x0, 118, w, 16);
        for (int i = 0; i < 8; ++i)
            p.drawRect(x0 + 4 + i * 19, 134, 9, 24);
        // Package material around the lead frame and the die.
        p.setBrush(QColor(0x3C, 0x3F, 0x46));
        p.setPen(QPen(QColor(0x22, 0x24, 0x28), 1.2));
        p.drawRoundedRect(QRectF(x0 + 20, 50, w - 40, 62), 6, 6);
        // Lead frame: the paddle under the die and the leads leaving the package.
        p.setBrush(QColor(0xE3, 0x9A, 0x3B));
        p.setPen(QPen(QColor(0xA8, 0x62, 0x1A), 1.0));
        p.drawRect(x0 + 2, 96, w - 4, 7);
        // The die.
        p.setBrush(QColor(0x4F, 0x7F, 0xC8));
        p.setPen(QPen(QColor(0x1F, 0x3F, 0x78), 1.0));
        p.drawRect(x0 + 55, 78, 40, 18);
        // Bond wires.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xD8, 0xC0, 0x60), 1.2));
        QPainterPath wire;
        wire.moveTo(x0 + 58, 79);
        wire.quadTo(x0 + 40, 62, x0 + 24, 96);
        wire.moveTo(x0 + 92, 79);
        wire.quadTo(x0 + 110, 62, x0 + w - 24, 96);
        p.drawPath(wire);

        // Names at the right with leader lines.
        QFont f = font();
        f.setPointSize(f.pointSize() - 1);
        p.setFont(f);
        const int tx = x0 + w + 28;
        const struct {
            const char* text;
            QPoint from;
            int y;
        } names[] = {{"Semiconductor", {x0 + 95, 84}, 30},
                     {"Package material", {x0 + w - 22, 60}, 62},
                     {"Lead frame", {x0 + w - 3, 100}, 100},
                     {"Heatsink", {x0 + w, 126}, 140}};
        for (const auto& n : names) {
            p.setPen(QPen(QColor(0x5B, 0x6E, 0x86), 1.0));
            p.drawLine(n.from, QPoint(tx - 4, n.y));
            p.setPen(QColor(0x23, 0x36, 0x4D));
            p.drawText(QPoint(tx, n.y + 4), n.text);
        }
    }
};

} // namespace

ThermalWindow::ThermalWindow(QWidget* parent)
    : CalcFrame({"frmDeviceThermal", "Device Thermal Calculator", 48, "Device Thermal &Help"}, parent)
{
    EnsureBiasPanels(this);
    BuildControls();
    txtTa_->setFocus();
}

void ThermalWindow::BuildControls()
{
    using namespace form;
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 8, 12, 4);
    outer->setSpacing(4);

    outer->addWidget(MakeTitle(body, "Device Thermal Calculator"));

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    txtVs_ = Input(body, "txtVs", "3", "Enter supply voltage");
    txtIs_ = Input(body, "txtIs", "42", "Enter supply current");
    txtPin_ = Input(body, "txtPin", "2.1", "Enter RF input power");
    txtPout_ = Input(body, "txtPout", "14.2", "Enter RF output power");
    txtThetaJc_ = Input(body, "txtThetaJc", "220", "Enter device thermal resistance");
    txtThetaCa_ = Input(body, "txtThetaCa", "22", "(optional) Enter PCB thermal resistance");
    int row = 0;
    grid->addWidget(Step(body, "1.  Input supply voltage and current.", "lblStep1"), row++, 0, 1, 4);
    AddRow(grid, row++, Caption(body, "Vin ="), txtVs_, Unit(body, "V"));
    AddRow(grid, row++, Caption(body, "Iin ="), txtIs_, Unit(body, "mA"));
    grid->addWidget(Step(body, "2.  Input RF input and output power.", "lblStep2"), row++, 0, 1, 4);
    AddRow(grid, row++, Caption(body, "Pin ="), txtPin_, Unit(body, "dBm"));
    AddRow(grid, row++, Caption(body, "Pout ="), txtPout_, Unit(body, "dBm"));
    grid->addWidget(Step(body, "3.  Input thermal resistance for device (and PCB, optional).", "lblStep3"), row++, 0,
                    1, 4);
    AddRow(grid, row++, Caption(body, QString::fromUtf8("θjc =")), txtThetaJc_, Unit(body, QString::fromUtf8("°C/W")));
    AddRow(grid, row++, Caption(body, QString::fromUtf8("θca =")), txtThetaCa_, Unit(body, QString::fromUtf8("°C/W")));
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
    top->addLayout(grid, 1);

    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(new PackagePicture(body));
    auto* powers = new QGroupBox("Power", body);
    powers->setObjectName("fraPower");
    auto* pg = new QGridLayout(powers);
    pg->setVerticalSpacing(4);
    lblPdc_ = Result(powers, "lblPdc");
    lblPrf_ = Result(powers, "lblPrf");
    lblPdiss_ = Result(powers, "lblPdiss");
    AddRow(pg, 0, Caption(powers, "Pdc ="), lblPdc_, Unit(powers, "mW", "lblPdcUnits"));
    AddRow(pg, 1, Caption(powers, "Prf ="), lblPrf_, Unit(powers, "mW", "lblPrfUnits"));
    AddRow(pg, 2, Caption(powers, "Pdiss ="), lblPdiss_, Unit(powers, "mW", "lblPdissUnits"));
    auto* note = new QLabel("(Total power dissipated as heat)", powers);
    note->setObjectName("lblPdissNote");
    pg->addWidget(note, 3, 1, 1, 3);
    pg->setColumnStretch(3, 1);
    pictureColumn->addWidget(powers);
    pictureColumn->addStretch(1);
    top->addLayout(pictureColumn);
    outer->addLayout(top);

    auto* temps = new QGridLayout;
    temps->setVerticalSpacing(4);
    txtTjn_ = Input(body, "txtTjn", QString(), "Enter device junction temperaure");
    txtTcase_ = Input(body, "txtTcase", QString(), "Enter device \"case\" temperature");
    txtTa_ = Input(body, "txtTa", QString(), "Enter system heatsink temperature");
    temps->addWidget(Step(body, "4.  Input either of the three temperatures.", "lblStep4"), 0, 0, 1, 9);
    temps->addWidget(Caption(body, "Tj ="), 1, 0);
    temps->addWidget(txtTjn_, 1, 1);
    temps->addWidget(Unit(body, QString::fromUtf8("°C")), 1, 2);
    temps->addWidget(Caption(body, "Tcase ="), 1, 3);
    temps->addWidget(txtTcase_, 1, 4);
    temps->addWidget(Unit(body, QString::fromUtf8("°C")), 1, 5);
    temps->addWidget(Caption(body, "Ta ="), 1, 6);
    temps->addWidget(txtTa_, 1, 7);
    temps->addWidget(Unit(body, QString::fromUtf8("°C")), 1, 8);
    temps->addWidget(
        Step(body, "5.  Press Enter (with cursor in temperature input field) to calculate remaining parameters.",
             "lblStep5"),
        2, 0, 1, 9);
    temps->setColumnStretch(9, 1);
    outer->addLayout(temps);
    outer->addStretch(1);

    for (QLineEdit* box : {txtVs_, txtIs_, txtPin_, txtPout_, txtThetaJc_, txtThetaCa_, txtTjn_, txtTcase_, txtTa_})
        WhiteOnTyping({box});
    connect(txtTa_, &QLineEdit::returnPressed, this, [this] { CalcTemperatures(KnownTemperature::Ambient); });
    connect(txtTcase_, &QLineEdit::returnPressed, this, [this] { CalcTemperatures(KnownTemperature::Case); });
    connect(txtTjn_, &QLineEdit::returnPressed, this, [this] { CalcTemperatures(KnownTemperature::Junction); });
}

bool ThermalWindow::CalcPower()
{
    Status()->ClearStatus();
    error_ = false;
    tjCaution_ = false;
    energyWarning_ = false;
    // Both thermal resistances may be left blank: no resistance, no temperature step.
    for (QLineEdit* box : {txtThetaJc_, txtThetaCa_})
        if (box->text().trimmed().isEmpty())
            box->setText("0");
    if (!CheckInput(txtVs_, -kHuge, kHuge, true) || !CheckInput(txtIs_, -kHuge, kHuge, true)
        || !CheckInput(txtPin_, -kHuge, kHuge, true) || !CheckInput(txtPout_, -kHuge, kHuge, true)
        || !CheckInput(txtThetaJc_, 0.0, kHuge, true) || !CheckInput(txtThetaCa_, 0.0, kHuge, true))
        return false;

    powers_ = ThermalPower({FieldValue(txtVs_), FieldValue(txtIs_) / 1000.0, FieldValue(txtPin_), FieldValue(txtPout_)});
    if (!std::isfinite(powers_.pdc_w) || !std::isfinite(powers_.prf_w) || !std::isfinite(powers_.pdiss_w)) {
        // Powers beyond the range of numbers: nothing sensible to show, the status says why.
        error_ = true;
        for (QLabel* label : {lblPdc_, lblPrf_, lblPdiss_})
            label->clear();
        return true;
    }
    lblPdc_->setText(QString::fromStdString(NumberText(powers_.pdc_w * 1000.0)));
    lblPrf_->setText(form::Format(powers_.prf_w * 1000.0, "0.0"));
    lblPdiss_->setText(form::Format(powers_.pdiss_w * 1000.0, "0.0"));
    energyWarning_ = powers_.energyWarning;
    return true;
}

void ThermalWindow::CalcTemperatures(KnownTemperature known)
{
    if (!CalcPower())
        return;
    QLineEdit* typed = known == KnownTemperature::Ambient ? txtTa_
                       : known == KnownTemperature::Case  ? txtTcase_
                                                          : txtTjn_;
    if (!CheckInput(typed, -273.0, kHuge, true))
        return;
    const ThermalTemperatures t = TemperaturesFrom(known, FieldValue(typed), FieldValue(txtThetaJc_),
                                                   FieldValue(txtThetaCa_), powers_.pdiss_w);
    if (t.fault) {
        error_ = true;
    } else {
        if (known != KnownTemperature::Junction)
            txtTjn_->setText(form::Format(t.junction_c, "0."));
        if (known != KnownTemperature::Case)
            txtTcase_->setText(form::Format(t.case_c, "0."));
        if (known != KnownTemperature::Ambient)
            txtTa_->setText(form::Format(t.ambient_c, "0."));
        tjCaution_ = JunctionAboveLimit(t.junction_c, Settings().maxJunctionTempC);
    }
    ErrMessage();
}

void ThermalWindow::ErrMessage()
{
    BiasStatus status;
    if (tjCaution_)
        status.caution = form::JunctionCaution();
    if (energyWarning_)
        status.warning = kEnergyWarning;
    if (error_)
        status.error = kUnexpectedResult;
    ShowBiasStatus(this, status);
}

} // namespace korvel::ui
