// The formulas of the five other coax-family lines: a round rod in a square, between two
// planes or in a trough (Z0 from D1/D2), and the two-wire lines (Z0 from S and D). Each row
// names its line; the values come from an independent evaluation with the program's
// constants. Then the worked examples through the whole analysis and synthesis, the accuracy
// warnings at their exact thresholds, and the fault paths.
#include "line_expect.h"

#include "core/units.h"
#include "lines/logratio.h"
#include "lines/slabline.h"
#include "lines/sqrcoax.h"
#include "lines/troughline.h"
#include "lines/wirelines.h"

#include <QtTest>

using namespace korvel;
using linetest::Describe;
using linetest::Got;
using linetest::Near;

namespace {

constexpr double kMil = 2.54e-5;   // metres

// Each line's own formula pair, called the way its window's procedures are: Z0 from the outer
// and inner dimension (D1 and D2, or S and D), and the solved dimension (D2, or S) from Z0 and
// the kept one (D1, or D).
struct Line {
    const char* name;
    double (*z0)(double outer, double inner, double er, FaultTrap& trap);
    double (*solve)(double z0, double kept, double er, FaultTrap& trap);
    const CoaxFamilyModel& (*model)();
};

template <RatioToZ0 Z0, Z0ToRatio Ratio>
constexpr Line Screened(const char* name, const CoaxFamilyModel& (*model)())
{
    return {name, [](double d1, double d2, double er, FaultTrap& t) { return Z0(t.Div(d1, d2), er, t); },
            [](double z0, double d1, double er, FaultTrap& t) { return t.Div(d1, Ratio(z0, er, t)); }, model};
}

const Line kLines[] = {
    Screened<&sqrcoax::CoaxZ0, &sqrcoax::CoaxD1D2Ratio>("square coax", &SqrCoaxModel),
    Screened<&slabline::SlabZ0, &slabline::SlabD1D2Ratio>("slab line", &SlabLineModel),
    Screened<&troughline::TroughZ0, &troughline::TroughD1D2Ratio>("trough line", &TroughLineModel),
    {"parallel wires", &parallelwires::ParallelWireZ0, &parallelwires::LineS, &ParallelWiresModel},
    {"wire over ground", &wireoverground::WireOverGndZ0, &wireoverground::LineS, &WireOverGroundModel},
};
enum LineIndex { kSqr, kSlab, kTrough, kPair, kOverGround };
constexpr int kScreened[] = {kSqr, kSlab, kTrough};
constexpr int kWires[] = {kPair, kOverGround};

using W = std::vector<LineWarning>;
const LineWarning kRatioYellow{"High or near unity D1/D2 ratio ratio may affect accuracy", LineStatusLevel::Warning};
const LineWarning kRatioRed{"Extremely high or near unity D1/D2 ratio ratio may impair accuracy",
                            LineStatusLevel::Severe};
const LineWarning kErYellow{"High dielectric constant may affect accuracy", LineStatusLevel::Warning};
const LineWarning kErRed{"Extreme dielectric constant may impair accuracy", LineStatusLevel::Severe};
const LineWarning kZ0Yellow{"High or low Z0 may affect accuracy", LineStatusLevel::Warning};
const LineWarning kZ0Red{"Extremely high or low Z0 may impair accuracy", LineStatusLevel::Severe};
const LineWarning kSpacingYellow{"Low S/D ratio ratio may affect accuracy", LineStatusLevel::Warning};
const LineWarning kSpacingRed{"Near unity D1/D2 ratio ratio may impair accuracy", LineStatusLevel::Severe};
const LineWarning kLowZ0Yellow{"Low Z0 may affect accuracy", LineStatusLevel::Warning};
const LineWarning kLowZ0Red{"Extremely low Z0 may impair accuracy", LineStatusLevel::Severe};

const std::string kScreenedZ0Fault = "Unexpected math error (C01). Combination of Er and D1/D2 out of range.";
const std::string kWireZ0Fault = "Unexpected math error (C01). Combination of Er and S/D out of range.";
const std::string kRatioFault = "Unexpected math error (D01). Combination of Er and Z0 out of range.";

QByteArray RowName(int line, const char* what) { return QByteArray(kLines[line].name) + ": " + what; }

} // namespace

class TestTemFormulas : public QObject {
    Q_OBJECT
private slots:
    void z0_data();
    void z0();
    void solve_data();
    void solve();
    void analysis_data();
    void analysis();
    void synthesis_data();
    void synthesis();
    void analysisWarnings_data();
    void analysisWarnings();
    void synthesisWarnings_data();
    void synthesisWarnings();
    void analysisFault_data();
    void analysisFault();
    void synthesisFault_data();
    void synthesisFault();
};

void TestTemFormulas::z0_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    // 59.9584916 ohm (eta0 / 2 pi) times ln(A D1/D2) / sqrt(er) for a rod in a screen.
    QTest::newRow("square coax defaults 100/43") << int(kSqr) << 100.0 << 43.0 << 1.0 << 55.1454246;
    QTest::newRow("slab line defaults 100/43") << int(kSlab) << 100.0 << 43.0 << 1.0 << 65.0870139;
    QTest::newRow("trough line defaults 100/43") << int(kTrough) << 100.0 << 43.0 << 1.0 << 60.0168803;
    // 4/pi times pi/4 e is e: the logarithm is 1 and Z0 is the bare eta0 / 2 pi.
    const double quarterPiE = 3.14159265358979 / 4.0 * 2.71828182845905;
    QTest::newRow("slab line pi/4 e in air") << int(kSlab) << quarterPiE << 1.0 << 1.0 << 59.9584916;
    QTest::newRow("slab line pi/4 e in er 4") << int(kSlab) << quarterPiE << 1.0 << 4.0 << 29.9792458;
    QTest::newRow("square coax widest ratio, highest er") << int(kSqr) << 1000.0 << 1.0 << 1200.0 << 12.0874295;
    QTest::newRow("trough line narrowest ratio") << int(kTrough) << 1.001 << 1.0 << 1.0 << 9.47363649;
    // 119.917 ln(2 S/D - 1) for the pair, half of it over ground.
    QTest::newRow("parallel wires defaults 100/15") << int(kPair) << 100.0 << 15.0 << 1.0 << 301.268111;
    QTest::newRow("the same pair in metres") << int(kPair) << 0.1 << 0.015 << 1.0 << 301.268111;
    QTest::newRow("wire over ground defaults 50/5") << int(kOverGround) << 50.0 << 5.0 << 1.0 << 176.544120;
    QTest::newRow("er 4 halves the impedance") << int(kOverGround) << 50.0 << 5.0 << 4.0 << 88.2720599;
    QTest::newRow("pair at the widest S/D 1001") << int(kPair) << 1001.0 << 1.0 << 1.0 << 911.537236;
    QTest::newRow("over ground at S/D 1001") << int(kOverGround) << 1001.0 << 1.0 << 1.0 << 455.768618;
    QTest::newRow("pair at S/D 5") << int(kPair) << 5.0 << 1.0 << 1.0 << 263.484543;
    QTest::newRow("over ground at S/D 2") << int(kOverGround) << 2.0 << 1.0 << 1.0 << 65.8711357;
    // Touching wires (S = D) leave one radius from surface to centre: ln(1) = 0.
    QTest::newRow("touching wires") << int(kPair) << 15.0 << 15.0 << 1.0 << 0.0;
}

void TestTemFormulas::z0()
{
    QFETCH(int, line);
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(double, er);
    QFETCH(double, z0);
    FaultTrap trap;
    const double got = kLines[line].z0(outer, inner, er, trap);
    QVERIFY(!trap.Raised());
    if (z0 == 0.0)
        QCOMPARE(got, 0.0);
    else
        QVERIFY2(Near(got, z0, 1e-8), Got(got));
    // The window works on the ratio alone; it must agree with the formula on the dimensions.
    FaultTrap ratioTrap;
    const double fromRatio = kLines[line].model().z0FromRatio(outer / inner, er, ratioTrap);
    QVERIFY2(std::fabs(fromRatio - got) <= 1e-12 * std::max(1.0, got), Got(fromRatio));
}

void TestTemFormulas::solve_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("kept");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("solved");
    // D2 in a D1 of 100.
    QTest::newRow("square coax 50 ohm PTFE") << int(kSqr) << 50.0 << 100.0 << 2.1 << 32.2164134;
    QTest::newRow("slab line 50 ohm air") << int(kSlab) << 50.0 << 100.0 << 1.0 << 55.3028488;
    QTest::newRow("trough line 75 ohm air") << int(kTrough) << 75.0 << 100.0 << 1.0 << 33.4920661;
    QTest::newRow("slab line 59.958 ohm is D1/D2 = pi/4 e") << int(kSlab) << 59.9584916 << 100.0 << 1.0
                                                            << 46.8398652;
    // The lowest Z0 each window synthesises still leaves the rod smaller than the screen;
    // below 59.958 ln(A) ohm it would not fit.
    QTest::newRow("square coax lowest Z0 5.1") << int(kSqr) << 5.1 << 100.0 << 1.0 << 99.0740900;
    QTest::newRow("slab line lowest Z0 15") << int(kSlab) << 15.0 << 100.0 << 1.0 << 99.1428352;
    QTest::newRow("trough line lowest Z0 10") << int(kTrough) << 10.0 << 100.0 << 1.0 << 99.0269353;
    // S for a wire of diameter D.
    QTest::newRow("300 ohm pair of 15 mil wires") << int(kPair) << 300.0 << 15.0 << 1.0 << 99.0269747;
    QTest::newRow("50 ohm 5 mil wire in PTFE") << int(kOverGround) << 50.0 << 5.0 << 2.1 << 10.8707332;
    QTest::newRow("lowest Z0 15, pair") << int(kPair) << 15.0 << 1.0 << 1.0 << 1.06662326;
    QTest::newRow("lowest Z0 15, over ground") << int(kOverGround) << 15.0 << 1.0 << 1.0 << 1.14212383;
    // The top of the range in the densest dielectric stays inside the double range.
    QTest::newRow("910 ohm pair in er 1000") << int(kPair) << 910.0 << 1.0 << 1000.0 << 8.2701977e103;
    QTest::newRow("910 ohm over ground in er 1000") << int(kOverGround) << 910.0 << 1.0 << 1000.0 << 1.3679234e208;
    QTest::newRow("zero ohm puts the wires in touch") << int(kPair) << 0.0 << 7.0 << 1.0 << 7.0;
}

void TestTemFormulas::solve()
{
    QFETCH(int, line);
    QFETCH(double, z0);
    QFETCH(double, kept);
    QFETCH(double, er);
    QFETCH(double, solved);
    FaultTrap trap;
    const double got = kLines[line].solve(z0, kept, er, trap);
    QVERIFY(!trap.Raised());
    QVERIFY2(Near(got, solved, 1e-7), Got(got));
    // The exact inverse: the dimension found gives the impedance back.
    const bool wire = kLines[line].model().solvesOuter;
    const double back = wire ? kLines[line].z0(got, kept, er, trap) : kLines[line].z0(kept, got, er, trap);
    QVERIFY2(std::fabs(back - z0) <= 1e-11 * std::max(1.0, z0), Got(back));
}

void TestTemFormulas::analysis_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<double>("er");
    QTest::addColumn<QString>("z0");
    QTest::addColumn<QString>("ratio");
    // The window defaults, 1000 mil at 1 GHz, as the window shows them.
    QTest::newRow("square coax defaults") << int(kSqr) << 100.0 << 43.0 << 1.0 << "  55.1" << "  2.326";
    QTest::newRow("slab line defaults") << int(kSlab) << 100.0 << 43.0 << 1.0 << "  65.1" << "  2.326";
    QTest::newRow("trough line defaults") << int(kTrough) << 100.0 << 43.0 << 1.0 << "  60.0" << "  2.326";
    QTest::newRow("parallel wires defaults") << int(kPair) << 100.0 << 15.0 << 1.0 << "  301.3" << "  6.667";
    QTest::newRow("wire over ground defaults") << int(kOverGround) << 50.0 << 5.0 << 1.0 << "  176.5" << "  10.000";
    QTest::newRow("slab line 50 ohm rod in PTFE") << int(kSlab) << 250.0 << 95.06631 << 2.1 << "  50.0" << "  2.630";
    // Wires all but touching have next to no impedance: shown with two decimals below 1 ohm.
    QTest::newRow("wires 0.015 mil apart") << int(kPair) << 15.015 << 15.0 << 1.0 << "  0.24" << "  1.001";
}

void TestTemFormulas::analysis()
{
    QFETCH(int, line);
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(double, er);
    QFETCH(QString, z0);
    QFETCH(QString, ratio);
    const LineAnalysis a = AnalyseCoaxFamily(kLines[line].model(), {outer, inner, 1000 * kMil, 1e9, er});
    QVERIFY(!a.fault.raised);
    QCOMPARE(QString::fromStdString(FormatValue(a.z0_ohm, a.z0_ohm >= 1.0 ? "  0.0" : "  0.00")), z0);
    QCOMPARE(QString::fromStdString(FormatValue(a.ratio, "  0.000")), ratio);
    // The wave quantities are the dielectric's alone, whatever the conductors.
    QVERIFY(Near(a.wave.velocityFactor, 1.0 / std::sqrt(er), 1e-12));
}

void TestTemFormulas::synthesis_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("kept");
    QTest::addColumn<double>("er");
    QTest::addColumn<QString>("solved");
    QTest::addColumn<QString>("ratio");
    // A rod in a screen keeps D1 and solves D2; the wires keep D and solve S.
    QTest::newRow("square coax 50 ohm PTFE") << int(kSqr) << 50.0 << 100.0 << 2.1 << "  32.216" << "  3.104";
    QTest::newRow("slab line 50 ohm air") << int(kSlab) << 50.0 << 100.0 << 1.0 << "  55.303" << "  1.808";
    QTest::newRow("trough line 75 ohm air") << int(kTrough) << 75.0 << 100.0 << 1.0 << "  33.492" << "  2.986";
    QTest::newRow("300 ohm pair of 15 mil wires") << int(kPair) << 300.0 << 15.0 << 1.0 << "  99.027" << "  6.602";
    QTest::newRow("50 ohm wire over ground in PTFE") << int(kOverGround) << 50.0 << 5.0 << 2.1 << "  10.871"
                                                     << "  2.174";
}

void TestTemFormulas::synthesis()
{
    QFETCH(int, line);
    QFETCH(double, z0);
    QFETCH(double, kept);
    QFETCH(double, er);
    QFETCH(QString, solved);
    QFETCH(QString, ratio);
    const LineSynthesis s = SynthesiseCoaxFamily(kLines[line].model(), {z0, kept * kMil, 1000 * kMil, 1e9, er});
    QVERIFY(!s.fault.raised);
    QCOMPARE(QString::fromStdString(FormatValue(s.solved_m / kMil, "  0.000")), solved);
    QCOMPARE(QString::fromStdString(FormatValue(s.ratio, "  0.000")), ratio);
}

void TestTemFormulas::analysisWarnings_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("er");
    QTest::addColumn<W>("expected");
    // A rod in a screen: the round coax's rules, on D1/D2 and er.
    for (int line : kScreened) {
        QTest::newRow(RowName(line, "1.28 is still normal")) << line << 1.28 << 1.0 << W{};
        QTest::newRow(RowName(line, "just below 1.28")) << line << 1.2799 << 1.0 << W{kRatioYellow};
        QTest::newRow(RowName(line, "12.2 is still normal")) << line << 12.2 << 1.0 << W{};
        QTest::newRow(RowName(line, "just above 12.2")) << line << 12.2001 << 1.0 << W{kRatioYellow};
        QTest::newRow(RowName(line, "1.09 is yellow, not red")) << line << 1.09 << 1.0 << W{kRatioYellow};
        QTest::newRow(RowName(line, "below 1.09 is red")) << line << 1.0899 << 1.0 << W{kRatioYellow, kRatioRed};
        QTest::newRow(RowName(line, "106 is yellow, not red")) << line << 106.0 << 1.0 << W{kRatioYellow};
        QTest::newRow(RowName(line, "above 106 is red")) << line << 106.001 << 1.0 << W{kRatioYellow, kRatioRed};
        QTest::newRow(RowName(line, "er 50 gives no warning")) << line << 2.0 << 50.0 << W{};
        QTest::newRow(RowName(line, "er above 50")) << line << 2.0 << 50.001 << W{kErYellow};
        QTest::newRow(RowName(line, "er 200 is yellow only")) << line << 2.0 << 200.0 << W{kErYellow};
        QTest::newRow(RowName(line, "er 1200 is red")) << line << 2.0 << 1200.0 << W{kErYellow, kErRed};
        QTest::newRow(RowName(line, "dielectric warnings come last"))
            << line << 200.0 << 201.0 << W{kRatioYellow, kRatioRed, kErYellow, kErRed};
    }
    // The wires: only a close spacing is flagged, strictly below 5 and below 2, and no
    // dielectric warnings at all.
    for (int line : kWires) {
        QTest::newRow(RowName(line, "S/D 5 is normal")) << line << 5.0 << 1.0 << W{};
        QTest::newRow(RowName(line, "just below 5")) << line << 4.9999 << 1.0 << W{kSpacingYellow};
        QTest::newRow(RowName(line, "S/D 2 is yellow, not red")) << line << 2.0 << 1.0 << W{kSpacingYellow};
        QTest::newRow(RowName(line, "just below 2")) << line << 1.9999 << 1.0 << W{kSpacingYellow, kSpacingRed};
        QTest::newRow(RowName(line, "touching")) << line << 1.0 << 1.0 << W{kSpacingYellow, kSpacingRed};
        QTest::newRow(RowName(line, "S/D 1001 is normal")) << line << 1001.0 << 1.0 << W{};
        QTest::newRow(RowName(line, "er 1000 is normal")) << line << 10.0 << 1000.0 << W{};
    }
}

void TestTemFormulas::analysisWarnings()
{
    QFETCH(int, line);
    QFETCH(double, ratio);
    QFETCH(double, er);
    QFETCH(W, expected);
    // The inner dimension is 1, so the outer one is the ratio.
    const LineAnalysis a = AnalyseCoaxFamily(kLines[line].model(), {ratio, 1.0, 1.0, 1e9, er});
    QVERIFY2(a.warnings == expected, Describe(a.warnings) + " expected " + Describe(expected));
}

void TestTemFormulas::synthesisWarnings_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("er");
    QTest::addColumn<W>("expected");
    for (int line : kScreened) {
        QTest::newRow(RowName(line, "15 is normal")) << line << 15.0 << 1.0 << W{};
        QTest::newRow(RowName(line, "150 is normal")) << line << 150.0 << 1.0 << W{};
        QTest::newRow(RowName(line, "below 15")) << line << 14.99 << 1.0 << W{kZ0Yellow};
        QTest::newRow(RowName(line, "above 150")) << line << 150.01 << 1.0 << W{kZ0Yellow};
        QTest::newRow(RowName(line, "280 is yellow")) << line << 280.0 << 1.0 << W{kZ0Yellow};
        QTest::newRow(RowName(line, "above 280 is red")) << line << 280.01 << 1.0 << W{kZ0Yellow, kZ0Red};
        QTest::newRow(RowName(line, "er 201 after Z0")) << line << 300.0 << 201.0 << W{kZ0Yellow, kZ0Red, kErYellow, kErRed};
    }
    // The square coax is the one line that synthesises down to 5.1 ohm, inside the yellow band.
    QTest::newRow("square coax: 5.1 is yellow") << int(kSqr) << 5.1 << 1.0 << W{kZ0Yellow};
    for (int line : kWires) {
        QTest::newRow(RowName(line, "Z0 100 is normal")) << line << 100.0 << 1.0 << W{};
        QTest::newRow(RowName(line, "just below 100")) << line << 99.99 << 1.0 << W{kLowZ0Yellow};
        QTest::newRow(RowName(line, "Z0 50 is yellow, not red")) << line << 50.0 << 1.0 << W{kLowZ0Yellow};
        QTest::newRow(RowName(line, "just below 50")) << line << 49.99 << 1.0 << W{kLowZ0Yellow, kLowZ0Red};
        QTest::newRow(RowName(line, "910 ohm in er 1000 is normal")) << line << 910.0 << 1000.0 << W{};
    }
}

void TestTemFormulas::synthesisWarnings()
{
    QFETCH(int, line);
    QFETCH(double, z0);
    QFETCH(double, er);
    QFETCH(W, expected);
    const LineSynthesis s = SynthesiseCoaxFamily(kLines[line].model(), {z0, 1.0, 1.0, 1e9, er});
    QVERIFY(!s.fault.raised);
    QVERIFY2(s.warnings == expected, Describe(s.warnings) + " expected " + Describe(expected));
}

void TestTemFormulas::analysisFault_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<double>("er");
    QTest::addColumn<int>("number");
    QTest::addColumn<std::string>("text");
    for (int line : kScreened) {
        QTest::newRow(RowName(line, "negative ratio has no logarithm"))
            << line << -1.0 << 1.0 << 1.0 << int(kFaultInvalidCall) << kScreenedZ0Fault;
        QTest::newRow(RowName(line, "negative er has no square root"))
            << line << 2.0 << 1.0 << -1.0 << int(kFaultInvalidCall) << kScreenedZ0Fault;
    }
    for (int line : kWires) {
        // S below D/2 makes the logarithm's argument negative.
        QTest::newRow(RowName(line, "S below D/2")) << line << 2.0 << 5.0 << 1.0 << int(kFaultInvalidCall)
                                                    << kWireZ0Fault;
        QTest::newRow(RowName(line, "negative er has no square root"))
            << line << 10.0 << 1.0 << -1.0 << int(kFaultInvalidCall) << kWireZ0Fault;
    }
}

void TestTemFormulas::analysisFault()
{
    QFETCH(int, line);
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(double, er);
    QFETCH(int, number);
    QFETCH(std::string, text);
    FaultTrap trap;
    QCOMPARE(kLines[line].z0(outer, inner, er, trap), 0.0);
    QCOMPARE(trap.Number(), number);
    // Through the window's analysis: no impedance, the line's own fault text.
    const LineAnalysis a = AnalyseCoaxFamily(kLines[line].model(), {outer, inner, 1.0, 1e9, er});
    QVERIFY(a.fault.raised);
    QCOMPARE(a.fault.number, number);
    QCOMPARE(a.fault.text, text);
    QCOMPARE(a.z0_ohm, 0.0);
}

void TestTemFormulas::synthesisFault_data()
{
    QTest::addColumn<int>("line");
    for (int line : {kSqr, kSlab, kTrough, kPair, kOverGround})
        QTest::newRow(kLines[line].name) << line;
}

void TestTemFormulas::synthesisFault()
{
    QFETCH(int, line);
    // A dimension beyond the double range overflows instead of showing a wrong number.
    FaultTrap huge;
    QCOMPARE(kLines[line].solve(1e5, 1.0, 1.0, huge), 0.0);
    QCOMPARE(huge.Number(), int(kFaultOverflow));
    const LineSynthesis s = SynthesiseCoaxFamily(kLines[line].model(), {1e5, 1.0, 1.0, 1e9, 1.0});
    QVERIFY(s.fault.raised);
    QCOMPARE(s.fault.number, int(kFaultOverflow));
    QCOMPARE(s.fault.text, kRatioFault);
    QCOMPARE(s.ratio, 0.0);
    QCOMPARE(s.solved_m, 0.0);
    // A negative er has no square root on the way back either.
    FaultTrap negative;
    QCOMPARE(kLines[line].solve(50.0, 1.0, -1.0, negative), 0.0);
    QCOMPARE(negative.Number(), int(kFaultInvalidCall));
}

QTEST_APPLESS_MAIN(TestTemFormulas)
#include "tst_temformulas.moc"
