// FET self-bias: the pinch-off voltage from V'p, the closed-form drain current against an
// independent bisection of the square law, the worked design of the window's defaults, the
// spread analysis, the sensitivities and every status message the design can raise.
#include "active/fetbias.h"

#include "core/stdvalues.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

namespace {

// The self-biased operating point solved the slow way: Id = Idss (1 - Id Rs / -Vp)^2 on the
// branch below pinch-off, by bisection between 0 and min(Idss, -Vp / Rs).
double BisectDrainCurrent(double idss, double vp, double rs)
{
    double lo = 0.0;
    double hi = rs > 0.0 ? std::min(idss, -vp / rs) : idss;
    for (int n = 0; n < 200; ++n) {
        const double mid = 0.5 * (lo + hi);
        const double law = idss * std::pow(1.0 - mid * rs / -vp, 2.0);
        (law > mid ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

bool Near(double actual, double expected, double tol) { return std::fabs(actual - expected) <= tol; }

#define QVERIFY_NEAR(actual, expected, tol)                                                               \
    QVERIFY2(Near((actual), (expected), (tol)),                                                          \
             qPrintable(QString("%1 = %2, expected %3 +- %4").arg(#actual).arg(actual, 0, 'g', 10)       \
                            .arg(expected, 0, 'g', 10).arg(tol)))

} // namespace

class TestFetBias : public QObject {
    Q_OBJECT
private slots:
    void pinchOff_data();
    void pinchOff();
    void drainCurrent_data();
    void drainCurrent();
    void sourceResistorRoundTrip_data();
    void sourceResistorRoundTrip();
    void defaultsWorkedExample();
    void standardValues_data();
    void standardValues();
    void temperatureSpread();
    void worstCaseEnvelope();
    void sensitivities();
    void currentModeUsesOwnIdss();
    void messages_data();
    void messages();
    void faultOnImpossibleSpecCurrent();
    void tjLimitItselfIsTooHot();
};

void TestFetBias::pinchOff_data()
{
    QTest::addColumn<double>("vpPrime");
    QTest::addColumn<double>("ispec");
    QTest::addColumn<double>("idss");
    QTest::addColumn<double>("vp");
    // Default device: 10 % of Idss, 1 - sqrt(0.1) = 0.683772.
    QTest::newRow("10 % of Idss") << -0.5 << 0.0065 << 0.065 << -0.731238;
    QTest::newRow("1 % of Idss") << -1.0 << 0.001 << 0.1 << -1.0 / 0.9;
    QTest::newRow("25 % of Idss") << -2.0 << 0.025 << 0.1 << -4.0;
    // A vanishing reference current makes V'p the pinch-off voltage itself.
    QTest::newRow("1 nA") << -0.8 << 1e-9 << 0.05 << -0.8001131;
}

void TestFetBias::pinchOff()
{
    QFETCH(double, vpPrime);
    QFETCH(double, ispec);
    QFETCH(double, idss);
    QFETCH(double, vp);
    const double got = PinchOffFromVpPrime(vpPrime, ispec, idss);
    QVERIFY_NEAR(got, vp, 1e-6);
    // The square law at V'p gives back the reference current.
    QVERIFY_NEAR(idss * std::pow(1.0 - vpPrime / got, 2.0), ispec, 1e-12);
}

void TestFetBias::drainCurrent_data()
{
    QTest::addColumn<double>("idss");
    QTest::addColumn<double>("vp");
    QTest::addColumn<double>("rs");
    for (double idss : {0.005, 0.065, 0.4})
        for (double vp : {-0.3, -0.731238, -3.0})
            for (double rs : {1.0, 16.281, 220.0, 4700.0})
                QTest::addRow("Idss %g Vp %g Rs %g", idss, vp, rs) << idss << vp << rs;
}

void TestFetBias::drainCurrent()
{
    QFETCH(double, idss);
    QFETCH(double, vp);
    QFETCH(double, rs);
    const double id = SelfBiasDrainCurrent(idss, vp, rs);
    QVERIFY_NEAR(id, BisectDrainCurrent(idss, vp, rs), 1e-9 * idss + 1e-15);
    // Always the root below pinch-off: the gate never goes beyond Vp.
    QVERIFY(id * rs <= -vp + 1e-12);
    QVERIFY(id > 0.0 && id <= idss);
}

void TestFetBias::sourceResistorRoundTrip_data()
{
    QTest::addColumn<double>("id");
    QTest::addColumn<double>("idss");
    QTest::addColumn<double>("vp");
    QTest::newRow("defaults") << 0.020 << 0.065 << -0.731238;
    QTest::newRow("near Idss") << 0.0649 << 0.065 << -0.731238;
    QTest::newRow("tiny current") << 1e-5 << 0.065 << -0.731238;
    QTest::newRow("power FET") << 0.8 << 2.0 << -2.5;
}

void TestFetBias::sourceResistorRoundTrip()
{
    QFETCH(double, id);
    QFETCH(double, idss);
    QFETCH(double, vp);
    const double rs = SourceResistorFor(id, idss, vp);
    QVERIFY(rs > 0.0);
    QVERIFY_NEAR(SelfBiasDrainCurrent(idss, vp, rs), id, 1e-9 * id);
}

void TestFetBias::defaultsWorkedExample()
{
    FetBiasInputs in;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    QCOMPARE(r.faultNumber, 0);
    QVERIFY_NEAR(r.vpNominal_v[1], -0.5 / (1.0 - std::sqrt(0.1)), 1e-12);
    QVERIFY_NEAR(r.vpNominal_v[0], -0.65 / (1.0 - std::sqrt(0.1)), 1e-12);
    QVERIFY_NEAR(r.vpNominal_v[2], -0.35 / (1.0 - std::sqrt(0.1)), 1e-12);
    QVERIFY_NEAR(r.rs_ohm, 16.28, 0.005);
    QVERIFY_NEAR(r.vgs_v, -0.3256, 0.0001);
    QVERIFY_NEAR(r.rd_ohm, 33.72, 0.005);
    // Exact values reproduce the target: 20 mA at 2 V, 40 mW, 12 degC above a 25 degC case.
    QVERIFY_NEAR(r.id_a, 0.020, 1e-7);
    QVERIFY_NEAR(r.vds_v, 2.0, 1e-5);
    QVERIFY_NEAR(r.cells[1].idMin_a, 0.020, 1e-7);
    QVERIFY_NEAR(r.cells[1].pd_w, 0.040, 1e-6);
    QVERIFY_NEAR(r.cells[1].tj_c, 37.0, 1e-3);
    QVERIFY(r.messages.caution.empty());
    QVERIFY(r.messages.warning.empty());
}

void TestFetBias::standardValues_data()
{
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<double>("rs");
    QTest::addColumn<double>("rd");
    // Rs 16.281 and Rd = (3 + Vgs - 2) / 20 mA; Rd follows the Vgs of the rounded Rs.
    QTest::newRow("E24") << 5 << 16.0 << 33.0;
    QTest::newRow("E96") << 1 << 16.2 << 34.0;
    // E192: 16.281 lies below the midpoint 16.3 of 16.2 and 16.4.
    QTest::newRow("E192") << 0 << 16.2 << 33.6;
    QTest::newRow("E12") << 10 << 15.0 << 33.0;
    QTest::newRow("E6") << 20 << 15.0 << 33.0;
}

void TestFetBias::standardValues()
{
    QFETCH(int, tolerance);
    QFETCH(double, rs);
    QFETCH(double, rd);
    FetBiasInputs in;
    in.useStandardValues = true;
    in.tolerance = tolerance;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    QVERIFY_NEAR(r.rs_ohm, rs, 1e-4);
    QVERIFY_NEAR(r.rd_ohm, rd, 1e-4);
    // The analysis works on the resistors as built, not on the exact design.
    QVERIFY_NEAR(r.id_a, BisectDrainCurrent(0.065, r.vpNominal_v[1], rs), 1e-9);
    QVERIFY_NEAR(r.vgs_v, -r.id_a * rs, 1e-6);
    QVERIFY_NEAR(r.vds_v, 3.0 - r.id_a * (rs + rd), 1e-5);
    QVERIFY(r.rsSensitivityShown);
    QVERIFY(r.sensRs.id_a > 0.0);
}

void TestFetBias::temperatureSpread()
{
    // Idss falls 0.13 %/degC and Vp is fixed: hot devices draw less current.
    FetBiasInputs in;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    const double vp = r.vpNominal_v[1];
    const double rs = r.rs_ohm;
    const double rd = r.rd_ohm;
    const double idssCold = 0.065 * (1.0 - 0.0013 * (-50.0));
    const double idssHot = 0.065 * (1.0 - 0.0013 * 40.0);
    const double idCold = BisectDrainCurrent(idssCold, vp, rs);
    const double idHot = BisectDrainCurrent(idssHot, vp, rs);
    QVERIFY_NEAR(r.cells[0].idMax_a, idCold, 1e-9);
    QVERIFY_NEAR(r.cells[2].idMax_a, idHot, 1e-9);
    const double pdHot = idHot * (3.0 - idHot * (rs + rd));
    QVERIFY_NEAR(r.cells[2].pd_w, pdHot, 1e-9);
    QVERIFY_NEAR(r.cells[2].tj_c, 65.0 + 300.0 * pdHot, 1e-6);
    QVERIFY_NEAR(r.tjMax_c, r.cells[2].tj_c, 1e-12);

    // A Vp temperature coefficient moves Vp by (T - Tnom) times it.
    in.vpTempco_vPerC = -0.002;
    const FetBiasResult s = DesignFetBias(in, 150.0);
    QVERIFY_NEAR(s.cells[2].idMax_a, BisectDrainCurrent(idssHot, vp - 0.080, s.rs_ohm), 1e-9);
}

void TestFetBias::worstCaseEnvelope()
{
    FetBiasInputs in;
    in.worstCase = true;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    for (int k = 0; k < 3; ++k) {
        double lo = 1e9, hi = -1e9, pdMax = 0.0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const double id = r.idCase_a[k][i][j];
                lo = std::min(lo, id);
                hi = std::max(hi, id);
                pdMax = std::max(pdMax, id * r.vdsCase_v[k][i][j]);
            }
        QVERIFY_NEAR(r.cells[std::size_t(k)].idMin_a, lo, 1e-15);
        QVERIFY_NEAR(r.cells[std::size_t(k)].idMax_a, hi, 1e-15);
        QVERIFY_NEAR(r.cells[std::size_t(k)].pd_w, pdMax, 1e-15);
        // The envelope holds the typical device.
        QVERIFY(lo < r.idCase_a[k][1][1] && r.idCase_a[k][1][1] < hi);
    }
    // Highest current: largest Idss with the most negative pinch-off, at the cold case.
    QVERIFY_NEAR(r.cells[0].idMax_a, r.idCase_a[0][2][0], 1e-15);
    QVERIFY_NEAR(r.cells[2].idMin_a, r.idCase_a[2][0][2], 1e-15);
    QVERIFY(r.vdsMin_v < 2.0 && r.vdsMax_v > 2.0);

    // The nominal analysis shows only the typical device.
    in.worstCase = false;
    const FetBiasResult n = DesignFetBias(in, 150.0);
    QCOMPARE(n.cells[0].idMin_a, n.cells[0].idMax_a);
    // Cold devices draw the most current and so leave the least Vds.
    QVERIFY_NEAR(n.vdsMin_v, n.vdsCase_v[0][1][1], 1e-12);
    QVERIFY_NEAR(n.vdsMax_v, n.vdsCase_v[2][1][1], 1e-12);
}

void TestFetBias::sensitivities()
{
    FetBiasInputs in;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    const double rs = r.rs_ohm, rd = r.rd_ohm;
    const Spread3 vp = r.vpNominal_v;
    // V'p: a less negative pinch-off starves the drain.
    const double dVp = BisectDrainCurrent(0.065, vp[2], rs) - BisectDrainCurrent(0.065, vp[0], rs);
    QVERIFY_NEAR(r.sensVp.id_a, dVp, 1e-9);
    QVERIFY(r.sensVp.id_a < 0.0);
    QVERIFY_NEAR(r.sensVp.vds_v, -dVp * (rs + rd), 1e-7);
    const double dIdss = BisectDrainCurrent(0.072, vp[1], rs) - BisectDrainCurrent(0.058, vp[1], rs);
    QVERIFY_NEAR(r.sensIdss.id_a, dIdss, 1e-9);
    QVERIFY(r.sensIdss.id_a > 0.0);
    QVERIFY_NEAR(r.sensTemp.id_a, r.cells[2].idMax_a - r.cells[0].idMax_a, 1e-12);
    // Exact resistors have no tolerance to speak of.
    QVERIFY(!r.rsSensitivityShown);
    QCOMPARE(r.sensRs.id_a, 0.0);

    // Rs raised by its tolerance (5 %): the current drops, the gate goes more negative.
    in.useStandardValues = true;
    const FetBiasResult s = DesignFetBias(in, 150.0);
    const double idHigh = BisectDrainCurrent(0.065, vp[1], 16.0 * 1.05);
    QVERIFY_NEAR(s.sensRs.id_a, s.id_a - idHigh, 1e-9);
    QVERIFY_NEAR(s.sensRs.vds_v, idHigh * (16.8 + 33.0) - s.id_a * (16.0 + 33.0), 1e-7);
    in.tolerance = 0;   // the 0.1 % series counts as 0.1 %
    const FetBiasResult p = DesignFetBias(in, 150.0);
    QVERIFY_NEAR(p.sensRs.id_a, p.id_a - BisectDrainCurrent(0.065, vp[1], p.rs_ohm * 1.001), 1e-9);
}

void TestFetBias::currentModeUsesOwnIdss()
{
    // 6.5 mA is 10 % of the typical Idss only: the minimum device (58 mA) reaches it nearer
    // pinch-off than the percentage rule would say.
    FetBiasInputs in;
    in.vpSpecIsCurrent = true;
    in.vpSpecCurrent_a = 0.0065;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    QVERIFY_NEAR(r.vpNominal_v[1], -0.731238, 1e-6);
    QVERIFY_NEAR(r.vpNominal_v[0], -0.65 / (1.0 - std::sqrt(6.5 / 58.0)), 1e-9);
    QVERIFY_NEAR(r.vpNominal_v[2], -0.35 / (1.0 - std::sqrt(6.5 / 72.0)), 1e-9);
}

void TestFetBias::messages_data()
{
    QTest::addColumn<double>("vdd");
    QTest::addColumn<double>("vpTyp");
    QTest::addColumn<bool>("rdIn");
    QTest::addColumn<bool>("worstCase");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<double>("tjLimit");
    QTest::addColumn<double>("rd");
    QTest::addColumn<QString>("caution");
    QTest::addColumn<QString>("warning");

    const QString none;
    QTest::newRow("defaults") << 3.0 << -0.5 << true << false << false << 150.0 << 33.719 << none << none;
    // 3 - 0.326 = 2.674 V is more than 2 V, but 2.2 V is not.
    QTest::newRow("Vdd just too low") << 2.2 << -0.5 << true << false << false << 150.0 << 0.0
                                      << " Vdd too low, cannot meet Vds target; setting Rd = 0 " << none;
    QTest::newRow("Vdd below Vgs") << 0.3 << -0.5 << true << false << false << 150.0 << 0.0 << none
                                   << "Error: Vds min/max negative value - due to high tolerance of Rd, Rs or FET input data   ";
    QTest::newRow("Rd out, Vdd below Vgs") << 0.3 << -0.5 << false << false << false << 150.0 << 0.0 << none
                                           << "Error: Vds min/max negative value - due to high tolerance of Rd, Rs or FET input data   ";
    QTest::newRow("Tj limit below 76.9") << 3.0 << -0.5 << true << false << false << 76.0 << 33.719
                                         << "Caution: Tj > 76 °C. " << none;
    QTest::newRow("Tj limit above 76.9") << 3.0 << -0.5 << true << false << false << 77.0 << 33.719 << none << none;
    // Positive V'p: the source resistor would have to be negative.
    // Positive V'p: the source resistor comes out negative and the gate positive; the later
    // message takes the caution slot, and Rd still drops the rest of the supply.
    QTest::newRow("positive V'p") << 3.0 << 0.5 << true << false << false << 150.0 << 66.281
                                  << " Data error: Vgs > 0 " << none;
    // A supply far above the target: Rd takes up the slack, and the Vds spread stays inside
    // +-20 % only while the resistors are large against the FET's own spread.
    QTest::newRow("worst case within 20 %") << 3.0 << -0.5 << true << true << true << 150.0 << 33.0 << none << none;
    QTest::newRow("worst case beyond 20 %") << 5.0 << -0.5 << true << true << true << 150.0 << 130.0
                                            << "Vds is 20% > or < target Vds due to standard values tolerance for Rd, Rs or FET input data    "
                                            << none;
    QTest::newRow("worst case, exact values") << 5.0 << -0.5 << true << true << false << 150.0 << 133.719 << none << none;
    // 12 V: the large Rd turns the spread of the current into a Vds below zero.
    QTest::newRow("worst case below zero") << 12.0 << -0.5 << true << true << true << 150.0 << 470.0 << none
                                           << "Error: Vds min/max negative value - due to high tolerance of Rd, Rs or FET input data   ";
}

void TestFetBias::messages()
{
    QFETCH(double, vdd);
    QFETCH(double, vpTyp);
    QFETCH(bool, rdIn);
    QFETCH(bool, worstCase);
    QFETCH(bool, standard);
    QFETCH(double, tjLimit);
    QFETCH(double, rd);
    QFETCH(QString, caution);
    QFETCH(QString, warning);
    FetBiasInputs in;
    in.vdd_v = vdd;
    in.vpPrime_v = {vpTyp < 0 ? -0.65 : 0.35, vpTyp, vpTyp < 0 ? -0.35 : 0.65};
    in.rdIncluded = rdIn;
    in.worstCase = worstCase;
    in.useStandardValues = standard;
    const FetBiasResult r = DesignFetBias(in, tjLimit);
    QCOMPARE(QString::fromStdString(r.messages.caution), caution);
    QCOMPARE(QString::fromStdString(r.messages.warning), warning);
    QVERIFY_NEAR(double(r.rd_ohm), rd, 0.001);
    QCOMPARE(r.messages.tjCaution, caution.startsWith("Caution: Tj"));
}

void TestFetBias::faultOnImpossibleSpecCurrent()
{
    // A reference current above a device's Idss has no pinch-off voltage.
    FetBiasInputs in;
    in.vpSpecIsCurrent = true;
    in.vpSpecCurrent_a = 0.070;
    const FetBiasResult r = DesignFetBias(in, 150.0);
    QVERIFY(r.faultNumber != 0);
    QVERIFY(!r.faultText.empty());
}

void TestFetBias::tjLimitItselfIsTooHot()
{
    const double hottest = DesignFetBias(FetBiasInputs{}, 1000.0).tjMax_c;
    QVERIFY(DesignFetBias(FetBiasInputs{}, hottest).messages.tjCaution);
    QVERIFY(!DesignFetBias(FetBiasInputs{}, std::nextafter(hottest, 1e9)).messages.tjCaution);
}

QTEST_APPLESS_MAIN(TestFetBias)
#include "tst_fetbias.moc"
