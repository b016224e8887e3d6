// Whole curves against the one-point evaluation: every real-valued parameter, on random
// devices and on the points where a quantity has no value or a note, on one thread and on
// several, in double and in single precision.
#include "sparam/columns.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace korvel;

namespace {

Complex Polar(double mag, double deg)
{
    const double rad = deg * 3.14159265358979323846 / 180.0;
    return {mag * std::cos(rad), mag * std::sin(rad)};
}

struct Point {
    Complex s11, s21, s12, s22;
};

GridSet TwoPortSet(const std::vector<Point>& points, bool noise)
{
    GridSet g;
    g.ports = 2;
    g.referenceImpedance = 50.0f;
    g.hasNoise = noise;
    for (std::size_t k = 0; k < points.size(); ++k) {
        g.freq.push_back(1000.0f + 0.5f * static_cast<float>(k));
        g.s[SIndex(1, 1)].push_back(points[k].s11);
        g.s[SIndex(2, 1)].push_back(points[k].s21);
        g.s[SIndex(1, 2)].push_back(points[k].s12);
        g.s[SIndex(2, 2)].push_back(points[k].s22);
        if (noise) {
            g.nfMinDb.push_back(0.5f + 0.001f * static_cast<float>(k % 100));
            g.gammaOpt.push_back(Polar(0.4, 30.0 + static_cast<double>(k % 360)));
            g.rn.push_back(0.2f);
        }
    }
    return g;
}

std::vector<Point> RandomPoints(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    // Magnitudes past 1 too, so that active ports, K < 1 and the VSWR limit all occur.
    std::uniform_real_distribution<double> refl(0.0, 1.2), gain(0.01, 12.0), iso(0.0, 0.5), ang(-180.0, 180.0);
    std::vector<Point> points(n);
    for (Point& p : points)
        p = {Polar(refl(rng), ang(rng)), Polar(gain(rng), ang(rng)), Polar(iso(rng), ang(rng)), Polar(refl(rng), ang(rng))};
    return points;
}

// The points where a quantity has no value, is held at a limit or carries a note.
std::vector<Point> EdgePoints()
{
    const Complex zero{};
    return {
        {Polar(0.5, 10), Polar(3.0, 80), zero, Polar(0.4, -20)},          // unilateral: MSG is Gt, K infinite
        {Polar(0.5, 10), zero, Polar(0.1, 40), Polar(0.4, -20)},          // dead forward path
        {Polar(1.0, 45), Polar(2.0, 80), Polar(0.1, 40), Polar(0.4, -20)},  // |S11| = 1
        {Polar(0.999, 45), Polar(2.0, 80), Polar(0.1, 40), Polar(0.999, -20)},
        {zero, Polar(2.0, 80), Polar(0.1, 40), zero},                     // perfect match: no return loss
        {Polar(1.5, 0), Polar(2.0, 179.9), Polar(0.1, -179.9), Polar(0.4, 180)},  // across the phase wrap
        {Polar(0.2, 0), Polar(2.0, -179.9), Polar(0.1, 179.9), Polar(0.3, -180)},
        {Polar(0.9999, 0), Polar(1.0, 0), Polar(1.0, 0), Polar(0.9999, 0)},     // VSWR held at 1000
        {Polar(0.0, 0), Polar(1.0, 0), Polar(1.0, 0), Polar(0.0, 0)},          // lossless line: K = 1
        {Polar(0.3, -90), Polar(0.0, 0), Polar(0.0, 0), Polar(0.3, 90)},       // isolator of nothing
    };
}

bool IsAngleOrLog(Param p)
{
    switch (p) {
    case Param::S11Db: case Param::S21Db: case Param::S12Db: case Param::S22Db:
    case Param::S11Ang: case Param::S21Ang: case Param::S12Ang: case Param::S22Ang:
    case Param::Phase21: case Param::Phase12:
    case Param::MAG: case Param::MSG: case Param::Gt: case Param::Isol: case Param::RLIn: case Param::RLOut:
        return true;
    default:
        return false;
    }
}

// The allowed difference at point k: none where no logarithm or angle is taken; a few units
// in the last place where one is; for group delay, that of the phase difference it divides.
double Tolerance(Param p, const GridSet& g, std::size_t k, double expected)
{
    if (p == Param::GroupDelay21 || p == Param::GroupDelay12) {
        const double step = (static_cast<double>(g.freq[k + 1]) - g.freq[k]) * 360.0 * 1e6;
        return 1e-12 * 360.0 / step * 1e12 + 1e-12 * std::fabs(expected);
    }
    return IsAngleOrLog(p) ? 1e-13 * std::max(1.0, std::fabs(expected)) : 0.0;
}

void CompareWithEvaluate(const GridSet& g)
{
    std::vector<Param> params;
    for (const ParamInfo& info : AllParams())
        params.push_back(info.id);
    const std::size_t n = g.Points();
    std::vector<std::vector<double>> columns(params.size(), std::vector<double>(n, 12345.0));
    std::vector<std::vector<float>> singles(params.size(), std::vector<float>(n, 12345.0f));
    std::vector<double*> out;
    std::vector<float*> outSingle;
    for (std::size_t c = 0; c < params.size(); ++c) {
        out.push_back(columns[c].data());
        outSingle.push_back(singles[c].data());
    }
    const std::vector<Note> notes = EvaluateColumns(g, params, out);
    const std::vector<Note> singleNotes = EvaluateColumns(g, params, outSingle);
    QCOMPARE(singleNotes, notes);

    for (std::size_t c = 0; c < params.size(); ++c) {
        const Param p = params[c];
        Note firstNote = Note::None;
        for (std::size_t k = 0; k < n; ++k) {
            const Cell cell = Evaluate(p, g, k);
            if (firstNote == Note::None)
                firstNote = cell.note;
            const double expected = cell.complex ? kUndefined : cell.value;
            const double actual = columns[c][k];
            const bool bothUndefined = IsUndefined(actual) && IsUndefined(expected);
            const bool bothDefined = !IsUndefined(actual) && !IsUndefined(expected);
            const bool same = (bothUndefined || (bothDefined && std::fabs(actual - expected) <= Tolerance(p, g, k, expected))) &&
                              // Single precision is the same value rounded once more.
                              singles[c][k] == static_cast<float>(actual);
            if (!same) {
                const std::string_view name = InfoOf(p).cliName;
                QFAIL(qPrintable(QString("%1 at point %2: %3 (single %4) against %5")
                                     .arg(QString::fromUtf8(name.data(), static_cast<int>(name.size())))
                                     .arg(k)
                                     .arg(actual, 0, 'g', 17)
                                     .arg(static_cast<double>(singles[c][k]), 0, 'g', 9)
                                     .arg(expected, 0, 'g', 17)));
            }
        }
        QVERIFY2(notes[c] == firstNote, qPrintable(QString::number(c)));
    }
}

} // namespace

class TestColumns : public QObject {
    Q_OBJECT

private slots:
    void sameAsEachPoint_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("noise");
        QTest::addColumn<bool>("edges");
        QTest::newRow("one point") << 1 << false << false;
        QTest::newRow("the edge cases") << 0 << true << true;
        QTest::newRow("a block and a bit") << 131 << true << false;
        // Enough points for several threads, whose ranges meet inside the data.
        QTest::newRow("split among threads") << 150001 << true << true;
    }
    void sameAsEachPoint()
    {
        QFETCH(int, points);
        QFETCH(bool, noise);
        QFETCH(bool, edges);
        std::vector<Point> all = RandomPoints(static_cast<std::size_t>(points), 3);
        if (edges) {
            const std::vector<Point> e = EdgePoints();
            // The edge cases at the start, and again where two threads' ranges meet.
            all.insert(all.begin(), e.begin(), e.end());
            if (all.size() > 80000)
                all.insert(all.begin() + 75003, e.begin(), e.end());
        }
        CompareWithEvaluate(TwoPortSet(all, noise));
    }

    void onePortSet()
    {
        GridSet g = TwoPortSet(RandomPoints(300, 5), false);
        g.ports = 1;
        for (int e : {SIndex(2, 1), SIndex(1, 2), SIndex(2, 2)})
            g.s[static_cast<std::size_t>(e)].clear();
        g.s[SIndex(1, 1)][7] = Complex{};   // a perfect match among them
        CompareWithEvaluate(g);
    }

    void repeatedFrequencyHasNoDelay()
    {
        GridSet g = TwoPortSet(RandomPoints(4, 9), false);
        g.freq[2] = g.freq[1];
        const Param params[] = {Param::GroupDelay21};
        std::vector<double> tau(4);
        double* out[] = {tau.data()};
        EvaluateColumns(g, params, out);
        QVERIFY(!IsUndefined(tau[0]));
        QVERIFY(IsUndefined(tau[1]));
        QVERIFY(!IsUndefined(tau[2]));
        QVERIFY(IsUndefined(tau[3]));   // the last point has no neighbour
    }
};

QTEST_APPLESS_MAIN(TestColumns)
#include "tst_columns.moc"
