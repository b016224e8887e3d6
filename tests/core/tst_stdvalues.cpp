// The E series tables and rounding to the nearest standard value.
#include "core/stdvalues.h"
#include "core/units.h"
#include "recording_notifier.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace korvel;

namespace {

bool Near(double actual, double expected, double relTol = 1e-12)
{
    if (expected == 0.0)
        return actual == 0.0;
    return std::fabs(actual - expected) <= relTol * std::fabs(expected);
}

QByteArray Describe(double actual, double expected)
{
    return QByteArray("actual ") + QByteArray::number(actual, 'g', 17) + ", expected "
           + QByteArray::number(expected, 'g', 17);
}

} // namespace

class TestStdValues : public QObject {
    Q_OBJECT

private slots:
    void seriesShape_data();
    void seriesShape();
    void seriesFollowGeometricSteps_data();
    void seriesFollowGeometricSteps();
    void seriesNesting();
    void noSeriesForOtherTolerances_data();
    void noSeriesForOtherTolerances();

    void standardValue_data();
    void standardValue();
    void everyEntryMapsToItself_data();
    void everyEntryMapsToItself();
    void midpointsRoundUp_data();
    void midpointsRoundUp();

    void stdEngDisplay_data();
    void stdEngDisplay();
    void overflowIsReported();
};

void TestStdValues::seriesShape_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<int>("entries");
    QTest::newRow("0.1 % is E192") << 0.0 << 193;
    QTest::newRow("1 % is E96") << 1.0 << 97;
    QTest::newRow("5 % is E24") << 5.0 << 25;
    QTest::newRow("10 % is E12") << 10.0 << 13;
    QTest::newRow("20 % is E6") << 20.0 << 7;
}

void TestStdValues::seriesShape()
{
    QFETCH(double, tolerance);
    QFETCH(int, entries);
    const auto t = StandardSeries(tolerance);
    QCOMPARE(int(t.size()), entries);
    QCOMPARE(t.front(), 1.0);
    QCOMPARE(t.back(), 10.0);
    for (std::size_t k = 1; k < t.size(); ++k)
        QVERIFY2(t[k] > t[k - 1], qPrintable(QString("entry %1 (%2)").arg(k).arg(t[k])));
}

void TestStdValues::seriesFollowGeometricSteps_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<int>("figures");
    QTest::addColumn<QList<double>>("exceptions");
    // The entries are 10^(i/N) rounded to the series' figures, except for the values kept from
    // older practice. A mistyped entry breaks this rule.
    QTest::newRow("E192") << 0.0 << 3 << QList<double>{9.20};
    QTest::newRow("E96") << 1.0 << 3 << QList<double>{};
    QTest::newRow("E24") << 5.0 << 2 << QList<double>{2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7, 8.2};
    QTest::newRow("E12") << 10.0 << 2 << QList<double>{2.7, 3.3, 3.9, 4.7, 8.2};
    QTest::newRow("E6") << 20.0 << 2 << QList<double>{3.3, 4.7};
}

void TestStdValues::seriesFollowGeometricSteps()
{
    QFETCH(double, tolerance);
    QFETCH(int, figures);
    QFETCH(QList<double>, exceptions);
    const auto t = StandardSeries(tolerance);
    const int n = int(t.size()) - 1;
    const double scale = std::pow(10.0, figures - 1);
    int seenExceptions = 0;
    for (int i = 0; i < n; ++i) {
        const double geometric = std::pow(10.0, double(i) / n);
        const double rounded = std::round(geometric * scale) / scale;
        const bool isException = std::any_of(exceptions.begin(), exceptions.end(),
                                              [&](double x) { return std::fabs(x - t[i]) < 1e-9; });
        if (isException) {
            ++seenExceptions;
            QVERIFY2(std::fabs(rounded - t[i]) > 1e-9, qPrintable(QString("%1 is not special").arg(t[i])));
            QVERIFY2(std::fabs(t[i] / geometric - 1) < 0.05, qPrintable(QString::number(t[i])));
        } else {
            QVERIFY2(std::fabs(rounded - t[i]) < 1e-9,
                     qPrintable(QString("entry %1 is %2, step gives %3").arg(i).arg(t[i]).arg(rounded)));
        }
    }
    QCOMPARE(seenExceptions, int(exceptions.size()));
}

void TestStdValues::seriesNesting()
{
    // Each coarser series is every second entry of the next finer one.
    const std::pair<double, double> pairs[] = {{1.0, 0.0}, {10.0, 5.0}, {20.0, 10.0}};
    for (const auto& [coarseTol, fineTol] : pairs) {
        const auto coarse = StandardSeries(coarseTol);
        const auto fine = StandardSeries(fineTol);
        QCOMPARE(fine.size(), 2 * coarse.size() - 1);
        for (std::size_t k = 0; k < coarse.size(); ++k)
            QCOMPARE(coarse[k], fine[2 * k]);
    }
}

void TestStdValues::noSeriesForOtherTolerances_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::newRow("2") << 2.0;
    QTest::newRow("0.1 as typed") << 0.1;
    QTest::newRow("-5") << -5.0;
    QTest::newRow("50") << 50.0;
}

void TestStdValues::noSeriesForOtherTolerances()
{
    QFETCH(double, tolerance);
    test::RecordingNotifier rec;
    QVERIFY(StandardSeries(tolerance).empty());
    QCOMPARE(StandardValue(100.0, tolerance), 0.0);
    QVERIFY(rec.messages.empty());
}

void TestStdValues::standardValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("expected");

    // 4.15 between the E24 midpoints 4.1 and 4.5; below the E12 midpoint 4.3; and so on.
    QTest::newRow("4150 E24") << 4150.0 << 5.0 << 4300.0;
    QTest::newRow("4150 E12") << 4150.0 << 10.0 << 3900.0;
    QTest::newRow("4150 E6") << 4150.0 << 20.0 << 4700.0;
    QTest::newRow("4150 E96") << 4150.0 << 1.0 << 4120.0;
    QTest::newRow("4150 E192") << 4150.0 << 0.0 << 4170.0;
    QTest::newRow("9.6 E12 goes to the next decade") << 9.6 << 10.0 << 10.0;
    QTest::newRow("9.1 E12 on the last midpoint") << 9.1 << 10.0 << 10.0;
    QTest::newRow("0.0415 E24") << 0.0415 << 5.0 << 0.043;
    QTest::newRow("1.04 E24 below first midpoint") << 1.04 << 5.0 << 1.0;
    QTest::newRow("1.05 E24 on first midpoint") << 1.05 << 5.0 << 1.1;
    QTest::newRow("2.95 E24 keeps 3.0") << 2.95 << 5.0 << 3.0;
    QTest::newRow("8.3 E24 keeps 8.2") << 8.3 << 5.0 << 8.2;
    QTest::newRow("9.2 E192 keeps 9.20") << 9.2 << 0.0 << 9.2;
    QTest::newRow("9.19 E192 is 9.20") << 9.19 << 0.0 << 9.2;
    QTest::newRow("98.8 E96 goes up a decade") << 98.8 << 1.0 << 100.0;
    QTest::newRow("98.7 E96 stays") << 98.7 << 1.0 << 97.6;
    QTest::newRow("hair below 1000") << 999.9999999999999 << 5.0 << 1000.0;
    QTest::newRow("hair below 1e-3") << 0.000999999999999999 << 20.0 << 0.001;
    QTest::newRow("56 pF") << 5.5e-11 << 10.0 << 5.6e-11;
    QTest::newRow("large 3.3e20") << 3.4e20 << 10.0 << 3.3e20;
    QTest::newRow("0 E24") << 0.0 << 5.0 << 0.0;
    QTest::newRow("0 E192") << 0.0 << 0.0 << 0.0;
    QTest::newRow("100 with tolerance 2") << 100.0 << 2.0 << 0.0;
    // A negative mantissa is below every midpoint: the decade's 1, positive.
    QTest::newRow("negative gives the decade") << -4150.0 << 5.0 << 1000.0;
}

void TestStdValues::standardValue()
{
    QFETCH(double, value);
    QFETCH(double, tolerance);
    QFETCH(double, expected);
    test::RecordingNotifier rec;
    const double got = StandardValue(value, tolerance);
    QVERIFY2(Near(got, expected), Describe(got, expected));
    QVERIFY(rec.messages.empty());
}

void TestStdValues::everyEntryMapsToItself_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::newRow("E192") << 0.0;
    QTest::newRow("E96") << 1.0;
    QTest::newRow("E24") << 5.0;
    QTest::newRow("E12") << 10.0;
    QTest::newRow("E6") << 20.0;
}

void TestStdValues::everyEntryMapsToItself()
{
    QFETCH(double, tolerance);
    test::RecordingNotifier rec;
    const auto t = StandardSeries(tolerance);
    for (int e : {-12, -3, 0, 2, 9}) {
        const double decade = std::pow(10.0, e);
        for (double entry : t) {
            const double v = entry * decade;
            const double got = StandardValue(v, tolerance);
            QVERIFY2(Near(got, v), Describe(got, v));
        }
    }
}

void TestStdValues::midpointsRoundUp_data()
{
    everyEntryMapsToItself_data();
}

void TestStdValues::midpointsRoundUp()
{
    QFETCH(double, tolerance);
    test::RecordingNotifier rec;
    const auto t = StandardSeries(tolerance);
    for (std::size_t k = 0; k + 1 < t.size(); ++k) {
        // The midpoint as a user would type it (1.035, 9.1), in two decades.
        char typed[32];
        std::snprintf(typed, sizeof typed, "%.6g", (t[k] + t[k + 1]) / 2);
        for (double decade : {1.0, 1000.0}) {
            const double mid = NumberFromText(typed) * decade;
            double got = StandardValue(mid, tolerance);
            QVERIFY2(Near(got, t[k + 1] * decade), QByteArray(typed) + ": " + Describe(got, t[k + 1] * decade));
            got = StandardValue(mid * (1 - 1e-9), tolerance);
            QVERIFY2(Near(got, t[k] * decade), QByteArray(typed) + " less: " + Describe(got, t[k] * decade));
        }
    }
}

void TestStdValues::stdEngDisplay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("base");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("dBm");
    QTest::addColumn<double>("mantissa");
    QTest::addColumn<QString>("unit");
    QTest::newRow("4.17 mF is 4300 uF") << 0.00417 << "F" << 5.0 << false << 4300.0 << "uF";
    QTest::newRow("9.98 mF rounds to 10000 uF") << 0.00998 << "F" << 20.0 << false << 10000.0 << "uF";
    QTest::newRow("4150 Ohm is 4.3 kOhm") << 4150.0 << "Ohm" << 5.0 << false << 4.3 << "kOhm";
    QTest::newRow("4.15 nH E12") << 4.15e-9 << "H" << 10.0 << false << 3.9 << "nH";
    QTest::newRow("999.96 Ohm to 1 kOhm") << 999.96 << "Ohm" << 1.0 << false << 1.0 << "kOhm";
    QTest::newRow("41.5 mW as dBm") << 0.0415 << "W" << 5.0 << true << 43.0 << "dBm";
    QTest::newRow("no series gives 0") << 4150.0 << "Ohm" << 3.0 << false << 0.0 << "Ohm";
}

void TestStdValues::stdEngDisplay()
{
    QFETCH(double, value);
    QFETCH(QString, base);
    QFETCH(double, tolerance);
    QFETCH(bool, dBm);
    QFETCH(double, mantissa);
    QFETCH(QString, unit);
    test::RecordingNotifier rec;
    const std::string b = base.toStdString();
    const double m = StdEngMantissa(value, b, tolerance, dBm);
    QVERIFY2(Near(m, mantissa), Describe(m, mantissa));
    QCOMPARE(QString::fromStdString(StdEngUnitText(value, b, tolerance, dBm)), unit);
}

void TestStdValues::overflowIsReported()
{
    test::RecordingNotifier rec;
    // 1.79e308 rounds to 1.8e308 in E12, beyond the largest double.
    QCOMPARE(StandardValue(1.79e308, 10.0), 0.0);
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(rec.messages[0].text), QString("Error SV6-6  Overflow"));
    QCOMPARE(QString::fromStdString(rec.messages[0].title), QString());
    QCOMPARE(rec.messages[0].icon, MsgIcon::None);
}

QTEST_APPLESS_MAIN(TestStdValues)
#include "tst_stdvalues.moc"
