// Width synthesis of the planar lines: what it finds, analysed again, gives the target across
// each model's range; published widths and the windows' worked examples come back; a target
// out of reach is refused with the Z0 the line does reach.
#include "lines/cpw.h"
#include "lines/microstrip.h"
#include "lines/stripline.h"

#include <QtTest>

#include <cmath>
#include <functional>

using namespace korvel;

namespace {

constexpr double kMil = 2.54e-5;
constexpr double kMm = 1e-3;

enum Kind { Microstrip, Stripline, CpwWidth, CpwGap, CpwGndWidth, CpwGndGap };

// A line with every input but the solved dimension fixed: its window's analysis as a function
// of that dimension, and its synthesis. `other` is the CPW's kept dimension.
struct Line {
    std::function<double(double)> analyse;
    std::function<DimensionSynthesis(double)> synthesise;
};

Line MakeLine(int kind, double er, double h, double t, double f, double other)
{
    if (kind == Microstrip) {
        const MicrostripInputs in{0.0, h, t, 0.01, f, er};
        return {[in](double w) { auto i = in; i.w_m = w; return AnalyseMicrostrip(i).z0_ohm; },
                [in](double z) { return SynthesiseMicrostripWidth(z, in); }};
    }
    if (kind == Stripline) {
        const StriplineInputs in{0.0, h, t, 0.01, f, er};
        return {[in](double w) { auto i = in; i.w_m = w; return AnalyseStripline(i).z0_ohm; },
                [in](double z) { return SynthesiseStriplineWidth(z, in); }};
    }
    const bool gap = kind == CpwGap || kind == CpwGndGap;
    const CpwInputs in{other, other, t, h, 0.01, f, er, kind == CpwGndWidth || kind == CpwGndGap};
    return {[in, gap](double x) { auto i = in; (gap ? i.g_m : i.w_m) = x; return AnalyseCpw(i).z0_ohm; },
            [in, gap](double z) { return gap ? SynthesiseCpwGap(z, in) : SynthesiseCpwWidth(z, in); }};
}

void AddLineColumns()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("other");
}

Line FetchLine()
{
    QFETCH(int, kind);
    QFETCH(double, er);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, f);
    QFETCH(double, other);
    return MakeLine(kind, er, h, t, f, other);
}

} // namespace

class TestSynthesis : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void knownWidths_data();
    void knownWidths();
    void outOfReach_data();
    void outOfReach();
};

// Targets spread over the Z0 each line reaches between two widths (or gaps), in multiples of H.
void TestSynthesis::roundTrip_data()
{
    AddLineColumns();
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    for (double er : {1.0, 2.2, 4.4, 9.8, 100.0})
        for (int i = 0; i < 3; ++i) {
            const double th = std::array{0.0, 0.01, 0.05}[i];
            const double cpwTh = std::array{0.001, 0.005, 0.02}[i];
            // Microstrip also at 30 GHz on a thin substrate, where the dispersion is strong.
            QTest::addRow("ms er %g t/h %g", er, th) << int(Microstrip) << er << 1.6 * kMm << th * 1.6 * kMm << 1e9
                                                     << 0.0 << 0.001 << 1000.0;
            QTest::addRow("ms 30 GHz er %g t/h %g", er, th)
                << int(Microstrip) << er << 0.254 * kMm << th * 0.254 * kMm << 3e10 << 0.0 << 0.001 << 1000.0;
            QTest::addRow("sl er %g t/h %g", er, th) << int(Stripline) << er << 62 * kMil << th * 62 * kMil << 1e9
                                                     << 0.0 << 0.001 << 1000.0;
            // Gaps wider than about 5 H leave the substrate's modulus so small that the model's
            // complement 1 - k1^2 rounds, and its Z0 is no longer smooth to 1e-9.
            for (int kind : {CpwWidth, CpwGap, CpwGndWidth, CpwGndGap}) {
                const bool gap = kind == CpwGap || kind == CpwGndGap;
                QTest::addRow("cpw %d er %g t/h %g", kind, er, cpwTh) << kind << er << 0.635 * kMm
                                                                      << cpwTh * 0.635 * kMm << 1e9 << 0.5 * 0.635 * kMm
                                                                      << (gap ? 0.1 : 0.01) << (gap ? 3.0 : 10.0);
            }
        }
}

void TestSynthesis::roundTrip()
{
    const Line line = FetchLine();
    QFETCH(double, h);
    QFETCH(double, lo);
    QFETCH(double, hi);
    const double zLo = line.analyse(lo * h);
    const double zHi = line.analyse(hi * h);
    QVERIFY(zLo > 0.0 && zHi > 0.0);
    for (double p : {0.01, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99}) {
        const double target = zLo * std::pow(zHi / zLo, p);
        const DimensionSynthesis s = line.synthesise(target);
        QVERIFY2(s.solved, s.message.c_str());
        const double z = line.analyse(s.value_m);
        QVERIFY2(std::fabs(z / target - 1.0) <= kSynthesisTolerance, qPrintable(QString::number(z, 'g', 15)));
    }
}

// Published designs, and the windows' worked examples with the Z0 they show.
void TestSynthesis::knownWidths_data()
{
    AddLineColumns();
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("tol");
    // Board-design tables give about 3.0 mm for 50 ohm on 1.6 mm FR-4 with 35 um copper.
    QTest::newRow("FR-4 microstrip") << int(Microstrip) << 4.4 << 1.6 * kMm << 0.035 * kMm << 1e9 << 0.0 << 50.0
                                     << 3.0 * kMm << 0.02;
    QTest::newRow("ms worked") << int(Microstrip) << 4.6 << 12.5 * kMil << 1.4 * kMil << 1e9 << 0.0 << 48.52
                               << 23 * kMil << 5e-4;
    QTest::newRow("ms defaults") << int(Microstrip) << 1.0 << 6 * kMil << 2.1 * kMil << 1e9 << 0.0 << 80.42
                                 << 12 * kMil << 5e-4;
    // Pozar's stripline design: 50 ohm, Er 2.2, ground planes 0.32 cm apart, W = 0.266 cm.
    QTest::newRow("Pozar stripline") << int(Stripline) << 2.2 << 3.2 * kMm << 0.0 << 1e9 << 0.0 << 50.0
                                     << 2.66 * kMm << 0.01;
    QTest::newRow("sl zero thickness") << int(Stripline) << 1.0 << 7 * kMil << 0.0 << 1e9 << 0.0 << 108.98
                                       << 3 * kMil << 5e-4;
    QTest::newRow("cpw defaults") << int(CpwGndWidth) << 1.0 << 25 * kMil << 0.1 * kMil << 1e9 << 5 * kMil
                                  << 115.7 << 10 * kMil << 5e-3;
    QTest::newRow("cpw FR-4 gap") << int(CpwGap) << 4.4 << 0.8 * kMm << 0.035 * kMm << 1e9 << 0.5 * kMm << 69.9
                                  << 0.3 * kMm << 5e-3;
    QTest::newRow("cpw alumina") << int(CpwGndWidth) << 9.8 << 10 * kMil << 0.2 * kMil << 1e9 << 4 * kMil << 41.0
                                 << 10 * kMil << 5e-3;
}

void TestSynthesis::knownWidths()
{
    QFETCH(double, z0);
    QFETCH(double, width);
    QFETCH(double, tol);
    const DimensionSynthesis s = FetchLine().synthesise(z0);
    QVERIFY2(s.solved, s.message.c_str());
    QVERIFY2(std::fabs(s.value_m / width - 1.0) <= tol, qPrintable(QString::number(s.value_m / width, 'g', 8)));
}

// Above or below what the accepted widths (W/H 0.001 to 1000) give: nothing is solved, and
// the reach named is Z0 at the two ends of that range.
void TestSynthesis::outOfReach_data()
{
    AddLineColumns();
    QTest::addColumn<double>("z0");
    QTest::newRow("ms high") << int(Microstrip) << 4.4 << 1.6 * kMm << 0.035 * kMm << 1e9 << 0.0 << 500.0;
    QTest::newRow("ms low") << int(Microstrip) << 4.4 << 1.6 * kMm << 0.035 * kMm << 1e9 << 0.0 << 0.1;
    QTest::newRow("sl high") << int(Stripline) << 2.2 << 3.2 * kMm << 0.0 << 1e9 << 0.0 << 400.0;
    QTest::newRow("sl low") << int(Stripline) << 2.2 << 3.2 * kMm << 0.0 << 1e9 << 0.0 << 0.01;
}

void TestSynthesis::outOfReach()
{
    const Line line = FetchLine();
    QFETCH(double, h);
    QFETCH(double, z0);
    const DimensionSynthesis s = line.synthesise(z0);
    QVERIFY(!s.solved);
    QCOMPARE(s.reachLow_ohm, line.analyse(1000.0 * h));
    QCOMPARE(s.reachHigh_ohm, line.analyse(0.001 * h));
    QVERIFY(z0 < s.reachLow_ohm || z0 > s.reachHigh_ohm);
    QVERIFY2(QString::fromStdString(s.message).startsWith("No width the model accepts gives Z0 = "), s.message.c_str());
}

QTEST_APPLESS_MAIN(TestSynthesis)
#include "tst_synthesis.moc"
