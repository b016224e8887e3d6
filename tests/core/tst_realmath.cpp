// The real functions of the math module: logarithms and powers, the four-quadrant arctangent,
// the hyperbolic functions, the guarded exponential, the Bessel approximation, random whole
// numbers, rounding to steps and the log-axis bounds, with their fault reports.
#include "core/cxmath.h"
#include "core/settings.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>

using namespace korvel;
using korvel::test::RecordingNotifier;

Q_DECLARE_METATYPE(std::string)

namespace {

bool RelNear(double got, double want, double rel)
{
    if (want == 0.0)
        return std::fabs(got) <= rel;
    return std::fabs(got - want) <= rel * std::fabs(want);
}

QByteArray Show(double got, double want)
{
    return "got " + QByteArray::number(got, 'g', 17) + ", want " + QByteArray::number(want, 'g', 17);
}

} // namespace

class TestRealMath : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = std::make_unique<RecordingNotifier>(); }
    void cleanup() { recorder_.reset(); }

    void logAndPower_data();
    void logAndPower();
    void atan2_data();
    void atan2();
    void atan2AgreesWithStd_data();
    void atan2AgreesWithStd();
    void hyperbolic_data();
    void hyperbolic();
    void safeExp_data();
    void safeExp();
    void besselI0_data();
    void besselI0();
    void besselI0FormulasMeetAt375();
    void randomInt_data();
    void randomInt();
    void fractionDigits_data();
    void fractionDigits();
    void fractionDigitsCommaSeparator();
    void roundOut_data();
    void roundOut();
    void logAxis_data();
    void logAxis();
    void logAxisRefusesNonPositive_data();
    void logAxisRefusesNonPositive();
    void faults_data();
    void faults();

private:
    std::unique_ptr<RecordingNotifier> recorder_;
};

void TestRealMath::logAndPower_data()
{
    QTest::addColumn<std::string>("function");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("want");

    QTest::newRow("log10 1000") << std::string("Log10") << 1000.0 << 3.0;
    QTest::newRow("log10 0.001") << std::string("Log10") << 0.001 << -3.0;
    QTest::newRow("log10 1") << std::string("Log10") << 1.0 << 0.0;
    QTest::newRow("log10 2") << std::string("Log10") << 2.0 << 0.30102999566398120;
    QTest::newRow("log10 1e300") << std::string("Log10") << 1e300 << 300.0;
    QTest::newRow("pow10 2.5") << std::string("Pow10") << 2.5 << 316.22776601683796;
    QTest::newRow("pow10 -3") << std::string("Pow10") << -3.0 << 0.001;
    QTest::newRow("pow10 0") << std::string("Pow10") << 0.0 << 1.0;
    QTest::newRow("pow10 308") << std::string("Pow10") << 308.0 << 1e308;
}

void TestRealMath::logAndPower()
{
    QFETCH(std::string, function);
    QFETCH(double, x);
    QFETCH(double, want);
    const double got = function == "Log10" ? Log10(x) : Pow10(x);
    QVERIFY2(RelNear(got, want, 1e-14), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::atan2_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("want");

    QTest::newRow("origin") << 0.0 << 0.0 << 0.0;
    QTest::newRow("negative zero at the origin") << -0.0 << -0.0 << 0.0;
    QTest::newRow("positive real axis") << 0.0 << 5.0 << 0.0;
    QTest::newRow("negative real axis") << 0.0 << -1.0 << kPi;
    // -0 compares equal to 0, so it is not "below" the negative real axis.
    QTest::newRow("negative real axis, -0") << -0.0 << -1.0 << kPi;
    QTest::newRow("positive imaginary axis") << 1.0 << 0.0 << kPi / 2;
    QTest::newRow("negative imaginary axis") << -3.0 << 0.0 << -kPi / 2;
    QTest::newRow("positive imaginary axis, x = -0") << 2.0 << -0.0 << kPi / 2;
    QTest::newRow("first quadrant") << 1.0 << 1.0 << kPi / 4;
    QTest::newRow("second quadrant") << 1.0 << -1.0 << 3 * kPi / 4;
    QTest::newRow("third quadrant") << -1.0 << -1.0 << -3 * kPi / 4;
    QTest::newRow("fourth quadrant") << -1.0 << 1.0 << -kPi / 4;
    QTest::newRow("second quadrant, 150 degrees") << 1.0 << -std::sqrt(3.0) << 5 * kPi / 6;
}

void TestRealMath::atan2()
{
    QFETCH(double, y);
    QFETCH(double, x);
    QFETCH(double, want);
    const double got = Atan2(y, x);
    QVERIFY2(std::fabs(got - want) <= 1e-15 * std::max(1.0, std::fabs(want)), Show(got, want).constData());
}

void TestRealMath::atan2AgreesWithStd_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    const double values[] = {-7.5, -1.0, -0.01, 0.003, 0.9, 12.0};
    for (double y : values)
        for (double x : values)
            QTest::addRow("(%g, %g)", y, x) << y << x;
}

void TestRealMath::atan2AgreesWithStd()
{
    QFETCH(double, y);
    QFETCH(double, x);
    // Off the axes the quadrant rules give the principal angle; the program's pi differs from
    // the double nearest to pi by about 3e-15.
    QVERIFY2(std::fabs(Atan2(y, x) - std::atan2(y, x)) < 1e-14, Show(Atan2(y, x), std::atan2(y, x)).constData());
}

void TestRealMath::hyperbolic_data()
{
    QTest::addColumn<std::string>("function");
    QTest::addColumn<double>("x");

    for (const char* f : {"RSinh", "RCosh", "RTanh", "RCoth"})
        for (double x : {-20.0, -3.0, -0.5, 0.25, 1.0, 4.0, 30.0, 700.0})
            QTest::addRow("%s(%g)", f, x) << std::string(f) << x;
}

void TestRealMath::hyperbolic()
{
    QFETCH(std::string, function);
    QFETCH(double, x);
    static const std::map<std::string, std::pair<double (*)(double), std::function<double(double)>>> f = {
        {"RSinh", {RSinh, [](double v) { return std::sinh(v); }}},
        {"RCosh", {RCosh, [](double v) { return std::cosh(v); }}},
        {"RTanh", {RTanh, [](double v) { return std::tanh(v); }}},
        {"RCoth", {RCoth, [](double v) { return 1.0 / std::tanh(v); }}},
    };
    const auto& [own, reference] = f.at(function);
    const double got = own(x);
    const double want = reference(x);
    // (e^x - e^-x) / 2 loses relative accuracy near 0 to cancellation; these points keep it
    // within 1e-14.
    QVERIFY2(RelNear(got, want, 1e-14), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::safeExp_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("want");

    QTest::newRow("0") << 0.0 << 1.0;
    QTest::newRow("1") << 1.0 << std::exp(1.0);
    QTest::newRow("709 is still computed") << 709.0 << std::exp(709.0);
    QTest::newRow("709.5 is capped") << 709.5 << 1e300;
    QTest::newRow("just above 709 is capped") << std::nextafter(709.0, 710.0) << 1e300;
    QTest::newRow("1e6 is capped") << 1e6 << 1e300;
    QTest::newRow("large negative underflows to 0") << -800.0 << 0.0;
}

void TestRealMath::safeExp()
{
    QFETCH(double, x);
    QFETCH(double, want);
    QCOMPARE(SafeExp(x), want);
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::besselI0_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("want");
    QTest::addColumn<double>("tolerance");

    // The series near zero is good to 1.6e-7 of I0 itself; the asymptotic form to 1.9e-7 of
    // e^-x sqrt(x) I0(x), which is about 0.4, so to about 5e-7 relative.
    const double series = 1.6e-7;
    const double asymptotic = 5e-7;
    // Values from the power series sum (x/2)^(2k) / (k!)^2, to 16 digits.
    QTest::newRow("0") << 0.0 << 1.0 << series;
    QTest::newRow("0.5") << 0.5 << 1.063483370741323 << series;
    QTest::newRow("1") << 1.0 << 1.266065877752008 << series;
    QTest::newRow("-1 (even function)") << -1.0 << 1.266065877752008 << series;
    QTest::newRow("2") << 2.0 << 2.279585302336067 << series;
    QTest::newRow("3.75") << 3.75 << 9.118945860844567 << asymptotic;
    QTest::newRow("5") << 5.0 << 27.23987182360445 << asymptotic;
    QTest::newRow("-5 (even function)") << -5.0 << 27.23987182360445 << asymptotic;
    QTest::newRow("10") << 10.0 << 2815.716628466254 << asymptotic;
    QTest::newRow("20") << 20.0 << 43558282.55955353 << asymptotic;
    QTest::newRow("50") << 50.0 << 2.932553783849336e20 << asymptotic;
}

void TestRealMath::besselI0()
{
    QFETCH(double, x);
    QFETCH(double, want);
    QFETCH(double, tolerance);
    const double got = BesselI0(x);
    QVERIFY2(RelNear(got, want, tolerance), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::besselI0FormulasMeetAt375()
{
    // The two approximations meet at 3.75 within their accuracy ...
    const double below = BesselI0(std::nextafter(3.75, 0.0));
    const double at = BesselI0(3.75);
    QVERIFY2(RelNear(below, at, 5e-8), Show(below, at).constData());
    // ... but not to the last digit, which shows which one is used where: the series (the sum of
    // its coefficients at t = 1 is 9.1189458) just below, the asymptotic form from 3.75 on
    // (e^3.75 / sqrt(3.75) times the sum of its coefficients, 9.1189459938).
    QVERIFY2(RelNear(below, 9.1189458, 1e-12), Show(below, 9.1189458).constData());
    QVERIFY2(RelNear(at, 9.11894599379099, 1e-12), Show(at, 9.11894599379099).constData());
    QVERIFY2(RelNear(BesselI0(-3.75), at, 1e-15), "the asymptotic form is used for -3.75 too");
    // Very large arguments are capped through SafeExp rather than overflowing.
    const double huge = BesselI0(1000.0);
    QVERIFY(std::isfinite(huge) && huge > 1e298);
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::randomInt_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");

    QTest::newRow("1..4") << 1 << 4;
    QTest::newRow("1..6") << 1 << 6;
    QTest::newRow("0..1") << 0 << 1;
    QTest::newRow("negative range") << -3 << -1;
    QTest::newRow("single value") << 7 << 7;
}

void TestRealMath::randomInt()
{
    QFETCH(int, low);
    QFETCH(int, high);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int r = RandomInt(low, high);
        QVERIFY2(r >= low && r <= high, QByteArray::number(r).constData());
        seen.insert(r);
    }
    // Every whole number of the range turns up, the ends included.
    QCOMPARE(static_cast<int>(seen.size()), high - low + 1);
}

void TestRealMath::fractionDigits_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("want");

    QTest::newRow("-12.75 gives the fraction without sign") << -12.75 << 0.75;
    QTest::newRow("3 has none") << 3.0 << 0.0;
    QTest::newRow("0") << 0.0 << 0.0;
    QTest::newRow("12345.678") << 12345.678 << 0.678;
    QTest::newRow("0.5") << 0.5 << 0.5;
    // Written with 15 significant digits the quotient 4.2 / 0.1 is a whole 42.
    QTest::newRow("4.2 / 0.1 is whole") << 4.2 / 0.1 << 0.0;
    QTest::newRow("0.3 / 0.1 is whole") << 0.3 / 0.1 << 0.0;
    // Small values are written with an exponent: 1E-05 has no separator at all ...
    QTest::newRow("0.00001 is written 1E-05") << 0.00001 << 0.0;
    // ... and in 1.5E-05 the text after the separator keeps the exponent.
    QTest::newRow("0.000015 is written 1.5E-05") << 0.000015 << 0.000005;
    QTest::newRow("-0.000015") << -0.000015 << 0.000005;
    QTest::newRow("1e20 is written 1E+20") << 1e20 << 0.0;
    QTest::newRow("1.5e20 is written 1.5E+20") << 1.5e20 << 5e19;
}

void TestRealMath::fractionDigits()
{
    QFETCH(double, x);
    QFETCH(double, want);
    const double got = FractionDigits(x);
    QVERIFY2(RelNear(got, want, 1e-12), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::fractionDigitsCommaSeparator()
{
    // The fraction is found through the locale's separator, not a fixed point.
    Settings().decimalSeparator = std::string(1, ',');
    QVERIFY2(RelNear(FractionDigits(-12.75), 0.75, 1e-12), Show(FractionDigits(-12.75), 0.75).constData());
    QCOMPARE(FractionDigits(3.0), 0.0);
    QVERIFY(RelNear(StepFraction(4.2, 0.5), 0.4, 1e-12));
}

void TestRealMath::roundOut_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("want");

    QTest::newRow("4.2 by 0.5 rounds up") << 4.2 << 0.5 << 4.5;
    QTest::newRow("-4.2 by 0.5 rounds down") << -4.2 << 0.5 << -4.5;
    QTest::newRow("4.5 by 0.5 stays") << 4.5 << 0.5 << 4.5;
    QTest::newRow("-4.5 by 0.5 stays") << -4.5 << 0.5 << -4.5;
    QTest::newRow("7 by 2") << 7.0 << 2.0 << 8.0;
    QTest::newRow("-7 by 2") << -7.0 << 2.0 << -8.0;
    QTest::newRow("1234.5 by 100") << 1234.5 << 100.0 << 1300.0;
    QTest::newRow("0 stays") << 0.0 << 1.0 << 0.0;
    QTest::newRow("4.75 by 1") << 4.75 << 1.0 << 5.0;
    QTest::newRow("1.23 by 0.5") << 1.23 << 0.5 << 1.5;
    // A multiple of the step within 15 digits stays exactly as it is, even when the binary
    // quotient is a hair off the whole number (0.3 / 0.1 = 2.9999999999999996).
    QTest::newRow("0.3 by 0.1 stays") << 0.3 << 0.1 << 0.3;
    QTest::newRow("4.2 by 0.1 stays") << 4.2 << 0.1 << 4.2;
}

void TestRealMath::roundOut()
{
    QFETCH(double, x);
    QFETCH(double, step);
    QFETCH(double, want);
    const double got = RoundOut(x, step);
    QVERIFY2(RelNear(got, want, 1e-14), Show(got, want).constData());
    if (StepFraction(x, step) == 0.0)
        QVERIFY2(got == x, "a whole number of steps is returned unchanged");
    QVERIFY(recorder_->messages.empty());
}

void TestRealMath::logAxis_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("want");

    QTest::newRow("lower of 0.0047 is a decade below") << false << 0.0047 << 1.0 << 0.0005;
    QTest::newRow("upper of 0.00475") << true << 0.00475 << 1.0 << 0.005;
    QTest::newRow("upper of 0.0047 stays (47 is whole)") << true << 0.0047 << 1.0 << 0.0047;
    QTest::newRow("upper of 0.0045 stays (45 is whole)") << true << 0.0045 << 1.0 << 0.0045;
    QTest::newRow("upper of 123") << true << 123.0 << 1.0 << 200.0;
    QTest::newRow("upper of 123 by 0.5") << true << 123.0 << 0.5 << 150.0;
    QTest::newRow("lower of 123 by 0.5") << false << 123.0 << 0.5 << 15.0;
    QTest::newRow("upper of 1000 stays") << true << 1000.0 << 1.0 << 1000.0;
    QTest::newRow("lower of 1000") << false << 1000.0 << 1.0 << 100.0;
    QTest::newRow("upper of 7.25e-9") << true << 7.25e-9 << 1.0 << 8e-9;
    QTest::newRow("lower of 7.25e-9") << false << 7.25e-9 << 1.0 << 8e-10;
    // The test looks at ten times the mantissa (44 is a whole number of steps of 2, 33 is not)
    // while the rounding works on the mantissa itself.
    QTest::newRow("upper of 4.4e6 by 2 stays") << true << 4.4e6 << 2.0 << 4.4e6;
    QTest::newRow("upper of 3.3e6 by 2") << true << 3.3e6 << 2.0 << 4e6;
}

void TestRealMath::logAxis()
{
    QFETCH(bool, upper);
    QFETCH(double, x);
    QFETCH(double, step);
    QFETCH(double, want);
    const double got = upper ? LogAxisUpper(x, step) : LogAxisLower(x, step);
    QVERIFY2(RelNear(got, want, 1e-13), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
    QVERIFY(!Settings().mathErrorFlag);
}

void TestRealMath::logAxisRefusesNonPositive_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<std::string>("text");

    const std::string upperText = "Sys Error M128-1  Attempt to scale zero or negative number for log axis.";
    const std::string lowerText = "Sys Error M130-1  Attempt to scale zero or negative number for log axis.";
    QTest::newRow("upper of 0") << true << 0.0 << false << upperText;
    QTest::newRow("upper of -1") << true << -1.0 << false << upperText;
    QTest::newRow("lower of 0") << false << 0.0 << false << lowerText;
    QTest::newRow("lower of -0.5") << false << -0.5 << false << lowerText;
    QTest::newRow("upper of 0, quiet") << true << 0.0 << true << upperText;
    QTest::newRow("lower of -2, quiet") << false << -2.0 << true << lowerText;
}

void TestRealMath::logAxisRefusesNonPositive()
{
    QFETCH(bool, upper);
    QFETCH(double, x);
    QFETCH(bool, quiet);
    QFETCH(std::string, text);
    Settings().quietMathErrors = quiet;
    const double got = upper ? LogAxisUpper(x, 1.0) : LogAxisLower(x, 1.0);
    QCOMPARE(got, 0.0);
    QVERIFY(Settings().mathErrorFlag);
    QCOMPARE(Settings().lastMathError, text);
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
    if (quiet) {
        QVERIFY(recorder_->messages.empty());
    } else {
        QCOMPARE(recorder_->messages.size(), std::size_t{1});
        QCOMPARE(recorder_->messages[0].text, text);
        QCOMPARE(recorder_->messages[0].title, std::string("Unexpected math error."));
        QVERIFY(recorder_->messages[0].icon == MsgIcon::Exclamation);
    }
}

void TestRealMath::faults_data()
{
    QTest::addColumn<std::string>("call");
    QTest::addColumn<std::string>("text");
    QTest::addColumn<double>("want");

    const std::string div0 = "11  Division by zero";
    const std::string over = "6  Overflow";
    const std::string invalid = "5  Invalid procedure call or argument";

    QTest::newRow("log10 of 0") << std::string("Log10(0)") << "Sys Error M00-" + invalid << 0.0;
    QTest::newRow("log10 of -1") << std::string("Log10(-1)") << "Sys Error M00-" + invalid << 0.0;
    QTest::newRow("pow10 overflow") << std::string("Pow10(400)") << "Sys Error M01-" + over << 0.0;
    QTest::newRow("atan2 with an overflowing slope") << std::string("Atan2(1e300, 1e-300)")
                                                     << "Sys Error M07-" + over << 0.0;
    QTest::newRow("sinh overflow") << std::string("RSinh(800)") << "Sys Error M14-" + over << 0.0;
    QTest::newRow("cosh overflow") << std::string("RCosh(-800)") << "Sys Error M16-" + over << 0.0;
    // The whole quotient is skipped, so the result is 0, not the -1 that a zeroed e^x would give.
    QTest::newRow("tanh overflow") << std::string("RTanh(800)") << "Sys Error M18-" + over << 0.0;
    QTest::newRow("coth of 0") << std::string("RCoth(0)") << "Sys Error M20-" + div0 << 0.0;
    QTest::newRow("step fraction by a zero step") << std::string("StepFraction(1, 0)")
                                                  << "Sys Error M126-" + div0 << 0.0;
    // The step check faults first and gives 0, so the value is taken as already round.
    QTest::newRow("round out by a zero step") << std::string("RoundOut(1.5, 0)") << "Sys Error M126-" + div0
                                              << 1.5;
    QTest::newRow("0 / 0 step") << std::string("StepFraction(0, 0)") << "Sys Error M126-" + div0 << 0.0;
}

void TestRealMath::faults()
{
    QFETCH(std::string, call);
    QFETCH(std::string, text);
    QFETCH(double, want);
    static const std::map<std::string, std::function<double()>> calls = {
        {"Log10(0)", [] { return Log10(0.0); }},
        {"Log10(-1)", [] { return Log10(-1.0); }},
        {"Pow10(400)", [] { return Pow10(400.0); }},
        {"Atan2(1e300, 1e-300)", [] { return Atan2(1e300, 1e-300); }},
        {"RSinh(800)", [] { return RSinh(800.0); }},
        {"RCosh(-800)", [] { return RCosh(-800.0); }},
        {"RTanh(800)", [] { return RTanh(800.0); }},
        {"RCoth(0)", [] { return RCoth(0.0); }},
        {"StepFraction(1, 0)", [] { return StepFraction(1.0, 0.0); }},
        {"RoundOut(1.5, 0)", [] { return RoundOut(1.5, 0.0); }},
        {"StepFraction(0, 0)", [] { return StepFraction(0.0, 0.0); }},
    };
    const double got = calls.at(call)();
    QCOMPARE(got, want);
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    QCOMPARE(recorder_->messages[0].text, text);
    QCOMPARE(recorder_->messages[0].title, std::string("Unexpected math error."));
    QVERIFY(recorder_->messages[0].icon == MsgIcon::Exclamation);
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
    QCOMPARE(Settings().lastMathError, text);
    QVERIFY(!Settings().mathErrorFlag);
}

QTEST_APPLESS_MAIN(TestRealMath)
#include "tst_realmath.moc"
