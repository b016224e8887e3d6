// Reactance of L and C, the insertion loss of a series or shunt reactance in a line and its
// inverse: worked values, round trips over the useful range, and the fault message that
// points the user at the input data.
#include "core/cxmath.h"
#include "core/rfcalc.h"
#include "core/settings.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <map>
#include <string>

using namespace korvel;
using korvel::test::RecordingNotifier;

Q_DECLARE_METATYPE(std::string)

namespace {

bool RelNear(double got, double want, double rel)
{
    if (want == 0.0)
        return std::fabs(got) <= rel;
    return std::fabs(got - want) <= rel * std::fabs(want);
}

QByteArray Show(double got, double want)
{
    return "got " + QByteArray::number(got, 'g', 17) + ", want " + QByteArray::number(want, 'g', 17);
}

using Relation = std::function<double()>;

} // namespace

class TestRfCalc : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = std::make_unique<RecordingNotifier>(); }
    void cleanup() { recorder_.reset(); }

    void workedValues_data();
    void workedValues();
    void reactanceRoundTrips_data();
    void reactanceRoundTrips();
    void lossRoundTrips_data();
    void lossRoundTrips();
    void faults_data();
    void faults();
    void faultShownEvenWhenMathErrorsAreQuiet();
    void faultWithSoundOff();

private:
    std::unique_ptr<RecordingNotifier> recorder_;
};

void TestRfCalc::workedValues_data()
{
    QTest::addColumn<std::string>("call");
    QTest::addColumn<double>("want");
    QTest::addColumn<double>("tolerance");

    // 1 nH at 1 GHz and 1 pF at 1 GHz, with the program's pi.
    QTest::newRow("XL of 1 nH at 1 GHz") << std::string("XL(1n, 1G)") << 6.28318530717958 << 1e-14;
    QTest::newRow("XC of 1 pF at 1 GHz") << std::string("XC(1p, 1G)") << 159.154943091895 << 1e-13;
    QTest::newRow("XL of 10 uH at 100 MHz") << std::string("XL(10u, 100M)") << 6283.18530717958 << 1e-14;
    QTest::newRow("XC of 100 nF at 1 MHz") << std::string("XC(100n, 1M)") << 1.59154943091895 << 1e-13;
    QTest::newRow("L for 50 ohm at 1 GHz") << std::string("L(50, 1G)") << 7.95774715459477e-9 << 1e-13;
    QTest::newRow("C for 50 ohm at 1 GHz") << std::string("C(50, 1G)") << 3.18309886183791e-12 << 1e-13;
    // A series 100 ohm in a 50 ohm line loses 10 log10(2) dB; 3.0103 dB gives it back.
    QTest::newRow("series loss of 100 ohm in 50") << std::string("loss(100, 50)") << 3.010299956639812 << 1e-14;
    QTest::newRow("series reactance for 3.0103 dB") << std::string("series(3.0103, 50)") << 100.0 << 1e-5;
    // A shunt 100 ohm across a 50 ohm line: 10 log10(1 + 0.25 / 4).
    QTest::newRow("shunt loss of 100 ohm across 50") << std::string("loss(50, 100)") << 0.26328938722349143
                                                      << 1e-13;
    QTest::newRow("shunt reactance for 3.0103 dB") << std::string("shunt(3.0103, 50)") << 25.0 << 1e-5;
    QTest::newRow("no reactance, no loss") << std::string("loss(0, 50)") << 0.0 << 0.0;
    QTest::newRow("a negative reactance loses the same") << std::string("loss(-100, 50)") << 3.010299956639812
                                                         << 1e-14;
    QTest::newRow("0 dB needs no series reactance") << std::string("series(0, 50)") << 0.0 << 0.0;
    QTest::newRow("20 dB series") << std::string("series(20, 50)") << 2 * 50 * std::sqrt(99.0) << 1e-13;
    QTest::newRow("20 dB shunt") << std::string("shunt(20, 50)") << 50 / (2 * std::sqrt(99.0)) << 1e-13;
}

void TestRfCalc::workedValues()
{
    QFETCH(std::string, call);
    QFETCH(double, want);
    QFETCH(double, tolerance);
    static const std::map<std::string, Relation> calls = {
        {"XL(1n, 1G)", [] { return InductiveReactance(1e-9, 1e9); }},
        {"XC(1p, 1G)", [] { return CapacitiveReactance(1e-12, 1e9); }},
        {"XL(10u, 100M)", [] { return InductiveReactance(10e-6, 100e6); }},
        {"XC(100n, 1M)", [] { return CapacitiveReactance(100e-9, 1e6); }},
        {"L(50, 1G)", [] { return InductanceFromReactance(50.0, 1e9); }},
        {"C(50, 1G)", [] { return CapacitanceFromReactance(50.0, 1e9); }},
        {"loss(100, 50)", [] { return ReactiveLossDb(100.0, 50.0); }},
        {"series(3.0103, 50)", [] { return SeriesReactanceForLoss(3.0103, 50.0); }},
        {"loss(50, 100)", [] { return ReactiveLossDb(50.0, 100.0); }},
        {"shunt(3.0103, 50)", [] { return ShuntReactanceForLoss(3.0103, 50.0); }},
        {"loss(0, 50)", [] { return ReactiveLossDb(0.0, 50.0); }},
        {"loss(-100, 50)", [] { return ReactiveLossDb(-100.0, 50.0); }},
        {"series(0, 50)", [] { return SeriesReactanceForLoss(0.0, 50.0); }},
        {"series(20, 50)", [] { return SeriesReactanceForLoss(20.0, 50.0); }},
        {"shunt(20, 50)", [] { return ShuntReactanceForLoss(20.0, 50.0); }},
    };
    const double got = calls.at(call)();
    QVERIFY2(RelNear(got, want, tolerance), Show(got, want).constData());
    QVERIFY(recorder_->messages.empty());
    QVERIFY(recorder_->sounds.empty());
}

void TestRfCalc::reactanceRoundTrips_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("f");

    // From a chip inductor at audio to a bond wire at millimetre-wave frequencies.
    for (double v : {1e-12, 3.3e-9, 47e-6, 0.01})
        for (double f : {1e3, 2.45e9, 77e9})
            QTest::addRow("%g at %g Hz", v, f) << v << f;
}

void TestRfCalc::reactanceRoundTrips()
{
    QFETCH(double, value);
    QFETCH(double, f);
    const double xl = InductiveReactance(value, f);
    const double xc = CapacitiveReactance(value, f);
    QVERIFY(RelNear(InductanceFromReactance(xl, f), value, 1e-14));
    QVERIFY(RelNear(CapacitanceFromReactance(xc, f), value, 1e-14));
    // An inductor and a capacitor of the same reactance resonate: XL XC = L / C.
    QVERIFY(RelNear(InductiveReactance(InductanceFromReactance(xc, f), f), xc, 1e-14));
    QVERIFY(RelNear(xl * xc, 1.0, 1e-14));
    QVERIFY(recorder_->messages.empty());
}

void TestRfCalc::lossRoundTrips_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("Z0");

    for (double x : {0.5, 10.0, 50.0, 333.0, 1e4})
        for (double z0 : {25.0, 50.0, 75.0})
            QTest::addRow("X %g in %g ohm", x, z0) << x << z0;
}

void TestRfCalc::lossRoundTrips()
{
    QFETCH(double, X);
    QFETCH(double, Z0);
    const double series = ReactiveLossDb(X, Z0);
    const double shunt = ReactiveLossDb(Z0, X);
    QVERIFY(series > 0.0 && shunt > 0.0);
    // A larger series reactance loses more, a larger shunt reactance less.
    QVERIFY(ReactiveLossDb(2 * X, Z0) > series);
    QVERIFY(ReactiveLossDb(Z0, 2 * X) < shunt);
    // Small losses leave only a few digits in 10^(loss/10) - 1, hence the tolerance.
    const double seriesX = SeriesReactanceForLoss(series, Z0);
    const double shuntX = ShuntReactanceForLoss(shunt, Z0);
    QVERIFY2(RelNear(seriesX, X, 1e-9), Show(seriesX, X).constData());
    QVERIFY2(RelNear(shuntX, X, 1e-9), Show(shuntX, X).constData());
    // Series and shunt are duals: a shunt reactance Z0^2 / X loses as much as X in series.
    QVERIFY(RelNear(ReactiveLossDb(Z0, Z0 * Z0 / X), series, 1e-12));
    QVERIFY(recorder_->messages.empty());
}

void TestRfCalc::faults_data()
{
    QTest::addColumn<std::string>("call");
    QTest::addColumn<std::string>("text");

    const std::string div0 = "Sys Error #11  Division by zero\n\nCheck input data.";
    const std::string over = "Sys Error #6  Overflow\n\nCheck input data.";
    const std::string invalid = "Sys Error #5  Invalid procedure call or argument\n\nCheck input data.";

    // 0 dB leaves sqrt(0) = 0 under the division.
    QTest::newRow("shunt reactance for 0 dB") << std::string("shunt(0, 50)") << div0;
    QTest::newRow("shunt reactance for 0 dB in 0 ohm") << std::string("shunt(0, 0)") << div0;
    QTest::newRow("series reactance for a gain") << std::string("series(-1, 50)") << invalid;
    QTest::newRow("shunt reactance for a gain") << std::string("shunt(-3, 50)") << invalid;
    QTest::newRow("series reactance for an absurd loss") << std::string("series(5000, 50)") << over;
    QTest::newRow("capacitive reactance of 0 F") << std::string("XC(0, 1G)") << div0;
    QTest::newRow("capacitive reactance at 0 Hz") << std::string("XC(1p, 0)") << div0;
    QTest::newRow("inductance at 0 Hz") << std::string("L(50, 0)") << div0;
    QTest::newRow("inductance of 0 ohm at 0 Hz") << std::string("L(0, 0)") << div0;
    QTest::newRow("capacitance for 0 ohm") << std::string("C(0, 1G)") << div0;
    QTest::newRow("loss in a 0 ohm line") << std::string("loss(100, 0)") << div0;
    QTest::newRow("loss 0 / 0") << std::string("loss(0, 0)") << div0;
    QTest::newRow("loss of a huge ratio") << std::string("loss(1e300, 1e-10)") << over;
    QTest::newRow("inductive reactance overflow") << std::string("XL(1e300, 1e300)") << over;
}

void TestRfCalc::faults()
{
    QFETCH(std::string, call);
    QFETCH(std::string, text);
    static const std::map<std::string, Relation> calls = {
        {"shunt(0, 50)", [] { return ShuntReactanceForLoss(0.0, 50.0); }},
        {"shunt(0, 0)", [] { return ShuntReactanceForLoss(0.0, 0.0); }},
        {"series(-1, 50)", [] { return SeriesReactanceForLoss(-1.0, 50.0); }},
        {"shunt(-3, 50)", [] { return ShuntReactanceForLoss(-3.0, 50.0); }},
        {"series(5000, 50)", [] { return SeriesReactanceForLoss(5000.0, 50.0); }},
        {"XC(0, 1G)", [] { return CapacitiveReactance(0.0, 1e9); }},
        {"XC(1p, 0)", [] { return CapacitiveReactance(1e-12, 0.0); }},
        {"L(50, 0)", [] { return InductanceFromReactance(50.0, 0.0); }},
        {"L(0, 0)", [] { return InductanceFromReactance(0.0, 0.0); }},
        {"C(0, 1G)", [] { return CapacitanceFromReactance(0.0, 1e9); }},
        {"loss(100, 0)", [] { return ReactiveLossDb(100.0, 0.0); }},
        {"loss(0, 0)", [] { return ReactiveLossDb(0.0, 0.0); }},
        {"loss(1e300, 1e-10)", [] { return ReactiveLossDb(1e300, 1e-10); }},
        {"XL(1e300, 1e300)", [] { return InductiveReactance(1e300, 1e300); }},
    };
    const double got = calls.at(call)();
    QCOMPARE(got, 0.0);
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    QCOMPARE(recorder_->messages[0].text, text);
    QCOMPARE(recorder_->messages[0].title, std::string("Unexpected math error."));
    QVERIFY(recorder_->messages[0].icon == MsgIcon::Exclamation);
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
    // These faults are the helpers' own; the math module's error state is not theirs.
    QVERIFY(!Settings().mathErrorFlag);
}

void TestRfCalc::faultShownEvenWhenMathErrorsAreQuiet()
{
    Settings().quietMathErrors = true;
    QCOMPARE(ShuntReactanceForLoss(0.0, 50.0), 0.0);
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
    QCOMPARE(recorder_->messages[0].text, std::string("Sys Error #11  Division by zero\n\nCheck input data."));
    QCOMPARE(recorder_->sounds, std::vector<std::string>{"ding.wav"});
}

void TestRfCalc::faultWithSoundOff()
{
    Settings().soundEnabled = false;
    QCOMPARE(CapacitiveReactance(0.0, 1e9), 0.0);
    QVERIFY(recorder_->sounds.empty());
    QCOMPARE(recorder_->messages.size(), std::size_t{1});
}

QTEST_APPLESS_MAIN(TestRfCalc)
#include "tst_rfcalc.moc"
