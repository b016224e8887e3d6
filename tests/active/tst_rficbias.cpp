// RFIC bias parts: blocking capacitors, choke and bypass sized for a loss rule, the losses
// and gain in two bands, the choke's own corner, and the current-biased circuit's resistor,
// bias-branch loss and current spread over device voltage and temperature.
#include "active/rficbias.h"

#include "core/stdvalues.h"

#include <QtTest>

#include <cmath>
#include <complex>

using namespace korvel;

namespace {

constexpr double kTwoPi = 2.0 * 3.14159265358979;

// Insertion loss of any element network between Z0 source and load, from its ABCD matrix:
// IL = |A + B/Z0 + C Z0 + D|^2 / 4. Independent of the closed forms under test.
double LossOfAbcd(std::complex<double> a, std::complex<double> b, std::complex<double> c,
                  std::complex<double> d, double z0)
{
    return 10.0 * std::log10(std::norm(a + b / z0 + c * z0 + d) / 4.0);
}
double SeriesLoss(std::complex<double> z, double z0) { return LossOfAbcd(1.0, z, 0.0, 1.0, z0); }
double ShuntLoss(std::complex<double> z, double z0) { return LossOfAbcd(1.0, 0.0, 1.0 / z, 1.0, z0); }

bool Near(double actual, double expected, double tol) { return std::fabs(actual - expected) <= tol; }

#define QVERIFY_NEAR(actual, expected, tol)                                                               \
    QVERIFY2(Near((actual), (expected), (tol)),                                                          \
             qPrintable(QString("%1 = %2, expected %3 +- %4").arg(#actual).arg(actual, 0, 'g', 10)       \
                            .arg(expected, 0, 'g', 10).arg(tol)))

} // namespace

class TestRficBias : public QObject {
    Q_OBJECT
private slots:
    void vbiasDefaults();
    void lossRule_data();
    void lossRule();
    void vbiasStandardValues_data();
    void vbiasStandardValues();
    void vbiasCapacitorsExcluded_data();
    void vbiasCapacitorsExcluded();
    void bypassRatio_data();
    void bypassRatio();
    void shuntBranchLoss_data();
    void shuntBranchLoss();
    void ibiasDefaults();
    void ibiasSpread_data();
    void ibiasSpread();
    void ibiasOutOfRegulation_data();
    void ibiasOutOfRegulation();
    void ibiasTjCaution_data();
    void ibiasTjCaution();
};

void TestRficBias::vbiasDefaults()
{
    const VBiasResult r = DesignVBias(VBiasInputs{});
    QCOMPARE(r.faultNumber, 0);
    QVERIFY_NEAR(r.parts.xsAllowed_ohm, 15.262, 0.001);
    QVERIFY_NEAR(r.parts.xpAllowed_ohm, 163.805, 0.001);
    QVERIFY_NEAR(r.parts.cin_f * 1e12, 12.50, 0.01);
    QCOMPARE(r.parts.cout_f, r.parts.cin_f);
    QVERIFY_NEAR(r.parts.rfc_h * 1e9, 31.26, 0.01);
    QVERIFY_NEAR(r.parts.cb_f, 200.0 * r.parts.cin_f, 1e-20);
    // At F1 each of the three elements costs exactly the 0.1 dB of the rule.
    QVERIFY_NEAR(r.bands[0].capLoss_db, 0.20, 1e-9);
    QVERIFY_NEAR(r.bands[0].rfcLoss_db, 0.10, 1e-9);
    QVERIFY_NEAR(r.bands[0].totalLoss_db, 0.30, 1e-9);
    QVERIFY_NEAR(r.bands[0].gain_db, 16.70, 1e-9);
    // At F2 every reactance is further from Z0: both losses fall.
    const double xc2 = 1.0 / (kTwoPi * 1910e6 * r.parts.cin_f);
    const double xl2 = kTwoPi * 1910e6 * r.parts.rfc_h;
    QVERIFY_NEAR(r.bands[1].capLoss_db, 2.0 * SeriesLoss({0.0, -xc2}, 50.0), 1e-9);
    QVERIFY_NEAR(r.bands[1].rfcLoss_db, ShuntLoss({0.0, xl2}, 50.0), 1e-9);
    QVERIFY(r.bands[1].capLoss_db < r.bands[0].capLoss_db);
    QVERIFY(r.bands[1].rfcLoss_db < r.bands[0].rfcLoss_db);
    QVERIFY_NEAR(r.bands[1].gain_db, 17.0 - r.bands[1].totalLoss_db, 1e-12);
    QVERIFY(!r.f3dbShown);
}

void TestRficBias::lossRule_data()
{
    QTest::addColumn<double>("loss");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("f");
    for (double loss : kRficLossRules)
        for (double z0 : {50.0, 75.0})
            for (double f : {1e6, 834e6, 10e9})
                QTest::addRow("%g dB %g ohm %g Hz", loss, z0, f) << loss << z0 << f;
}

void TestRficBias::lossRule()
{
    QFETCH(double, loss);
    QFETCH(double, z0);
    QFETCH(double, f);
    VBiasInputs in;
    in.common.lossDb = loss;
    in.common.z0_ohm = z0;
    in.f1_hz = in.f2_hz = f;
    const VBiasResult r = DesignVBias(in);
    // Each exact part, checked against the two-port loss of its own reactance.
    QVERIFY_NEAR(SeriesLoss({0.0, -1.0 / (kTwoPi * f * r.parts.cin_f)}, z0), loss, 1e-9);
    QVERIFY_NEAR(ShuntLoss({0.0, kTwoPi * f * r.parts.rfc_h}, z0), loss, 1e-9);
    QVERIFY_NEAR(r.bands[0].totalLoss_db, 3.0 * loss, 1e-9);
}

void TestRficBias::vbiasStandardValues_data()
{
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<double>("cin_pF");
    QTest::addColumn<double>("rfc_nH");
    // 12.504 pF and 31.260 nH rounded in each series.
    // 12.504 is just above the E24 midpoint 12.5 and so rounds up; in E6 it passes 12.5 too.
    QTest::newRow("E24") << 5 << 13.0 << 30.0;
    QTest::newRow("E96") << 1 << 12.4 << 31.6;
    QTest::newRow("E12") << 10 << 12.0 << 33.0;
    QTest::newRow("E6") << 20 << 15.0 << 33.0;
}

void TestRficBias::vbiasStandardValues()
{
    QFETCH(int, tolerance);
    QFETCH(double, cin_pF);
    QFETCH(double, rfc_nH);
    VBiasInputs in;
    in.common.useStandardValues = true;
    in.common.tolerance = tolerance;
    const VBiasResult r = DesignVBias(in);
    QVERIFY_NEAR(r.parts.cin_f * 1e12, cin_pF, 1e-9);
    QVERIFY_NEAR(r.parts.rfc_h * 1e9, rfc_nH, 1e-9);
    // The losses are those of the parts as built.
    const double xc = 1.0 / (kTwoPi * 834e6 * cin_pF * 1e-12);
    const double xl = kTwoPi * 834e6 * rfc_nH * 1e-9;
    QVERIFY_NEAR(r.bands[0].capLoss_db, 2.0 * SeriesLoss({0.0, -xc}, 50.0), 1e-9);
    QVERIFY_NEAR(r.bands[0].rfcLoss_db, ShuntLoss({0.0, xl}, 50.0), 1e-9);
    QVERIFY_NEAR(r.parts.cb_f, StandardValue(200.0 * 12.504e-12, tolerance), 1e-14);
}

void TestRficBias::vbiasCapacitorsExcluded_data()
{
    QTest::addColumn<bool>("cin");
    QTest::addColumn<bool>("cout");
    QTest::addColumn<double>("capLossF1");
    QTest::addColumn<bool>("shown");
    QTest::newRow("both in") << true << true << 0.2 << true;
    QTest::newRow("Cin out") << false << true << 0.1 << true;
    QTest::newRow("Cout out") << true << false << 0.1 << true;
    QTest::newRow("both out") << false << false << 0.0 << false;
}

void TestRficBias::vbiasCapacitorsExcluded()
{
    QFETCH(bool, cin);
    QFETCH(bool, cout);
    QFETCH(double, capLossF1);
    QFETCH(bool, shown);
    VBiasInputs in;
    in.common.cinIncluded = cin;
    in.common.coutIncluded = cout;
    const VBiasResult r = DesignVBias(in);
    QVERIFY_NEAR(r.bands[0].capLoss_db, capLossF1, 1e-9);
    QVERIFY_NEAR(r.bands[0].gain_db, 17.0 - capLossF1 - 0.1, 1e-9);
    QCOMPARE(r.capLossShown, shown);
    QCOMPARE(r.f3dbShown, !shown);
    if (!shown) {
        // The choke alone loses 3 dB at its corner: its 163.8 ohm at 834 MHz must fall to
        // 25.06 ohm (a little over Z0 / 2), at 834 * 25.06 / 163.8 = 127.6 MHz.
        QVERIFY_NEAR(ShuntLoss({0.0, kTwoPi * r.f3db_hz * r.parts.rfc_h}, 50.0), 3.0, 1e-9);
        QVERIFY_NEAR(r.f3db_hz / 1e6, 127.59, 0.01);
    }
}

void TestRficBias::bypassRatio_data()
{
    QTest::addColumn<int>("ratio");
    for (int k : {50, 200, 1000, 5000})
        QTest::addRow("%d : 1", k) << k;
}

void TestRficBias::bypassRatio()
{
    QFETCH(int, ratio);
    VBiasInputs in;
    in.common.bypassRatio = ratio;
    const VBiasResult r = DesignVBias(in);
    // At F1 the bypass capacitor's reactance is the blocking reactance over the ratio.
    QVERIFY_NEAR(1.0 / (kTwoPi * 834e6 * r.parts.cb_f), 15.262 / ratio, 1e-3 / ratio);
}

void TestRficBias::shuntBranchLoss_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("x");
    QTest::newRow("defaults") << 108.333 << kTwoPi * 450e6 * 350e-9;
    QTest::newRow("no choke") << 108.333 << 0.0;
    QTest::newRow("choke only") << 1e-3 << 500.0;
    QTest::newRow("equal parts") << 50.0 << 50.0;
}

void TestRficBias::shuntBranchLoss()
{
    QFETCH(double, r);
    QFETCH(double, x);
    QVERIFY_NEAR(ShuntBranchLossDb(50.0, r, x), ShuntLoss({r, x}, 50.0), 1e-9);
}

void TestRficBias::ibiasDefaults()
{
    const IBiasResult r = DesignIBias(IBiasInputs{}, 150.0);
    QCOMPARE(r.faultNumber, 0);
    QVERIFY_NEAR(r.rbias_ohm, 108.333, 0.001);
    // At 25 degC the typical device draws the target exactly.
    QVERIFY_NEAR(r.columns[1].idTyp_a, 0.060, 1e-12);
    QVERIFY_NEAR(r.columns[1].pd_w, 0.330, 1e-12);
    QVERIFY_NEAR(r.columns[1].tj_c, 25.0 + 125.0 * 0.330, 1e-9);
    // At 85 degC the device voltage is 0.48 V lower, so the current is 0.48 / 108.3 A higher.
    QVERIFY_NEAR(r.columns[2].idTyp_a, 0.060 + 0.48 / 108.3333333, 1e-9);
    QVERIFY_NEAR(r.columns[2].tcase_c, 85.0, 0.0);
    QVERIFY_NEAR(r.columns[0].tcase_c, -25.0, 0.0);
    // Pd of Rbias is largest where the device voltage is lowest: (12 - 5.02)^2 / 108.3.
    QVERIFY_NEAR(r.pdRbiasMax_w, 6.98 * 6.98 / 108.3333333, 1e-9);
    QVERIFY_NEAR(r.biasLoss_db, ShuntLoss({108.3333333, kTwoPi * 450e6 * 350e-9}, 50.0), 1e-9);
    QVERIFY_NEAR(r.parts.cin_f, 1.0 / (kTwoPi * 450e6 * 15.2620), 1e-15);
    QVERIFY(!r.outOfRegulation);
    QVERIFY(!r.tjCaution);
}

void TestRficBias::ibiasSpread_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("t");
    QTest::newRow("cold") << 0 << -25.0;
    QTest::newRow("25 degC") << 1 << 25.0;
    QTest::newRow("hot") << 2 << 85.0;
}

void TestRficBias::ibiasSpread()
{
    QFETCH(int, column);
    QFETCH(double, t);
    IBiasInputs in;
    in.common.useStandardValues = true;   // Rbias 110 ohm as built
    const IBiasResult r = DesignIBias(in, 150.0);
    QCOMPARE(r.rbias_ohm, 110.0);
    const IBiasColumn& c = r.columns[std::size_t(column)];
    auto id = [&](double vd25) { return (12.0 - (vd25 - 0.008 * (t - 25.0))) / 110.0; };
    QVERIFY_NEAR(c.idMax_a, id(4.4), 1e-12);
    QVERIFY_NEAR(c.idTyp_a, id(5.5), 1e-12);
    QVERIFY_NEAR(c.idMin_a, id(6.6), 1e-12);
    QVERIFY_NEAR(c.pd_w, id(5.5) * 5.5, 1e-12);
    QVERIFY_NEAR(c.tj_c, t + 125.0 * id(5.5) * 5.5, 1e-9);
}

void TestRficBias::ibiasOutOfRegulation_data()
{
    QTest::addColumn<double>("vs");
    QTest::addColumn<bool>("out");
    QTest::newRow("12 V") << 12.0 << false;
    // The cold, high-voltage device needs 6.6 + 0.4 = 7.0 V: just above it regulates, just
    // below it the coldest highest-voltage device starves.
    QTest::newRow("7.05 V") << 7.05 << false;
    QTest::newRow("6.95 V") << 6.95 << true;
    QTest::newRow("6.0 V") << 6.0 << true;
    QTest::newRow("supply equal to device") << 5.5 << true;
    QTest::newRow("supply below device") << 5.0 << true;
}

void TestRficBias::ibiasOutOfRegulation()
{
    QFETCH(double, vs);
    QFETCH(bool, out);
    IBiasInputs in;
    in.vs_v = vs;
    const IBiasResult r = DesignIBias(in, 150.0);
    QCOMPARE(r.outOfRegulation, out);
    QCOMPARE(r.faultNumber, 0);
    if (vs <= 5.5) {
        // No resistor can regulate from a supply at or below the device: no current at all.
        for (const IBiasColumn& c : r.columns)
            QCOMPARE(c.idTyp_a, 0.0);
        QCOMPARE(r.pdRbiasMax_w, 0.0);
    }
}

void TestRficBias::ibiasTjCaution_data()
{
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("caution");
    // Hottest junction: 85 + 125 * 0.0644308 * 5.5 = 129.3 degC.
    QTest::newRow("150") << 150.0 << false;
    QTest::newRow("129.29") << 129.29 << true;
    QTest::newRow("129.30") << 129.30 << false;
    QTest::newRow("25") << 25.0 << true;
}

void TestRficBias::ibiasTjCaution()
{
    QFETCH(double, limit);
    QFETCH(bool, caution);
    const IBiasResult r = DesignIBias(IBiasInputs{}, limit);
    QCOMPARE(r.tjCaution, caution);
    QVERIFY_NEAR(r.tjMax_c, 129.296, 0.001);
}

QTEST_APPLESS_MAIN(TestRficBias)
#include "tst_rficbias.moc"
