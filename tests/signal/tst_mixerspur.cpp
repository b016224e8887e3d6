// Mixer spur finder: hand-checked line-ups, the strict edges of the search, the schemes with
// fixed frequencies, the harmonic limits, the negative-frequency flag and the 400-spur limit.
#include "signal/mixerspur.h"

#include <QtTest>

using namespace korvel;

Q_DECLARE_METATYPE(korvel::MixerSpurInputs)

namespace {

MixerSpurInputs Ranges(float rfMin, float rfMax, float loMin, float loMax, float ifMin, float ifMax, int m, int n,
                       MixerScheme scheme = MixerScheme::RangeRange)
{
    MixerSpurInputs in;
    in.rfMin = rfMin;
    in.rfMax = rfMax;
    in.loMin = loMin;
    in.loMax = loMax;
    in.ifMin = ifMin;
    in.ifMax = ifMax;
    in.maxRfHarmonic = m;
    in.maxLoHarmonic = n;
    in.scheme = scheme;
    return in;
}

// "n m limit1 limit2" per spur, so that a failure shows the whole list.
QStringList Describe(const MixerSpurResult& r)
{
    QStringList out;
    for (const MixerSpur& s : r.spurs)
        out << QString("%1 %2 %3 %4").arg(s.n).arg(s.m).arg(s.rfLimit1, 0, 'f', 3).arg(s.rfLimit2, 0, 'f', 3);
    return out;
}

} // namespace

class TestMixerSpur : public QObject {
    Q_OBJECT
private slots:
    void spurs_data();
    void spurs();
    void limit_data();
    void limit();
    void harmonicLimit_data();
    void harmonicLimit();
};

void TestMixerSpur::spurs_data()
{
    QTest::addColumn<MixerSpurInputs>("in");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("negative");

    // IF = LO - RF: 1100 - 1000 .. 1200 - 900 covers the band; RF + LO lies far above it.
    QTest::newRow("difference product only") << Ranges(900, 1000, 1100, 1200, 150, 250, 1, 1)
                                             << QStringList{"1 -1 1050.000 850.000"} << false;
    QTest::newRow("M = 0 tries no harmonic") << Ranges(900, 1000, 1100, 1200, 150, 250, 0, 5) << QStringList{}
                                             << false;
    QTest::newRow("N = 0 leaves only RF harmonics") << Ranges(100, 200, 1100, 1200, 150, 250, 2, 0)
                                                    << QStringList{"0 1 150.000 250.000", "0 2 75.000 125.000"}
                                                    << false;
    // RF - LO = 0 .. 50 puts s = 1 exactly on the upper limit (RFmax - IFmin)/LO = 1: not a spur.
    QTest::newRow("s on the upper limit is left out")
        << Ranges(900, 1000, 1000, 1000, 0, 50, 1, 1, MixerScheme::RangeFixedLo) << QStringList{"1 -1 1000.000 950.000"}
        << false;
    QTest::newRow("a hair inside the limit is a spur")
        << Ranges(900, 1000.5f, 1000, 1000, 0, 50, 1, 1, MixerScheme::RangeFixedLo)
        << QStringList{"1 -1 1000.000 950.000", "-1 1 1000.000 1050.000"} << false;
    // A fixed LO ignores its maximum box, a fixed RF likewise.
    QTest::newRow("fixed LO ignores LO max") << Ranges(900, 1000, 1000, 5000, 0, 50, 1, 1, MixerScheme::RangeFixedLo)
                                             << QStringList{"1 -1 1000.000 950.000"} << false;
    QTest::newRow("fixed RF, LO range, harmonics to 3")
        << Ranges(1900, 99999, 1700, 1800, 60, 250, 3, 3, MixerScheme::FixedRfRange)
        << QStringList{"-1 1 1860.000 1950.000", "-2 2 1830.000 1825.000"} << false;
    // LO - RF = 200 sits inside 100 .. 250; the maximum boxes hold leftovers that must not count.
    QTest::newRow("both fixed") << Ranges(800, 0, 1000, 0, 100, 250, 2, 2, MixerScheme::FixedFixed)
                                << QStringList{"1 -1 900.000 750.000"} << false;
    QTest::newRow("both fixed, product on the band edge") << Ranges(800, 0, 1000, 0, 100, 200, 2, 2, MixerScheme::FixedFixed)
                                                          << QStringList{} << false;
    // Low RF and a wide IF band: the sum and the image reach below zero.
    QTest::newRow("negative limits flagged") << Ranges(0, 100, 50, 60, 0, 200, 1, 1)
                                             << QStringList{"1 -1 60.000 -150.000", "-1 1 60.000 250.000",
                                                            "0 1 0.000 200.000", "1 1 150.000 -60.000"}
                                             << true;
}

void TestMixerSpur::spurs()
{
    QFETCH(MixerSpurInputs, in);
    QFETCH(QStringList, expected);
    QFETCH(bool, negative);
    const MixerSpurResult r = FindMixerSpurs(in);
    QVERIFY(!r.overflow);
    QCOMPARE(Describe(r), expected);
    QCOMPARE(r.negativeFrequencies, negative);
}

void TestMixerSpur::limit_data()
{
    QTest::addColumn<MixerSpurInputs>("in");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("overflow");
    // With RF from 0 and IF from 0 every n > 0 is a spur for m < 0 and every n for m > 0:
    // M (3N + 1) spurs.
    QTest::newRow("exactly 400 are listed") << Ranges(0, 1000, 1, 1, 0, 1000, 40, 3, MixerScheme::RangeFixedLo) << 400
                                            << false;
    QTest::newRow("401 overflow") << Ranges(0, 30, 1, 2, 0, 10, 8, 20) << 0 << true;
    // One plan on both sides of the limit: RF up to 22 gives 400, up to 23 the 401st.
    QTest::newRow("400 at the edge of one plan")
        << Ranges(0, 22, 1, 1, 0, 10, 6, 29, MixerScheme::RangeFixedLo) << 400 << false;
    QTest::newRow("401 a step further") << Ranges(0, 23, 1, 1, 0, 10, 6, 29, MixerScheme::RangeFixedLo) << 0 << true;
    QTest::newRow("410 overflow") << Ranges(0, 1000, 1, 1, 0, 1000, 41, 3, MixerScheme::RangeFixedLo) << 0 << true;
}

void TestMixerSpur::limit()
{
    QFETCH(MixerSpurInputs, in);
    QFETCH(int, count);
    QFETCH(bool, overflow);
    const MixerSpurResult r = FindMixerSpurs(in);
    QCOMPARE(int(r.spurs.size()), count);
    QCOMPARE(r.overflow, overflow);
    if (!overflow) {
        // Found in order: m ascending (0 skipped), n ascending within each m.
        for (std::size_t k = 1; k < r.spurs.size(); ++k) {
            const MixerSpur& p = r.spurs[k - 1];
            const MixerSpur& q = r.spurs[k];
            QVERIFY(q.m != 0);
            QVERIFY(p.m < q.m || (p.m == q.m && p.n < q.n));
        }
    }
}

void TestMixerSpur::harmonicLimit_data()
{
    QTest::addColumn<double>("typed");
    QTest::addColumn<int>("limit");
    QTest::newRow("whole") << 5.0 << 5;
    QTest::newRow("fraction truncated") << 2.9 << 2;
    QTest::newRow("negative taken by magnitude") << -3.7 << 3;
    QTest::newRow("zero") << 0.0 << 0;
}

void TestMixerSpur::harmonicLimit()
{
    QFETCH(double, typed);
    QFETCH(int, limit);
    QCOMPARE(HarmonicLimit(typed), limit);
}

QTEST_APPLESS_MAIN(TestMixerSpur)
#include "tst_mixerspur.moc"
