// The Schottky detector model: saturation current against temperature, lambda, video
// resistance, the point count, the root solver, and sweeps of the whole input-power and
// temperature range checked against an independent evaluation of the rectification equation
// (the standard library's I0 instead of the polynomial one).
#include "active/detector.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

namespace {

DetectorInputs SmallDefaults() { return DetectorInputs{}; }

DetectorInputs LargeDefaults()
{
    DetectorInputs in;
    in.ideality = 1.08;
    in.iso_a = 0.03e-6;
    in.eg_ev = 0.69;
    in.rs_ohm = 9.0;
    in.io_a = 500e-6;
    in.rl_ohm = 5000.0;
    in.rg_ohm = ParallelSourceResistance(68.0, 50.0);
    in.pinStart_dbm = -20.0;
    in.pinStop_dbm = 30.0;
    in.pinStep_db = 5.0;
    return in;
}

double CelsiusToKelvin(double c) { return c + 273.15; }

// ln of the left side minus ln I0(x), written out afresh: ln(1 + Io/Is + U/(RL Is)) + a U + b.
double IndependentLogResidual(const DetectorInputs& in, double is, double u, double power_w)
{
    const double lambdaN = 1.60217733e-19 / (1.380658e-23 * in.temp_k) / in.ideality;
    const double a = (1.0 + (in.rg_ohm + in.rs_ohm) / in.rl_ohm) * lambdaN;
    const double b = lambdaN * in.rs_ohm * in.io_a;
    const double x = lambdaN * std::sqrt(8.0 * in.rg_ohm * power_w);
    const double logI0 = x < 600.0 ? std::log(std::cyl_bessel_i(0.0, x)) : x - 0.5 * std::log(2.0 * M_PI * x);
    return std::log(1.0 + in.io_a / is + u / (in.rl_ohm * is)) + a * u + b - logI0;
}

// How far U is from the root, in volts: the log residual over its slope in U.
double VoltageError(const DetectorInputs& in, double is, double u, double power_w)
{
    const double lambdaN = 1.60217733e-19 / (1.380658e-23 * in.temp_k) / in.ideality;
    const double a = (1.0 + (in.rg_ohm + in.rs_ohm) / in.rl_ohm) * lambdaN;
    const double slope = 1.0 / (in.rl_ohm * is) / (1.0 + in.io_a / is + u / (in.rl_ohm * is)) + a;
    return IndependentLogResidual(in, is, u, power_w) / slope;
}

// The polynomial I0 is good to a few parts in 10^7, which is what the solved voltage can
// be held to against the exact function.
bool CloseToRoot(double error_v, double v) { return std::fabs(error_v) <= 1e-6 * std::fabs(v) + 1e-13; }

} // namespace

class TestDetector : public QObject {
    Q_OBJECT
private slots:
    void saturationCurrent_data();
    void saturationCurrent();
    void lambdaAndVideoResistance();
    void videoResistanceFallsWithBias();
    void pointCount_data();
    void pointCount();
    void brent_data();
    void brent();
    void brentReportsTheIterationCap();
    void brentReportsARootOutsideTheInterval();
    void smallSignalDefaults();
    void squareLawAtLowPower();
    void sweepWholeRange_data();
    void sweepWholeRange();
    void largeSignalDefaults();
    void largeRmApproachesSmallSignal();
    void biasShiftsZeroInputVoltage_data();
    void biasShiftsZeroInputVoltage();
};

void TestDetector::saturationCurrent_data()
{
    QTest::addColumn<double>("iso");
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("eg");
    QTest::addColumn<double>("tempC");
    QTest::addColumn<double>("expected");
    // Worked by hand from Iso (T/Tref)^(2/n) exp(-12000 Eg (1/T - 1/Tref)).
    QTest::newRow("small diode at 25 C is Iso") << 0.06e-6 << 1.15 << 0.35 << 25.0 << 0.06e-6;
    QTest::newRow("small diode at -55 C") << 0.06e-6 << 1.15 << 0.35 << -55.0 << 1.9890608727412867e-10;
    QTest::newRow("small diode at 300 C") << 0.06e-6 << 1.15 << 0.35 << 300.0 << 1.6111907318169555e-4;
    QTest::newRow("large diode at 25 C is Iso") << 0.03e-6 << 1.08 << 0.69 << 25.0 << 0.03e-6;
    QTest::newRow("large diode at -55 C") << 0.03e-6 << 1.08 << 0.69 << -55.0 << 6.351649524929757e-13;
    QTest::newRow("large diode at 300 C") << 0.03e-6 << 1.08 << 0.69 << 300.0 << 0.061604941401911584;
    // With no energy gap only the power law of temperature is left.
    QTest::newRow("Eg 0, n 2: Is scales as T") << 1e-6 << 2.0 << 0.0 << 322.15 << 1e-6 * 595.3 / 298.15;
}

void TestDetector::saturationCurrent()
{
    QFETCH(double, iso);
    QFETCH(double, n);
    QFETCH(double, eg);
    QFETCH(double, tempC);
    QFETCH(double, expected);
    QVERIFY2(std::fabs(SaturationCurrent(iso, n, eg, CelsiusToKelvin(tempC)) / expected - 1.0) < 1e-12,
             qPrintable(QString::number(SaturationCurrent(iso, n, eg, CelsiusToKelvin(tempC)), 'g', 17)));
}

void TestDetector::lambdaAndVideoResistance()
{
    const DetectorResult r = AnalyseDetector(SmallDefaults(), SmallSignalSolver());
    QCOMPARE(std::round(r.lambda_per_v * 1e4) / 1e4, 38.9215);
    QVERIFY(std::fabs(r.is_a - 0.06e-6) < 1e-20);
    QVERIFY(std::fabs(r.rv_ohm - 476021.32083) < 1e-3);
    // With no bias current and no RF the diode sits at zero volts.
    QVERIFY(std::fabs(r.vo0_v) < 1e-10);
}

void TestDetector::videoResistanceFallsWithBias()
{
    DetectorInputs in = SmallDefaults();
    const double is = 0.06e-6;
    double previous = 1e300;
    for (double io : {0.0, 1e-6, 10e-6, 100e-6}) {
        in.io_a = io;
        const DetectorResult r = AnalyseDetector(in, SmallSignalSolver());
        QVERIFY(r.rv_ohm < previous);
        // Rv (Io + Is) stays 8.33e-5 n T.
        QVERIFY(std::fabs(r.rv_ohm * (io + is) - 8.33e-5 * 1.15 * 298.15) < 1e-12);
        previous = r.rv_ohm;
    }
}

void TestDetector::pointCount_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("stop");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("count");
    QTest::newRow("small-signal defaults") << -50.0 << 0.0 << 2.0 << 26;
    QTest::newRow("large-signal defaults") << -20.0 << 30.0 << 5.0 << 11;
    QTest::newRow("step not dividing the span") << 0.0 << 1.0 << 0.3 << 4;
    QTest::newRow("step equal to the span") << -10.0 << 10.0 << 20.0 << 2;
    QTest::newRow("whole range in 1 dB") << -100.0 << 40.0 << 1.0 << 141;
}

void TestDetector::pointCount()
{
    QFETCH(double, start);
    QFETCH(double, stop);
    QFETCH(double, step);
    QFETCH(int, count);
    QCOMPARE(DetectorPointCount(start, stop, step), count);
    DetectorInputs in = SmallDefaults();
    in.pinStart_dbm = start;
    in.pinStop_dbm = stop;
    in.pinStep_db = step;
    in.rl_ohm = 1e12; // keeps every point small enough to solve
    const DetectorResult r = AnalyseDetector(in, SmallSignalSolver());
    QCOMPARE(int(r.points.size()), count);
    QVERIFY(std::fabs(10.0 * std::log10(r.points.front().power_w * 1000.0) - start) < 1e-9);
}

void TestDetector::brent_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("tol");
    QTest::addColumn<double>("root");
    QTest::newRow("x^2 - 2") << 0 << 0.0 << 2.0 << 1e-12 << std::sqrt(2.0);
    QTest::newRow("cos x - x") << 1 << 0.0 << 1.0 << 1e-12 << 0.7390851332151607;
    QTest::newRow("steep exponential") << 2 << -10.0 << 10.0 << 1e-10 << std::log(1e-3) / 40.0;
    QTest::newRow("root exactly at an end") << 3 << 1.0 << 3.0 << 1e-12 << 1.0;
    QTest::newRow("loose tolerance") << 1 << 0.0 << 1.0 << 1e-3 << 0.7390851332151607;
}

void TestDetector::brent()
{
    QFETCH(int, which);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, tol);
    QFETCH(double, root);
    const std::function<double(double)> fs[] = {
        [](double x) { return x * x - 2.0; },
        [](double x) { return std::cos(x) - x; },
        [](double x) { return std::exp(40.0 * x) - 1e-3; },
        [](double x) { return x - 1.0; },
    };
    const BrentOutcome out = BrentRoot(fs[which], low, high, tol);
    QVERIFY(out.converged);
    QVERIFY(out.bracketed);
    // The bracket's half-width ends within 2*3e-8*|b| + tol/2, so the estimate is within twice that.
    const double allowed = 2.0 * (2.0 * kBrentEps * std::fabs(root) + tol / 2.0);
    QVERIFY2(std::fabs(out.root - root) <= allowed, qPrintable(QString::number(out.root, 'g', 17)));
    QVERIFY(out.iterations < 60);
}

void TestDetector::brentReportsTheIterationCap()
{
    const BrentOutcome out = BrentRoot([](double x) { return x * x * x - 5.0; }, 0.0, 100.0, 1e-15, 3);
    QVERIFY(!out.converged);
    QCOMPARE(out.iterations, 3);
}

void TestDetector::brentReportsARootOutsideTheInterval()
{
    // No sign change: the search settles on the end nearest a root, which is not one.
    const BrentOutcome out = BrentRoot([](double x) { return x - 20.0; }, 0.0, 15.0, 1e-6);
    QVERIFY(!out.bracketed);
}

void TestDetector::smallSignalDefaults()
{
    const DetectorResult r = AnalyseDetector(SmallDefaults(), SmallSignalSolver());
    QVERIFY(!r.error);
    QCOMPARE(int(r.points.size()), 26);
    for (const DetectorPoint& p : r.points) {
        QVERIFY(p.converged);
        const double err = VoltageError(SmallDefaults(), r.is_a, p.vout_v + r.vo0_v, p.power_w);
        QVERIFY2(CloseToRoot(err, p.vout_v), qPrintable(QString::number(err)));
        QCOMPARE(p.sensitivity_mv_per_uw, p.vout_v / (1000.0 * p.power_w));
    }
    // 0 dBm: hand check of the order of magnitude, a few tenths of a volt.
    QVERIFY(r.points.back().vout_v > 0.4 && r.points.back().vout_v < 0.47);
}

void TestDetector::squareLawAtLowPower()
{
    // Far below the knee the output is proportional to power: I0(x) - 1 ~ x^2/4 against a
    // slope a + 1/(RL Is) at zero volts, so V = (lambda/n)^2 2 Z0 P / (a + 1/(RL Is)).
    DetectorInputs in = SmallDefaults();
    in.pinStart_dbm = -100.0;
    in.pinStop_dbm = -70.0;
    in.pinStep_db = 10.0;
    const DetectorResult r = AnalyseDetector(in, SmallSignalSolver());
    QVERIFY(!r.error);
    const double ln = 38.92150768758498 / 1.15;
    const double slope = (1.0 + 56.0 / 1e5) * ln + 1.0 / (1e5 * 0.06e-6);
    for (const DetectorPoint& p : r.points) {
        const double expected = ln * ln * 2.0 * 50.0 * p.power_w / slope;
        QVERIFY2(std::fabs(p.vout_v / expected - 1.0) < 1e-3,
                 qPrintable(QString("%1 against %2").arg(p.vout_v).arg(expected)));
    }
}

void TestDetector::sweepWholeRange_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<double>("tempC");
    for (double t : {-55.0, -40.0, 0.0, 25.0, 85.0, 150.0, 225.0, 300.0}) {
        QTest::addRow("small %g C", t) << false << t;
        QTest::addRow("large %g C", t) << true << t;
    }
}

void TestDetector::sweepWholeRange()
{
    QFETCH(bool, large);
    QFETCH(double, tempC);
    DetectorInputs in = large ? LargeDefaults() : SmallDefaults();
    const DetectorSolverSettings solver = large ? LargeSignalSolver() : SmallSignalSolver();
    in.temp_k = CelsiusToKelvin(tempC);
    in.pinStart_dbm = -100.0;
    in.pinStop_dbm = 40.0;
    in.pinStep_db = 0.5;
    const DetectorResult r = AnalyseDetector(in, solver);
    QCOMPARE(int(r.points.size()), 281);

    // Every point is found, those whose root lies above the solver's interval too (from
    // about +25 dBm on, where the detected voltage passes 14 or 15 V).
    QVERIFY(!r.error);
    double previous = -1.0;
    for (const DetectorPoint& p : r.points) {
        const double pinDbm = 10.0 * std::log10(p.power_w * 1000.0);
        QVERIFY2(p.converged, qPrintable(QString("%1 dBm").arg(pinDbm)));
        QVERIFY2(p.vout_v > previous, qPrintable(QString("not rising at %1 dBm").arg(pinDbm)));
        QVERIFY(p.sensitivity_mv_per_uw > 0.0);
        const double err = VoltageError(in, r.is_a, p.vout_v + r.vo0_v, p.power_w);
        QVERIFY2(CloseToRoot(err, p.vout_v), qPrintable(QString("%1 dBm: %2 V off the root").arg(pinDbm).arg(err)));
        previous = p.vout_v;
    }
    QVERIFY(r.points.back().vout_v > solver.pointHigh_v);
}

void TestDetector::largeSignalDefaults()
{
    const DetectorInputs in = LargeDefaults();
    QCOMPARE(std::round(in.rg_ohm * 100.0) / 100.0, 28.81);
    const DetectorResult r = AnalyseDetector(in, LargeSignalSolver());
    QVERIFY(std::fabs(r.rv_ohm - 53.642314661120324) < 1e-9);
    QCOMPARE(int(r.points.size()), 11);
    // The bias current pushes the no-signal output below zero.
    QVERIFY(r.vo0_v < -0.25 && r.vo0_v > -0.3);
    // Every point satisfies the diode equation, +30 dBm too, whose detected voltage (about
    // 14.9 V) lies above the 14 V the solver's interval starts with.
    QVERIFY(!r.error);
    for (const DetectorPoint& p : r.points)
        QVERIFY(p.converged && CloseToRoot(VoltageError(in, r.is_a, p.vout_v + r.vo0_v, p.power_w), p.vout_v));
    QVERIFY(r.points.back().vout_v > 14.5 && r.points.back().vout_v < 15.2);
}

void TestDetector::largeRmApproachesSmallSignal()
{
    DetectorInputs small = LargeDefaults();
    small.pinStop_dbm = 20.0;
    small.rg_ohm = 50.0;
    DetectorInputs large = small;
    large.rg_ohm = ParallelSourceResistance(1e12, 50.0);
    const DetectorResult a = AnalyseDetector(small, SmallSignalSolver());
    const DetectorResult b = AnalyseDetector(large, LargeSignalSolver());
    QVERIFY(!a.error && !b.error);
    for (std::size_t i = 0; i < a.points.size(); ++i)
        QVERIFY(std::fabs(a.points[i].vout_v - b.points[i].vout_v) < 1e-4);
}

void TestDetector::biasShiftsZeroInputVoltage_data()
{
    QTest::addColumn<double>("io");
    QTest::addColumn<bool>("negative");
    QTest::newRow("no bias") << 0.0 << false;
    QTest::newRow("10 uA") << 10e-6 << true;
    QTest::newRow("500 uA") << 500e-6 << true;
}

void TestDetector::biasShiftsZeroInputVoltage()
{
    QFETCH(double, io);
    QFETCH(bool, negative);
    DetectorInputs in = SmallDefaults();
    in.io_a = io;
    const DetectorResult r = AnalyseDetector(in, SmallSignalSolver());
    QVERIFY(!r.error);
    if (negative)
        QVERIFY(r.vo0_v < -1e-6);
    else
        QVERIFY(std::fabs(r.vo0_v) < 1e-10);
    // Vo(0) satisfies (1 + Io/Is + V/(RL Is)) exp(aV + b) = 1.
    QVERIFY(CloseToRoot(VoltageError(in, r.is_a, r.vo0_v, 0.0), r.vo0_v));
}

QTEST_APPLESS_MAIN(TestDetector)
#include "tst_detector.moc"
