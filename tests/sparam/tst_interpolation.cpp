// The frequency grids, the bracketing search and the interpolation of a data set onto a grid:
// the worked grids, held ends, the short way round the ±180° wrap, decibels made linear
// before interpolating, and the noise data.
#include "sparam/interpolation.h"

#include <QtTest>

#include <cmath>
#include <random>
#include <vector>

using namespace korvel;

Q_DECLARE_METATYPE(std::vector<float>)

namespace {

DataSet Load(const char* name, const std::string& text)
{
    DataSet set;
    const LoadResult r = LoadSnpText(name, name, text, set);
    if (!r.ok)
        qFatal("test file did not load: %s", r.text.c_str());
    return set;
}

// The index the bracketing must return, found by looking at every entry.
int ReferenceBracket(float x, const std::vector<float>& t, bool ascending)
{
    int j = 0;
    for (int i = 1; i <= static_cast<int>(t.size()); ++i)
        if (ascending ? x >= t[static_cast<std::size_t>(i - 1)] : x < t[static_cast<std::size_t>(i - 1)])
            j = i;
    return j;
}

bool Close(Complex a, Complex b, double tol) { return std::hypot(a.Re - b.Re, a.Im - b.Im) <= tol; }

} // namespace

class TestInterpolation : public QObject {
    Q_OBJECT
private slots:
    void startStop_data();
    void startStop();
    void centerSpan_data();
    void centerSpan();
    void bracketWorkedCases_data();
    void bracketWorkedCases();
    void bracketAgreesWithExhaustiveSearch();
    void bracketEmptyTableLeavesGuess();
    void linearHeldAndExtrapolated_data();
    void linearHeldAndExtrapolated();
    void angleShortWayRound_data();
    void angleShortWayRound();
    void fileFrequencyGivesFileValueExactly_data();
    void fileFrequencyGivesFileValueExactly();
    void endsAreHeld();
    void riInterpolatesRealAndImaginary();
    void maInterpolatesThroughTheWrap();
    void dbIsMadeLinearFirst();
    void noiseData();
    void onePortFillsS11Only();
};

void TestInterpolation::startStop_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("stop");
    QTest::addColumn<float>("step");
    QTest::addColumn<std::vector<float>>("expected");
    QTest::newRow("stop appended") << 100.0f << 250.0f << 100.0f << std::vector<float>{100, 200, 250};
    QTest::newRow("steps land on stop") << 100.0f << 300.0f << 100.0f << std::vector<float>{100, 200, 300};
    QTest::newRow("single point") << 5.0f << 5.0f << 1.0f << std::vector<float>{5};
    QTest::newRow("step wider than the span") << 1.0f << 2.0f << 10.0f << std::vector<float>{1, 2};
    QTest::newRow("zero step refused") << 1.0f << 2.0f << 0.0f << std::vector<float>{};
    QTest::newRow("stop below start refused") << 2.0f << 1.0f << 1.0f << std::vector<float>{};
    // 1e8 + 1 is 1e8 in single precision: the grid must end instead of looping for ever.
    QTest::newRow("step lost in single precision") << 1e8f << 1.5e8f << 1.0f << std::vector<float>{1e8f, 1.5e8f};
}

void TestInterpolation::startStop()
{
    QFETCH(float, start);
    QFETCH(float, stop);
    QFETCH(float, step);
    QFETCH(std::vector<float>, expected);
    QCOMPARE(StartStopGrid(start, stop, step), expected);
}

void TestInterpolation::centerSpan_data()
{
    QTest::addColumn<float>("center");
    QTest::addColumn<float>("bw");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("used");
    QTest::addColumn<std::vector<float>>("expected");
    QTest::newRow("5 points") << 1000.0f << 200.0f << 5 << 5 << std::vector<float>{900, 950, 1000, 1050, 1100};
    QTest::newRow("4 points raised to 5") << 1000.0f << 200.0f << 4 << 5 << std::vector<float>{900, 950, 1000, 1050, 1100};
    QTest::newRow("10 points raised to 11")
        << 100.0f << 100.0f << 10 << 11 << std::vector<float>{50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150};
    QTest::newRow("one point is the center") << 1000.0f << 200.0f << 1 << 1 << std::vector<float>{1000};
    QTest::newRow("no width is the center") << 1000.0f << 0.0f << 7 << 7 << std::vector<float>{1000};
}

void TestInterpolation::centerSpan()
{
    QFETCH(float, center);
    QFETCH(float, bw);
    QFETCH(int, points);
    QFETCH(int, used);
    QFETCH(std::vector<float>, expected);
    const CenterSpanGrid g = MakeCenterSpanGrid(center, bw, points);
    QCOMPARE(g.points, used);
    QCOMPARE(g.freq, expected);
}

void TestInterpolation::bracketWorkedCases_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("guess");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<int>("expected");
    // Table 10, 20, 30, 40, 50 (or reversed).
    QTest::newRow("below, no guess") << 5.0f << 0 << true << 0;
    QTest::newRow("on the first entry") << 10.0f << 0 << true << 1;
    QTest::newRow("between, guess far below") << 35.0f << 1 << true << 3;
    QTest::newRow("between, guess far above") << 15.0f << 5 << true << 1;
    QTest::newRow("on the last entry") << 50.0f << 2 << true << 5;
    QTest::newRow("above") << 99.0f << 3 << true << 5;
    QTest::newRow("below, guess at the top") << 1.0f << 5 << true << 0;
    QTest::newRow("guess beyond the table") << 25.0f << 9 << true << 2;
    QTest::newRow("descending between") << 35.0f << 0 << false << 2;
    QTest::newRow("descending above all") << 60.0f << 4 << false << 0;
    QTest::newRow("descending below all") << 1.0f << 1 << false << 5;
}

void TestInterpolation::bracketWorkedCases()
{
    QFETCH(float, x);
    QFETCH(int, guess);
    QFETCH(bool, ascending);
    QFETCH(int, expected);
    const std::vector<float> up{10, 20, 30, 40, 50};
    const std::vector<float> down{50, 40, 30, 20, 10};
    int j = guess;
    BracketValueX(x, ascending ? up.data() : down.data(), 5, ascending, j);
    QCOMPARE(j, expected);
}

// Every guess, including the bad ones, must lead to the bracket a full look finds.
void TestInterpolation::bracketAgreesWithExhaustiveSearch()
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> gap(0.01f, 3.0f);
    for (int n : {1, 2, 3, 7, 64, 1000}) {
        std::vector<float> up(static_cast<std::size_t>(n));
        float f = -5.0f;
        for (float& v : up)
            v = (f += gap(rng));
        const std::vector<float> down(up.rbegin(), up.rend());
        std::uniform_real_distribution<float> xs(up.front() - 2.0f, up.back() + 2.0f);
        std::uniform_int_distribution<int> guesses(-2, n + 2);
        for (int trial = 0; trial < 400; ++trial) {
            // Half the probes sit exactly on an entry, where an off-by-one shows.
            const float x = trial % 2 ? xs(rng) : up[static_cast<std::size_t>(trial / 2 % n)];
            for (bool ascending : {true, false}) {
                const auto& t = ascending ? up : down;
                int j = guesses(rng);
                BracketValueX(x, t.data(), n, ascending, j);
                QCOMPARE(j, ReferenceBracket(x, t, ascending));
            }
        }
    }
}

void TestInterpolation::bracketEmptyTableLeavesGuess()
{
    int j = 3;
    BracketValueX(1.0f, nullptr, 0, true, j);
    QCOMPARE(j, 3);
}

void TestInterpolation::linearHeldAndExtrapolated_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<bool>("extrapolate");
    QTest::addColumn<float>("expected");
    // Points (10, 1) and (20, 3).
    QTest::newRow("middle") << 15.0f << false << 2.0f;
    QTest::newRow("at the lower end") << 10.0f << false << 1.0f;
    QTest::newRow("below, held") << 0.0f << false << 1.0f;
    QTest::newRow("above, held") << 30.0f << false << 3.0f;
    QTest::newRow("below, extrapolated") << 0.0f << true << -1.0f;
    QTest::newRow("above, extrapolated") << 30.0f << true << 5.0f;
}

void TestInterpolation::linearHeldAndExtrapolated()
{
    QFETCH(float, x);
    QFETCH(bool, extrapolate);
    QFETCH(float, expected);
    QCOMPARE(LinearInterpolate(10.0f, 1.0f, 20.0f, 3.0f, x, extrapolate), expected);
    // The same line given from its other end.
    QCOMPARE(LinearInterpolate(20.0f, 3.0f, 10.0f, 1.0f, x, extrapolate), expected);
}

void TestInterpolation::angleShortWayRound_data()
{
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("expected");
    QTest::newRow("+170 to -170, middle is 180") << 170.0 << -170.0 << 0.5 << -180.0;
    QTest::newRow("+170 to -170, a quarter") << 170.0 << -170.0 << 0.25 << 175.0;
    QTest::newRow("+170 to -170, three quarters") << 170.0 << -170.0 << 0.75 << -175.0;
    QTest::newRow("-170 to +170, a quarter") << -170.0 << 170.0 << 0.25 << -175.0;
    QTest::newRow("no wrap between -10 and 10") << -10.0 << 10.0 << 0.5 << 0.0;
    QTest::newRow("100 to -100 goes through 180") << 100.0 << -100.0 << 0.5 << -180.0;
    QTest::newRow("80 to -80 goes through 0") << 80.0 << -80.0 << 0.5 << 0.0;
    QTest::newRow("at the first end after a shift") << 100.0 << -100.0 << 0.0 << 100.0;
}

void TestInterpolation::angleShortWayRound()
{
    QFETCH(double, a1);
    QFETCH(double, a2);
    QFETCH(double, fraction);
    QFETCH(double, expected);
    QCOMPARE(InterpolateAngleDeg(0.0, a1, 1.0, a2, fraction), expected);
}

void TestInterpolation::fileFrequencyGivesFileValueExactly_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("RI") << QByteArray("RI");
    QTest::newRow("MA") << QByteArray("MA");
    QTest::newRow("DB") << QByteArray("DB");
}

void TestInterpolation::fileFrequencyGivesFileValueExactly()
{
    QFETCH(QByteArray, format);
    // Values chosen so that an angle shift across the wrap would round if done in single
    // precision (100.123 - 360 lands in a coarser binade).
    const DataSet set = Load("a.s2p", "# MHz S " + format.toStdString() +
                                          " R 50\n100 0.3 100.123 -2.5 -100.77 0.01 33.3 0.7 -179.9\n"
                                          "200 0.4 -100.5 -3.5 100.25 0.02 -33.3 0.6 179.9\n"
                                          "300 0.45 10.5 -4.5 20.25 0.03 -3.3 0.5 9.9\n");
    const std::vector<float> grid{100.0f, 200.0f, 300.0f};
    const GridSet g = InterpolateDataSet(set, grid);
    QVERIFY(g.fault.empty());
    for (std::size_t k = 0; k < 3; ++k) {
        for (int e = 0; e < 4; ++e) {
            const Complex expected = FilePairToComplex(set, e, k);
            const Complex got = g.s[static_cast<std::size_t>(e)][k];
            QCOMPARE(got.Re, expected.Re);
            QCOMPARE(got.Im, expected.Im);
        }
    }
}

void TestInterpolation::endsAreHeld()
{
    const DataSet set = Load("a.s1p", "# MHz S RI R 50\n100 0.1 0.2\n200 0.3 0.4\n");
    const std::vector<float> grid{10.0f, 99.9f, 150.0f, 200.0f, 5000.0f};
    const GridSet g = InterpolateDataSet(set, grid);
    const auto& s11 = g.s[SIndex(1, 1)];
    QVERIFY(Close(s11[0], {0.1f, 0.2f}, 0));
    QVERIFY(Close(s11[1], {0.1f, 0.2f}, 0));
    QVERIFY(Close(s11[2], {0.2, 0.3}, 1e-7));
    QVERIFY(Close(s11[3], {0.3f, 0.4f}, 0));
    QVERIFY(Close(s11[4], {0.3f, 0.4f}, 0));
}

void TestInterpolation::riInterpolatesRealAndImaginary()
{
    // From 1 to j: real and imaginary parts move in straight lines (the magnitude dips).
    const DataSet set = Load("a.s1p", "# MHz S RI R 50\n100 1 0\n200 0 1\n");
    const GridSet g = InterpolateDataSet(set, std::vector<float>{150.0f});
    QVERIFY(Close(g.s[SIndex(1, 1)][0], {0.5, 0.5}, 1e-12));
}

void TestInterpolation::maInterpolatesThroughTheWrap()
{
    const DataSet set = Load("a.s2p", "# MHz S MA R 50\n"
                                      "100 0.5 170 4 0 0.1 0 0.5 0\n"
                                      "200 0.7 -170 4 0 0.1 0 0.5 0\n");
    const GridSet g = InterpolateDataSet(set, std::vector<float>{150.0f});
    const Complex s11 = g.s[SIndex(1, 1)][0];
    // Magnitude 0.6 at 180°: on the negative real axis, not near +j or -j.
    QVERIFY2(Close(s11, {-0.6, 0.0}, 1e-7), qPrintable(QString("%1 %2").arg(s11.Re).arg(s11.Im)));
}

void TestInterpolation::dbIsMadeLinearFirst()
{
    // -20 dB and 0 dB: magnitudes 0.1 and 1 average to 0.55, not to -10 dB (0.316).
    const DataSet set = Load("a.s1p", "# MHz S DB R 50\n100 -20 90\n200 0 90\n300 -6.0206 90\n");
    const GridSet g = InterpolateDataSet(set, std::vector<float>{150.0f, 300.0f});
    const Complex mid = g.s[SIndex(1, 1)][0];
    QVERIFY2(Close(mid, {0.0, 0.55}, 1e-6), qPrintable(QString("%1 %2").arg(mid.Re).arg(mid.Im)));
    // -6.0206 dB at 90° is 0.5 at 90°.
    QVERIFY(Close(g.s[SIndex(1, 1)][1], {0.0, 0.5}, 1e-5));
}

void TestInterpolation::noiseData()
{
    const DataSet set = Load("lna.s2p", "# GHz S MA R 50\n"
                                        "1 .5 0 2 0 .1 0 .5 0\n2 .5 0 2 0 .1 0 .5 0\n3 .5 0 2 0 .1 0 .5 0\n"
                                        "1 0.5 0.6 170 0.2\n3 0.9 0.4 -170 0.4\n");
    const GridSet g = InterpolateDataSet(set, std::vector<float>{500.0f, 2000.0f, 3000.0f});
    QVERIFY(g.hasNoise);
    QCOMPARE(g.nfMinDb[0], 0.5f);   // held below the first noise frequency
    QVERIFY(std::fabs(g.nfMinDb[1] - 0.7) < 1e-6);
    QVERIFY(std::fabs(g.rn[1] - 0.3) < 1e-6);
    // 170° and 190° (the file's -170° kept in 0..360) meet at 180° with magnitude 0.5.
    QVERIFY(Close(g.gammaOpt[1], {-0.5, 0.0}, 1e-6));
    QVERIFY(Close(g.gammaOpt[2], CxFromPolarDeg({0.4f, 190.0}), 1e-7));
}

void TestInterpolation::onePortFillsS11Only()
{
    const DataSet set = Load("a.s1p", "# MHz S RI R 50\n100 0.1 0.2\n");
    const GridSet g = InterpolateDataSet(set, std::vector<float>{100.0f, 200.0f});
    QCOMPARE(g.s[SIndex(1, 1)].size(), std::size_t{2});
    QVERIFY(g.s[SIndex(2, 1)].empty());
    QVERIFY(!g.hasNoise);
}

QTEST_APPLESS_MAIN(TestInterpolation)
#include "tst_interpolation.moc"
