// The lattice balun against values worked by hand: the two menu examples, a resistive load
// with stray capacitance, a load whose reactance the stray capacitance cancels, and an
// inductive load.
#include "tools/balun.h"

#include "tests/support/recording_notifier.h"

#include <QTest>

#include <cmath>

using namespace korvel;

Q_DECLARE_METATYPE(ElementKind)

namespace {
constexpr double kW = 6.28318530717958;
bool Near(double a, double b, double rel) { return std::fabs(a - b) <= rel * std::fabs(b) + 1e-30; }
} // namespace

class TestBalun : public QObject {
    Q_OBJECT
private slots:
    void Design_data();
    void Design();
};

void TestBalun::Design_data()
{
    QTest::addColumn<double>("rg");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("rload");
    QTest::addColumn<double>("xload");
    QTest::addColumn<double>("cstray");
    QTest::addColumn<double>("rp");
    QTest::addColumn<ElementKind>("loadKind");
    QTest::addColumn<double>("loadValue");
    QTest::addColumn<ElementKind>("resKind");
    QTest::addColumn<double>("resValue");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("c");

    // 50 to 200 ohm at 210 MHz: Zm = 100 ohm, L = 75.788 nH, C = 7.5788 pF.
    QTest::newRow("50 to 200 ohm at 210 MHz") << 50.0 << 210e6 << 200.0 << 0.0 << 0.0 << 200.0 << ElementKind::None
                                              << 0.0 << ElementKind::None << 0.0 << 75.7880681e-9 << 7.57880681e-12;
    // 66 - j133 ohm: Y = (66 + j133) / 22045 = 2.99388e-3 + j6.03311e-3 S, so Rp = 334.02 ohm,
    // a 0.54870 pF load capacitor; with 0.5 pF stray, Bt = 11.5311 mS and the resonating
    // inductor is 1 / (w Bt) = 7.8872 nH; Zm = sqrt(50 x 334.02) = 129.23 ohm.
    QTest::newRow("oscillator into a mixer at 1750 MHz")
        << 50.0 << 1750e6 << 66.0 << -133.0 << 0.5e-12 << 22045.0 / 66.0 << ElementKind::Capacitor
        << (133.0 / 22045.0) / (kW * 1750e6) << ElementKind::Inductor
        << 1.0 / (kW * 1750e6 * (133.0 / 22045.0 + kW * 1750e6 * 0.5e-12))
        << std::sqrt(50.0 * 22045.0 / 66.0) / (kW * 1750e6) << 1.0 / (kW * 1750e6 * std::sqrt(50.0 * 22045.0 / 66.0));
    // A resistive load with 2 pF stray at 100 MHz resonates with 1 / (w^2 C) = 1.2665 uH.
    QTest::newRow("stray capacitance alone") << 50.0 << 100e6 << 50.0 << 0.0 << 2e-12 << 50.0 << ElementKind::None
                                             << 0.0 << ElementKind::Inductor << 1.26651479552e-6 << 79.5774715e-9
                                             << 31.8309886e-12;
    // Series 100 + j100 ohm: Y = 5 mS - j5 mS; Rp = 200 ohm with a parallel inductor
    // 1 / (w 5 mS) = 318.31 nH at 100 MHz; the resonating capacitor is 5 mS / w = 7.9577 pF.
    QTest::newRow("inductive load") << 50.0 << 100e6 << 100.0 << 100.0 << 0.0 << 200.0 << ElementKind::Inductor
                                    << 318.309886e-9 << ElementKind::Capacitor << 7.95774715e-12 << 159.154943e-9
                                    << 15.9154943e-12;
    // A high resistive load without stray capacitance: no load element, nothing to resonate.
    QTest::newRow("1 Mohm resistive load")
        << 50.0 << 1e9 << 1e6 << 0.0 << 0.0 << 1e6 << ElementKind::None << 0.0 << ElementKind::None << 0.0
        << std::sqrt(50.0 * 1e6) / (kW * 1e9) << 1.0 / (kW * 1e9 * std::sqrt(50.0 * 1e6));
    // 10 - j15.9155 ohm at 100 MHz in parallel form is 35.33 ohm with 71.70 pF (B = 45.05 mS);
    // 5 pF of stray makes it 76.70 pF in all, resonated by 33.03 nH.
    QTest::newRow("capacitive load plus stray")
        << 50.0 << 100e6 << 10.0 << -15.9154943091895 << 5e-12 << (100.0 + 253.302959105844) / 10.0
        << ElementKind::Capacitor << (15.9154943091895 / 353.302959105844) / (kW * 100e6) << ElementKind::Inductor
        << 1.0 / (kW * 100e6 * (15.9154943091895 / 353.302959105844 + kW * 100e6 * 5e-12))
        << std::sqrt(50.0 * 35.3302959105844) / (kW * 100e6) << 1.0 / (kW * 100e6 * std::sqrt(50.0 * 35.3302959105844));
}

void TestBalun::Design()
{
    QFETCH(double, rg);
    QFETCH(double, f);
    QFETCH(double, rload);
    QFETCH(double, xload);
    QFETCH(double, cstray);
    QFETCH(double, rp);
    QFETCH(ElementKind, loadKind);
    QFETCH(double, loadValue);
    QFETCH(ElementKind, resKind);
    QFETCH(double, resValue);
    QFETCH(double, l);
    QFETCH(double, c);
    test::RecordingNotifier notes;
    const BalunResult r = CalcBalun({rg, f, rload, xload, cstray});
    QVERIFY2(Near(r.rp_ohm, rp, 1e-12), qPrintable(QString::number(r.rp_ohm, 'g', 15)));
    QCOMPARE(r.load.kind, loadKind);
    QVERIFY2(Near(r.load.value, loadValue, 1e-9), qPrintable(QString::number(r.load.value, 'g', 15)));
    QCOMPARE(r.resonant.kind, resKind);
    // The total susceptance is single precision: agreement to about 1e-7.
    QVERIFY2(Near(r.resonant.value, resValue, 3e-7), qPrintable(QString::number(r.resonant.value, 'g', 15)));
    QVERIFY2(Near(r.l_h, l, 1e-8), qPrintable(QString::number(r.l_h, 'g', 15)));
    QVERIFY2(Near(r.c_f, c, 1e-8), qPrintable(QString::number(r.c_f, 'g', 15)));
    QVERIFY(Near(r.zm_ohm * r.zm_ohm, rg * rp, 1e-12));
    QVERIFY(notes.messages.empty());
}

QTEST_APPLESS_MAIN(TestBalun)
#include "tst_balun.moc"
