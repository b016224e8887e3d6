// The complex functions: worked values, identities over a grid of points, agreement with
// std::complex away from branch cuts, the points where the program's own formulas choose a
// different branch, and the fault rule (message text, title, icon, sound, quiet flag).
#include "core/cxmath.h"
#include "core/settings.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <string>

using namespace korvel;
using korvel::test::RecordingNotifier;
using Cd = std::complex<double>;

Q_DECLARE_METATYPE(std::string)

namespace {

using Unary = std::function<Complex(Complex)>;

const std::map<std::string, Unary>& UnaryFunctions()
{
    static const std::map<std::string, Unary> f = {
        {"CxToPolarDeg", CxToPolarDeg}, {"CxFromPolarDeg", CxFromPolarDeg},
        {"CxConj", CxConj},             {"CxInv", CxInv},
        {"CxSqrt", CxSqrt},             {"CxExp", CxExp},
        {"CxLn", CxLn},                 {"CxSin", CxSin},
        {"CxCos", CxCos},               {"CxTan", CxTan},
        {"CxCot", CxCot},               {"CxAsin", CxAsin},
        {"CxAcos", CxAcos},             {"CxAtan", CxAtan},
        {"CxAcot", CxAcot},             {"CxSinh", CxSinh},
        {"CxCosh", CxCosh},             {"CxTanh", CxTanh},
        {"CxAtanh", CxAtanh},           {"CxCoth", CxCoth},
        {"CxAbs", [](Complex z) { return Complex{CxAbs(z), 0.0}; }},
    };
    return f;
}

Unary Lookup(const std::string& name)
{
    const auto it = UnaryFunctions().find(name);
    if (it == UnaryFunctions().end())
        qFatal("no complex function named %s", name.c_str());
    return it->second;
}

Cd ToStd(Complex z) { return {z.Re, z.Im}; }

// Close within a relative tolerance (absolute near zero).
bool Near(Complex got, Cd want, double tol)
{
    const double scale = std::max(1.0, std::abs(want));
    return std::abs(ToStd(got) - want) <= tol * scale;
}

QByteArray Describe(Complex got, Cd want)
{
    return QByteArray("got (") + QByteArray::number(got.Re, 'g', 17) + ", " + QByteArray::number(got.Im, 'g', 17)
           + "), want (" + QByteArray::number(want.real(), 'g', 17) + ", "
           + QByteArray::number(want.imag(), 'g', 17) + ")";
}

// Points chosen off every branch cut and away from the poles (no zero part), in all four
// quadrants, small and large.
const double kGridX[] = {-2.5, -0.7, -0.05, 0.3, 1.2, 3.1};
const double kGridY[] = {-1.7, -0.4, 0.02, 0.6, 2.2};

} // namespace

class TestCxMath : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = std::make_unique<RecordingNotifier>(); }
    void cleanup() { recorder_.reset(); }

    void workedValues_data();
    void workedValues();
    void arithmetic_data();
    void arithmetic();
    void fromRealIsSinglePrecision();
    void polarDegrees_data();
    void polarDegrees();
    void identities_data();
    void identities();
    void againstStd_data();
    void againstStd();
    void ownBranches_data();
    void ownBranches();
    void faults_data();
    void faults();
    void faultMessageAndSound();
    void quietFaultKeepsTextAndSound();
    void faultWithoutSoundStillShows();
    void onlyFirstFaultOfACallIsReported();

private:
    std::unique_ptr<RecordingNotifier> recorder_;
};

void TestCxMath::workedValues_data()
{
    QTest::addColumn<std::string>("function");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("wantRe");
    QTest::addColumn<double>("wantIm");

    const double r2 = std::sqrt(2.0);
    QTest::newRow("sqrt of -4 is 2i") << std::string("CxSqrt") << -4.0 << 0.0 << 0.0 << 2.0;
    QTest::newRow("sqrt of -2i is 1-i") << std::string("CxSqrt") << 0.0 << -2.0 << 1.0 << -1.0;
    QTest::newRow("sqrt of 3+4i") << std::string("CxSqrt") << 3.0 << 4.0 << 2.0 << 1.0;
    QTest::newRow("sqrt of 0") << std::string("CxSqrt") << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("sqrt of 2i") << std::string("CxSqrt") << 0.0 << 2.0 << 1.0 << 1.0;
    QTest::newRow("exp of i pi") << std::string("CxExp") << 0.0 << kPi << -1.0 << 0.0;
    QTest::newRow("exp of 1") << std::string("CxExp") << 1.0 << 0.0 << kE << 0.0;
    QTest::newRow("ln of -1") << std::string("CxLn") << -1.0 << 0.0 << 0.0 << kPi;
    QTest::newRow("ln of -i") << std::string("CxLn") << 0.0 << -1.0 << 0.0 << -kPi / 2;
    QTest::newRow("ln of e i") << std::string("CxLn") << 0.0 << kE << 1.0 << kPi / 2;
    QTest::newRow("abs of 3-4i") << std::string("CxAbs") << 3.0 << -4.0 << 5.0 << 0.0;
    QTest::newRow("inverse of 1+i") << std::string("CxInv") << 1.0 << 1.0 << 0.5 << -0.5;
    QTest::newRow("conj") << std::string("CxConj") << 1.5 << -2.5 << 1.5 << 2.5;
    QTest::newRow("sin of i") << std::string("CxSin") << 0.0 << 1.0 << 0.0 << std::sinh(1.0);
    QTest::newRow("cos of i") << std::string("CxCos") << 0.0 << 1.0 << std::cosh(1.0) << 0.0;
    QTest::newRow("tan of pi/4") << std::string("CxTan") << kPi / 4 << 0.0 << 1.0 << 0.0;
    QTest::newRow("tan of i") << std::string("CxTan") << 0.0 << 1.0 << 0.0 << std::tanh(1.0);
    QTest::newRow("cot of pi/4") << std::string("CxCot") << kPi / 4 << 0.0 << 1.0 << 0.0;
    QTest::newRow("asin of 1 (branch point)") << std::string("CxAsin") << 1.0 << 0.0 << kPi / 2 << 0.0;
    QTest::newRow("asin of 0.5") << std::string("CxAsin") << 0.5 << 0.0 << kPi / 6 << 0.0;
    QTest::newRow("acos of 1 (branch point)") << std::string("CxAcos") << 1.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("acos of 0.5") << std::string("CxAcos") << 0.5 << 0.0 << kPi / 3 << 0.0;
    QTest::newRow("acos of 0") << std::string("CxAcos") << 0.0 << 0.0 << kPi / 2 << 0.0;
    QTest::newRow("atan of 1") << std::string("CxAtan") << 1.0 << 0.0 << kPi / 4 << 0.0;
    QTest::newRow("atan of 0") << std::string("CxAtan") << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("atan of 2i") << std::string("CxAtan") << 0.0 << 2.0 << kPi / 2 << 0.5 * std::log(3.0);
    QTest::newRow("acot of 1") << std::string("CxAcot") << 1.0 << 0.0 << kPi / 4 << 0.0;
    QTest::newRow("acot of -1") << std::string("CxAcot") << -1.0 << 0.0 << -kPi / 4 << 0.0;
    QTest::newRow("sinh of i pi/2") << std::string("CxSinh") << 0.0 << kPi / 2 << 0.0 << 1.0;
    QTest::newRow("cosh of 1") << std::string("CxCosh") << 1.0 << 0.0 << std::cosh(1.0) << 0.0;
    QTest::newRow("tanh of 0.5") << std::string("CxTanh") << 0.5 << 0.0 << std::tanh(0.5) << 0.0;
    QTest::newRow("tanh of i pi/4") << std::string("CxTanh") << 0.0 << kPi / 4 << 0.0 << 1.0;
    QTest::newRow("atanh of 0.5") << std::string("CxAtanh") << 0.5 << 0.0 << 0.5493061443340548 << 0.0;
    QTest::newRow("atanh of 2 (on the cut)") << std::string("CxAtanh") << 2.0 << 0.0 << 0.5 * std::log(3.0)
                                             << kPi / 2;
    QTest::newRow("coth of 1") << std::string("CxCoth") << 1.0 << 0.0 << 1.3130352854993315 << 0.0;
    QTest::newRow("polar of 1+i") << std::string("CxToPolarDeg") << 1.0 << 1.0 << r2 << 45.0;
    QTest::newRow("polar of -1") << std::string("CxToPolarDeg") << -1.0 << 0.0 << 1.0 << 180.0;
}

void TestCxMath::workedValues()
{
    QFETCH(std::string, function);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, wantRe);
    QFETCH(double, wantIm);
    const Complex got = Lookup(function)({x, y});
    const Cd want(wantRe, wantIm);
    QVERIFY2(Near(got, want, 1e-12), Describe(got, want).constData());
    QVERIFY(recorder_->messages.empty());
    QVERIFY(recorder_->sounds.empty());
}

void TestCxMath::arithmetic_data()
{
    QTest::addColumn<std::string>("op");
    QTest::addColumn<double>("ar");
    QTest::addColumn<double>("ai");
    QTest::addColumn<double>("br");
    QTest::addColumn<double>("bi");
    QTest::addColumn<double>("wantRe");
    QTest::addColumn<double>("wantIm");

    QTest::newRow("add") << std::string("add") << 1.0 << 2.0 << 3.0 << -5.0 << 4.0 << -3.0;
    QTest::newRow("sub") << std::string("sub") << 1.0 << 2.0 << 3.0 << -5.0 << -2.0 << 7.0;
    QTest::newRow("mul") << std::string("mul") << 1.0 << 2.0 << 3.0 << -5.0 << 13.0 << 1.0;
    QTest::newRow("mul i*i") << std::string("mul") << 0.0 << 1.0 << 0.0 << 1.0 << -1.0 << 0.0;
    QTest::newRow("div") << std::string("div") << 13.0 << 1.0 << 3.0 << -5.0 << 1.0 << 2.0;
    QTest::newRow("div by i") << std::string("div") << 1.0 << 0.0 << 0.0 << 1.0 << 0.0 << -1.0;
    QTest::newRow("div of tiny parts") << std::string("div") << 3e-150 << 4e-150 << 1e-150 << 0.0 << 3.0 << 4.0;
}

void TestCxMath::arithmetic()
{
    QFETCH(std::string, op);
    QFETCH(double, ar);
    QFETCH(double, ai);
    QFETCH(double, br);
    QFETCH(double, bi);
    QFETCH(double, wantRe);
    QFETCH(double, wantIm);
    const Complex a{ar, ai};
    const Complex b{br, bi};
    Complex got;
    if (op == "add")
        got = CxAdd(a, b);
    else if (op == "sub")
        got = CxSub(a, b);
    else if (op == "mul")
        got = CxMul(a, b);
    else
        got = CxDiv(a, b);
    const Cd want(wantRe, wantIm);
    QVERIFY2(Near(got, want, 1e-12), Describe(got, want).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestCxMath::fromRealIsSinglePrecision()
{
    // The argument is a single-precision number: 0.1 arrives as the float nearest to 0.1.
    const Complex z = CxFromReal(0.1f);
    QCOMPARE(z.Re, static_cast<double>(0.1f));
    QVERIFY(z.Re != 0.1);
    QCOMPARE(z.Im, 0.0);
    QCOMPARE(CxFromReal(-3.5f).Re, -3.5);
}

void TestCxMath::polarDegrees_data()
{
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("deg");
    QTest::addColumn<double>("wantRe");
    QTest::addColumn<double>("wantIm");

    const double r3 = std::sqrt(3.0);
    QTest::newRow("2 at 210") << 2.0 << 210.0 << -r3 << -1.0;
    QTest::newRow("-2 at 30 points the other way") << -2.0 << 30.0 << -r3 << -1.0;
    QTest::newRow("-1 at 0") << -1.0 << 0.0 << -1.0 << 0.0;
    QTest::newRow("zero magnitude has no angle") << 0.0 << 123.0 << 0.0 << 0.0;
    QTest::newRow("whole turns removed, 810") << 1.0 << 810.0 << 0.0 << 1.0;
    QTest::newRow("whole turns removed, -1000") << 1.0 << -1000.0 << std::cos(80.0 * kPi / 180)
                                                << std::sin(80.0 * kPi / 180);
    QTest::newRow("3 at -90") << 3.0 << -90.0 << 0.0 << -3.0;
}

void TestCxMath::polarDegrees()
{
    QFETCH(double, m);
    QFETCH(double, deg);
    QFETCH(double, wantRe);
    QFETCH(double, wantIm);
    const Complex got = CxFromPolarDeg({m, deg});
    QVERIFY2(Near(got, Cd(wantRe, wantIm), 1e-12), Describe(got, Cd(wantRe, wantIm)).constData());
}

void TestCxMath::identities_data()
{
    QTest::addColumn<std::string>("identity");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    const char* identities[] = {
        "exp(ln z) = z",        "sqrt(z)^2 = z",         "sin(asin z) = z",       "cos(acos z) = z",
        "tan(atan z) = z",      "cot(acot z) = z",       "tanh(atanh z) = z",     "tan = sin / cos",
        "cot = 1 / tan",        "coth = 1 / tanh",       "cosh^2 - sinh^2 = 1",   "sin(iz) = i sinh z",
        "(a / z) z = a",        "polar round trip",      "exp(a + z) = exp a exp z", "conj(z) z = |z|^2",
    };
    for (const char* id : identities)
        for (double x : kGridX)
            for (double y : kGridY)
                QTest::addRow("%s at (%g, %g)", id, x, y) << std::string(id) << x << y;
}

void TestCxMath::identities()
{
    QFETCH(std::string, identity);
    QFETCH(double, x);
    QFETCH(double, y);
    const Complex z{x, y};
    const Complex a{0.8, -1.9};
    Complex lhs;
    Complex rhs = z;
    if (identity == "exp(ln z) = z") {
        lhs = CxExp(CxLn(z));
    } else if (identity == "sqrt(z)^2 = z") {
        const Complex s = CxSqrt(z);
        lhs = CxMul(s, s);
        QVERIFY(s.Re >= 0.0); // the principal root
    } else if (identity == "sin(asin z) = z") {
        lhs = CxSin(CxAsin(z));
    } else if (identity == "cos(acos z) = z") {
        lhs = CxCos(CxAcos(z));
    } else if (identity == "tan(atan z) = z") {
        lhs = CxTan(CxAtan(z));
    } else if (identity == "cot(acot z) = z") {
        lhs = CxCot(CxAcot(z));
    } else if (identity == "tanh(atanh z) = z") {
        lhs = CxTanh(CxAtanh(z));
    } else if (identity == "tan = sin / cos") {
        lhs = CxTan(z);
        rhs = CxDiv(CxSin(z), CxCos(z));
    } else if (identity == "cot = 1 / tan") {
        lhs = CxCot(z);
        rhs = CxInv(CxTan(z));
    } else if (identity == "coth = 1 / tanh") {
        lhs = CxCoth(z);
        rhs = CxInv(CxTanh(z));
    } else if (identity == "cosh^2 - sinh^2 = 1") {
        const Complex c = CxCosh(z);
        const Complex s = CxSinh(z);
        lhs = CxSub(CxMul(c, c), CxMul(s, s));
        rhs = {1.0, 0.0};
    } else if (identity == "sin(iz) = i sinh z") {
        lhs = CxSin({-y, x});
        rhs = CxMul({0.0, 1.0}, CxSinh(z));
    } else if (identity == "(a / z) z = a") {
        lhs = CxMul(CxDiv(a, z), z);
        rhs = a;
    } else if (identity == "polar round trip") {
        lhs = CxFromPolarDeg(CxToPolarDeg(z));
    } else if (identity == "exp(a + z) = exp a exp z") {
        lhs = CxExp(CxAdd(a, z));
        rhs = CxMul(CxExp(a), CxExp(z));
    } else if (identity == "conj(z) z = |z|^2") {
        lhs = CxMul(CxConj(z), z);
        rhs = {CxAbs(z) * CxAbs(z), 0.0};
    } else {
        QFAIL("unknown identity");
    }
    // cosh^2 - sinh^2 loses digits to cancellation when |y| is large.
    const double tol = identity == "cosh^2 - sinh^2 = 1" ? 1e-9 : 1e-11;
    QVERIFY2(Near(lhs, ToStd(rhs), tol), Describe(lhs, ToStd(rhs)).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestCxMath::againstStd_data()
{
    QTest::addColumn<std::string>("function");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    const char* functions[] = {"CxSqrt", "CxExp",  "CxLn",   "CxSin",  "CxCos",  "CxTan",  "CxCot",
                               "CxAsin", "CxAcos", "CxAtan", "CxAcot", "CxSinh", "CxCosh", "CxTanh",
                               "CxAtanh", "CxCoth", "CxAbs", "CxInv", "CxConj"};
    for (const char* f : functions)
        for (double x : kGridX)
            for (double y : kGridY)
                QTest::addRow("%s(%g, %g)", f, x, y) << std::string(f) << x << y;
}

void TestCxMath::againstStd()
{
    QFETCH(std::string, function);
    QFETCH(double, x);
    QFETCH(double, y);
    const Cd z(x, y);
    static const std::map<std::string, std::function<Cd(Cd)>> reference = {
        {"CxSqrt", [](Cd v) { return std::sqrt(v); }},
        {"CxExp", [](Cd v) { return std::exp(v); }},
        {"CxLn", [](Cd v) { return std::log(v); }},
        {"CxSin", [](Cd v) { return std::sin(v); }},
        {"CxCos", [](Cd v) { return std::cos(v); }},
        {"CxTan", [](Cd v) { return std::tan(v); }},
        {"CxCot", [](Cd v) { return 1.0 / std::tan(v); }},
        {"CxAsin", [](Cd v) { return std::asin(v); }},
        {"CxAcos", [](Cd v) { return std::acos(v); }},
        {"CxAtan", [](Cd v) { return std::atan(v); }},
        {"CxAcot", [](Cd v) { return std::atan(1.0 / v); }},
        {"CxSinh", [](Cd v) { return std::sinh(v); }},
        {"CxCosh", [](Cd v) { return std::cosh(v); }},
        {"CxTanh", [](Cd v) { return std::tanh(v); }},
        {"CxAtanh", [](Cd v) { return std::atanh(v); }},
        {"CxCoth", [](Cd v) { return 1.0 / std::tanh(v); }},
        {"CxAbs", [](Cd v) { return Cd(std::abs(v), 0.0); }},
        {"CxInv", [](Cd v) { return 1.0 / v; }},
        {"CxConj", [](Cd v) { return std::conj(v); }},
    };
    const Cd want = reference.at(function)(z);
    const Complex got = Lookup(function)({x, y});
    // The program's pi is 3.14159265358979, a few units in the 15th digit below the double
    // nearest to pi, so angles agree to about 1e-14, not to the last bit.
    QVERIFY2(Near(got, want, 1e-11), Describe(got, want).constData());
}

void TestCxMath::ownBranches_data()
{
    QTest::addColumn<std::string>("function");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("wantRe");
    QTest::addColumn<double>("wantIm");

    // On the negative real axis the sign of a zero imaginary part does not matter here: the
    // root takes +i and the logarithm +i pi, where std::complex follows the sign of -0 and gives
    // -2i and -i pi.
    QTest::newRow("sqrt of -4 - 0i") << std::string("CxSqrt") << -4.0 << -0.0 << 0.0 << 2.0;
    QTest::newRow("ln of -1 - 0i") << std::string("CxLn") << -1.0 << -0.0 << 0.0 << kPi;
    // The arc cosine is i ln(z - i sqrt(1 - z^2)); at -1 the logarithm's argument is -1, whose
    // angle is +pi, so the result is -pi (std::acos gives +pi; both have cosine -1).
    QTest::newRow("acos of -1") << std::string("CxAcos") << -1.0 << 0.0 << -kPi << 0.0;
    // Beyond 1 on the real axis the arc sine is pi/2 - i ln(2 + sqrt 3) whatever the sign of the
    // zero imaginary part (std::asin follows the sign and gives +i ln(2 + sqrt 3) for +0).
    QTest::newRow("asin of 2") << std::string("CxAsin") << 2.0 << 0.0 << kPi / 2
                               << -std::log(2.0 + std::sqrt(3.0));
    QTest::newRow("asin of 2 - 0i") << std::string("CxAsin") << 2.0 << -0.0 << kPi / 2
                                    << -std::log(2.0 + std::sqrt(3.0));
}

void TestCxMath::ownBranches()
{
    QFETCH(std::string, function);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, wantRe);
    QFETCH(double, wantIm);
    const Complex got = Lookup(function)({x, y});
    QVERIFY2(Near(got, Cd(wantRe, wantIm), 1e-12), Describe(got, Cd(wantRe, wantIm)).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestCxMath::faults_data()
{
    QTest::addColumn<std::string>("call");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("wantRe");
    QTest::addColumn<double>("wantIm");

    const QString div0 = "11  Division by zero";
    const QString over = "6  Overflow";
    const QString invalid = "5  Invalid procedure call or argument";

    // Dividing by (0, 0) makes both numerators 0 too; it is still a division by zero.
    QTest::newRow("div by zero") << std::string("div by zero") << QStringList{"Sys Error M35-" + div0} << 0.0
                                 << 0.0;
    // A divisor so small that its squared magnitude is 0 while the numerator is not.
    QTest::newRow("div by underflowing divisor")
        << std::string("div by 1e-200") << QStringList{"Sys Error M35-" + div0} << 0.0 << 0.0;
    QTest::newRow("inverse of zero reports as the division")
        << std::string("inv of 0") << QStringList{"Sys Error M35-" + div0} << 0.0 << 0.0;
    QTest::newRow("ln of zero") << std::string("ln of 0") << QStringList{"Sys Error M39-" + invalid} << 0.0
                                << 0.0;
    QTest::newRow("exp overflow") << std::string("exp of 710") << QStringList{"Sys Error M38-" + over} << 0.0
                                  << 0.0;
    QTest::newRow("sin of a large imaginary part")
        << std::string("sin of 800i") << QStringList{"Sys Error M41-" + over} << 0.0 << 0.0;
    QTest::newRow("cos of a large imaginary part")
        << std::string("cos of 800i") << QStringList{"Sys Error M43-" + over} << 0.0 << 0.0;
    QTest::newRow("cosh of a large real part")
        << std::string("cosh of 800") << QStringList{"Sys Error M55-" + over} << 0.0 << 0.0;
    QTest::newRow("sinh of a large real part")
        << std::string("sinh of 800") << QStringList{"Sys Error M53-" + over} << 0.0 << 0.0;
    QTest::newRow("tan with cosh 2y overflowing")
        << std::string("tan of 400i") << QStringList{"Sys Error M45-" + over} << 0.0 << 0.0;
    QTest::newRow("tanh with cosh 2x overflowing")
        << std::string("tanh of 400") << QStringList{"Sys Error M57-" + over} << 0.0 << 0.0;
    QTest::newRow("mul overflow, only the real part")
        << std::string("mul huge") << QStringList{"Sys Error M34-" + over} << 0.0 << 1e200;
    QTest::newRow("add overflow") << std::string("add huge") << QStringList{"Sys Error M32-" + over} << 0.0
                                  << 1.0;
    QTest::newRow("sub overflow") << std::string("sub huge") << QStringList{"Sys Error M33-" + over} << 0.0
                                  << -1.0;
    QTest::newRow("abs overflow") << std::string("abs huge") << QStringList{"Sys Error M36-" + over} << 0.0
                                  << 0.0;
    // |z|^2 underflows to 0, so m - x is negative: the real part is already computed and kept.
    QTest::newRow("sqrt of a tiny positive number keeps its real part")
        << std::string("sqrt of 1e-200") << QStringList{"Sys Error M37-" + invalid} << std::sqrt(0.5e-200)
        << 0.0;
    QTest::newRow("cot of zero reports as the division")
        << std::string("cot of 0") << QStringList{"Sys Error M35-" + div0} << 0.0 << 0.0;
    QTest::newRow("coth of zero reports as the division")
        << std::string("coth of 0") << QStringList{"Sys Error M35-" + div0} << 0.0 << 0.0;
    // Each procedure reports its own fault: the division and then the logarithm of its (0, 0).
    QTest::newRow("atanh of 1: two procedures fault")
        << std::string("atanh of 1") << QStringList{"Sys Error M35-" + div0, "Sys Error M39-" + invalid} << 0.0
        << 0.0;
    // At i the quotient is 0 without a fault; at -i the divisor is 0.
    QTest::newRow("atan of i: logarithm of 0")
        << std::string("atan of i") << QStringList{"Sys Error M39-" + invalid} << 0.0 << 0.0;
    QTest::newRow("atan of -i: two procedures fault")
        << std::string("atan of -i") << QStringList{"Sys Error M35-" + div0, "Sys Error M39-" + invalid} << 0.0
        << 0.0;
    QTest::newRow("polar of a huge number reports in CxAbs")
        << std::string("polar huge") << QStringList{"Sys Error M36-" + over} << 0.0 << 45.0;
    QTest::newRow("polar form with a huge angle")
        << std::string("from polar huge angle") << QStringList{"Sys Error M30-" + over} << 2.0 << 0.0;
}

void TestCxMath::faults()
{
    QFETCH(std::string, call);
    QFETCH(QStringList, texts);
    QFETCH(double, wantRe);
    QFETCH(double, wantIm);

    static const std::map<std::string, std::function<Complex()>> calls = {
        {"div by zero", [] { return CxDiv({1.0, 2.0}, {0.0, 0.0}); }},
        {"div by 1e-200", [] { return CxDiv({1.0, 0.0}, {1e-200, 0.0}); }},
        {"inv of 0", [] { return CxInv({0.0, 0.0}); }},
        {"ln of 0", [] { return CxLn({0.0, 0.0}); }},
        {"exp of 710", [] { return CxExp({710.0, 0.5}); }},
        {"sin of 800i", [] { return CxSin({0.3, 800.0}); }},
        {"cos of 800i", [] { return CxCos({0.3, 800.0}); }},
        {"cosh of 800", [] { return CxCosh({800.0, 0.3}); }},
        {"sinh of 800", [] { return CxSinh({800.0, 0.3}); }},
        {"tan of 400i", [] { return CxTan({0.3, 400.0}); }},
        {"tanh of 400", [] { return CxTanh({400.0, 0.3}); }},
        {"mul huge", [] { return CxMul({1e200, 1.0}, {1e200, 0.0}); }},
        {"add huge", [] { return CxAdd({1.7e308, 0.5}, {1.7e308, 0.5}); }},
        {"sub huge", [] { return CxSub({1.7e308, -0.5}, {-1.7e308, 0.5}); }},
        {"abs huge", [] { return Complex{CxAbs({1e200, 1e200}), 0.0}; }},
        {"sqrt of 1e-200", [] { return CxSqrt({1e-200, 0.0}); }},
        {"cot of 0", [] { return CxCot({0.0, 0.0}); }},
        {"coth of 0", [] { return CxCoth({0.0, 0.0}); }},
        {"atanh of 1", [] { return CxAtanh({1.0, 0.0}); }},
        {"atan of i", [] { return CxAtan({0.0, 1.0}); }},
        {"atan of -i", [] { return CxAtan({0.0, -1.0}); }},
        {"polar huge", [] { return CxToPolarDeg({1e200, 1e200}); }},
        {"from polar huge angle", [] { return CxFromPolarDeg({2.0, 1e308}); }},
    };
    const Complex got = calls.at(call)();

    QCOMPARE(recorder_->messages.size(), static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QCOMPARE(QString::fromStdString(recorder_->messages[i].text), texts[i]);
        QCOMPARE(QString::fromStdString(recorder_->messages[i].title), QString("Unexpected math error."));
        QVERIFY(recorder_->messages[i].icon == MsgIcon::Exclamation);
    }
    QCOMPARE(recorder_->sounds.size(), static_cast<std::size_t>(texts.size()));
    QCOMPARE(QString::fromStdString(Settings().lastMathError), texts.last());
    QVERIFY2(Near(got, Cd(wantRe, wantIm), 1e-12), Describe(got, Cd(wantRe, wantIm)).constData());
    // Only the log-axis functions raise the flag; a fault report leaves it alone.
    QVERIFY(!Settings().mathErrorFlag);
}

void TestCxMath::faultMessageAndSound()
{
    CxDiv({1.0, 0.0}, {1e-200, 0.0});
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    QCOMPARE(recorder_->messages[0].title, std::string("Unexpected math error."));
    QCOMPARE(recorder_->messages[0].text, std::string("Sys Error M35-11  Division by zero"));
    QVERIFY(recorder_->messages[0].icon == MsgIcon::Exclamation);
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
}

void TestCxMath::quietFaultKeepsTextAndSound()
{
    Settings().quietMathErrors = true;
    const Complex r = CxLn({0.0, 0.0});
    QVERIFY(recorder_->messages.empty());
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
    QCOMPARE(Settings().lastMathError, std::string("Sys Error M39-5  Invalid procedure call or argument"));
    QCOMPARE(r.Re, 0.0);
    QCOMPARE(r.Im, 0.0);
}

void TestCxMath::faultWithoutSoundStillShows()
{
    Settings().soundEnabled = false;
    CxExp({1000.0, 0.0});
    QVERIFY(recorder_->sounds.empty());
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    QCOMPARE(recorder_->messages[0].text, std::string("Sys Error M38-6  Overflow"));
}

void TestCxMath::onlyFirstFaultOfACallIsReported()
{
    // Both parts of the quotient fault; the call reports once and the next call reports again.
    CxDiv({1.0, 1.0}, {0.0, 0.0});
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    CxDiv({1.0, 1.0}, {0.0, 0.0});
    QCOMPARE(recorder_->messages.size(), std::size_t{2});
    QCOMPARE(recorder_->sounds.size(), std::size_t{2});
}

QTEST_APPLESS_MAIN(TestCxMath)
#include "tst_cxmath.moc"
