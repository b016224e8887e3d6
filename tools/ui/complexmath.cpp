#include "complexmath.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/uihooks.h"
#include "shell/unitselector.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace korvel::ui {
namespace {

constexpr int kMaxDecimals = 9;

QString Num(double value, int decimals)
{
    // Beyond fifteen digits a fixed-point text is mostly invented digits: exponent form then.
    if (value != 0.0 && (std::fabs(value) >= 1e15 || !std::isfinite(value)))
        return QString::number(value, 'E', decimals);
    QString text = QString::number(value, 'f', decimals);
    // A negative value that rounds to zero shows as zero, not as "-0.000".
    if (text.startsWith('-') && text.mid(1).count('0') + text.count('.') == text.size() - 1)
        text.remove(0, 1);
    return text;
}

QString Eng(double value, const char* baseUnit)
{
    return QString::fromStdString(FormatValue(EngMantissa(value, baseUnit, false), "  0.00")) + " "
        + QString::fromStdString(EngUnitText(value, baseUnit, false));
}

QString CircuitPicture(CircuitKind kind)
{
    switch (kind) {
    case CircuitKind::R: return "help/complex-R.svg";
    case CircuitKind::SeriesRL: return "help/complex-R-L.svg";
    case CircuitKind::SeriesRC: return "help/complex-R-C.svg";
    case CircuitKind::ParallelRL: return "help/complex-Y-R-L.svg";
    case CircuitKind::ParallelRC: return "help/complex-Y-R-C.svg";
    case CircuitKind::None: break;
    }
    return {};
}

QString ElementText(double value, int significant)
{
    return QString::number(value, 'g', significant);
}

} // namespace

ComplexMathWindow::ComplexMathWindow(QWidget* parent)
    : CalcFrame({"frmComplexMath", "Complex Math Calculator", 61, "Complex Math &Help"}, parent)
{
    BuildControls();
    BuildMenus();
    Redraw();
    txtRegisterRe_[0]->setFocus();
}

QPushButton* ComplexMathWindow::Key(const QString& name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, Body());
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMinimumWidth(64);
    return b;
}

void ComplexMathWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QHBoxLayout(body);
    outer->setContentsMargins(10, 8, 10, 4);
    outer->setSpacing(10);

    // ---- The stack display, deepest register on top as on a hand-held ---------------------
    auto* left = new QVBoxLayout;
    auto* stackBox = new QGroupBox("Stack", body);
    stackBox->setObjectName("fraStack");
    auto* grid = new QGridLayout(stackBox);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    auto* lblMode = new QLabel("Rectangular:", stackBox);
    lblMode->setObjectName("lblDisplayMode");
    grid->addWidget(lblMode, 0, 0);
    auto* lblRe = new QLabel("Real", stackBox);
    lblRe->setObjectName("lblReal");
    lblRe->setAlignment(Qt::AlignCenter);
    auto* lblIm = new QLabel("Imaginary", stackBox);
    lblIm->setObjectName("lblImaginary");
    lblIm->setAlignment(Qt::AlignCenter);
    grid->addWidget(lblRe, 0, 1);
    grid->addWidget(lblIm, 0, 2);
    for (int i = kStackDepth - 1; i >= 0; --i) {
        const int row = kStackDepth - i;
        const QString caption = i == 0 ? "x" : i == 1 ? "y" : QString("R%1").arg(i);
        auto* name = new QLabel(caption, stackBox);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(name, row, 0);
        auto* re = new QLineEdit(stackBox);
        re->setObjectName(QString("txtRegisterRe(%1)").arg(i));
        auto* im = new QLineEdit(stackBox);
        im->setObjectName(QString("txtRegisterIm(%1)").arg(i));
        for (QLineEdit* box : {re, im}) {
            box->setAlignment(Qt::AlignRight);
            box->setMinimumWidth(130);
            // Only x is typed into; the rest show the stack.
            if (i > 0) {
                box->setReadOnly(true);
                box->setFocusPolicy(Qt::NoFocus);
                SetFieldBackground(box, QColor(240, 240, 240));
            }
        }
        if (i == 0) {
            QFont bold = re->font();
            bold.setBold(true);
            re->setFont(bold);
            im->setFont(bold);
            re->installEventFilter(this);
            im->installEventFilter(this);
            connect(re, &QLineEdit::textChanged, this, [this] { OnRegisterTyped(0); });
            connect(im, &QLineEdit::textChanged, this, [this] { OnRegisterTyped(1); });
        }
        txtRegisterRe_[std::size_t(i)] = re;
        txtRegisterIm_[std::size_t(i)] = im;
        grid->addWidget(re, row, 1);
        grid->addWidget(im, row, 2);
    }
    int row = kStackDepth + 1;
    auto* decimals = new QHBoxLayout;
    decimals->addStretch(1);
    decimals->addWidget(new QLabel("Decimal places:", stackBox));
    txtDecimalPlaces_ = new QLineEdit("3", stackBox);
    txtDecimalPlaces_->setObjectName("txtDecimalPlaces");
    txtDecimalPlaces_->setFixedWidth(36);
    txtDecimalPlaces_->setAlignment(Qt::AlignRight);
    decimals->addWidget(txtDecimalPlaces_);
    UpDown1_ = new QScrollBar(Qt::Vertical, stackBox);
    UpDown1_->setObjectName("UpDown1");
    UpDown1_->setRange(0, kMaxDecimals);
    UpDown1_->setValue(decimals_);
    UpDown1_->setInvertedAppearance(true);
    UpDown1_->setInvertedControls(false);
    UpDown1_->setFixedSize(16, txtDecimalPlaces_->sizeHint().height());
    UpDown1_->setToolTip("Number of decimal places shown");
    decimals->addWidget(UpDown1_);
    grid->addLayout(decimals, row, 0, 1, 3);
    connect(txtDecimalPlaces_, &QLineEdit::textChanged, this, &ComplexMathWindow::OnDecimalsTyped);
    connect(UpDown1_, &QScrollBar::valueChanged, this, [this](int v) {
        if (txtDecimalPlaces_->text() != QString::number(v))
            txtDecimalPlaces_->setText(QString::number(v));
    });
    left->addWidget(stackBox);

    // ---- Stack keys and memories --------------------------------------------------------
    auto* stackKeys = new QWidget(body);
    auto* sk = new QGridLayout(stackKeys);
    sk->setContentsMargins(0, 0, 0, 0);
    sk->setSpacing(4);
    cmdEnter_ = Key("cmdEnter", "Enter", "Lift the stack: x is copied into y  [Enter, Page Up]");
    QPushButton* drop = Key("cmdDrop", "&Drop ", "Drop the stack: y moves into x  [Page Down]");
    QPushButton* swap = Key("cmdSwap", "Swap x<>y");
    QPushButton* clr1 = Key("cmdClear1", "Clear x");
    QPushButton* clrAll = Key("cmdClearAll", "Clear All", "Clears the stack and memories A to F");
    QPushButton* undo = Key("cmdUndo", "&Undo", "Restores the stack as it was before the last operation");
    sk->addWidget(cmdEnter_, 0, 0);
    sk->addWidget(drop, 0, 1);
    sk->addWidget(swap, 0, 2);
    sk->addWidget(clr1, 1, 0);
    sk->addWidget(clrAll, 1, 1);
    sk->addWidget(undo, 1, 2);
    connect(cmdEnter_, &QPushButton::clicked, this, &ComplexMathWindow::Lift);
    connect(drop, &QPushButton::clicked, this, [this] { Apply(Drop(state_)); });
    connect(swap, &QPushButton::clicked, this, [this] { Apply(Swap(state_)); });
    connect(clr1, &QPushButton::clicked, this, [this] {
        Apply(ClearX(state_));
        updating_ = true;
        txtRegisterRe_[0]->clear();
        txtRegisterIm_[0]->clear();
        updating_ = false;
    });
    connect(clrAll, &QPushButton::clicked, this, [this] {
        Apply(ClearAll(state_));
        updating_ = true;
        for (int i = 0; i < kStackDepth; ++i) {
            txtRegisterRe_[std::size_t(i)]->clear();
            txtRegisterIm_[std::size_t(i)]->clear();
        }
        updating_ = false;
        ClearCircuit();
    });
    connect(undo, &QPushButton::clicked, this, [this] { Apply(Undo(state_)); });
    left->addWidget(stackKeys);

    auto* memBox = new QGroupBox("Memories", body);
    memBox->setObjectName("fraMemories");
    auto* mem = new QGridLayout(memBox);
    mem->setSpacing(4);
    for (int m = 0; m < kMemoryCount; ++m) {
        const QChar letter = QChar('A' + m);
        QPushButton* sto = Key(QString("cmdSto%1").arg(letter), QString("STO %1").arg(letter),
                               QString("Memory %1 = [Register x]").arg(letter));
        QPushButton* rcl = Key(QString("cmdRcl%1").arg(letter), QString("RCL %1").arg(letter),
                               QString("[Register x] = memory %1").arg(letter));
        sto->setMinimumWidth(52);
        rcl->setMinimumWidth(52);
        mem->addWidget(sto, 0, m);
        mem->addWidget(rcl, 1, m);
        connect(sto, &QPushButton::clicked, this, [this, m] { Apply(Store(state_, m)); });
        connect(rcl, &QPushButton::clicked, this, [this, m] { Apply(Recall(state_, m)); });
    }
    left->addWidget(memBox);
    left->addStretch(1);
    outer->addLayout(left);

    // ---- Functions ------------------------------------------------------------------------
    auto* right = new QVBoxLayout;
    auto* fnBox = new QGroupBox("Functions", body);
    fnBox->setObjectName("fraFunctions");
    auto* fn = new QGridLayout(fnBox);
    fn->setSpacing(4);
    struct BinaryKey { const char* name; const char* caption; const char* tip; BinaryOp op; };
    const BinaryKey binaries[] = {
        {"cmdAdd", "y + x", "[Register x] = y + x   [+]", BinaryOp::Add},
        {"cmdSub", "y - x", "[Register x] = y - x   [-]", BinaryOp::Sub},
        {"cmdMult", "y * x", "[Register x] = y * x   [*]", BinaryOp::Mult},
        {"cmdDiv", "y / x", "[Register x] = y / x   [/]", BinaryOp::Div},
        {"cmdYtoX", "y ^ x", "[Register x] = y to the power x   [^]", BinaryOp::YtoX},
    };
    int col = 0;
    for (const BinaryKey& k : binaries) {
        QPushButton* b = Key(k.name, k.caption, k.tip);
        fn->addWidget(b, 0, col++);
        const BinaryOp op = k.op;
        connect(b, &QPushButton::clicked, this, [this, op] { Apply(ApplyBinary(state_, op)); });
    }
    struct UnaryKey { const char* name; const char* caption; UnaryOp op; };
    const UnaryKey unaries[] = {
        {"cmdSquare", "x^2", UnaryOp::Square},       {"cmdInverse", "1/x", UnaryOp::Inverse},
        {"cmdSqrt", "SQRT", UnaryOp::Sqrt},          {"cmdLn", "LN", UnaryOp::Ln},
        {"cmdInverseLn", "e^x", UnaryOp::InverseLn}, {"cmdLog", "LOG", UnaryOp::Log},
        {"cmdMag", "|x|", UnaryOp::Mag},             {"cmdConjg", "Conjugate", UnaryOp::Conjg},
        {"cmdRectToPolarDeg", "R to P (deg)", UnaryOp::RectToPolarDeg},
        {"cmdPolarToRectDeg", "P (deg) to R", UnaryOp::PolarToRectDeg},
        {"cmdSin", "SIN", UnaryOp::Sin},   {"cmdCos", "COS", UnaryOp::Cos},
        {"cmdTan", "TAN", UnaryOp::Tan},   {"cmdCot", "COT", UnaryOp::Cot},
        {"cmdAsin", "ASIN", UnaryOp::Asin}, {"cmdAcos", "ACOS", UnaryOp::Acos},
        {"cmdAtan", "ATAN", UnaryOp::Atan}, {"cmdAcot", "ACOT", UnaryOp::Acot},
        {"cmdSinh", "SINH", UnaryOp::Sinh}, {"cmdCosh", "COSH", UnaryOp::Cosh},
        {"cmdTanh", "TANH", UnaryOp::Tanh}, {"cmdAtanh", "ATANH", UnaryOp::Atanh},
        {"cmdCoth", "COTH", UnaryOp::Coth},
    };
    int idx = 5;
    for (const UnaryKey& k : unaries) {
        QPushButton* b = Key(k.name, k.caption);
        b->setMinimumWidth(92);
        fn->addWidget(b, idx / 5, idx % 5);
        ++idx;
        const UnaryOp op = k.op;
        connect(b, &QPushButton::clicked, this, [this, op] { Apply(ApplyUnary(state_, op)); });
    }
    QPushButton* pi = Key("cmdPi", "pi", "[Register x] = 3.14159265358979");
    QPushButton* e = Key("cmdConstE", "e", "[Register x] = 2.71828182845905");
    fn->addWidget(pi, idx / 5, idx % 5);
    ++idx;
    fn->addWidget(e, idx / 5, idx % 5);
    connect(pi, &QPushButton::clicked, this, [this] { Apply(PushValue(state_, {kPi, 0.0}, false)); });
    connect(e, &QPushButton::clicked, this, [this] { Apply(PushValue(state_, {kE, 0.0}, false)); });
    right->addWidget(fnBox);

    // ---- Reference impedance ----------------------------------------------------------------
    auto* rfBox = new QGroupBox("Reference impedance", body);
    rfBox->setObjectName("fraZo");
    auto* rf = new QGridLayout(rfBox);
    rf->setSpacing(4);
    txtZo_ = new QLineEdit(LocalNumber("50.0"), rfBox);
    txtZo_->setObjectName("txtZo");
    txtZo_->setAlignment(Qt::AlignRight);
    txtZo_->installEventFilter(this);
    txtYo_ = new QLineEdit(rfBox);
    txtYo_->setObjectName("txtYo");
    txtYo_->setAlignment(Qt::AlignRight);
    txtYo_->setReadOnly(true);
    auto* zoCaption = new QLabel("Zo =", rfBox);
    zoCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* yoCaption = new QLabel("Yo =", rfBox);
    yoCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rf->addWidget(zoCaption, 0, 0);
    rf->addWidget(txtZo_, 0, 1);
    rf->addWidget(new QLabel("ohms", rfBox), 0, 2);
    rf->addWidget(yoCaption, 1, 0);
    rf->addWidget(txtYo_, 1, 1);
    rf->addWidget(new QLabel("mhos", rfBox), 1, 2);
    QPushButton* rclZo = Key("cmdRclZo", "RCL Zo to x");
    QPushButton* rclYo = Key("cmdRclYo", "RCL Yo to x");
    rf->addWidget(rclZo, 0, 3);
    rf->addWidget(rclYo, 1, 3);
    connect(rclZo, &QPushButton::clicked, this, [this] { Apply(PushValue(state_, {zo_, 0.0}, true)); });
    connect(rclYo, &QPushButton::clicked, this, [this] { Apply(PushValue(state_, {1.0 / zo_, 0.0}, true)); });
    struct RfKey { const char* name; const char* caption; const char* tip; RfOp op; };
    const RfKey rfKeys[] = {
        {"cmdNormalizeZ", "Normalize Z", "[Register x] / Zo", RfOp::NormalizeZ},
        {"cmdUnNormalizeZn", "Unnormalize Zn", "[Register x] * Zo", RfOp::UnNormalizeZn},
        {"cmdNormalizeY", "Normalize Y", "[Register x] / Yo", RfOp::NormalizeY},
        {"cmdUnNormalizeYn", "Unnormalize Yn", "[Register x] * Yo", RfOp::UnNormalizeYn},
        {"cmdZtoGamma", "Z to Gamma", "[Register x] = (x - Zo) / (x + Zo)", RfOp::ZtoGamma},
        {"cmdGammaToZ", "Gamma to Z", "[Register x] = Zo * (1 + x) / (1 - x)", RfOp::GammaToZ},
    };
    auto* rfGrid = new QGridLayout;
    rfGrid->setSpacing(4);
    rfGrid->setColumnStretch(0, 1);
    rfGrid->setColumnStretch(1, 1);
    rf->addLayout(rfGrid, 2, 0, 1, 4);
    idx = 0;
    for (const RfKey& k : rfKeys) {
        QPushButton* b = Key(k.name, k.caption, k.tip);
        rfGrid->addWidget(b, idx / 2, idx % 2);
        ++idx;
        const RfOp op = k.op;
        const bool afresh = op == RfOp::ZtoGamma || op == RfOp::GammaToZ;
        connect(b, &QPushButton::clicked, this,
                [this, op, afresh] { Apply(ApplyRf(state_, op, afresh ? ZoFromBox() : zo_)); });
    }
    rf->setColumnStretch(1, 1);
    connect(txtZo_, &QLineEdit::textChanged, this, &ComplexMathWindow::OnZoTyped);
    OnZoTyped();
    right->addWidget(rfBox);
    outer->addLayout(right, 1);

    // ---- Equivalent circuits ---------------------------------------------------------------
    auto* cktCol = new QVBoxLayout;
    auto* cktBox = new QGroupBox("Equivalent circuit", body);
    cktBox->setObjectName("fraCircuit");
    auto* ck = new QGridLayout(cktBox);
    ck->setSpacing(4);
    txtFreq_ = new QLineEdit("1000", cktBox);
    txtFreq_->setObjectName("txtFreq");
    txtFreq_->setAlignment(Qt::AlignRight);
    txtFreq_->setToolTip("Frequency of the equivalent circuit");
    cbofpFreqUnits_ = new UnitSelector(cktBox);
    cbofpFreqUnits_->setObjectName("cbofpFreqUnits");
    for (const char* code : {"GHz", "MHz", "kHz", "Hz"})
        cbofpFreqUnits_->AddUnit(code, code);
    cbofpFreqUnits_->setCurrentIndex(1);
    AdoptSelector(cbofpFreqUnits_);
    auto* fCaption = new QLabel("Freq =", cktBox);
    fCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ck->addWidget(fCaption, 0, 0);
    ck->addWidget(txtFreq_, 0, 1);
    ck->addWidget(cbofpFreqUnits_, 0, 2);

    auto* fromZ = new QLabel("From Z in x:", cktBox);
    auto* fromY = new QLabel("From Y in x:", cktBox);
    QPushButton* sz = Key("cmdEquivSeriesZ", "Equivalent Series Circuit", "Series equivalent circuit from Z in [Register x]");
    QPushButton* pz = Key("cmdEquivParallelZ", "Equivalent Parallel Circuit", "Parallel equivalent circuit from Z in [Register x]");
    QPushButton* py = Key("cmdEquivParallelY", "Equivalent Parallel Circuit", "Parallel equivalent circuit from Y in [Register x]");
    QPushButton* sy = Key("cmdEquivSeriesY", "Equivalent Series Circuit", "Series equivalent circuit from Y in [Register x]");
    ck->addWidget(fromZ, 1, 0, 1, 3);
    ck->addWidget(sz, 2, 0, 1, 3);
    ck->addWidget(pz, 3, 0, 1, 3);
    ck->addWidget(fromY, 4, 0, 1, 3);
    ck->addWidget(sy, 5, 0, 1, 3);
    ck->addWidget(py, 6, 0, 1, 3);
    connect(sz, &QPushButton::clicked, this, [this] { EquivalentFromZ(true); });
    connect(pz, &QPushButton::clicked, this, [this] { EquivalentFromZ(false); });
    connect(sy, &QPushButton::clicked, this, [this] { EquivalentFromY(true); });
    connect(py, &QPushButton::clicked, this, [this] { EquivalentFromY(false); });

    picCircuit_ = new QLabel(cktBox);
    picCircuit_->setObjectName("picCircuit");
    picCircuit_->setFixedSize(200, 110);
    picCircuit_->setAlignment(Qt::AlignCenter);
    picCircuit_->setFrameShape(QFrame::StyledPanel);
    SetBackground(picCircuit_, Qt::white);
    ck->addWidget(picCircuit_, 7, 0, 1, 3, Qt::AlignHCenter);
    lblCircuitValues_ = new QLabel(cktBox);
    lblCircuitValues_->setObjectName("lblCircuitValues");
    lblCircuitValues_->setAlignment(Qt::AlignCenter);
    ck->addWidget(lblCircuitValues_, 8, 0, 1, 3);

    lblResistor_ = new QLabel(cktBox);
    lblResistor_->setObjectName("lblResistor");
    lblResistor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblResistor_->setMinimumWidth(30);
    txtResistor_ = new QLineEdit(cktBox);
    txtResistor_->setObjectName("txtResistor");
    txtResistor_->setAlignment(Qt::AlignRight);
    auto* lblResistorUnits = new QLabel("Ohm", cktBox);
    lblResistorUnits->setObjectName("lblResistorUnits");
    lblReactive_ = new QLabel(cktBox);
    lblReactive_->setObjectName("lblReactive");
    lblReactive_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtReactive_ = new QLineEdit(cktBox);
    txtReactive_->setObjectName("txtReactive");
    txtReactive_->setAlignment(Qt::AlignRight);
    lblReactiveUnits_ = new QLabel(cktBox);
    lblReactiveUnits_->setObjectName("lblReactiveUnits");
    lblReactiveUnits_->setMinimumWidth(30);
    ck->addWidget(lblResistor_, 9, 0);
    ck->addWidget(txtResistor_, 9, 1);
    ck->addWidget(lblResistorUnits, 9, 2);
    ck->addWidget(lblReactive_, 10, 0);
    ck->addWidget(txtReactive_, 10, 1);
    ck->addWidget(lblReactiveUnits_, 10, 2);
    QPushButton* pick = Key("cmdEquivCkd", "Select Equivalent Circuit", "Click to cycle through circuit choices");
    QPushButton* zFrom = Key("cmdZfromSeries", "Enter Z from Circuit Values", "[Register x] = impedance of circuit");
    QPushButton* yFrom = Key("cmdYfromParallel", "Enter Y from Circuit Values", "[Register x] = admittance  of circuit");
    ck->addWidget(pick, 11, 0, 1, 3);
    ck->addWidget(zFrom, 12, 0, 1, 3);
    ck->addWidget(yFrom, 13, 0, 1, 3);
    connect(pick, &QPushButton::clicked, this, [this] {
        circuit_ = NextCircuit(circuit_);
        ShowCircuitChoice();
    });
    connect(zFrom, &QPushButton::clicked, this, [this] { EnterFromCircuit(false); });
    connect(yFrom, &QPushButton::clicked, this, [this] { EnterFromCircuit(true); });
    WhiteOnTyping({txtFreq_});
    WhiteOnTyping({txtResistor_});
    WhiteOnTyping({txtReactive_});
    cktCol->addWidget(cktBox);
    cktCol->addStretch(1);
    outer->addLayout(cktCol);
    ClearCircuit();
}

void ComplexMathWindow::BuildMenus()
{
    QMenu* stack = AddMenu("&Stack", "mnuStack");
    AddItem(stack, "&Enter\tEnter", "mnuStackEnter", [this] { Lift(); });
    AddItem(stack, "&Drop\tPage Down", "mnuStackDrop", [this] { Apply(Drop(state_)); });
    AddItem(stack, "&Undo", "mnuStackUndo", [this] { Apply(Undo(state_)); });
    connect(AddHelpItem("&Keyboard Shortcuts", "mnuHelpKeyboard"), &QAction::triggered, this, &CalcFrame::ShowHelp);
}

double ComplexMathWindow::ZoFromBox() const
{
    const std::string text = txtZo_->text().toStdString();
    if (IsNumericText(text) && NumberFromText(text) != 0.0)
        return NumberFromText(text);
    return zo_;
}

void ComplexMathWindow::Apply(const RpnResult& result)
{
    if (result.Refused()) {
        ShowMessageBox(this, QString::fromStdString(result.title), QString::fromStdString(result.text),
                       MsgIcon::Exclamation);
        return;
    }
    Apply(result.state);
}

void ComplexMathWindow::Apply(const RpnState& state)
{
    state_ = state;
    Redraw();
}

void ComplexMathWindow::Lift()
{
    Apply(Enter(state_));
    // After Enter the copy in x is there to be typed over, as on a hand-held; other results
    // stay in x until the next Enter, since typing never lifts the stack.
    for (QLineEdit* x : {txtRegisterRe_[0], txtRegisterIm_[0]})
        if (x->hasFocus())
            x->selectAll();
}

void ComplexMathWindow::Redraw()
{
    updating_ = true;
    for (int i = 0; i < kStackDepth; ++i) {
        txtRegisterRe_[std::size_t(i)]->setText(Num(state_.stack[std::size_t(i)].Re, decimals_));
        txtRegisterIm_[std::size_t(i)]->setText(Num(state_.stack[std::size_t(i)].Im, decimals_));
    }
    updating_ = false;
}

QString ComplexMathWindow::StackText() const
{
    QStringList parts;
    for (int i = 0; i < kStackDepth; ++i) {
        const QString name = i == 0 ? "x" : i == 1 ? "y" : QString("R%1").arg(i);
        parts << QString("%1 (%2, %3)").arg(name, txtRegisterRe_[std::size_t(i)]->text(),
                                            txtRegisterIm_[std::size_t(i)]->text());
    }
    return parts.join(" | ");
}

QString ComplexMathWindow::MemoryText() const
{
    QStringList parts;
    for (int m = 0; m < kMemoryCount; ++m)
        parts << QString("%1 (%2, %3)")
                     .arg(QChar('A' + m))
                     .arg(state_.memory[std::size_t(m)].Re)
                     .arg(state_.memory[std::size_t(m)].Im);
    return parts.join(" | ");
}

void ComplexMathWindow::OnRegisterTyped(int part)
{
    if (updating_)
        return;
    QLineEdit* box = part == 0 ? txtRegisterRe_[0] : txtRegisterIm_[0];
    // The calculator reads what is typed with a '.' decimal point, whatever the locale.
    double value = 0.0;
    if (!ReadPointNumber(box->text().toStdString(), value))
        return;
    Complex x = state_.stack[0];
    (part == 0 ? x.Re : x.Im) = value;
    state_ = SetX(state_, x);
}

bool ComplexMathWindow::OnRegisterLeft(int part)
{
    QLineEdit* box = part == 0 ? txtRegisterRe_[0] : txtRegisterIm_[0];
    const QString text = box->text().trimmed();
    if (text.isEmpty()) {
        updating_ = true;
        box->setText("0");
        updating_ = false;
        return true;
    }
    double value = 0.0;
    if (!ReadPointNumber(text.toStdString(), value)) {
        ShowMessageBox(this, QString(),
                       part == 0 ? "Entry for Real(x) must be numeric" : "Entry for Imag(x) must be numeric");
        return false;
    }
    return true;
}

void ComplexMathWindow::OnZoTyped()
{
    const std::string text = txtZo_->text().trimmed().toStdString();
    if (text.empty() || !IsNumericText(text))
        return;
    const double z = NumberFromText(text);
    if (z == 0.0)
        return;
    zo_ = z;
    txtYo_->setText(QString::fromStdString(FormatValue(1.0 / zo_, "0.00000")));
}

void ComplexMathWindow::OnZoLeft()
{
    const std::string text = txtZo_->text().trimmed().toStdString();
    if (IsNumericText(text) && NumberFromText(text) == 0.0)
        ShowMessageBox(this, QString(), "Zo cannot be zero");
}

void ComplexMathWindow::OnDecimalsTyped()
{
    bool ok = false;
    int d = txtDecimalPlaces_->text().trimmed().toInt(&ok);
    if (!ok)
        return;
    d = std::clamp(d, 0, kMaxDecimals);
    if (QString::number(d) != txtDecimalPlaces_->text().trimmed())
        txtDecimalPlaces_->setText(QString::number(d));
    UpDown1_->setValue(d);
    decimals_ = d;
    Redraw();
}

bool ComplexMathWindow::HandleStackKey(QObject* watched, int key, const QString& text)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    const bool inX = box == txtRegisterRe_[0] || box == txtRegisterIm_[0];
    switch (key) {
    case Qt::Key_PageUp: Lift(); return true;
    case Qt::Key_PageDown: Apply(Drop(state_)); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button takes Enter as its own click; everywhere else Enter lifts.
        if (auto* b = qobject_cast<QPushButton*>(watched)) {
            b->click();
            return true;
        }
        if (box == txtZo_)
            OnZoLeft();
        if (box && !inX)
            return false;
        if (inX && !OnRegisterLeft(box == txtRegisterRe_[0] ? 0 : 1))
            return true;
        Lift();
        return true;
    default: break;
    }
    // Operator keys act from the x boxes and from the buttons, never inside the other inputs.
    if (box && !inX)
        return false;
    if (text == "+" || text == "-") {
        // A sign that starts a number or an exponent is part of the number being typed.
        if (inX) {
            const QString t = box->text();
            const int at = box->cursorPosition();
            const bool whole = box->hasSelectedText() && box->selectedText() == t;
            if (t.isEmpty() || whole || at == 0 || t.at(at - 1).toUpper() == 'E')
                return false;
        }
        Apply(ApplyBinary(state_, text == "+" ? BinaryOp::Add : BinaryOp::Sub));
        return true;
    }
    if (text == "*" || text == "/" || text == "^") {
        const BinaryOp op = text == "*" ? BinaryOp::Mult : text == "/" ? BinaryOp::Div : BinaryOp::YtoX;
        Apply(ApplyBinary(state_, op));
        return true;
    }
    return false;
}

bool ComplexMathWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
        if (mods == Qt::NoModifier && watched->isWidgetType()
            && (watched == this || isAncestorOf(static_cast<QWidget*>(watched)))
            && HandleStackKey(watched, key->key(), key->text()))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == txtRegisterRe_[0] || watched == txtRegisterIm_[0]) {
            auto* box = static_cast<QLineEdit*>(watched);
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == txtRegisterRe_[0])
            OnRegisterLeft(0);
        else if (watched == txtRegisterIm_[0])
            OnRegisterLeft(1);
        else if (watched == txtZo_)
            OnZoLeft();
    }
    return CalcFrame::eventFilter(watched, event);
}

// ---- Equivalent circuits ---------------------------------------------------------------------

void ComplexMathWindow::ClearCircuit()
{
    circuit_ = CircuitKind::None;
    picCircuit_->clear();
    lblResistor_->clear();
    lblReactive_->clear();
    lblReactiveUnits_->clear();
    txtResistor_->clear();
    txtReactive_->clear();
    lblCircuitValues_->clear();
}

void ComplexMathWindow::ShowCircuitChoice()
{
    const QIcon picture = ProgramIcon(CircuitPicture(circuit_));
    picCircuit_->setPixmap(picture.isNull() ? QPixmap() : picture.pixmap(picCircuit_->size() - QSize(8, 8)));
    lblResistor_->setText(circuit_ == CircuitKind::None ? QString() : "R =");
    if (HasInductor(circuit_)) {
        lblReactive_->setText("L =");
        lblReactiveUnits_->setText("nH");
    } else if (HasCapacitor(circuit_)) {
        lblReactive_->setText("C =");
        lblReactiveUnits_->setText("pF");
    } else {
        lblReactive_->clear();
        lblReactiveUnits_->clear();
    }
    txtReactive_->setEnabled(HasInductor(circuit_) || HasCapacitor(circuit_));
}

double ComplexMathWindow::CheckedFrequency()
{
    if (!CheckInput(txtFreq_, 1e-6, 1e6))
        return -1.0;
    return ConvertUnit(FieldValue(txtFreq_), cbofpFreqUnits_->Code().toStdString(), true);
}

void ComplexMathWindow::ShowEquivalent(const EquivalentCircuit& c)
{
    circuit_ = c.kind;
    ShowCircuitChoice();
    // The element values go into the entry boxes in their entry units, so that "Enter Z (or
    // Y) from Circuit Values" turns the circuit straight back into the number it came from.
    txtResistor_->setText(c.rInfinite ? QString("infinite") : ElementText(c.r_ohm, 9));
    QString values = "R = " + (c.rInfinite ? QString("infinite") : Eng(c.r_ohm, "Ohm").trimmed());
    if (HasInductor(c.kind)) {
        txtReactive_->setText(ElementText(c.l_h * 1e9, 9));
        values += "    L = " + Eng(c.l_h, "H").trimmed();
    } else if (HasCapacitor(c.kind)) {
        txtReactive_->setText(ElementText(c.c_f * 1e12, 9));
        values += "    C = " + Eng(c.c_f, "F").trimmed();
    } else {
        txtReactive_->clear();
    }
    lblCircuitValues_->setText(values);
}

void ComplexMathWindow::EquivalentFromZ(bool series)
{
    const double f = CheckedFrequency();
    if (f < 0.0)
        return;
    const Complex z = state_.stack[0];
    if (series) {
        ShowEquivalent(SeriesCircuitOfZ(z, f));
        return;
    }
    if (z.Re == 0.0 && z.Im == 0.0) {
        ShowMessageBox(this, "Data Error", "Admittance of 0 \u00B1 j 0 not defined", MsgIcon::Exclamation);
        return;
    }
    ShowEquivalent(ParallelCircuitOfY(CxInv(z), f));
}

void ComplexMathWindow::EquivalentFromY(bool series)
{
    const double f = CheckedFrequency();
    if (f < 0.0)
        return;
    const Complex y = state_.stack[0];
    if (!series) {
        ShowEquivalent(ParallelCircuitOfY(y, f));
        return;
    }
    if (y.Re == 0.0 && y.Im == 0.0) {
        ShowMessageBox(this, "Data Error", "Circuit undefined for Y = 0 \u00B1 j 0", MsgIcon::Exclamation);
        return;
    }
    ShowEquivalent(SeriesCircuitOfZ(CxInv(y), f));
}

void ComplexMathWindow::EnterFromCircuit(bool admittance)
{
    if (circuit_ == CircuitKind::None) {
        ShowMessageBox(this, QString(),
                       "No circuit selected\n\nClick 'Select equivalent circuit' button to choose desired circuit",
                       MsgIcon::Exclamation);
        return;
    }
    const double f = CheckedFrequency();
    if (f < 0.0 || !CheckInput(txtResistor_, 1e-6, 1e6))
        return;
    const bool reactive = HasInductor(circuit_) || HasCapacitor(circuit_);
    if (reactive && !CheckInput(txtReactive_, 1e-6, 1e6))
        return;
    const double r = FieldValue(txtResistor_);
    const double element = !reactive ? 0.0 : HasInductor(circuit_) ? FieldValue(txtReactive_) * 1e-9
                                                                     : FieldValue(txtReactive_) * 1e-12;
    const Complex v = admittance ? AdmittanceOfCircuit(circuit_, r, element, f)
                                 : ImpedanceOfCircuit(circuit_, r, element, f);
    Apply(SetX(state_, v));
}

} // namespace korvel::ui
