// Round coax formulas: worked examples, round trips over the whole range the window accepts,
// the accuracy warnings at their exact thresholds, and the fault paths.
#include "lines/coax.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

Q_DECLARE_METATYPE(std::vector<korvel::LineWarning>)

namespace {

constexpr double kMil = 2.54e-5;   // metres

const LineWarning kRatioYellow{"High or near unity D1/D2 ratio ratio may affect accuracy", LineStatusLevel::Warning};
const LineWarning kRatioRed{"Extremely high or near unity D1/D2 ratio ratio may impair accuracy",
                            LineStatusLevel::Severe};
const LineWarning kErYellow{"High dielectric constant may affect accuracy", LineStatusLevel::Warning};
const LineWarning kErRed{"Extreme dielectric constant may impair accuracy", LineStatusLevel::Severe};
const LineWarning kZ0Yellow{"High or low Z0 may affect accuracy", LineStatusLevel::Warning};
const LineWarning kZ0Red{"Extremely high or low Z0 may impair accuracy", LineStatusLevel::Severe};

bool Near(double actual, double expected, double relTol)
{
    return std::fabs(actual - expected) <= relTol * std::fabs(expected);
}

QByteArray Describe(const std::vector<LineWarning>& ws)
{
    QByteArray out;
    for (const auto& w : ws)
        out += QByteArray("[") + w.text.c_str() + "/" + QByteArray::number(static_cast<int>(w.level)) + "]";
    return out;
}

} // namespace

class TestCoax : public QObject {
    Q_OBJECT
private slots:
    void z0_data();
    void z0();
    void ratioFromZ0_data();
    void ratioFromZ0();
    void roundTripRatio();
    void roundTripZ0();
    void defaultAnalysis();
    void synthesisWorkedExample();
    void analysisWarnings_data();
    void analysisWarnings();
    void synthesisWarnings_data();
    void synthesisWarnings();
    void analysisFault_data();
    void analysisFault();
    void synthesisFault();
    void wave_data();
    void wave();
};

void TestCoax::z0_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    // eta0 / 2 pi with the program's constants is 59.9584916 ohm.
    QTest::newRow("default 100/43 in air") << 100.0 / 43.0 << 1.0 << 50.6031724;
    QTest::newRow("ln ratio = 1") << 2.71828182845905 << 1.0 << 59.9584916;
    QTest::newRow("ratio 10 in er 4 halves the impedance") << 10.0 << 4.0 << 69.0297645;
    QTest::newRow("widest ratio, highest er") << 1000.0 << 1200.0 << 11.9563059;
    QTest::newRow("narrowest ratio") << 1.001 << 1.0 << 0.0599285323;
    QTest::newRow("unity ratio is zero ohm") << 1.0 << 1.0 << 0.0;
}

void TestCoax::z0()
{
    QFETCH(double, ratio);
    QFETCH(double, er);
    QFETCH(double, z0);
    const double got = CoaxZ0(ratio, er);
    if (z0 == 0.0)
        QCOMPARE(got, 0.0);
    else
        QVERIFY2(Near(got, z0, 1e-8), QByteArray::number(got, 'g', 12));
}

void TestCoax::ratioFromZ0_data()
{
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("ratio");
    QTest::newRow("50 ohm PTFE") << 50.0 << 2.1 << 3.34829327;
    QTest::newRow("59.958 ohm air is e") << 59.9584916 << 1.0 << 2.71828183;
    QTest::newRow("zero ohm is unity") << 0.0 << 1.0 << 1.0;
    QTest::newRow("top of the range") << 413.0 << 1200.0 << 4.2396007e103;
}

void TestCoax::ratioFromZ0()
{
    QFETCH(double, z0);
    QFETCH(double, er);
    QFETCH(double, ratio);
    const double got = CoaxD1D2Ratio(z0, er);
    QVERIFY2(Near(got, ratio, 1e-7), QByteArray::number(got, 'g', 12));
}

// Every ratio the analysis accepts (D2/D1 from 0.001 to 0.999) comes back from its own Z0.
void TestCoax::roundTripRatio()
{
    for (double er : {1.0, 1.001, 2.1, 9.8, 50.0, 200.0, 1200.0}) {
        for (double inv = 0.001; inv <= 0.999; inv += 0.0049) {
            const double ratio = 1.0 / inv;
            const double back = CoaxD1D2Ratio(CoaxZ0(ratio, er), er);
            QVERIFY2(Near(back, ratio, 1e-11), qPrintable(QString("er %1 ratio %2 -> %3").arg(er).arg(ratio).arg(back)));
        }
    }
}

// Every Z0 the synthesis accepts (0.2 to 413 ohm) is reproduced by analysing what it made.
void TestCoax::roundTripZ0()
{
    for (double er : {1.0, 2.1, 12.6, 76.7, 1200.0}) {
        for (double z0 = 0.2; z0 <= 413.0; z0 *= 1.07) {
            const double back = CoaxZ0(CoaxD1D2Ratio(z0, er), er);
            QVERIFY2(Near(back, z0, 1e-10), qPrintable(QString("er %1 z0 %2 -> %3").arg(er).arg(z0).arg(back)));
        }
    }
}

void TestCoax::defaultAnalysis()
{
    // 100 and 43 mil in air, 1000 mil at 1 GHz.
    const RndCoaxAnalysis a = AnalyseRndCoax({100 * kMil, 43 * kMil, 1000 * kMil, 1e9, 1.0});
    QVERIFY(!a.fault.raised);
    QVERIFY(Near(a.ratio, 2.3255814, 1e-7));
    QVERIFY(Near(a.z0_ohm, 50.6031724, 1e-8));
    QCOMPARE(a.wave.velocityFactor, 1.0);
    QVERIFY(Near(a.wave.wavelength_m / kMil, 11802.8526772, 1e-10));
    QVERIFY(Near(a.wave.fractionOfWavelength, 0.0847252802, 1e-9));
    QVERIFY(Near(a.wave.electricalLength_rad * 180.0 / 3.14159265358979, 30.5011009, 1e-8));
    QVERIFY2(a.warnings.empty(), Describe(a.warnings));
}

void TestCoax::synthesisWorkedExample()
{
    const RndCoaxSynthesis s = SynthesiseRndCoax({50.0, 100 * kMil, 1000 * kMil, 1e9, 2.1});
    QVERIFY(!s.fault.raised);
    QVERIFY(Near(s.ratio, 3.34829327, 1e-8));
    QVERIFY(Near(s.solved_m / kMil, 29.8659622, 1e-8));
    QVERIFY(Near(s.wave.velocityFactor, 0.690065559, 1e-8));
    QVERIFY2(s.warnings.empty(), Describe(s.warnings));
}

void TestCoax::analysisWarnings_data()
{
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<double>("er");
    QTest::addColumn<std::vector<LineWarning>>("expected");
    using W = std::vector<LineWarning>;
    QTest::newRow("1.28 is still normal") << 1.28 << 1.0 << 1.0 << W{};
    QTest::newRow("just below 1.28") << 1.2799 << 1.0 << 1.0 << W{kRatioYellow};
    QTest::newRow("12.2 is still normal") << 12.2 << 1.0 << 1.0 << W{};
    QTest::newRow("just above 12.2") << 12.2001 << 1.0 << 1.0 << W{kRatioYellow};
    QTest::newRow("1.09 is yellow, not red") << 1.09 << 1.0 << 1.0 << W{kRatioYellow};
    QTest::newRow("just below 1.09 is red") << 1.0899 << 1.0 << 1.0 << W{kRatioYellow, kRatioRed};
    QTest::newRow("106 is yellow, not red") << 106.0 << 1.0 << 1.0 << W{kRatioYellow};
    QTest::newRow("just above 106 is red") << 106.001 << 1.0 << 1.0 << W{kRatioYellow, kRatioRed};
    QTest::newRow("er 50 gives no warning") << 2.0 << 1.0 << 50.0 << W{};
    QTest::newRow("er above 50") << 2.0 << 1.0 << 50.001 << W{kErYellow};
    QTest::newRow("er 200 is yellow only") << 2.0 << 1.0 << 200.0 << W{kErYellow};
    QTest::newRow("er 1200 is red") << 2.0 << 1.0 << 1200.0 << W{kErYellow, kErRed};
    QTest::newRow("dielectric warnings come last") << 1.05 << 1.0 << 300.0 << W{kRatioYellow, kRatioRed, kErYellow, kErRed};
}

void TestCoax::analysisWarnings()
{
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(double, er);
    QFETCH(std::vector<LineWarning>, expected);
    const RndCoaxAnalysis a = AnalyseRndCoax({outer, inner, 1.0, 1e9, er});
    QVERIFY2(a.warnings == expected, Describe(a.warnings) + " expected " + Describe(expected));
}

void TestCoax::synthesisWarnings_data()
{
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("er");
    QTest::addColumn<std::vector<LineWarning>>("expected");
    using W = std::vector<LineWarning>;
    QTest::newRow("15 is normal") << 15.0 << 1.0 << W{};
    QTest::newRow("150 is normal") << 150.0 << 1.0 << W{};
    QTest::newRow("below 15") << 14.99 << 1.0 << W{kZ0Yellow};
    QTest::newRow("above 150") << 150.01 << 1.0 << W{kZ0Yellow};
    QTest::newRow("5 is yellow") << 5.0 << 1.0 << W{kZ0Yellow};
    QTest::newRow("280 is yellow") << 280.0 << 1.0 << W{kZ0Yellow};
    QTest::newRow("below 5 is red") << 4.99 << 1.0 << W{kZ0Yellow, kZ0Red};
    QTest::newRow("above 280 is red") << 280.01 << 1.0 << W{kZ0Yellow, kZ0Red};
    QTest::newRow("er 50 gives no warning") << 50.0 << 50.0 << W{};
    QTest::newRow("er 201 after z0") << 2.0 << 201.0 << W{kZ0Yellow, kZ0Red, kErYellow, kErRed};
}

void TestCoax::synthesisWarnings()
{
    QFETCH(double, z0);
    QFETCH(double, er);
    QFETCH(std::vector<LineWarning>, expected);
    const RndCoaxSynthesis s = SynthesiseRndCoax({z0, 1.0, 1.0, 1e9, er});
    QVERIFY2(s.warnings == expected, Describe(s.warnings) + " expected " + Describe(expected));
}

void TestCoax::analysisFault_data()
{
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<double>("er");
    QTest::addColumn<int>("number");
    QTest::newRow("negative ratio: logarithm of an invalid argument") << -1.0 << 1.0 << 1.0 << int(kFaultInvalidCall);
    QTest::newRow("zero outer diameter") << 0.0 << 1.0 << 1.0 << int(kFaultInvalidCall);
    QTest::newRow("negative er has no square root") << 2.0 << 1.0 << -2.0 << int(kFaultInvalidCall);
    QTest::newRow("zero inner diameter divides by zero") << 2.0 << 0.0 << 1.0 << int(kFaultDivisionByZero);
}

void TestCoax::analysisFault()
{
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(double, er);
    QFETCH(int, number);
    const RndCoaxAnalysis a = AnalyseRndCoax({outer, inner, 1.0, 1e9, er});
    QVERIFY(a.fault.raised);
    QCOMPARE(a.fault.number, number);
    QCOMPARE(a.fault.text, std::string("Unexpected math error (C01). Combination of Er and D1/D2 out of range."));
    QCOMPARE(a.z0_ohm, 0.0);
    if (er > 0.0) // the secondary outputs are still computed from the inputs
        QCOMPARE(a.wave.velocityFactor, 1.0);
}

void TestCoax::synthesisFault()
{
    // An impedance whose ratio overflows the double range.
    const RndCoaxSynthesis s = SynthesiseRndCoax({1e6, 1.0, 1.0, 1e9, 1.0});
    QVERIFY(s.fault.raised);
    QCOMPARE(s.fault.number, int(kFaultOverflow));
    QCOMPARE(s.fault.text, std::string("Unexpected math error (D01). Combination of Er and Z0 out of range."));
    QCOMPARE(s.ratio, 0.0);
    QCOMPARE(s.solved_m, 0.0);
    // The accuracy rules still run on the requested Z0.
    QCOMPARE(s.warnings.size(), std::size_t(2));
}

void TestCoax::wave_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("freq");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("vf");
    QTest::addColumn<double>("wavelength");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("radians");
    QTest::newRow("quarter wave of 1 GHz in air") << 0.299792458 / 4 << 1e9 << 1.0 << 1.0 << 0.299792458 << 0.25
                                                  << 3.14159265358979 / 2;
    QTest::newRow("er 4 halves the velocity") << 0.1 << 1e9 << 4.0 << 0.5 << 0.149896229 << 0.667128190
                                              << 4.19169004;
    QTest::newRow("1 Hz is 300000 km") << 1.0 << 1.0 << 1.0 << 1.0 << 299792458.0 << 3.33564095e-9 << 2.09584502e-8;
}

void TestCoax::wave()
{
    QFETCH(double, length);
    QFETCH(double, freq);
    QFETCH(double, er);
    QFETCH(double, vf);
    QFETCH(double, wavelength);
    QFETCH(double, fraction);
    QFETCH(double, radians);
    const LineWave w = LineWaveFor(length, freq, er);
    QVERIFY(Near(w.velocityFactor, vf, 1e-12));
    QVERIFY(Near(w.wavelength_m, wavelength, 1e-8));
    QVERIFY(Near(w.fractionOfWavelength, fraction, 1e-8));
    QVERIFY(Near(w.electricalLength_rad, radians, 1e-8));
}

QTEST_APPLESS_MAIN(TestCoax)
#include "tst_coax.moc"
