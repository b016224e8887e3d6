// Coplanar waveguide formulas: the exact conformal map as the thin-conductor limit of both
// models, a published impedance, the branch choice of the thickness-corrected elliptic ratio,
// the range tests with their message texts, the fault path and sweeps.
#include "lines/cpw.h"

#include "core/elliptic.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace korvel;

namespace {

constexpr double kMil = 2.54e-5;   // metres
constexpr double kMm = 1e-3;
constexpr double kProgramPi = 3.14159265358979;
const char* const kFault = "Unexpected math error (B01). Combination of W, G, H, T, or Er out of range.";

bool RelNear(double got, double want, double rel)
{
    return std::fabs(got - want) <= rel * std::fabs(want);
}

QByteArray Show(double got, double want)
{
    return "got " + QByteArray::number(got, 'g', 12) + ", want " + QByteArray::number(want, 'g', 12);
}

CpwResult Analyse(double w, double g, double t, double h, double er, bool ground, double unit)
{
    return AnalyseCpw({w * unit, g * unit, t * unit, h * unit, 1000 * kMil, 1e9, er, ground});
}

// The textbook conformal map of a zero-thickness CPW, with exact elliptic ratios.
struct Exact {
    double z0;
    double eeff;
};

Exact ExactCpw(double w, double g, double h, double er, bool ground)
{
    const double pi = std::numbers::pi;
    const double k = w / (w + 2.0 * g);
    const double a = pi * w / (4.0 * h);
    const double b = pi * (w + 2.0 * g) / (4.0 * h);
    const double k1 = ground ? std::tanh(a) / std::tanh(b) : std::sinh(a) / std::sinh(b);
    const double r0 = EllipticKRatio(k);
    const double r1 = EllipticKRatio(k1);
    if (ground) {
        const double eeff = (r0 + er * r1) / (r0 + r1);
        return {60.0 * pi / (std::sqrt(eeff) * (r0 + r1)), eeff};
    }
    const double eeff = 1.0 + (er - 1.0) / 2.0 * r1 / r0;
    return {30.0 * pi / (std::sqrt(eeff) * r0), eeff};
}

} // namespace

class TestCpw : public QObject {
    Q_OBJECT
private slots:
    void defaults_data();
    void defaults();
    void worked_data();
    void worked();
    void conformalLimit_data();
    void conformalLimit();
    void publishedValue();
    void thicknessBranch_data();
    void thicknessBranch();
    void rangeFailures_data();
    void rangeFailures();
    void faults_data();
    void faults();
    void airDielectric_data();
    void airDielectric();
    void sweepWidth();
    void sweepGap();
};

void TestCpw::defaults_data()
{
    QTest::addColumn<bool>("ground");
    QTest::addColumn<double>("er");
    QTest::newRow("with ground plane, air") << true << 1.0;
    QTest::newRow("no ground plane, air") << false << 1.0;
    QTest::newRow("with ground plane, FR-4") << true << 4.4;
    QTest::newRow("no ground plane, FR-4") << false << 4.4;
}

// The window's defaults, W 10, G 5, T 0.1, H 25 mil at 1 GHz. The shape factor is the same for
// both models: the edge allowance d = (1.25 T / pi)(1 + ln(4 pi W / T)) = 0.32373 mil widens
// the strip and narrows each gap, so ke = (W + d) / (W + 2G - d) = 10.32373 / 19.67627 = 0.524679.
void TestCpw::defaults()
{
    QFETCH(bool, ground);
    QFETCH(double, er);
    const CpwResult r = Analyse(10, 5, 0.1, 25, er, ground, kMil);
    QVERIFY(!r.fault.raised);
    QVERIFY(!r.range.raised);
    QCOMPARE(r.k, 0.5);
    const double d = 1.25 * 0.1 / kProgramPi * (1.0 + std::log(4.0 * kProgramPi * 10.0 / 0.1));
    QVERIFY2(RelNear(r.ke, (10.0 + d) / (20.0 - d), 1e-12), Show(r.ke, (10.0 + d) / (20.0 - d)));
    QVERIFY(std::fabs(r.ke - 0.524679) < 5e-7);
    // A lower ground plane adds capacitance under the strip and lowers the impedance.
    const CpwResult other = Analyse(10, 5, 0.1, 25, er, !ground, kMil);
    QVERIFY(ground ? r.z0_ohm < other.z0_ohm : r.z0_ohm > other.z0_ohm);
    QVERIFY(RelNear(r.wave.velocityFactor, 1.0 / std::sqrt(r.eeff), 1e-15));
}

void TestCpw::worked_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("er");
    QTest::addColumn<bool>("ground");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eeff");
    // Dimensions in mil. Worked separately, in double precision, from the equations as
    // written, Hilberg's forms and the branch choices included.
    QTest::newRow("defaults, with ground") << 10.0 << 5.0 << 0.1 << 25.0 << 1.0 << true << 115.73416207256638 << 1.0;
    QTest::newRow("defaults, no ground") << 10.0 << 5.0 << 0.1 << 25.0 << 1.0 << false << 117.18791962278605 << 1.0;
    QTest::newRow("FR-4, with ground") << 10.0 << 5.0 << 0.1 << 25.0 << 4.4 << true << 70.35785909290611
                                       << 2.7058138253660835;
    QTest::newRow("FR-4, no ground") << 10.0 << 5.0 << 0.1 << 25.0 << 4.4 << false << 72.13215785991731
                                     << 2.6394159700540767;
    // Thick conductors (d = 1.47 mil of a 2 mil gap) on GaAs: ke 0.837 takes the other branch.
    // Here the grounded model gives the higher impedance: its partial-capacitance ratio uses
    // the thickness-corrected ratio Re where the open model uses R0.
    QTest::newRow("thick on GaAs, with ground") << 4.0 << 2.0 << 0.7 << 5.0 << 12.9 << true << 37.44752857088545
                                                << 5.484671224683654;
    QTest::newRow("thick on GaAs, no ground") << 4.0 << 2.0 << 0.7 << 5.0 << 12.9 << false << 32.67812989297567
                                              << 5.6590424666769525;
}

void TestCpw::worked()
{
    QFETCH(double, w);
    QFETCH(double, g);
    QFETCH(double, t);
    QFETCH(double, h);
    QFETCH(double, er);
    QFETCH(bool, ground);
    QFETCH(double, z0);
    QFETCH(double, eeff);
    const CpwResult r = Analyse(w, g, t, h, er, ground, kMil);
    QVERIFY(!r.fault.raised && !r.range.raised);
    QVERIFY2(RelNear(r.z0_ohm, z0, 1e-11), Show(r.z0_ohm, z0));
    QVERIFY2(RelNear(r.eeff, eeff, 1e-11), Show(r.eeff, eeff));
}

void TestCpw::conformalLimit_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("hw");
    QTest::addColumn<double>("er");
    QTest::addColumn<bool>("ground");
    for (bool ground : {false, true}) {
        const char* g = ground ? "grounded" : "open";
        for (double k : {0.5, 0.6, 0.7, 0.8, 0.9}) {
            QTest::newRow(qPrintable(QString("%1 k %2 FR-4").arg(g).arg(k))) << k << 1.0 << 4.4 << ground;
            QTest::newRow(qPrintable(QString("%1 k %2 thin alumina").arg(g).arg(k))) << k << 0.3 << 9.8 << ground;
            QTest::newRow(qPrintable(QString("%1 k %2 thick PTFE").arg(g).arg(k))) << k << 5.0 << 2.1 << ground;
        }
    }
}

// As the conductors thin the thickness corrections vanish and both models must become the
// exact conformal map. Hilberg's forms are within a few ppm and the shape-factor ratio's
// branch choice costs up to 1e-4 at k = 0.9, so 2e-4 is the model's own accuracy here.
void TestCpw::conformalLimit()
{
    QFETCH(double, k);
    QFETCH(double, hw);
    QFETCH(double, er);
    QFETCH(bool, ground);
    const double w = 1.0;
    const double g = w * (1.0 / k - 1.0) / 2.0;
    const CpwResult r = Analyse(w, g, 1e-9, hw * w, er, ground, kMm);
    const Exact exact = ExactCpw(w, g, hw * w, er, ground);
    QVERIFY(!r.fault.raised && !r.range.raised);
    QVERIFY2(RelNear(r.z0_ohm, exact.z0, 2e-4), Show(r.z0_ohm, exact.z0));
    QVERIFY2(RelNear(r.eeff, exact.eeff, 2e-4), Show(r.eeff, exact.eeff));
}

// Published for the same conformal-map model without a lower ground plane (another line
// calculator): Er 4.4, H 0.8 mm, T 35 um, W 0.5 mm, G 0.3 mm at 1 GHz gives 72.30 ohm; the
// closed forms promise about 2 %.
//
// Finding: this model gives 69.95 ohm, 3.3 % low. The conformal map and the elliptic ratios
// are not the cause (the thin-conductor limit above agrees with the exact map to 1e-4, and at
// this ke of 0.578 the branch choice costs 2e-5); the zero-thickness map of this geometry is
// 79.1 ohm. The difference lies in how strongly thickness is corrected: here the strip widens
// by the whole edge allowance d = 86 um and each 300 um gap narrows by the same amount, and
// the thickness term of the permittivity is scaled by the strip width W where the usual form
// uses the gap. A tool with a milder correction lands between the two, at 72.3 ohm.
void TestCpw::publishedValue()
{
    const CpwResult r = Analyse(0.5, 0.3, 0.035, 0.8, 4.4, false, kMm);
    QVERIFY(!r.fault.raised && !r.range.raised);
    // What this model gives, pinned so that a change to the thickness correction is seen.
    QVERIFY2(RelNear(r.z0_ohm, 69.9486, 2e-5), Show(r.z0_ohm, 69.9486));
    QEXPECT_FAIL("", "the thickness correction is stronger than the published tool's: 69.95 vs 72.30 ohm", Continue);
    QVERIFY2(RelNear(r.z0_ohm, 72.30, 0.02), Show(r.z0_ohm, 72.30));
}

void TestCpw::thicknessBranch_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<bool>("largeForm");
    QTest::addColumn<double>("errorVsExact");
    // Chosen by the complement ke': a ke below 0.707 has ke' above it and takes the
    // large-modulus form, which is 0.7 % high at 0.1; a ke above 0.707 takes the
    // small-modulus form, 0.36 % low at 0.99. Near 0.707 both are within ppm.
    QTest::newRow("ke 0.1") << 0.1 << true << 0.0070;
    QTest::newRow("ke 0.3") << 0.3 << true << 0.00048;
    QTest::newRow("ke 0.9") << 0.9 << false << -0.0000963;
    QTest::newRow("ke 0.99") << 0.99 << false << -0.00364;
}

void TestCpw::thicknessBranch()
{
    QFETCH(double, k);
    QFETCH(bool, largeForm);
    QFETCH(double, errorVsExact);
    // In air without a lower ground, Z0 = 30 pi / Re exactly, so the ratio used for the
    // shape factor can be read back from the impedance.
    const double w = 1.0;
    const CpwResult r = Analyse(w, w * (1.0 / k - 1.0) / 2.0, 1e-9, 1.0, 1.0, false, kMm);
    QVERIFY(!r.fault.raised && !r.range.raised);
    const double re = 30.0 * kProgramPi / r.z0_ohm;
    FaultTrap trap;
    const double kec = std::sqrt(1.0 - r.ke * r.ke);
    const double form = largeForm ? HilbergLargeModulus(r.ke, trap) : HilbergSmallModulus(kec, trap);
    QVERIFY2(RelNear(re, form, 1e-13), Show(re, form));
    const double error = re / EllipticKRatio(r.ke) - 1.0;
    QVERIFY2(std::fabs(error - errorVsExact) < 0.02 * std::fabs(errorVsExact), Show(error, errorVsExact));
}

void TestCpw::rangeFailures_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("t");
    QTest::addColumn<bool>("ground");
    QTest::addColumn<bool>("modulesInside");
    // Dimensions in mm; H is 1 mm.
    // 0.1 mm conductors give d = 0.35 mm: the narrowed gap is negative and ke above 1.
    QTest::newRow("gap eaten by thickness, open") << 1.0 << 0.2 << 0.1 << false << false;
    QTest::newRow("gap eaten by thickness, grounded") << 1.0 << 0.2 << 0.1 << true << false;
    // A strip so narrow against its gaps that k' = sqrt(1 - k^2) rounds to 1: the second test.
    QTest::newRow("complement rounds to 1, open") << 1e-9 << 1.0 << 1e-12 << false << true;
    QTest::newRow("complement rounds to 1, grounded") << 1e-9 << 1.0 << 1e-12 << true << true;
}

// A failed range test shows a message box, returns 0 as Z0, keeps the permittivity of the
// previous calculation (the wave values follow it) and is not a math fault.
void TestCpw::rangeFailures()
{
    QFETCH(double, w);
    QFETCH(double, g);
    QFETCH(double, t);
    QFETCH(bool, ground);
    QFETCH(bool, modulesInside);
    CpwInputs in{w * kMm, g * kMm, t * kMm, kMm, kMm, 1e9, 4.4, ground};
    in.keptEeff = 2.5;
    in.keptKe = 0.25;
    const CpwResult r = AnalyseCpw(in);
    QVERIFY(r.range.raised);
    // Either a modulus is outside (0, 1), or all are inside and only a complement fails.
    const bool inside = r.k > 0.0 && r.k < 1.0 && r.k1 > 0.0 && r.k1 < 1.0 && r.ke > 0.0 && r.ke < 1.0;
    QCOMPARE(inside, modulesInside);
    QVERIFY(!r.fault.raised);
    QCOMPARE(QByteArray(r.range.text), QByteArray("Width, Gap, Height, Thickness, or Er out of range."));
    QCOMPARE(QByteArray(r.range.title), QByteArray(ground ? "Input data out of range" : "Inputs out of range"));
    QCOMPARE(r.z0_ohm, 0.0);
    QCOMPARE(r.eeff, 2.5);
    QVERIFY(RelNear(r.wave.velocityFactor, 1.0 / std::sqrt(2.5), 1e-15));
    // The shape factor was stored before the test that failed.
    QVERIFY(r.ke != 0.25);
}

void TestCpw::faults_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("h");
    QTest::addColumn<bool>("ground");
    QTest::addColumn<int>("number");
    // Dimensions in mm, G 0.5 mm. Zero thickness puts ln(4 pi W / T) out of reach: the window's
    // input check refuses it, the formula reports it.
    QTest::newRow("zero thickness, open") << 1.0 << 0.0 << 1.0 << false << int(kFaultDivisionByZero);
    QTest::newRow("zero thickness, grounded") << 1.0 << 0.0 << 1.0 << true << int(kFaultDivisionByZero);
    // A strip 1000 times wider than the substrate is high: the hyperbolic functions of
    // pi W / 4H = 785 overflow their exponentials.
    QTest::newRow("very wide strip, open") << 1000.0 << 0.01 << 1.0 << false << int(kFaultOverflow);
    QTest::newRow("very wide strip, grounded") << 1000.0 << 0.01 << 1.0 << true << int(kFaultOverflow);
}

// A math fault reports its status text, returns 0 and leaves the shape factor and the
// permittivity as the previous calculation left them.
void TestCpw::faults()
{
    QFETCH(double, w);
    QFETCH(double, t);
    QFETCH(double, h);
    QFETCH(bool, ground);
    QFETCH(int, number);
    CpwInputs in{w * kMm, 0.5 * kMm, t * kMm, h * kMm, kMm, 1e9, 4.4, ground};
    in.keptEeff = 2.5;
    in.keptKe = 0.25;
    const CpwResult r = AnalyseCpw(in);
    QVERIFY(r.fault.raised);
    QVERIFY(!r.range.raised);
    QCOMPARE(r.fault.number, number);
    QCOMPARE(QByteArray(r.fault.text.c_str()), QByteArray(kFault));
    QCOMPARE(r.z0_ohm, 0.0);
    QCOMPARE(r.eeff, 2.5);
    QCOMPARE(r.ke, 0.25);

    CpwState state{0.25, 2.5, {}};
    FaultTrap trap;
    const double z0 = ground ? CpwGndZ0(w * kMm, 0.5 * kMm, t * kMm, h * kMm, 4.4, state, trap)
                             : CpwZ0(w * kMm, 0.5 * kMm, t * kMm, h * kMm, 4.4, state, trap);
    QCOMPARE(z0, 0.0);
    QVERIFY(trap.Raised());
    QCOMPARE(state.eeff, 2.5);
}

void TestCpw::airDielectric_data()
{
    QTest::addColumn<bool>("ground");
    QTest::addColumn<double>("t");
    QTest::newRow("open, thin") << false << 0.001;
    QTest::newRow("open, thick") << false << 0.05;
    QTest::newRow("grounded, thin") << true << 0.001;
    QTest::newRow("grounded, thick") << true << 0.05;
}

// With Er = 1 both partial-capacitance forms give e0 = 1, and the thickness term of the
// permittivity, proportional to e0 - 1, vanishes.
void TestCpw::airDielectric()
{
    QFETCH(bool, ground);
    QFETCH(double, t);
    const CpwResult r = Analyse(1.0, 0.4, t, 0.6, 1.0, ground, kMm);
    QVERIFY(!r.fault.raised && !r.range.raised);
    QCOMPARE(r.eeff, 1.0);
    QCOMPARE(r.wave.velocityFactor, 1.0);
}

// Over strips from 0.001 to 300 substrate heights wide, gaps from 0.01 to 10 heights,
// conductors up to 5 % of the gap and every Er from air to the top of the range: no fault,
// nothing non-finite, the permittivity between 1 and Er, and the impedance falls strictly as
// the strip widens. Geometries whose thickness allowance closes the gap stop on the range
// test and are counted, not judged.
void TestCpw::sweepWidth()
{
    int judged = 0;
    for (bool ground : {false, true}) {
        for (double er : {1.0, 2.2, 4.4, 9.8, 100.0, 1000.0}) {
            for (double gh : {0.01, 0.1, 1.0, 10.0}) {
                for (double tg : {0.0001, 0.001, 0.01, 0.05}) {
                    double previous = INFINITY;
                    for (double wh = 0.001; wh <= 300.0; wh *= 1.07) {
                        const double g = gh;
                        const CpwResult r = AnalyseCpw({wh * kMm, g * kMm, tg * g * kMm, kMm, kMm, 1e9, er, ground});
                        const QByteArray where =
                            QString("gnd %1 er %2 G/H %3 T/G %4 W/H %5").arg(ground).arg(er).arg(gh).arg(tg).arg(wh).toLatin1();
                        QVERIFY2(!r.fault.raised, where);
                        if (r.range.raised)
                            continue;
                        QVERIFY2(std::isfinite(r.z0_ohm) && r.z0_ohm > 0.0 && r.z0_ohm < previous, where);
                        QVERIFY2(r.eeff >= 1.0 && r.eeff <= er, where);
                        previous = r.z0_ohm;
                        ++judged;
                    }
                }
            }
        }
    }
    QVERIFY(judged > 20000);
}

// A wider gap moves the grounds away: the impedance rises.
void TestCpw::sweepGap()
{
    for (bool ground : {false, true}) {
        for (double wh : {0.05, 0.5, 5.0}) {
            double previous = 0.0;
            for (double gh = 0.01; gh <= 10.0; gh *= 1.1) {
                const CpwResult r = AnalyseCpw({wh * kMm, gh * kMm, 0.001 * gh * kMm, kMm, kMm, 1e9, 4.4, ground});
                QVERIFY2(!r.fault.raised && !r.range.raised, QByteArray::number(gh));
                QVERIFY2(r.z0_ohm > previous, qPrintable(QString("gnd %1 W/H %2 G/H %3").arg(ground).arg(wh).arg(gh)));
                previous = r.z0_ohm;
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestCpw)
#include "tst_cpw.moc"
