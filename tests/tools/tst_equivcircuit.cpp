// Equivalent series and parallel R-L / R-C circuits at one frequency, pinned to values worked
// by hand, and the round trip impedance -> circuit -> impedance over both signs of reactance.
#include "tools/equivcircuit.h"

#include "tests/support/recording_notifier.h"

#include <QTest>

#include <cmath>

using namespace korvel;

Q_DECLARE_METATYPE(CircuitKind)

class TestEquivCircuit : public QObject {
    Q_OBJECT
private slots:
    void Series_data();
    void Series();
    void Parallel_data();
    void Parallel();
    void RoundTrip_data();
    void RoundTrip();
    void Cycle();
};

void TestEquivCircuit::Series_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    QTest::addColumn<double>("f");
    QTest::addColumn<CircuitKind>("kind");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("c");
    // X = 2 pi f L: 4 nH at 1 GHz is 25.1327 ohm.
    QTest::newRow("inductive") << 25.0 << 25.1327412287183 << 1e9 << CircuitKind::SeriesRL << 25.0 << 4e-9 << 0.0;
    // X = -1 / (2 pi f C): 1 pF at 1 GHz is -159.155 ohm.
    QTest::newRow("capacitive") << 10.0 << -159.154943091895 << 1e9 << CircuitKind::SeriesRC << 10.0 << 0.0 << 1e-12;
    QTest::newRow("resistive") << 75.0 << 0.0 << 1e6 << CircuitKind::R << 75.0 << 0.0 << 0.0;
    QTest::newRow("pure reactance, 1 uH at 1 MHz") << 0.0 << 6.28318530717958 << 1e6 << CircuitKind::SeriesRL << 0.0
                                                   << 1e-6 << 0.0;
}

void TestEquivCircuit::Series()
{
    QFETCH(double, re);
    QFETCH(double, im);
    QFETCH(double, f);
    QFETCH(CircuitKind, kind);
    QFETCH(double, r);
    QFETCH(double, l);
    QFETCH(double, c);
    const EquivalentCircuit e = SeriesCircuitOfZ({re, im}, f);
    QCOMPARE(e.kind, kind);
    QCOMPARE(e.r_ohm, r);
    QVERIFY(!e.rInfinite);
    QVERIFY(std::fabs(e.l_h - l) <= 1e-12 * l + 1e-30);
    QVERIFY(std::fabs(e.c_f - c) <= 1e-12 * c + 1e-30);
}

void TestEquivCircuit::Parallel_data()
{
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("f");
    QTest::addColumn<CircuitKind>("kind");
    QTest::addColumn<bool>("infinite");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("c");
    // B = 2 pi f C: 1 pF at 1 GHz is 6.2832 mS.
    QTest::newRow("capacitive") << 0.02 << 6.28318530717958e-3 << 1e9 << CircuitKind::ParallelRC << false << 50.0
                                << 0.0 << 1e-12;
    // B = -1 / (2 pi f L): 15.9155 uH at 1 MHz is -10 mS.
    QTest::newRow("inductive, no conductance") << 0.0 << -0.01 << 1e6 << CircuitKind::ParallelRL << true << 0.0
                                               << 15.9154943091895e-6 << 0.0;
    QTest::newRow("conductance only") << 0.005 << 0.0 << 1e6 << CircuitKind::R << false << 200.0 << 0.0 << 0.0;
}

void TestEquivCircuit::Parallel()
{
    QFETCH(double, g);
    QFETCH(double, b);
    QFETCH(double, f);
    QFETCH(CircuitKind, kind);
    QFETCH(bool, infinite);
    QFETCH(double, r);
    QFETCH(double, l);
    QFETCH(double, c);
    const EquivalentCircuit e = ParallelCircuitOfY({g, b}, f);
    QCOMPARE(e.kind, kind);
    QCOMPARE(e.rInfinite, infinite);
    QVERIFY(std::fabs(e.r_ohm - r) <= 1e-12 * r);
    QVERIFY(std::fabs(e.l_h - l) <= 1e-12 * l + 1e-30);
    QVERIFY(std::fabs(e.c_f - c) <= 1e-12 * c + 1e-30);
}

void TestEquivCircuit::RoundTrip_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    QTest::addColumn<double>("f");
    for (double f : {1e3, 2.4e9})
        for (double im : {-300.0, -0.5, 0.0, 0.5, 300.0})
            for (double re : {1e-3, 50.0, 1e5})
                QTest::addRow("%g%+gj at %g Hz", re, im, f) << re << im << f;
}

void TestEquivCircuit::RoundTrip()
{
    QFETCH(double, re);
    QFETCH(double, im);
    QFETCH(double, f);
    test::RecordingNotifier notes;
    const Complex z{re, im};
    const EquivalentCircuit s = SeriesCircuitOfZ(z, f);
    const double sx = HasInductor(s.kind) ? s.l_h : s.c_f;
    const Complex zs = ImpedanceOfCircuit(s.kind, s.r_ohm, sx, f);
    QVERIFY(std::fabs(zs.Re - re) <= 1e-9 * std::hypot(re, im));
    QVERIFY(std::fabs(zs.Im - im) <= 1e-9 * std::hypot(re, im));

    const Complex y = CxInv(z);
    const EquivalentCircuit p = ParallelCircuitOfY(y, f);
    QVERIFY(IsParallel(p.kind) || p.kind == CircuitKind::R);
    const double px = HasInductor(p.kind) ? p.l_h : p.c_f;
    const Complex yp = AdmittanceOfCircuit(p.kind, p.r_ohm, px, f);
    QVERIFY(std::fabs(yp.Re - y.Re) <= 1e-9 * std::hypot(y.Re, y.Im));
    QVERIFY(std::fabs(yp.Im - y.Im) <= 1e-9 * std::hypot(y.Re, y.Im));
    QVERIFY(notes.messages.empty());
}

void TestEquivCircuit::Cycle()
{
    // The selection key cycles through the five circuits and never back to "none".
    const CircuitKind order[] = {CircuitKind::R, CircuitKind::SeriesRL, CircuitKind::SeriesRC,
                                 CircuitKind::ParallelRL, CircuitKind::ParallelRC, CircuitKind::R};
    CircuitKind k = CircuitKind::None;
    for (CircuitKind want : order) {
        k = NextCircuit(k);
        QCOMPARE(k, want);
    }
}

QTEST_APPLESS_MAIN(TestEquivCircuit)
#include "tst_equivcircuit.moc"
