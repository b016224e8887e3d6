// Thinning dense curves for drawing: whatever is thrown away, every plot column keeps its
// lowest and highest value and the curve keeps its first and last point, so the drawn
// envelope cannot change; short curves are not touched.
#include "sparam/ui/decimate.h"

#include <QtTest>

#include <cmath>

using namespace korvel::ui;

namespace {

QList<QPointF> Curve(int n, int kind)
{
    QList<QPointF> pts;
    for (int k = 0; k < n; ++k) {
        const double x = 100.0 + k * 0.37;
        double y = 0.0;
        switch (kind) {
        case 0: y = std::sin(k * 0.9) * 10.0; break;          // fast ripple: many extremes per column
        case 1: y = 0.001 * k; break;                          // a straight ramp
        case 2: y = (k == n / 3) ? 500.0 : 1.0; break;         // one spike
        default: y = (k % 2) ? -1.0 : 1.0; break;              // alternating
        }
        pts.append({x, y});
    }
    return pts;
}

} // namespace

class TestDecimate : public QObject {
    Q_OBJECT
private slots:
    void envelopeIsKept_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("columns");
        QTest::newRow("ripple, 10000 points, 500 columns") << 10000 << 0 << 500;
        QTest::newRow("ramp, 10000 points, 1500 columns") << 10000 << 1 << 1500;
        QTest::newRow("single spike survives") << 20000 << 2 << 300;
        QTest::newRow("alternating signs") << 9001 << 3 << 1000;
    }
    void envelopeIsKept()
    {
        QFETCH(int, points);
        QFETCH(int, kind);
        QFETCH(int, columns);
        const QList<QPointF> in = Curve(points, kind);
        const QList<QPointF> out = DecimateForColumns(in, columns);
        QVERIFY(out.size() <= qsizetype(columns) * 4);
        QVERIFY(out.size() < in.size());
        QCOMPARE(out.front(), in.front());
        QCOMPARE(out.back(), in.back());
        // Per column: the same minimum and maximum, and x never goes backwards.
        const double x0 = in.front().x(), span = in.back().x() - x0;
        auto columnOf = [&](double x) { return std::min(columns - 1, int((x - x0) / span * columns)); };
        std::vector<double> minIn(std::size_t(columns), 1e300), maxIn(std::size_t(columns), -1e300);
        std::vector<double> minOut = minIn, maxOut = maxIn;
        for (const QPointF& p : in) {
            const auto c = std::size_t(columnOf(p.x()));
            minIn[c] = std::min(minIn[c], p.y());
            maxIn[c] = std::max(maxIn[c], p.y());
        }
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (i > 0)
                QVERIFY(out[i].x() > out[i - 1].x());
            const auto c = std::size_t(columnOf(out[i].x()));
            minOut[c] = std::min(minOut[c], out[i].y());
            maxOut[c] = std::max(maxOut[c], out[i].y());
        }
        QVERIFY(minIn == minOut);
        QVERIFY(maxIn == maxOut);
    }

    void shortCurvesAreUntouched_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("columns");
        QTest::newRow("four per column") << 4000 << 1000;
        QTest::newRow("a few points") << 3 << 1000;
        QTest::newRow("no columns") << 5000 << 0;
    }
    void shortCurvesAreUntouched()
    {
        QFETCH(int, points);
        QFETCH(int, columns);
        const QList<QPointF> in = Curve(points, 0);
        QCOMPARE(DecimateForColumns(in, columns), in);
    }
};

QTEST_APPLESS_MAIN(TestDecimate)
#include "tst_decimate.moc"
