// The register stack of the complex calculator, driven by whole key sequences the way a user
// presses them on the keyboard, with the expected registers worked out by hand.
#include "tools/rpnstack.h"

#include "tests/support/recording_notifier.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <cmath>

using namespace korvel;

namespace {

// A sequence is blank-separated tokens: a number "re" or "re,im" types x (no lift); any
// other token is a key. "ZO=.." sets the reference impedance for the keys that follow.
struct Run {
    RpnState state;
    QStringList refusals;  // "title|text" of every refused key
};

Complex Parse(const QString& token)
{
    const QStringList parts = token.split(',');
    return Complex{parts[0].toDouble(), parts.size() > 1 ? parts[1].toDouble() : 0.0};
}

bool IsNumber(const QString& token)
{
    bool ok = false;
    token.split(',').first().toDouble(&ok);
    return ok;
}

Run Press(const QString& sequence)
{
    Run run;
    double zo = 50.0;
    auto take = [&run](const RpnResult& r) {
        if (r.Refused())
            run.refusals << QString::fromStdString(r.title + "|" + r.text);
        run.state = r.state;
    };
    const QStringList tokens = sequence.split(' ', Qt::SkipEmptyParts);
    for (const QString& t : tokens) {
        RpnState& s = run.state;
        if (IsNumber(t)) s = SetX(s, Parse(t));
        else if (t.startsWith("ZO=")) zo = t.mid(3).toDouble();
        else if (t == "ENTER") s = Enter(s);
        else if (t == "DROP") s = Drop(s);
        else if (t == "SWAP") s = Swap(s);
        else if (t == "CLX") s = ClearX(s);
        else if (t == "CLALL") s = ClearAll(s);
        else if (t == "UNDO") s = Undo(s);
        else if (t == "RCLZO") s = PushValue(s, {zo, 0.0}, true);
        else if (t.startsWith("STO")) s = Store(s, t.at(3).toLatin1() - 'A');
        else if (t.startsWith("RCL")) s = Recall(s, t.at(3).toLatin1() - 'A');
        else if (t == "PI") s = PushValue(s, {kPi, 0.0}, false);
        else if (t == "E") s = PushValue(s, {kE, 0.0}, false);
        else if (t == "ADD") take(ApplyBinary(s, BinaryOp::Add));
        else if (t == "SUB") take(ApplyBinary(s, BinaryOp::Sub));
        else if (t == "MULT") take(ApplyBinary(s, BinaryOp::Mult));
        else if (t == "DIV") take(ApplyBinary(s, BinaryOp::Div));
        else if (t == "YTOX") take(ApplyBinary(s, BinaryOp::YtoX));
        else if (t == "SQUARE") take(ApplyUnary(s, UnaryOp::Square));
        else if (t == "INV") take(ApplyUnary(s, UnaryOp::Inverse));
        else if (t == "SQRT") take(ApplyUnary(s, UnaryOp::Sqrt));
        else if (t == "LN") take(ApplyUnary(s, UnaryOp::Ln));
        else if (t == "EXP") take(ApplyUnary(s, UnaryOp::InverseLn));
        else if (t == "LOG") take(ApplyUnary(s, UnaryOp::Log));
        else if (t == "MAG") take(ApplyUnary(s, UnaryOp::Mag));
        else if (t == "CONJ") take(ApplyUnary(s, UnaryOp::Conjg));
        else if (t == "R2P") take(ApplyUnary(s, UnaryOp::RectToPolarDeg));
        else if (t == "P2R") take(ApplyUnary(s, UnaryOp::PolarToRectDeg));
        else if (t == "SIN") take(ApplyUnary(s, UnaryOp::Sin));
        else if (t == "COS") take(ApplyUnary(s, UnaryOp::Cos));
        else if (t == "TAN") take(ApplyUnary(s, UnaryOp::Tan));
        else if (t == "COT") take(ApplyUnary(s, UnaryOp::Cot));
        else if (t == "ASIN") take(ApplyUnary(s, UnaryOp::Asin));
        else if (t == "ACOS") take(ApplyUnary(s, UnaryOp::Acos));
        else if (t == "ATAN") take(ApplyUnary(s, UnaryOp::Atan));
        else if (t == "ACOT") take(ApplyUnary(s, UnaryOp::Acot));
        else if (t == "SINH") take(ApplyUnary(s, UnaryOp::Sinh));
        else if (t == "COSH") take(ApplyUnary(s, UnaryOp::Cosh));
        else if (t == "TANH") take(ApplyUnary(s, UnaryOp::Tanh));
        else if (t == "ATANH") take(ApplyUnary(s, UnaryOp::Atanh));
        else if (t == "COTH") take(ApplyUnary(s, UnaryOp::Coth));
        else if (t == "NORMZ") take(ApplyRf(s, RfOp::NormalizeZ, zo));
        else if (t == "UNNORMZ") take(ApplyRf(s, RfOp::UnNormalizeZn, zo));
        else if (t == "NORMY") take(ApplyRf(s, RfOp::NormalizeY, zo));
        else if (t == "UNNORMY") take(ApplyRf(s, RfOp::UnNormalizeYn, zo));
        else if (t == "Z2G") take(ApplyRf(s, RfOp::ZtoGamma, zo));
        else if (t == "G2Z") take(ApplyRf(s, RfOp::GammaToZ, zo));
        else qFatal("unknown key %s", qPrintable(t));
    }
    return run;
}

// "re,im re,im ..." from x upwards; registers not listed must be (0, 0).
void CompareStack(const RegisterStack& actual, const QString& expected, double tolerance = 1e-9)
{
    const QStringList regs = expected.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < kStackDepth; ++i) {
        const Complex want = i < regs.size() ? Parse(regs[i]) : Complex{};
        const Complex got = actual[std::size_t(i)];
        const double scale = std::max(1.0, std::hypot(want.Re, want.Im));
        if (std::fabs(got.Re - want.Re) > tolerance * scale || std::fabs(got.Im - want.Im) > tolerance * scale)
            QFAIL(qPrintable(QString("R[%1] is (%2, %3), expected (%4, %5)")
                                 .arg(i)
                                 .arg(got.Re, 0, 'g', 15)
                                 .arg(got.Im, 0, 'g', 15)
                                 .arg(want.Re, 0, 'g', 15)
                                 .arg(want.Im, 0, 'g', 15)));
    }
}

} // namespace

class TestRpnStack : public QObject {
    Q_OBJECT
private slots:
    void Sequences_data();
    void Sequences();
    void Refusals_data();
    void Refusals();
    void UndoAfterEveryKey_data();
    void UndoAfterEveryKey();
    void Memories();
};

void TestRpnStack::Sequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stack");  // x first

    // Lifting and dropping.
    QTest::newRow("y - x, former R[2] moves into y") << "9 ENTER 3 ENTER 4 SUB" << "-1 9";
    QTest::newRow("Enter on an empty stack duplicates x") << "2,5 ENTER" << "2,5 2,5";
    QTest::newRow("seven Enters fill every register")
        << "1,1 ENTER ENTER ENTER ENTER ENTER ENTER ENTER" << "1,1 1,1 1,1 1,1 1,1 1,1 1,1";
    QTest::newRow("a full stack loses R[6] on the next lift")
        << "1 ENTER 2 ENTER 3 ENTER 4 ENTER 5 ENTER 6 ENTER 7 ENTER" << "7 7 6 5 4 3 2";
    QTest::newRow("Drop on a full stack empties R[6]")
        << "1 ENTER 2 ENTER 3 ENTER 4 ENTER 5 ENTER 6 ENTER 7 DROP" << "6 5 4 3 2 1";
    QTest::newRow("two-operand keys drop everything above x")
        << "1 ENTER 2 ENTER 3 ENTER 4 ENTER 5 ENTER 6 ENTER 7 ADD" << "13 5 4 3 2 1";
    QTest::newRow("swap") << "1,2 ENTER 3,4 SWAP" << "1,2 3,4";
    QTest::newRow("clear x keeps y") << "1,2 ENTER 3,4 CLX" << "0 1,2";
    QTest::newRow("pi and e lift") << "5 PI E" << "2.71828182845905 3.14159265358979 5";
    QTest::newRow("RCL Zo lifts") << "ZO=75 2 RCLZO" << "75 2";

    // Arithmetic: y op x.
    QTest::newRow("complex product") << "1,2 ENTER 3,4 MULT" << "-5,10";
    QTest::newRow("complex quotient") << "-5,10 ENTER 3,4 DIV" << "1,2";
    QTest::newRow("y - x is not x - y") << "1,1 ENTER 3,-2 SUB" << "-2,3";
    QTest::newRow("j squared by y^x") << "0,1 ENTER 2 YTOX" << "-1,0";
    QTest::newRow("square root of j by y^x") << "0,1 ENTER 0.5 YTOX" << "0.707106781186548,0.707106781186548";

    // One-operand keys.
    QTest::newRow("square") << "1,2 SQUARE" << "-3,4";
    QTest::newRow("inverse") << "0,2 INV" << "0,-0.5";
    QTest::newRow("inverse of 3+j4") << "3,4 INV" << "0.12,-0.16";
    QTest::newRow("square root of -4") << "-4 SQRT" << "0,2";
    QTest::newRow("ln e") << "2.71828182845905 LN" << "1,0";
    QTest::newRow("ln of -1 is j pi") << "-1 LN" << "0,3.14159265358979";
    QTest::newRow("e^(j pi)") << "0,3.14159265358979 EXP" << "-1,0";
    QTest::newRow("log 100") << "100 LOG" << "2,0";
    QTest::newRow("log of j10") << "0,10 LOG" << "1,0.682188176920921";
    QTest::newRow("magnitude") << "3,-4 MAG" << "5,0";
    QTest::newRow("conjugate") << "1,2 CONJ" << "1,-2";
    QTest::newRow("rect to polar, degrees") << "0,1 R2P" << "1,90";
    QTest::newRow("rect to polar, third quadrant") << "-1,-1 R2P" << "1.4142135623731,-135";
    QTest::newRow("polar to rect") << "2,180 P2R" << "-2,0";
    QTest::newRow("polar round trip") << "3,-4 R2P P2R" << "3,-4";
    QTest::newRow("sin") << "1.5707963267949 SIN" << "1,0";
    QTest::newRow("sin of j") << "0,1 SIN" << "0,1.1752011936438";
    QTest::newRow("cos of j") << "0,1 COS" << "1.54308063481524,0";
    QTest::newRow("tan pi/4") << "0.785398163397448 TAN" << "1,0";
    QTest::newRow("cot pi/4") << "0.785398163397448 COT" << "1,0";
    QTest::newRow("asin undoes sin") << "0.3,0.2 SIN ASIN" << "0.3,0.2";
    QTest::newRow("acos undoes cos") << "0.3,0.2 COS ACOS" << "0.3,0.2";
    QTest::newRow("atan 1") << "1 ATAN" << "0.785398163397448,0";
    QTest::newRow("acot 1") << "1 ACOT" << "0.785398163397448,0";
    QTest::newRow("sinh of j pi/2") << "0,1.5707963267949 SINH" << "0,1";
    QTest::newRow("cosh of j pi") << "0,3.14159265358979 COSH" << "-1,0";
    QTest::newRow("tanh 1") << "1 TANH" << "0.761594155955765,0";
    QTest::newRow("atanh 0.5") << "0.5 ATANH" << "0.549306144334055,0";
    QTest::newRow("coth 1") << "1 COTH" << "1.31303528549933,0";

    // Reference impedance.
    QTest::newRow("normalize Z") << "ZO=50 100,-25 NORMZ" << "2,-0.5";
    QTest::newRow("unnormalize Zn") << "ZO=50 1,1 UNNORMZ" << "50,50";
    QTest::newRow("normalize Y multiplies by Zo") << "ZO=50 0.02,0.01 NORMY" << "1,0.5";
    QTest::newRow("unnormalize Yn divides by Zo") << "ZO=50 1,0 UNNORMY" << "0.02,0";
    QTest::newRow("matched load reflects nothing") << "ZO=50 50 Z2G" << "0,0";
    QTest::newRow("short circuit reflects -1") << "ZO=50 0 Z2G" << "-1,0";
    QTest::newRow("100 ohm on 50") << "ZO=50 100 Z2G" << "0.333333333333333,0";
    QTest::newRow("50 + j50 on 50") << "ZO=50 50,50 Z2G" << "0.2,0.4";
    QTest::newRow("gamma back to Z") << "ZO=50 0.2,0.4 G2Z" << "50,50";
    QTest::newRow("Z to gamma and back on 75") << "ZO=75 30,-40 Z2G G2Z" << "30,-40";
}

void TestRpnStack::Sequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, stack);
    test::RecordingNotifier notes;
    const Run run = Press(keys);
    QVERIFY2(run.refusals.isEmpty(), qPrintable(run.refusals.join("; ")));
    QVERIFY2(notes.messages.empty(), notes.messages.empty() ? "" : notes.messages.front().text.c_str());
    CompareStack(run.state.stack, stack, 1e-12);
}

void TestRpnStack::Refusals_data()
{
    QTest::addColumn<QString>("keys");    // the last key is refused
    QTest::addColumn<QString>("message");

    QTest::newRow("divide by zero") << "1,1 ENTER 0 DIV" << "Data Error|Division by 0 \u00B1 j 0 is undefined";
    QTest::newRow("inverse of zero") << "5 ENTER 0 INV" << "Math Error|Inverse of 0 \u00B1 j 0 is undefined.";
    QTest::newRow("ln of zero") << "5 ENTER 0 LN" << "Data Error|Undefined for 0 \u00B1 j 0";
    QTest::newRow("log of zero") << "5 ENTER 0 LOG" << "Data Error|Undefined for 0 \u00B1 j 0";
    QTest::newRow("normalize to Zo 0") << "ZO=0 5 ENTER 3 NORMZ" << "Data Error|Cannot normalize to Zo = 0";
    QTest::newRow("unnormalize Yn with Zo 0") << "ZO=0 5 ENTER 3 UNNORMY" << "Data Error|Not defined for Zo = 0";
    QTest::newRow("gamma 0 to Z") << "ZO=50 5 ENTER 0 G2Z" << "Data Error|Not defined for x = 0 \u00B1 j 0";
}

void TestRpnStack::Refusals()
{
    QFETCH(QString, keys);
    QFETCH(QString, message);
    test::RecordingNotifier notes;
    QStringList head = keys.split(' ');
    head.removeLast();
    const Run before = Press(head.join(' '));
    const Run after = Press(keys);
    QCOMPARE(after.refusals, QStringList{message});
    // Nothing changes: not the stack, not the snapshot an Undo would restore.
    for (int i = 0; i < kStackDepth; ++i) {
        QCOMPARE(after.state.stack[std::size_t(i)].Re, before.state.stack[std::size_t(i)].Re);
        QCOMPARE(after.state.stack[std::size_t(i)].Im, before.state.stack[std::size_t(i)].Im);
        QCOMPARE(after.state.undo[std::size_t(i)].Re, before.state.undo[std::size_t(i)].Re);
        QCOMPARE(after.state.undo[std::size_t(i)].Im, before.state.undo[std::size_t(i)].Im);
    }
    QVERIFY(notes.messages.empty());
}

void TestRpnStack::UndoAfterEveryKey_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stack");

    const QString setup = "1,2 ENTER 3,-4 ENTER 5,6";
    const QString was = "5,6 3,-4 1,2";
    for (const char* key : {"ENTER", "DROP", "SWAP", "CLX", "CLALL", "ADD", "SUB", "MULT", "DIV", "YTOX", "SQUARE",
                            "INV", "SQRT", "LN", "EXP", "LOG", "MAG", "CONJ", "R2P", "P2R", "SIN", "COSH", "ATANH",
                            "NORMZ", "UNNORMZ", "NORMY", "UNNORMY", "Z2G", "G2Z", "RCLZO", "STOB", "RCLA"})
        QTest::newRow(key) << setup + " " + key + " UNDO" << was;
    QTest::newRow("a second Undo repeats the same restore") << setup + " CONJ UNDO UNDO" << was;
    // pi and e take no snapshot: Undo goes back to before the last Enter.
    QTest::newRow("pi keeps the older snapshot") << setup + " PI UNDO" << "3,-4 1,2";
    // Typing into x takes no snapshot either.
    QTest::newRow("typing is not undone") << "1 ENTER 2 UNDO" << "1";
    QTest::newRow("a refused key leaves the snapshot") << "1,2 ENTER 0 DIV UNDO" << "1,2";
}

void TestRpnStack::UndoAfterEveryKey()
{
    QFETCH(QString, keys);
    QFETCH(QString, stack);
    test::RecordingNotifier notes;
    CompareStack(Press(keys).state.stack, stack, 0.0);
}

void TestRpnStack::Memories()
{
    test::RecordingNotifier notes;
    // STO leaves the stack alone; each RCL lifts.
    Run run = Press("1,2 STOA 3,4 STOF 0 RCLA RCLF");
    CompareStack(run.state.stack, "3,4 1,2 0");
    QCOMPARE(run.state.memory[0].Im, 2.0);
    QCOMPARE(run.state.memory[5].Re, 3.0);
    QCOMPARE(run.state.memory[1].Re, 0.0);
    // Clear All empties the memories as well as the stack, and Undo gives back only the stack.
    run.state = Undo(ClearAll(run.state));
    CompareStack(run.state.stack, "3,4 1,2 0");
    for (const Complex& m : run.state.memory)
        QVERIFY(m.Re == 0.0 && m.Im == 0.0);
}

QTEST_APPLESS_MAIN(TestRpnStack)
#include "tst_rpnstack.moc"
