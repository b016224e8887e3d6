// The standard-value window's calculation: nearest member of the series for the tolerance,
// its prefixed unit, and the difference from the typed value.
#include "tools/stdvaluecalc.h"

#include "tests/support/recording_notifier.h"

#include <QTest>

#include <cmath>

using namespace korvel;

class TestStdValueCalc : public QObject {
    Q_OBJECT
private slots:
    void Nearest_data();
    void Nearest();
};

void TestStdValueCalc::Nearest_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("base");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("mantissa");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("delta");
    QTest::addColumn<double>("fraction");

    QTest::newRow("6.12 milliohm in E24") << 612e-5 << "Ohm" << 5.0 << 6.2 << "mOhm" << "milliohm" << -8e-5
                                          << -8e-5 / 612e-5;
    QTest::newRow("4.7 mF shows in microfarads") << 0.0047 << "F" << 10.0 << 4700.0 << "uF" << "microfarad"
                                                 << 0.0 << 0.0;
    // 1.1 lies exactly between 1.0 and 1.2 of E12: a midpoint rounds up.
    QTest::newRow("E12 midpoint rounds up") << 1100.0 << "Ohm" << 10.0 << 1.2 << "kOhm" << "kilohm" << -100.0
                                            << -100.0 / 1100.0;
    QTest::newRow("E6 inductor") << 20e-9 << "H" << 20.0 << 22.0 << "nH" << "nanohenry" << -2e-9 << -0.1;
    QTest::newRow("E96 just above a decade") << 1000.4 << "Ohm" << 1.0 << 1.0 << "kOhm" << "kilohm" << 0.4
                                             << 0.4 / 1000.4;
    QTest::newRow("E192 below a midpoint") << 4.72 << "Ohm" << 0.0 << 4.7 << "Ohm" << "ohm" << 0.02 << 0.02 / 4.72;
    // 9.6 in E12 rounds to the next decade's 10.
    QTest::newRow("rounds up into the next decade") << 9.6e-12 << "F" << 10.0 << 10.0 << "pF" << "picofarad"
                                                    << -0.4e-12 << -0.4 / 9.6;
}

void TestStdValueCalc::Nearest()
{
    QFETCH(double, value);
    QFETCH(QString, base);
    QFETCH(double, tolerance);
    QFETCH(double, mantissa);
    QFETCH(QString, unit);
    QFETCH(QString, name);
    QFETCH(double, delta);
    QFETCH(double, fraction);
    test::RecordingNotifier notes;
    const StandardValueResult r = CalcStandardValue({value, base.toStdString(), tolerance});
    QVERIFY(!r.fault);
    QCOMPARE(r.mantissa, mantissa);
    QCOMPARE(QString::fromStdString(r.unit), unit);
    QCOMPARE(QString::fromStdString(r.unitName), name);
    QVERIFY2(std::fabs(r.delta - delta) <= 1e-9 * value, qPrintable(QString::number(r.delta, 'g', 17)));
    QVERIFY2(std::fabs(r.deltaFraction - fraction) <= 1e-9, qPrintable(QString::number(r.deltaFraction, 'g', 17)));
    QVERIFY(notes.messages.empty());
}

QTEST_APPLESS_MAIN(TestStdValueCalc)
#include "tst_stdvaluecalc.moc"
