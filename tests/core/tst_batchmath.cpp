// The batch logarithm, sine and cosine against the C library, the batch angle against Atan2
// and the batch polar form against CxFromPolarDeg, whose conventions (the program's π, the
// axes, the origin, zero and negative magnitudes) they keep.
#include "core/batchmath.h"
#include "core/cxmath.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <random>

using namespace korvel;

namespace {

// |a − b| in units in the last place of b.
double Ulps(double a, double b)
{
    if (a == b)
        return 0.0;
    const double ulp = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
    return std::fabs(a - b) / ulp;
}

constexpr double kMaxUlps = 2.0;
// Atan2 forms atan(y/x) from a rounded quotient, so the two may differ by one unit more.
constexpr double kMaxAngleUlps = 3.0;

} // namespace

class TestBatchMath : public QObject {
    Q_OBJECT

private slots:
    void lnAtChosenPoints_data()
    {
        QTest::addColumn<double>("x");
        QTest::newRow("1") << 1.0;
        QTest::newRow("just above 1") << std::nextafter(1.0, 2.0);
        QTest::newRow("just below 1") << std::nextafter(1.0, 0.0);
        QTest::newRow("2") << 2.0;
        QTest::newRow("0.5") << 0.5;
        QTest::newRow("10") << 10.0;
        // The reduction switches at √½ and √2.
        QTest::newRow("sqrt half") << std::sqrt(0.5);
        QTest::newRow("below sqrt half") << std::nextafter(std::sqrt(0.5), 0.0);
        QTest::newRow("sqrt 2") << std::sqrt(2.0);
        QTest::newRow("above sqrt 2") << std::nextafter(std::sqrt(2.0), 2.0);
        QTest::newRow("largest") << DBL_MAX;
        QTest::newRow("smallest normal") << DBL_MIN;
        QTest::newRow("subnormal") << DBL_MIN / 3.0;
        QTest::newRow("smallest subnormal") << std::nextafter(0.0, 1.0);
        QTest::newRow("where lifting starts") << 0x1p-1000;
        QTest::newRow("just below it") << std::nextafter(0x1p-1000, 0.0);
        QTest::newRow("float epsilon squared") << 1.4e-45 * 1.4e-45;
    }
    void lnAtChosenPoints()
    {
        QFETCH(double, x);
        QVERIFY2(Ulps(BatchLn(x), std::log(x)) <= kMaxUlps, qPrintable(QString::number(BatchLn(x), 'g', 17)));
    }

    void lnOverTheWholeRange_data()
    {
        QTest::addColumn<double>("lowExponent");
        QTest::addColumn<double>("highExponent");
        QTest::newRow("every binade") << -1074.0 << 1023.0;
        QTest::newRow("near 1") << -52.0 << -1.0;
        QTest::newRow("S-parameter magnitudes") << -100.0 << 20.0;
    }
    void lnOverTheWholeRange()
    {
        QFETCH(double, lowExponent);
        QFETCH(double, highExponent);
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> exponent(lowExponent, highExponent);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const bool nearOne = highExponent < 0.0;
        double worst = 0.0;
        for (int i = 0; i < 400000; ++i) {
            // "near 1" draws 1 ± 2^e, the others 2^e·(1 + u).
            const double x = nearOne ? 1.0 + (unit(rng) < 0.5 ? -1.0 : 1.0) * std::exp2(exponent(rng))
                                     : std::exp2(exponent(rng)) * (1.0 + unit(rng));
            if (!(x > 0.0 && x <= DBL_MAX))
                continue;
            worst = std::max(worst, Ulps(BatchLn(x), std::log(x)));
        }
        QVERIFY2(worst <= kMaxUlps, qPrintable(QString::number(worst)));
    }

    void atan2Conventions_data()
    {
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("x");
        QTest::newRow("origin") << 0.0 << 0.0;
        QTest::newRow("origin, negative zeros") << -0.0 << -0.0;
        QTest::newRow("positive real axis") << 0.0 << 2.0;
        QTest::newRow("negative real axis") << 0.0 << -2.0;
        QTest::newRow("negative real axis, negative zero") << -0.0 << -2.0;
        QTest::newRow("positive imaginary axis") << 3.0 << 0.0;
        QTest::newRow("negative imaginary axis") << -3.0 << 0.0;
        QTest::newRow("diagonal") << 1.0 << 1.0;
        QTest::newRow("third quadrant diagonal") << -1.0 << -1.0;
        QTest::newRow("just off the negative axis, above") << 1e-300 << -1.0;
        QTest::newRow("just off the negative axis, below") << -1e-300 << -1.0;
        QTest::newRow("tan(pi/8) boundary") << 0.41421356237309503 << 1.0;
        QTest::newRow("tiny over huge") << 1e-300 << 1e300;
    }
    void atan2Conventions()
    {
        QFETCH(double, y);
        QFETCH(double, x);
        const double expected = Atan2(y, x);
        const double actual = BatchAtan2(y, x);
        if (expected == 0.0)
            QCOMPARE(actual, 0.0);
        else
            QVERIFY2(Ulps(actual, expected) <= kMaxAngleUlps, qPrintable(QString::number(actual, 'g', 17)));
    }

    void atan2InEveryQuadrant_data()
    {
        QTest::addColumn<double>("spread");
        QTest::newRow("unit square") << 0.0;
        QTest::newRow("magnitudes 2^-30 to 2^30") << 30.0;
        QTest::newRow("magnitudes 2^-300 to 2^300") << 300.0;
    }
    void atan2InEveryQuadrant()
    {
        QFETCH(double, spread);
        std::mt19937_64 rng(11);
        std::uniform_real_distribution<double> side(-1.0, 1.0);
        std::uniform_real_distribution<double> exponent(-spread, spread);
        double worst = 0.0;
        for (int i = 0; i < 400000; ++i) {
            const double x = side(rng) * std::exp2(exponent(rng));
            const double y = side(rng) * std::exp2(exponent(rng));
            worst = std::max(worst, Ulps(BatchAtan2(y, x), Atan2(y, x)));
        }
        QVERIFY2(worst <= kMaxAngleUlps, qPrintable(QString::number(worst)));
    }

    void sineAndCosine_data()
    {
        QTest::addColumn<double>("turns");
        QTest::newRow("within a quarter turn") << 0.125;
        QTest::newRow("within a turn") << 0.5;
        QTest::newRow("a turn and a half either way") << 1.5;
    }
    void sineAndCosine()
    {
        QFETCH(double, turns);
        std::mt19937_64 rng(13);
        std::uniform_real_distribution<double> angle(-turns * 2.0 * kPi, turns * 2.0 * kPi);
        double worst = 0.0;
        auto check = [&](double a) {
            double s = 0.0;
            double c = 0.0;
            BatchSinCos(a, s, c);
            worst = std::max({worst, std::fabs(s - std::sin(a)), std::fabs(c - std::cos(a))});
        };
        for (int i = 0; i < 400000; ++i)
            check(angle(rng));
        // The quadrant boundaries, where the reduction changes its multiple of π/2.
        for (int q = -12; q <= 12; ++q)
            for (double d : {-1e-9, 0.0, 1e-9})
                check(q * (kPi / 2.0) + d);
        QVERIFY2(worst <= 2.0 * DBL_EPSILON, qPrintable(QString::number(worst)));
    }

    void polarForm_data()
    {
        QTest::addColumn<double>("m");
        QTest::addColumn<double>("degrees");
        QTest::newRow("zero magnitude") << 0.0 << 75.0;
        QTest::newRow("negative magnitude") << -0.5 << 30.0;
        QTest::newRow("half turn") << 2.0 << 180.0;
        QTest::newRow("minus half turn") << 2.0 << -180.0;
        QTest::newRow("quarter turn") << 1.0 << 90.0;
        QTest::newRow("whole turn") << 1.0 << 360.0;
        QTest::newRow("past a whole turn") << 3.0 << 361.5;
        QTest::newRow("two turns back") << 0.25 << -725.0;
        QTest::newRow("large magnitude") << 3e38 << -45.0;
    }
    void polarForm()
    {
        QFETCH(double, m);
        QFETCH(double, degrees);
        const Complex expected = CxFromPolarDeg(Complex{m, degrees});
        double re = 0.0;
        double im = 0.0;
        BatchPolarDeg(m, degrees, re, im);
        const double tolerance = 2.0 * DBL_EPSILON * std::fabs(m);
        QVERIFY2(std::fabs(re - expected.Re) <= tolerance, qPrintable(QString::number(re, 'g', 17)));
        QVERIFY2(std::fabs(im - expected.Im) <= tolerance, qPrintable(QString::number(im, 'g', 17)));
    }

    void polarFormAtRandom()
    {
        std::mt19937_64 rng(17);
        std::uniform_real_distribution<double> magnitude(-2.0, 2.0);
        std::uniform_real_distribution<double> degrees(-800.0, 800.0);
        double worst = 0.0;
        for (int i = 0; i < 200000; ++i) {
            const double m = magnitude(rng);
            const double d = degrees(rng);
            const Complex expected = CxFromPolarDeg(Complex{m, d});
            double re = 0.0;
            double im = 0.0;
            BatchPolarDeg(m, d, re, im);
            worst = std::max({worst, std::fabs(re - expected.Re) / std::fabs(m), std::fabs(im - expected.Im) / std::fabs(m)});
        }
        QVERIFY2(worst <= 2.0 * DBL_EPSILON, qPrintable(QString::number(worst)));
    }
};

QTEST_APPLESS_MAIN(TestBatchMath)
#include "tst_batchmath.moc"
