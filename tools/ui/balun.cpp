#include "balun.h"

#include "toolwidgets.h"

#include "core/units.h"
#include "shell/helpviewer.h"
#include "shell/services.h"
#include "shell/uihooks.h"
#include "tools/balun.h"

#include <QAction>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

// A value with its SI prefix, one decimal: "75.8 nH".
QString Eng(double value, const char* baseUnit)
{
    return QString::fromStdString(FormatValue(EngMantissa(value, baseUnit, false), "0.0")) + " "
        + QString::fromStdString(EngUnitText(value, baseUnit, false));
}

QLabel* Symbol(QWidget* parent, const QString& name, const QString& file)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedSize(28, 28);
    const QIcon icon = ProgramIcon(file);
    if (!icon.isNull())
        label->setPixmap(icon.pixmap(28, 28));
    label->hide();
    return label;
}

struct Example {
    double rg, fMHz, rload, xload, cpF;
    const char* note;
};
constexpr Example kExamples[] = {
    {50, 1750, 66, -133, 0.5,
     "Example 1: a 50 ohm oscillator output drives the differential input of a mixer at 1750 MHz. "
     "The mixer input is 66 - j133 ohm with 0.5 pF of stray capacitance across it."},
    {50, 210, 200, 0, 0,
     "Example 2: a 50 to 200 ohm balun at 210 MHz feeding a purely resistive balanced load."},
};

} // namespace

BalunWindow::BalunWindow(QWidget* parent)
    : CalcFrame({"frmBalun", "Lumped Element Balun", 18, "Balun &Help"}, parent)
{
    QWidget* body = Body();
    auto* outer = new QHBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(12);

    // ---- Inputs, note -----------------------------------------------------------------------
    auto* left = new QVBoxLayout;
    auto* inBox = new QGroupBox("Design", body);
    inBox->setObjectName("fraInputs");
    auto* in = new QGridLayout(inBox);
    in->setVerticalSpacing(6);
    txtRg_ = MakeToolInput(inBox, "txtRg", "50", "Source (unbalanced) resistance");
    txtFreq_ = MakeToolInput(inBox, "txtFreq", "1000", "Design frequency");
    txtRload_ = MakeToolInput(inBox, "txtRload", "200", "Balanced load resistance (series form)");
    txtXload_ = MakeToolInput(inBox, "txtXload", "0", "Balanced load reactance (series form)");
    txtCparasitic_ = MakeToolInput(inBox, "txtCparasitic", "0", "Stray capacitance across the load");
    const struct {
        const char* caption;
        QLineEdit* box;
        const char* unit;
    } rows[] = {{"Rg =", txtRg_, "ohm"},
                {"Freq =", txtFreq_, "MHz"},
                {"Rload =", txtRload_, "ohm"},
                {"Xload =", txtXload_, "ohm"},
                {"Cstray =", txtCparasitic_, "pF"}};
    int r = 0;
    for (const auto& row : rows) {
        in->addWidget(MakeCaption(inBox, row.caption), r, 0);
        in->addWidget(row.box, r, 1);
        in->addWidget(new QLabel(row.unit, inBox), r, 2);
        WhiteOnTyping({row.box});
        connect(row.box, &QLineEdit::returnPressed, this, &BalunWindow::CalcValues);
        ++r;
    }
    cmdCalculate_ = MakeCalculateButton(inBox, "Calculate  [F4]");
    in->addWidget(cmdCalculate_, r, 0, 1, 3);
    left->addWidget(inBox);

    auto* noteBox = new QGroupBox("Note", body);
    noteBox->setObjectName("fraNote");
    auto* note = new QVBoxLayout(noteBox);
    txtUserNote_ = new QPlainTextEdit(noteBox);
    txtUserNote_->setObjectName("txtUserNote");
    txtUserNote_->setMinimumHeight(90);
    txtUserNote_->setMaximumHeight(130);
    note->addWidget(txtUserNote_);
    lblDateTime_ = new QLabel(noteBox);
    lblDateTime_->setObjectName("lblDateTime");
    // For printouts of the window: the day the design was made.
    lblDateTime_->setText(QLocale(QLocale::English).toString(QDateTime::currentDateTime(), "dddd, MMM d yyyy   hh:mm AP"));
    note->addWidget(lblDateTime_);
    left->addWidget(noteBox);
    left->addStretch(1);
    outer->addLayout(left);

    // ---- Circuit and element values --------------------------------------------------------
    auto* right = new QVBoxLayout;
    auto* picBalun = new QLabel(body);
    picBalun->setObjectName("picBalun");
    const QIcon circuit = ProgramIcon("help/balun-circuit.svg");
    if (!circuit.isNull())
        picBalun->setPixmap(circuit.pixmap(460, 170));
    picBalun->setAlignment(Qt::AlignCenter);
    right->addWidget(picBalun);

    auto* resBox = new QGroupBox("Element values", body);
    resBox->setObjectName("fraResults");
    auto* res = new QGridLayout(resBox);
    res->setVerticalSpacing(6);
    res->setHorizontalSpacing(8);
    lblRparallel_ = MakeToolResult(resBox, "lblRparallel", 100);
    lblLoadLC_ = MakeToolResult(resBox, "lblLoadLC", 100);
    imgLoadC_ = Symbol(resBox, "imgLoadC", "help/balun-cap.svg");
    imgLoadL_ = Symbol(resBox, "imgLoadL", "help/balun-ind.svg");
    lblParasiticCvalue_ = MakeToolResult(resBox, "lblParasiticCvalue", 100);
    lblResonantLC_ = MakeToolResult(resBox, "lblResonantLC", 100);
    imgResonantC_ = Symbol(resBox, "imgResonantC", "help/balun-cap.svg");
    imgResonantL_ = Symbol(resBox, "imgResonantL", "help/balun-ind.svg");
    auto symbols = [resBox](QLabel* a, QLabel* b) {
        auto* w = new QWidget(resBox);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        w->setFixedWidth(28);
        h->addWidget(a);
        h->addWidget(b);
        return w;
    };
    res->addWidget(MakeCaption(resBox, "Load Rp ="), 0, 0);
    res->addWidget(lblRparallel_, 0, 2);
    res->addWidget(MakeCaption(resBox, "Load X ="), 1, 0);
    res->addWidget(symbols(imgLoadC_, imgLoadL_), 1, 1);
    res->addWidget(lblLoadLC_, 1, 2);
    res->addWidget(MakeCaption(resBox, "Cstray ="), 2, 0);
    res->addWidget(lblParasiticCvalue_, 2, 2);
    res->addWidget(MakeCaption(resBox, "Resonating ="), 3, 0);
    res->addWidget(symbols(imgResonantC_, imgResonantL_), 3, 1);
    res->addWidget(lblResonantLC_, 3, 2);
    for (int i = 0; i < 2; ++i) {
        lblL_[std::size_t(i)] = MakeToolResult(resBox, QString("lblL%1").arg(i + 1), 100);
        res->addWidget(MakeCaption(resBox, QString("L%1 =").arg(i + 1)), i, 3);
        res->addWidget(lblL_[std::size_t(i)], i, 4);
    }
    // C1 and C2 beside the load rows, C3 and C4 in rows of their own.
    for (int i = 0; i < 4; ++i) {
        lblC_[std::size_t(i)] = MakeToolResult(resBox, QString("lblC%1").arg(i + 1), 100);
        res->addWidget(MakeCaption(resBox, QString("C%1 =").arg(i + 1)), i + 2, 3);
        res->addWidget(lblC_[std::size_t(i)], i + 2, 4);
    }
    res->setColumnStretch(2, 1);
    res->setColumnStretch(4, 1);
    right->addWidget(resBox);
    right->addStretch(1);
    outer->addLayout(right, 1);

    connect(cmdCalculate_, &QPushButton::clicked, this, &BalunWindow::CalcValues);
    SetMainCalculateButton(cmdCalculate_);

    QAction* print = AddFileItem("&Print", "mnuFilePrint");
    FileMenu()->insertSeparator(FileMenu()->actions().value(1));
    connect(print, &QAction::triggered, this, &BalunWindow::ShowPrintWorkaround);
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate values\tF4", "mnuCalculateValues", &BalunWindow::CalcValues);
    QMenu* examples = AddMenu("&Examples", "mnuApp");
    AddItem(examples, "Example &1", "mnuAppExample1", [this] { LoadExample(0); });
    AddItem(examples, "Example &2", "mnuAppExample2", [this] { LoadExample(1); });
    QAction* theory = AddHelpItem("Balun &Applications", "mnuHelpApplications");
    connect(theory, &QAction::triggered, this, [] { ShowHelpTopic(19); });
    txtRg_->setFocus();
}

void BalunWindow::LoadExample(int example)
{
    const Example& e = kExamples[example];
    txtRg_->setText(QString::fromStdString(NumberText(e.rg)));
    txtFreq_->setText(QString::fromStdString(NumberText(e.fMHz)));
    txtRload_->setText(QString::fromStdString(NumberText(e.rload)));
    txtXload_->setText(QString::fromStdString(NumberText(e.xload)));
    txtCparasitic_->setText(QString::fromStdString(NumberText(e.cpF)));
    txtUserNote_->setPlainText(e.note);
    CalcValues();
}

void BalunWindow::ShowPrintWorkaround()
{
    ShowMessageBox(this, "Funky Little Print Work-around",
                   "Printing is not available from this window.\n\n"
                   "To print it, press Alt+Print Screen to copy the window to the clipboard, paste it "
                   "into a paint program and print from there.",
                   MsgIcon::Information);
}

void BalunWindow::CalcValues()
{
    BeginCalculation();
    if (!CheckInput(txtRg_, 1e-4, 1e6) || !CheckInput(txtFreq_, 1e-6, 1e6) || !CheckInput(txtRload_, 1e-5, 1e6)
        || !CheckInput(txtXload_, -1e6, 1e6, true) || !CheckInput(txtCparasitic_, 0.0, 1e6, true))
        return;

    BalunInputs in;
    in.rg_ohm = FieldValue(txtRg_);
    in.f_hz = ConvertUnit(FieldValue(txtFreq_), "MHz", true);
    in.rload_ohm = FieldValue(txtRload_);
    in.xload_ohm = FieldValue(txtXload_);
    in.cstray_f = ConvertUnit(FieldValue(txtCparasitic_), "pF", true);
    const BalunResult b = CalcBalun(in);

    lblRparallel_->setText(Eng(b.rp_ohm, "Ohms"));
    imgLoadC_->setVisible(b.load.kind == ElementKind::Capacitor);
    imgLoadL_->setVisible(b.load.kind == ElementKind::Inductor);
    lblLoadLC_->setVisible(b.load.kind != ElementKind::None);
    lblLoadLC_->setText(b.load.kind == ElementKind::None ? QString()
                                                         : Eng(b.load.value, b.load.kind == ElementKind::Capacitor ? "F" : "H"));
    lblParasiticCvalue_->setText(Eng(in.cstray_f, "F"));
    imgResonantC_->setVisible(b.resonant.kind == ElementKind::Capacitor);
    imgResonantL_->setVisible(b.resonant.kind == ElementKind::Inductor);
    lblResonantLC_->setText(b.resonant.kind == ElementKind::None
                                ? QString()
                                : Eng(b.resonant.value, b.resonant.kind == ElementKind::Capacitor ? "F" : "H"));
    for (QLabel* l : lblL_)
        l->setText(Eng(b.l_h, "H"));
    for (QLabel* c : lblC_)
        c->setText(Eng(b.c_f, "F"));
    ShowNormalStatus();
}

} // namespace korvel::ui
