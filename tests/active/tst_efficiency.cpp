// Amplifier efficiency and device thermal formulas against the worked examples: the CW
// defaults, pulsed operation, the three ways of giving the RF powers, a second supply, an
// output larger than what goes in, and the junction-temperature caution at its limit.
#include "active/efficiency.h"
#include "active/thermal.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

namespace {

bool Near(double a, double b, double tol) { return std::fabs(a - b) <= tol; }

} // namespace

class TestEfficiency : public QObject {
    Q_OBJECT
private slots:
    void efficiency_data();
    void efficiency();
    void modes_data();
    void modes();
    void noDcPowerIsAFault();
    void cautionIsStrictlyAbove_data();
    void cautionIsStrictlyAbove();
    void thermalPower_data();
    void thermalPower();
    void temperatures_data();
    void temperatures();
    void temperaturesRoundTrip();
    void temperatureOverflowIsAFault();
};

void TestEfficiency::efficiency_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("pout");
    QTest::addColumn<double>("v2");
    QTest::addColumn<double>("i2");
    // Expected, in mW and percent as the window shows them.
    QTest::addColumn<double>("pinMw");
    QTest::addColumn<double>("poutMw");
    QTest::addColumn<double>("pdcMw");
    QTest::addColumn<double>("pdissMw");
    QTest::addColumn<double>("effPct");
    QTest::addColumn<double>("paePct");
    QTest::addColumn<double>("tj");
    QTest::addColumn<bool>("caution");
    QTest::addColumn<bool>("energy");
    // CW: 22.4 dBm out, 4 dBm in, 3 V at 152 mA, 85 C case, 175 C/W.
    QTest::newRow("CW defaults") << 1.0 << 22.4 << 0.0 << 0.0 << 2.5119 << 173.7801 << 456.0 << 284.7318 << 38.1
                                 << 37.6 << 134.828 << false << false;
    // A 10 % duty cycle scales the RF powers but not the (average) supply current's power.
    QTest::newRow("10 % duty") << 0.1 << 22.4 << 0.0 << 0.0 << 0.25119 << 17.37801 << 456.0 << 438.8732 << 3.8
                               << 3.8 << 161.803 << true << false;
    // A second supply, connected with negative voltage and current, adds |V2| |I2|.
    QTest::newRow("second supply -5 V, -10 mA") << 1.0 << 22.4 << -5.0 << -0.010 << 2.5119 << 173.7801 << 506.0
                                                << 334.7318 << 34.3 << 33.8 << 143.578 << false << false;
    // 1 W out of 456 mW DC and 2.5 mW RF in: the device would have to cool itself.
    QTest::newRow("Po beyond Pdc + Pi") << 1.0 << 30.0 << 0.0 << 0.0 << 2.5119 << 1000.0 << 456.0 << -541.4881
                                        << 219.3 << 218.7 << -9.7604 << false << true;
}

void TestEfficiency::efficiency()
{
    QFETCH(double, width);
    QFETCH(double, pout);
    QFETCH(double, v2);
    QFETCH(double, i2);
    QFETCH(double, pinMw);
    QFETCH(double, poutMw);
    QFETCH(double, pdcMw);
    QFETCH(double, pdissMw);
    QFETCH(double, effPct);
    QFETCH(double, paePct);
    QFETCH(double, tj);
    QFETCH(bool, caution);
    QFETCH(bool, energy);
    EfficiencyInputs in;
    in.pout_dbm = pout;
    in.pulseWidth = width;
    in.pulsePeriod = 1.0;
    in.v2_v = v2;
    in.i2_a = i2;
    const EfficiencyResult r = CalcEfficiency(in);
    QVERIFY(!r.fault);
    QVERIFY(Near(r.pinAvg_w * 1000.0, pinMw, 1e-4 * std::fabs(pinMw)));
    QVERIFY(Near(r.poutAvg_w * 1000.0, poutMw, 1e-4 * std::fabs(poutMw)));
    QVERIFY(Near(r.pdc_w * 1000.0, pdcMw, 1e-9));
    QVERIFY2(Near(r.pdiss_w * 1000.0, pdissMw, 1e-3), qPrintable(QString::number(r.pdiss_w * 1000.0, 'f', 6)));
    QCOMPARE(std::round(r.simpleEfficiency * 1000.0) / 10.0, effPct);
    QCOMPARE(std::round(r.pae * 1000.0) / 10.0, paePct);
    QVERIFY2(Near(r.tj_c, tj, 1e-3), qPrintable(QString::number(r.tj_c, 'f', 6)));
    QCOMPARE(r.tjCaution, caution);
    QCOMPARE(r.energyWarning, energy);
    QCOMPARE(r.dutyCycle, width);
}

void TestEfficiency::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("pout");
    QTest::addColumn<double>("pin");
    QTest::addColumn<double>("gain");
    QTest::addColumn<double>("expPout");
    QTest::addColumn<double>("expPin");
    QTest::addColumn<double>("expGain");
    QTest::newRow("Po and Pi give gain") << 0 << 22.4 << 4.0 << 99.0 << 22.4 << 4.0 << 18.4;
    QTest::newRow("Po and gain give Pi") << 1 << 22.4 << 99.0 << 18.4 << 22.4 << 4.0 << 18.4;
    QTest::newRow("Pi and gain give Po") << 2 << 99.0 << 4.0 << 18.4 << 22.4 << 4.0 << 18.4;
    QTest::newRow("negative gain (attenuator)") << 2 << 0.0 << 10.0 << -3.0 << 7.0 << 10.0 << -3.0;
}

void TestEfficiency::modes()
{
    QFETCH(int, mode);
    QFETCH(double, pout);
    QFETCH(double, pin);
    QFETCH(double, gain);
    QFETCH(double, expPout);
    QFETCH(double, expPin);
    QFETCH(double, expGain);
    EfficiencyInputs in;
    in.mode = EfficiencyMode(mode);
    in.pout_dbm = pout;
    in.pin_dbm = pin;
    in.gain_db = gain;
    const EfficiencyResult r = CalcEfficiency(in);
    QVERIFY(Near(r.pout_dbm, expPout, 1e-12));
    QVERIFY(Near(r.pin_dbm, expPin, 1e-12));
    QVERIFY(Near(r.gain_db, expGain, 1e-12));
    // The powers that follow use the computed value, not the stale one in the box.
    QVERIFY(Near(r.poutAvg_w, std::pow(10.0, expPout / 10.0) / 1000.0, 1e-12));
}

void TestEfficiency::noDcPowerIsAFault()
{
    EfficiencyInputs in;
    in.v1_v = 0.0;
    QVERIFY(CalcEfficiency(in).fault);
    in = EfficiencyInputs{};
    in.pulsePeriod = 0.0;
    QVERIFY(CalcEfficiency(in).fault);
}

void TestEfficiency::cautionIsStrictlyAbove_data()
{
    QTest::addColumn<double>("tcase");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("caution");
    QTest::newRow("at the limit") << 150.0 << 150.0 << false;
    QTest::newRow("just above") << 150.001 << 150.0 << true;
    QTest::newRow("lowered limit") << 25.0 << 20.0 << true;
}

void TestEfficiency::cautionIsStrictlyAbove()
{
    QFETCH(double, tcase);
    QFETCH(double, limit);
    QFETCH(bool, caution);
    EfficiencyInputs in;
    in.theta_c_per_w = 0.0;
    in.tcase_c = tcase;
    in.tjLimit_c = limit;
    QCOMPARE(CalcEfficiency(in).tjCaution, caution);
}

void TestEfficiency::thermalPower_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("i");
    QTest::addColumn<double>("pin");
    QTest::addColumn<double>("pout");
    QTest::addColumn<double>("pdcMw");
    QTest::addColumn<double>("prfMw");
    QTest::addColumn<double>("pdissMw");
    QTest::addColumn<bool>("energy");
    QTest::newRow("defaults") << 3.0 << 0.042 << 2.1 << 14.2 << 126.0 << 24.6809 << 101.3191 << false;
    QTest::newRow("reversed supply") << -3.0 << -0.042 << 2.1 << 14.2 << 126.0 << 24.6809 << 101.3191 << false;
    QTest::newRow("output beyond input") << 3.0 << 0.042 << 2.1 << 23.0 << 126.0 << 197.9044 << -71.9044 << true;
}

void TestEfficiency::thermalPower()
{
    QFETCH(double, v);
    QFETCH(double, i);
    QFETCH(double, pin);
    QFETCH(double, pout);
    QFETCH(double, pdcMw);
    QFETCH(double, prfMw);
    QFETCH(double, pdissMw);
    QFETCH(bool, energy);
    const ThermalPowers p = ThermalPower({v, i, pin, pout});
    QVERIFY(Near(p.pdc_w * 1000.0, pdcMw, 1e-9));
    QVERIFY2(Near(p.prf_w * 1000.0, prfMw, 1e-3), qPrintable(QString::number(p.prf_w * 1000.0, 'f', 6)));
    QVERIFY2(Near(p.pdiss_w * 1000.0, pdissMw, 1e-3), qPrintable(QString::number(p.pdiss_w * 1000.0, 'f', 6)));
    QCOMPARE(p.energyWarning, energy);
}

void TestEfficiency::temperatures_data()
{
    QTest::addColumn<int>("known");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("thetaCa");
    QTest::addColumn<double>("pdissMw");
    QTest::addColumn<double>("tj");
    QTest::addColumn<double>("tcase");
    QTest::addColumn<double>("ta");
    // 101.3191 mW through 220 C/W (junction to case) and 22 C/W (case to heatsink).
    QTest::newRow("from ambient 25") << 0 << 25.0 << 22.0 << 101.3191 << 49.5192 << 27.2290 << 25.0;
    QTest::newRow("from case 27.2290") << 1 << 27.22902086 << 22.0 << 101.3191 << 49.5192 << 27.2290 << 25.0;
    QTest::newRow("from junction 49.5192") << 2 << 49.51922950 << 22.0 << 101.3191 << 49.5192 << 27.2290 << 25.0;
    // A blank case-to-heatsink resistance counts as 0: the case sits at the heatsink.
    QTest::newRow("no PCB resistance") << 0 << 25.0 << 0.0 << 101.3191 << 47.2902 << 25.0 << 25.0;
    // Negative heat: temperatures fall from junction to heatsink.
    QTest::newRow("negative dissipation") << 0 << 25.0 << 22.0 << -71.9044 << 7.5991 << 23.4181 << 25.0;
}

void TestEfficiency::temperatures()
{
    QFETCH(int, known);
    QFETCH(double, t);
    QFETCH(double, thetaCa);
    QFETCH(double, pdissMw);
    QFETCH(double, tj);
    QFETCH(double, tcase);
    QFETCH(double, ta);
    const ThermalTemperatures r = TemperaturesFrom(KnownTemperature(known), t, 220.0, thetaCa, pdissMw / 1000.0);
    QVERIFY(!r.fault);
    QVERIFY2(Near(r.junction_c, tj, 1e-3), qPrintable(QString::number(r.junction_c, 'f', 6)));
    QVERIFY2(Near(r.case_c, tcase, 1e-3), qPrintable(QString::number(r.case_c, 'f', 6)));
    QVERIFY2(Near(r.ambient_c, ta, 1e-3), qPrintable(QString::number(r.ambient_c, 'f', 6)));
}

void TestEfficiency::temperaturesRoundTrip()
{
    // Whichever temperature is typed, the other two lead back to it.
    for (double pd : {-0.5, 0.0, 0.1013, 3.0}) {
        const ThermalTemperatures a = TemperaturesFrom(KnownTemperature::Ambient, 40.0, 35.0, 8.0, pd);
        const ThermalTemperatures j = TemperaturesFrom(KnownTemperature::Junction, a.junction_c, 35.0, 8.0, pd);
        const ThermalTemperatures c = TemperaturesFrom(KnownTemperature::Case, a.case_c, 35.0, 8.0, pd);
        QVERIFY(Near(j.ambient_c, 40.0, 1e-9) && Near(c.ambient_c, 40.0, 1e-9));
        QVERIFY(Near(c.junction_c, a.junction_c, 1e-9));
    }
}

void TestEfficiency::temperatureOverflowIsAFault()
{
    QVERIFY(TemperaturesFrom(KnownTemperature::Ambient, 25.0, 1e300, 1e300, 1e10).fault);
    QVERIFY(!TemperaturesFrom(KnownTemperature::Ambient, 25.0, 1e3, 1e3, 1e10).fault);
}

QTEST_APPLESS_MAIN(TestEfficiency)
#include "tst_efficiency.moc"
