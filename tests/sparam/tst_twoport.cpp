// Two-port quantities: worked examples that can be done by hand, the special values (the
// unilateral device, total reflection, the phase wrap), and physical identities checked over
// many random devices: the gain at the simultaneous conjugate match is MAG, points on a gain
// circle have that available gain, points on a stability circle make |Γ| = 1 at the other
// port, points on a noise circle have that noise figure.
#include "sparam/columns.h"
#include "sparam/interpolation.h"
#include "sparam/twoport.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <random>

using namespace korvel;

namespace {

using C = std::complex<double>;

C Std(Complex z) { return {z.Re, z.Im}; }
Complex Kv(C z) { return {z.real(), z.imag()}; }

TwoPort Device(C s11, C s21, C s12, C s22) { return {Kv(s11), Kv(s21), Kv(s12), Kv(s22)}; }

C Polar(double mag, double deg) { return std::polar(mag, deg * 3.14159265358979323846 / 180.0); }

bool Near(double actual, double expected, double tol) { return std::fabs(actual - expected) <= tol; }

// Transducer gain with source and load reflections gs and gl, from the textbook expression
// written independently of the code under test.
double TransducerGain(const TwoPort& d, C gs, C gl)
{
    const C s11 = Std(d.s11), s21 = Std(d.s21), s12 = Std(d.s12), s22 = Std(d.s22);
    const C gin = s11 + s12 * s21 * gl / (1.0 - s22 * gl);
    return std::norm(s21) * (1.0 - std::norm(gs)) * (1.0 - std::norm(gl)) /
           (std::norm(1.0 - gs * gin) * std::norm(1.0 - s22 * gl));
}

double AvailableGain(const TwoPort& d, C gs)
{
    const C s11 = Std(d.s11), s21 = Std(d.s21), s12 = Std(d.s12), s22 = Std(d.s22);
    const C gout = s22 + s12 * s21 * gs / (1.0 - s11 * gs);
    return std::norm(s21) * (1.0 - std::norm(gs)) / (std::norm(1.0 - s11 * gs) * (1.0 - std::norm(gout)));
}

C GammaOut(const TwoPort& d, C gs)
{
    return Std(d.s22) + Std(d.s12) * Std(d.s21) * gs / (1.0 - Std(d.s11) * gs);
}

C GammaFromZ(Complex z) { return (Std(z) - 1.0) / (Std(z) + 1.0); }

TwoPort RandomDevice(std::mt19937& rng)
{
    std::uniform_real_distribution<double> mag(0.05, 0.95), gain(0.5, 10.0), iso(0.01, 0.3), ang(-180.0, 180.0);
    return Device(Polar(mag(rng), ang(rng)), Polar(gain(rng), ang(rng)), Polar(iso(rng), ang(rng)),
                  Polar(mag(rng), ang(rng)));
}

} // namespace

class TestTwoPort : public QObject {
    Q_OBJECT
private slots:
    void matchedWorkedExample();
    void unilateralDevice();
    void deadForwardPath();
    void reflection_data();
    void reflection();
    void dbFileValueAt90Degrees();
    void groupDelay_data();
    void groupDelay();
    void groupDelayCurveAcrossTheWrap();
    void conjugateMatchGivesMAG();
    void potentiallyUnstableHasNoMAG();
    void muAgreesWithK();
    void gainCirclesHaveTheirGain();
    void stabilityCirclesBoundStability();
    void noiseCirclesHaveTheirFigure();
    void noiseFigureWithZ0Source();
    void differentialImpedanceOfATee();
    void gainFlatness_data();
    void gainFlatness();
    void labels();
    void linearPhaseReferenceFollowsADelay();
};

// S11 = S22 = 0, S21 = 2, S12 = 0.1: Δ = -0.2, K = 1.04/0.4 = 2.6, MAG = 10·log10(20·0.2) =
// 6.0206 dB, MSG = 10·log10(20), μ1 = 1/0.2 = 5, U = (20 − 2 + 0.05)/(5.2 − 2).
void TestTwoPort::matchedWorkedExample()
{
    const TwoPort d = Device(0.0, 2.0, 0.1, 0.0);
    QVERIFY(Near(StabilityK(d).value, 2.6, 1e-12));
    QVERIFY(StabilityK(d).note == Note::None);
    QVERIFY(Near(StabilityB1(d), 0.96, 1e-12));
    QVERIFY(Near(MaxAvailableGainDb(d), 10.0 * std::log10(4.0), 1e-9));
    QVERIFY(Near(MaxStableGainDb(d), 10.0 * std::log10(20.0), 1e-9));
    QVERIFY(Near(TransducerGainDb(d), 20.0 * std::log10(2.0), 1e-9));
    QVERIFY(Near(MaxUnilateralGainDb(d), 10.0 * std::log10(4.0), 1e-9));
    QVERIFY(Near(UnilateralGainDb(d), 10.0 * std::log10(18.05 / 3.2), 1e-9));
    QVERIFY(Near(IsolationDb(d), -20.0, 1e-9));
    QVERIFY(Near(StabilityMu1(d), 5.0, 1e-12));
    QVERIFY(Near(StabilityMu2(d), 5.0, 1e-12));
    QVERIFY(Near(MismatchGainInDb(d), 0.0, 1e-12));
    QVERIFY(UnconditionallyStable(d));
}

// S12 = 0: K infinite and shown as 20 with its note, MSG falls back to Gt, U and MAG undefined.
void TestTwoPort::unilateralDevice()
{
    const TwoPort d = Device(Polar(0.5, -60), Polar(3.0, 100), 0.0, Polar(0.4, -30));
    const Quantity k = StabilityK(d);
    QCOMPARE(k.value, 20.0);
    QVERIFY(k.note == Note::KInfinite);
    QCOMPARE(QString::fromLatin1(NoteText(k.note).data(), static_cast<int>(NoteText(k.note).size())),
             QString("Note: K is infinite at some frequencies; plotted as K = 20"));
    QCOMPARE(MaxStableGainDb(d), TransducerGainDb(d));
    QVERIFY(Near(TransducerGainDb(d), 20.0 * std::log10(3.0), 1e-9));
    QVERIFY(IsUndefined(UnilateralGainDb(d)));
    QVERIFY(IsUndefined(MaxAvailableGainDb(d)));
    QVERIFY(IsUndefined(IsolationDb(d)));
    // The matches of a unilateral device are the conjugates of its own reflections.
    QVERIFY(std::abs(Std(GammaMS(d)) - std::conj(Std(d.s11))) < 1e-12);
    QVERIFY(std::abs(Std(GammaML(d)) - std::conj(Std(d.s22))) < 1e-12);
}

void TestTwoPort::deadForwardPath()
{
    const TwoPort d = Device(0.5, 0.0, 0.1, 0.5);
    QVERIFY(IsUndefined(TransducerGainDb(d)));
    QVERIFY(IsUndefined(MaxStableGainDb(d)));
    QVERIFY(IsUndefined(MaxAvailableGainDb(d)));
    QCOMPARE(StabilityK(d).value, 20.0);
}

void TestTwoPort::reflection_data()
{
    QTest::addColumn<double>("mag");
    QTest::addColumn<double>("rl");
    QTest::addColumn<int>("rlNote");
    QTest::addColumn<double>("vswr");
    QTest::addColumn<int>("vswrNote");
    QTest::addColumn<double>("mmGain");
    const int none = static_cast<int>(Note::None);
    const int rlOut = static_cast<int>(Note::RLOutOfBounds);
    const int vOut = static_cast<int>(Note::VSWROutOfBounds);
    QTest::newRow("|S11| = 1: RL 0 dB, no VSWR") << 1.0 << 0.0 << none << kUndefined << vOut << kUndefined;
    QTest::newRow("|S11| = 0.999: VSWR 1999 shown as 1000")
        << 0.999 << -20.0 * std::log10(0.999) << none << 1000.0 << vOut << 10.0 * std::log10(1.0 - 0.999 * 0.999);
    QTest::newRow("|S11| = 0.5: VSWR 3") << 0.5 << 20.0 * std::log10(2.0) << none << 3.0 << none
                                         << 10.0 * std::log10(0.75);
    QTest::newRow("|S11| = 0: infinite RL not shown") << 0.0 << kUndefined << rlOut << 1.0 << none << 0.0;
    QTest::newRow("|S11| = 1.2: negative RL, no VSWR") << 1.2 << -20.0 * std::log10(1.2) << none << kUndefined << vOut
                                                        << kUndefined;
    // 0.998 gives 999, just inside the axis.
    QTest::newRow("|S11| = 0.998: VSWR 999") << 0.998 << -20.0 * std::log10(0.998) << none << 999.0 << none
                                             << 10.0 * std::log10(1.0 - 0.998 * 0.998);
}

void TestTwoPort::reflection()
{
    QFETCH(double, mag);
    QFETCH(double, rl);
    QFETCH(int, rlNote);
    QFETCH(double, vswr);
    QFETCH(int, vswrNote);
    QFETCH(double, mmGain);
    const Complex g = Kv(Polar(mag, 37.0));
    const Quantity r = ReturnLossDb(g);
    const Quantity v = VSWR(g);
    QVERIFY2(Near(r.value, rl, 1e-9), qPrintable(QString::number(r.value)));
    QCOMPARE(static_cast<int>(r.note), rlNote);
    QVERIFY2(Near(v.value, vswr, 1e-6), qPrintable(QString::number(v.value)));
    QCOMPARE(static_cast<int>(v.note), vswrNote);
    const TwoPort d{g, {}, {}, g};
    QVERIFY2(Near(MismatchGainInDb(d), mmGain, 1e-9), qPrintable(QString::number(MismatchGainInDb(d))));
    QVERIFY(Near(MismatchGainOutDb(d), mmGain, 1e-9));
}

void TestTwoPort::dbFileValueAt90Degrees()
{
    DataSet set;
    QVERIFY(LoadSnpText("a.s1p", "a.s1p", "# MHz S DB R 50\n100 -6.0206 90\n", set).ok);
    const Complex s = FilePairToComplex(set, SIndex(1, 1), 0);
    QVERIFY(Near(s.Re, 0.0, 1e-6));
    QVERIFY(Near(s.Im, 0.5, 1e-5));
    QVERIFY(Near(CxAbs(s), 0.5, 1e-5));
    QVERIFY(Near(PhaseDeg(s), 90.0, 1e-9));
}

void TestTwoPort::groupDelay_data()
{
    QTest::addColumn<double>("phi1");
    QTest::addColumn<double>("phi2");
    QTest::addColumn<double>("f1");
    QTest::addColumn<double>("f2");
    QTest::addColumn<double>("expected");
    QTest::newRow("+179 to -179 across the wrap, 1 MHz") << 179.0 << -179.0 << 1000.0 << 1001.0 << -2.0 / 360e6;
    QTest::newRow("-179 to +179 across the wrap") << -179.0 << 179.0 << 1000.0 << 1001.0 << 2.0 / 360e6;
    QTest::newRow("plain delay: -36 degrees over 1 MHz is 100 ns") << 0.0 << -36.0 << 100.0 << 101.0 << 100e-9;
    QTest::newRow("opposite signs near 0 do not wrap") << 10.0 << -10.0 << 100.0 << 101.0 << 20.0 / 360e6;
    QTest::newRow("sum exactly 180 wraps") << 90.0 << -90.0 << 100.0 << 101.0 << -180.0 / 360e6;
    QTest::newRow("same frequency is undefined") << 10.0 << 20.0 << 100.0 << 100.0 << kUndefined;
}

void TestTwoPort::groupDelay()
{
    QFETCH(double, phi1);
    QFETCH(double, phi2);
    QFETCH(double, f1);
    QFETCH(double, f2);
    QFETCH(double, expected);
    const double tau = GroupDelaySeconds(phi1, phi2, f1, f2);
    QVERIFY2(Near(tau, expected, 1e-15 + 1e-9 * std::fabs(expected)), qPrintable(QString::number(tau)));
}

void TestTwoPort::groupDelayCurveAcrossTheWrap()
{
    // The curve as the charts ask for it, in picoseconds.
    GridSet g;
    g.ports = 2;
    g.freq = {1000.0f, 1001.0f, 1002.0f};
    for (const Complex& z : {Kv(Polar(2, 179)), Kv(Polar(2, -179)), Kv(Polar(2, -177))}) {
        g.s[SIndex(1, 1)].push_back(Complex{});
        g.s[SIndex(2, 1)].push_back(z);
        g.s[SIndex(1, 2)].push_back(Complex{});
        g.s[SIndex(2, 2)].push_back(Complex{});
    }
    std::vector<double> tau(3);
    double* out[] = {tau.data()};
    const Param delay[] = {Param::GroupDelay21};
    EvaluateColumns(g, delay, out);
    QVERIFY(Near(tau[0] * 1e-3, -5.5556, 1e-3));   // about -5.6 ns, not about 1 µs
    QVERIFY(Near(tau[1] * 1e-3, -5.5556, 1e-3));
    QVERIFY(IsUndefined(tau[2]));
}

// MAG is the transducer gain with both ports conjugately matched at once.
void TestTwoPort::conjugateMatchGivesMAG()
{
    std::mt19937 rng(11);
    int checked = 0;
    for (int i = 0; i < 3000 && checked < 200; ++i) {
        const TwoPort d = RandomDevice(rng);
        if (!UnconditionallyStable(d))
            continue;
        ++checked;
        const Complex gs = GammaMS(d);
        const Complex gl = GammaML(d);
        QVERIFY(!IsUndefined(gs) && !IsUndefined(gl));
        QVERIFY(CxAbs(gs) < 1.0 && CxAbs(gl) < 1.0);
        const double gtDb = 10.0 * std::log10(TransducerGain(d, Std(gs), Std(gl)));
        QVERIFY2(Near(MaxAvailableGainDb(d), gtDb, 1e-7),
                 qPrintable(QString("%1 vs %2").arg(MaxAvailableGainDb(d)).arg(gtDb)));
        // And MAG never exceeds MSG, which it reaches as K falls to 1.
        QVERIFY(MaxAvailableGainDb(d) <= MaxStableGainDb(d) + 1e-12);
    }
    QVERIFY(checked >= 50);
}

void TestTwoPort::potentiallyUnstableHasNoMAG()
{
    // |S12·S21| large against the mismatch: K < 1.
    const TwoPort d = Device(Polar(0.9, -80), Polar(5.0, 100), Polar(0.2, 40), Polar(0.8, -40));
    QVERIFY(StabilityK(d).value < 1.0);
    QVERIFY(IsUndefined(MaxAvailableGainDb(d)));
    QVERIFY(!IsUndefined(MaxStableGainDb(d)));
    QVERIFY(IsUndefined(GammaMS(d)));
    QVERIFY(IsUndefined(GammaML(d)));
    QVERIFY(!UnconditionallyStable(d));
    QVERIFY(StabilityMu1(d) < 1.0);
}

// μ1 > 1 alone is the test of unconditional stability; K > 1 with B1 > 0 must agree with it.
void TestTwoPort::muAgreesWithK()
{
    std::mt19937 rng(5);
    int stable = 0, unstable = 0;
    for (int i = 0; i < 4000; ++i) {
        const TwoPort d = RandomDevice(rng);
        const double mu1 = StabilityMu1(d), mu2 = StabilityMu2(d);
        if (std::fabs(mu1 - 1.0) < 1e-9)
            continue;
        const bool byMu = mu1 > 1.0;
        QCOMPARE(UnconditionallyStable(d), byMu);
        QCOMPARE(mu2 > 1.0, byMu);
        (byMu ? stable : unstable)++;
    }
    QVERIFY(stable > 50 && unstable > 50);
}

void TestTwoPort::gainCirclesHaveTheirGain()
{
    std::mt19937 rng(3);
    int checked = 0;
    for (int i = 0; i < 3000 && checked < 60; ++i) {
        const TwoPort d = RandomDevice(rng);
        if (!UnconditionallyStable(d))
            continue;
        ++checked;
        const double level = MaxAvailableGainDb(d) - 2.0;
        const Circle in = GainCircleIn(d, level);
        QVERIFY(in.defined);
        for (int deg = 0; deg < 360; deg += 45) {
            const C gs = Std(in.center) + std::polar(in.radius, deg * 3.14159265358979323846 / 180.0);
            QVERIFY2(Near(10.0 * std::log10(AvailableGain(d, gs)), level, 1e-7), "input circle");
        }
        // The output circle is the same construction seen from the other port.
        const TwoPort flipped{d.s22, d.s12, d.s21, d.s11};
        const Circle out = GainCircleOut(d, level);
        const Circle mirror = GainCircleIn(flipped, 10.0 * std::log10(std::norm(Std(d.s12)) / std::norm(Std(d.s21))) + level);
        QVERIFY(out.defined && mirror.defined);
        for (int deg = 0; deg < 360; deg += 90) {
            const C gl = Std(out.center) + std::polar(out.radius, deg * 3.14159265358979323846 / 180.0);
            const double gOut = AvailableGain(flipped, gl) * std::norm(Std(d.s21)) / std::norm(Std(d.s12));
            QVERIFY2(Near(10.0 * std::log10(gOut), level, 1e-7), "output circle");
        }
        // The traced points are the circle's points as normalised impedances.
        const std::vector<Complex> z = TraceCircle(in);
        QCOMPARE(z.size(), std::size_t{360});
        QVERIFY(std::fabs(std::abs(GammaFromZ(z[90]) - Std(in.center)) - in.radius) < 1e-9);
    }
    QVERIFY(checked >= 20);
}

// On the input (source-plane) stability circle the output reflection has magnitude 1.
void TestTwoPort::stabilityCirclesBoundStability()
{
    std::mt19937 rng(9);
    for (int i = 0; i < 100; ++i) {
        const TwoPort d = RandomDevice(rng);
        const Circle in = StabilityCircleIn(d);
        const Circle out = StabilityCircleOut(d);
        QVERIFY(in.defined && out.defined);
        for (int deg = 0; deg < 360; deg += 60) {
            const double th = deg * 3.14159265358979323846 / 180.0;
            const C gs = Std(in.center) + std::polar(in.radius, th);
            QVERIFY(Near(std::abs(GammaOut(d, gs)), 1.0, 1e-7));
            const C gl = Std(out.center) + std::polar(out.radius, th);
            const C gin = Std(d.s11) + Std(d.s12) * Std(d.s21) * gl / (1.0 - Std(d.s22) * gl);
            QVERIFY(Near(std::abs(gin), 1.0, 1e-7));
        }
    }
    // A circle far outside the chart is reported as such.
    QVERIFY(CircleOutsideChart(Circle{true, {3.0, 0.0}, 1.0}));
    QVERIFY(!CircleOutsideChart(Circle{true, {1.5, 0.0}, 1.0}));
}

void TestTwoPort::noiseCirclesHaveTheirFigure()
{
    const NoiseParams n{0.8, Kv(Polar(0.55, 140.0)), 0.18};
    const double fmin = std::pow(10.0, 0.08);
    for (double nf : {1.0, 1.5, 3.0}) {
        const Circle c = NoiseCircle(n, nf);
        QVERIFY(c.defined);
        for (int deg = 0; deg < 360; deg += 30) {
            const C gs = Std(c.center) + std::polar(c.radius, deg * 3.14159265358979323846 / 180.0);
            const double f = fmin + 4.0 * n.rn * std::norm(gs - Std(n.gammaOpt)) /
                                        ((1.0 - std::norm(gs)) * std::norm(1.0 + Std(n.gammaOpt)));
            QVERIFY(Near(10.0 * std::log10(f), nf, 1e-9));
        }
    }
    // At NFmin the circle shrinks to Γopt.
    const Circle point = NoiseCircle(n, 0.8);
    QVERIFY(point.radius < 1e-12);
    QVERIFY(std::abs(Std(point.center) - Std(n.gammaOpt)) < 1e-12);
}

void TestTwoPort::noiseFigureWithZ0Source()
{
    // A 50-ohm source is Γs = 0: F = Fmin + 4·rn·|Γopt|²/|1 + Γopt|².
    const NoiseParams n{1.0, Kv(Polar(0.5, 90.0)), 0.25};
    const double f = std::pow(10.0, 0.1) + 4.0 * 0.25 * 0.25 / std::norm(C(1.0, 0.5));
    QVERIFY(Near(NoiseFigureZ0Db(n), 10.0 * std::log10(f), 1e-9));
    // An optimum at the center: the figure is NFmin itself.
    QVERIFY(Near(NoiseFigureZ0Db(NoiseParams{1.3, {}, 0.2}), 1.3, 1e-12));
}

// A tee of series Za, shunt Zb, series Zc: driven in anti-phase the shunt arm carries no
// current, so the differential impedance is Za + Zc.
void TestTwoPort::differentialImpedanceOfATee()
{
    const double z0 = 50.0;
    const C za(10.0, 20.0), zb(30.0, -40.0), zc(25.0, 5.0);
    const C z11 = (za + zb) / z0, z22 = (zc + zb) / z0, z12 = zb / z0;
    // S = (Z − I)(Z + I)⁻¹ for the normalised 2 × 2 matrix.
    const C a11 = z11 - 1.0, a22 = z22 - 1.0, b11 = z11 + 1.0, b22 = z22 + 1.0;
    const C det = b11 * b22 - z12 * z12;
    const C s11 = (a11 * b22 - z12 * z12) / det;
    const C s12 = (z12 * b11 - a11 * z12) / det;
    const C s22 = (b11 * a22 - z12 * z12) / det;
    const TwoPort d = Device(s11, s12, s12, s22);
    const C zd = Std(DifferentialImpedance(d, z0));
    QVERIFY2(std::abs(zd - (za + zc)) < 1e-9, qPrintable(QString("%1 %2").arg(zd.real()).arg(zd.imag())));
}

void TestTwoPort::gainFlatness_data()
{
    QTest::addColumn<std::vector<double>>("gt");
    QTest::addColumn<QString>("caption");
    QTest::newRow("odd count has a midband")
        << std::vector<double>{10.0, 12.5, 11.0, 13.0, 9.0}
        << "Gt:  Min = 9.00   Avg = 11.10   Midband = 11.00   Max = 13.00   Flatness = ±2.00 dB";
    QTest::newRow("even count has none")
        << std::vector<double>{10.0, 12.0}
        << "Gt:  Min = 10.00   Avg = 11.00   Midband = * * *    Max = 12.00   Flatness = ±1.00 dB";
    QTest::newRow("undefined points are skipped")
        << std::vector<double>{kUndefined, 8.0, 6.0}
        << "Gt:  Min = 6.00   Avg = 7.00   Midband = 8.00   Max = 8.00   Flatness = ±1.00 dB";
}

void TestTwoPort::gainFlatness()
{
    QFETCH(std::vector<double>, gt);
    QFETCH(QString, caption);
    const GainFlatness g = GainFlatnessOf(gt);
    QVERIFY(g.defined);
    QCOMPARE(QString::fromStdString(GainFlatnessCaption(g)), caption);
}

void TestTwoPort::labels()
{
    const TwoPort stable = Device(0.0, 2.0, 0.1, 0.0);
    QCOMPARE(QString::fromStdString(MaxGainLabel(stable)), QString("MAG= 6.02"));
    const TwoPort unstable = Device(Polar(0.9, -80), Polar(5.0, 100), Polar(0.2, 40), Polar(0.8, -40));
    QCOMPARE(QString::fromStdString(MaxGainLabel(unstable)), QString("MSG= 13.98"));
    QCOMPARE(QString::fromStdString(NoiseMinLabel(NoiseParams{0.456, {}, 0.1})), QString("NFmin= 0.46"));
    QCOMPARE(QString::fromStdString(StabilityCircleLabelIn(stable)), QString("Input Stable"));
    QCOMPARE(QString::fromStdString(StabilityCircleLabelIn(Device(1.1, 1.0, 0.1, 0.5))), QString("Input Untable"));
    QCOMPARE(QString::fromStdString(StabilityCircleLabelOut(stable)), QString("Output Stable"));
    const std::vector<int> sets{1, 3};
    QCOMPARE(QString::fromStdString(StableSetsCaption(sets, true)),
             QString("Data sets unconditionally stable:   D1, D3 : Input  "));
    QCOMPARE(QString::fromStdString(StableSetsCaption(std::vector<int>{2}, false)),
             QString("Data sets unconditionally stable:  D2 : Output  "));
    QCOMPARE(GainCircleLevels(12.0, 3, 1.5), (std::vector<double>{10.5, 9.0, 7.5}));
    QCOMPARE(NoiseCircleLevels(0.5, 2, 0.25), (std::vector<double>{0.75, 1.0}));
}

void TestTwoPort::linearPhaseReferenceFollowsADelay()
{
    // A pure delay of 1 ns: -0.36° per MHz, wrapping several times over 1000..3000 MHz.
    std::vector<float> f;
    std::vector<double> ph;
    for (int k = 0; k <= 40; ++k) {
        f.push_back(1000.0f + 50.0f * static_cast<float>(k));
        ph.push_back(PhaseDeg(Kv(Polar(1.0, -0.36 * f.back()))));
    }
    const std::vector<double> line = LinearPhaseReference(f, ph);
    for (std::size_t k = 0; k < f.size(); ++k) {
        double d = std::fmod(std::fabs(line[k] - ph[k]), 360.0);
        d = std::min(d, 360.0 - d);
        QVERIFY2(d < 1e-6, qPrintable(QString::number(d)));
    }
}

QTEST_APPLESS_MAIN(TestTwoPort)
#include "tst_twoport.moc"
