// Complete elliptic integrals: K(k) against tabulated values, the identities every modulus
// must satisfy, and Hilberg's closed-form ratio against the exact one on both sides of the
// branch point.
#include "core/elliptic.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace korvel;

namespace {

bool RelNear(double got, double want, double rel)
{
    return std::fabs(got - want) <= rel * std::fabs(want);
}

QByteArray Show(double got, double want)
{
    return "got " + QByteArray::number(got, 'g', 17) + ", want " + QByteArray::number(want, 'g', 17);
}

double Complement(double k)
{
    return std::sqrt(1.0 - k * k);
}

} // namespace

class TestElliptic : public QObject {
    Q_OBJECT
private slots:
    void knownK_data();
    void knownK();
    void knownRatio_data();
    void knownRatio();
    void outsideRange_data();
    void outsideRange();
    void identities_data();
    void identities();
    void nearUnityModulus();
    void hilbergAccuracy_data();
    void hilbergAccuracy();
    void hilbergBranchChoice();
    void hilbergFaults_data();
    void hilbergFaults();
};

void TestElliptic::knownK_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("K");
    // Tabulated complete integrals of the first kind (the usual tables list them against the
    // parameter m = k^2: m = 0, 0.01, 0.25, 0.5, 0.75, 0.81, 0.9801).
    QTest::newRow("k 0 is pi/2") << 0.0 << 1.5707963267948966;
    QTest::newRow("k 0.1") << 0.1 << 1.5747455615173560;
    QTest::newRow("k 0.5") << 0.5 << 1.6857503548125961;
    QTest::newRow("k 1/sqrt2") << std::numbers::sqrt2 / 2.0 << 1.8540746773013719;
    QTest::newRow("k sqrt3/2") << std::sqrt(3.0) / 2.0 << 2.1565156474996432;
    QTest::newRow("k 0.9") << 0.9 << 2.2805491384227703;
    QTest::newRow("k 0.99") << 0.99 << 3.3566005233611917;
    QTest::newRow("k 0.999999") << 0.999999 << 7.9474797735424366;
}

void TestElliptic::knownK()
{
    QFETCH(double, k);
    QFETCH(double, K);
    const double got = EllipticK(k);
    // k 0.999999 itself is rounded in the last bit, which moves K by about 1e-11 relative.
    QVERIFY2(RelNear(got, K, 5e-11), Show(got, K));
}

void TestElliptic::knownRatio_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("ratio");
    QTest::newRow("k 0.1") << 0.1 << 0.42610933023021032;
    QTest::newRow("k 0.5") << 0.5 << 0.78170096134805575;
    QTest::newRow("k 1/sqrt2 is exactly square") << std::numbers::sqrt2 / 2.0 << 1.0;
    QTest::newRow("k sqrt3/2") << std::sqrt(3.0) / 2.0 << 1.2792615711710065;
    QTest::newRow("k 0.9") << 0.9 << 1.3782945519565314;
    QTest::newRow("k 0.99") << 0.99 << 2.1261804470974859;
    // For a vanishing modulus K(k') grows as ln(4/k) while K(k) stays pi/2.
    QTest::newRow("k 1e-12") << 1e-12 << std::numbers::pi / (2.0 * std::log(4e12));
    QTest::newRow("k 1e-100") << 1e-100 << std::numbers::pi / (2.0 * std::log(4e100));
}

void TestElliptic::knownRatio()
{
    QFETCH(double, k);
    QFETCH(double, ratio);
    const double got = EllipticKRatio(k);
    QVERIFY2(RelNear(got, ratio, 1e-12), Show(got, ratio));
}

void TestElliptic::outsideRange_data()
{
    QTest::addColumn<double>("k");
    QTest::newRow("k 1") << 1.0;
    QTest::newRow("k above 1") << 1.5;
    QTest::newRow("negative k") << -0.5;
    QTest::newRow("nan") << std::nan("");
}

// A modulus outside the unit interval has no finite integral; the functions say 0 rather
// than return an infinity or a NaN into a line model.
void TestElliptic::outsideRange()
{
    QFETCH(double, k);
    QCOMPARE(EllipticK(k), 0.0);
    QCOMPARE(EllipticKRatio(k), 0.0);
    QCOMPARE(HilbergKRatio(k), 0.0);
}

void TestElliptic::identities_data()
{
    QTest::addColumn<double>("k");
    for (double k : {0.001, 0.05, 0.2, 0.45, 0.6, 0.7, 0.75, 0.85, 0.95, 0.999})
        QTest::newRow(qPrintable(QString("k %1").arg(k))) << k;
}

void TestElliptic::identities()
{
    QFETCH(double, k);
    const double kc = Complement(k);
    // The ratio of the complement is the reciprocal (to the rounding of k' itself, which
    // for k = 0.001 is a few parts in 1e11 once the function forms 1 - k'^2 again).
    QVERIFY2(RelNear(EllipticKRatio(k) * EllipticKRatio(kc), 1.0, 1e-10), QByteArray::number(k));
    // The ratio is the quotient of the two integrals.
    QVERIFY(RelNear(EllipticKRatio(k), EllipticK(k) / EllipticK(kc), 1e-10));
    // Descending Landen transformation: K(k) = K(k1) (1 + k1), k1 = (1 - k') / (1 + k').
    const double k1 = (1.0 - kc) / (1.0 + kc);
    QVERIFY2(RelNear(EllipticK(k), (1.0 + k1) * EllipticK(k1), 1e-13), QByteArray::number(k));
    // Gauss: K(2 sqrt(k) / (1 + k)) = (1 + k) K(k), the ascending transformation.
    const double up = 2.0 * std::sqrt(k) / (1.0 + k);
    if (up < 0.9999)
        QVERIFY2(RelNear(EllipticK(up), (1.0 + k) * EllipticK(k), 1e-12), QByteArray::number(k));
    // Legendre's relation in its ratio form: the nome q = exp(-pi K'/K) reproduces k through
    // k = 4 sqrt(q) (1 - 4q + 14q^2 ...) to second order for small q; checked only where
    // that truncation is good to 1e-6.
    const double q = std::exp(-std::numbers::pi / EllipticKRatio(k));
    if (q < 0.01) {
        const double series = 4.0 * std::sqrt(q) * (1.0 - 4.0 * q + 14.0 * q * q);
        QVERIFY2(RelNear(series, k, 1e-5), Show(series, k));
    }
    // K rises with the modulus.
    QVERIFY(EllipticK(k) > EllipticK(k * 0.99));
}

// Near k = 1 the integral grows like ln(4/k') + (k'^2 / 4)(ln(4/k') - 1); the complement must
// not be lost to rounding. k' is taken back from the double k, which is all the function sees.
void TestElliptic::nearUnityModulus()
{
    for (double target : {1e-3, 1e-4, 1e-5}) {
        const double k = std::sqrt(1.0 - target * target);
        const double kc = std::sqrt((1.0 - k) * (1.0 + k));
        const double l = std::log(4.0 / kc);
        const double approx = l + kc * kc / 4.0 * (l - 1.0);
        QVERIFY2(RelNear(EllipticK(k), approx, 1e-9), Show(EllipticK(k), approx));
    }
}

void TestElliptic::hilbergAccuracy_data()
{
    QTest::addColumn<double>("q");
    for (double q : {0.001, 0.01, 0.1, 0.3, 0.5, 0.6, 0.7, 0.707, 0.7072, 0.72, 0.8, 0.9, 0.99, 0.9999})
        QTest::newRow(qPrintable(QString("q %1").arg(q))) << q;
}

// Each closed form on its own side of the switch agrees with the exact ratio to a few parts
// per million; worst where the two meet, near 1/sqrt(2).
void TestElliptic::hilbergAccuracy()
{
    QFETCH(double, q);
    const double exact = EllipticKRatio(q);
    const double got = HilbergKRatio(q);
    QVERIFY2(RelNear(got, exact, 3e-6), Show(got, exact));
}

// The switch is at the rounded 0.707, and each form used on the wrong side drifts away from
// the exact ratio: the test value decides which one is taken, not the modulus.
void TestElliptic::hilbergBranchChoice()
{
    FaultTrap trap;
    const double q = 0.1;
    const double qc = Complement(q);
    const double small = HilbergKRatio(q, qc, 0.707, trap);
    const double large = HilbergKRatio(q, qc, 0.70700001, trap);
    QVERIFY(!trap.Raised());
    QCOMPARE(small, HilbergSmallModulus(qc, trap));
    QCOMPARE(large, HilbergLargeModulus(q, trap));
    QVERIFY(RelNear(small, EllipticKRatio(q), 1e-12));
    // The large-modulus form at q = 0.1 is 0.7 % high.
    QVERIFY2(RelNear(large / EllipticKRatio(q), 1.0070, 2e-4), Show(large / EllipticKRatio(q), 1.0070));
    // And the small-modulus form at q = 0.99 is 0.36 % low.
    const double q2 = 0.99;
    const double wrong = HilbergSmallModulus(Complement(q2), trap);
    QVERIFY2(RelNear(wrong / EllipticKRatio(q2), 0.99636, 2e-5), Show(wrong / EllipticKRatio(q2), 0.99636));
}

void TestElliptic::hilbergFaults_data()
{
    QTest::addColumn<double>("q");
    QTest::addColumn<bool>("largeForm");
    QTest::addColumn<int>("number");
    QTest::newRow("unit modulus divides by zero") << 1.0 << true << int(kFaultDivisionByZero);
    QTest::newRow("unit complement divides by zero") << 1.0 << false << int(kFaultDivisionByZero);
    QTest::newRow("negative modulus has no root") << -0.25 << true << int(kFaultInvalidCall);
    QTest::newRow("negative complement has no root") << -0.25 << false << int(kFaultInvalidCall);
}

void TestElliptic::hilbergFaults()
{
    QFETCH(double, q);
    QFETCH(bool, largeForm);
    QFETCH(int, number);
    FaultTrap trap;
    const double got = largeForm ? HilbergLargeModulus(q, trap) : HilbergSmallModulus(q, trap);
    QCOMPARE(got, 0.0);
    QCOMPARE(trap.Number(), number);
}

QTEST_APPLESS_MAIN(TestElliptic)
#include "tst_elliptic.moc"
