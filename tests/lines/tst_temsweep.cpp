// The whole coax family over the whole range each window accepts: synthesis of an analysed
// impedance gives back the dimension it came from, to the digits the window shows, and
// analysis of a synthesised dimension gives back the impedance. All six lines are closed-form,
// so a wrong constant or a mismatched inverse shows up here as a dimension off in its shown
// digits.
#include "line_expect.h"

#include "core/units.h"
#include "lines/ui/rndcoax.h"
#include "lines/ui/temlines.h"

#include <QtTest>

using namespace korvel;
using korvel::ui::CoaxWindowDescription;

namespace {

constexpr double kMil = 2.54e-5;   // metres

QString Shown(double value, const char* picture) { return QString::fromStdString(FormatValue(value, picture)); }

// The sweep covers exactly what each window accepts, read from the window's own description:
// analysis takes the typed dimensions within its ratio check (D2/D1 for a rod in a screen, S/D
// for the wires) and Er up to erMax; synthesis takes Z0 within [z0Min, z0Max]. Dimensions are
// in mil and written with the three decimals the window shows.
struct Sweep {
    double fixed;                    // D1 of a coax, D of the wires
    std::vector<double> swept;       // D2 of a coax, S of the wires
};

Sweep SweptDimensions(const CoaxWindowDescription& d)
{
    const auto typed = [](double v) { return std::round(v * 1000.0) / 1000.0; };
    Sweep out;
    if (d.ratioInnerOverOuter) {
        // D2 in a 100 mil outer conductor, every 0.1 mil of the accepted D2/D1, and the ends.
        out.fixed = 100.0;
        for (int k = int(std::ceil(d.ratioMin * 1000.0)); k <= int(std::floor(d.ratioMax * 1000.0)); ++k)
            out.swept.push_back(k / 10.0);
        for (double d2 : {0.123, 1.005, 43.0, 99.875})
            out.swept.push_back(d2);
    } else {
        // S for a 10 mil wire over the accepted S/D, densest near the wires' contact.
        out.fixed = 10.0;
        for (double ratio = d.ratioMin * 1.0001; ratio <= d.ratioMax; ratio *= 1.013)
            out.swept.push_back(typed(ratio * out.fixed));
        out.swept.push_back(d.ratioMax * out.fixed);
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(const CoaxWindowDescription*)

class TestTemSweep : public QObject {
    Q_OBJECT
private slots:
    void roundTripDimension_data() { Lines(); }
    void roundTripDimension();
    void roundTripZ0_data() { Lines(); }
    void roundTripZ0();

private:
    static void Lines();
};

void TestTemSweep::Lines()
{
    QTest::addColumn<const CoaxWindowDescription*>("line");
    QTest::newRow("frmRndCoax") << &ui::RndCoaxDescription();
    for (const CoaxWindowDescription& d : ui::TemLineDescriptions())
        QTest::newRow(qPrintable(d.identity.objectName)) << &d;
}

void TestTemSweep::roundTripDimension()
{
    QFETCH(const CoaxWindowDescription*, line);
    const CoaxFamilyModel& model = *line->model;
    const bool wire = model.solvesOuter;
    const Sweep sweep = SweptDimensions(*line);
    int checked = 0;
    for (double er : {1.0, 1.001, 2.1, 9.8, 76.7, line->erMax}) {
        for (double swept : sweep.swept) {
            LineAnalysisInputs in{wire ? swept : sweep.fixed, wire ? sweep.fixed : swept, 1000 * kMil, 1e9, er};
            const LineAnalysis a = AnalyseCoaxFamily(model, in);
            QVERIFY(!a.fault.raised);
            if (a.z0_ohm < line->z0Min || a.z0_ohm > line->z0Max)
                continue;   // the synthesis would refuse this impedance
            const LineSynthesis s = SynthesiseCoaxFamily(model, {a.z0_ohm, sweep.fixed * kMil, 1000 * kMil, 1e9, er});
            QVERIFY(!s.fault.raised);
            const QString back = Shown(s.solved_m / kMil, "  0.000");
            QVERIFY2(back == Shown(swept, "  0.000"), qPrintable(QString("er %1, %2 mil came back as %3 (Z0 %4)")
                                                                     .arg(er)
                                                                     .arg(swept)
                                                                     .arg(back)
                                                                     .arg(a.z0_ohm, 0, 'g', 12)));
            ++checked;
        }
    }
    // Most of the swept range lies inside the synthesis range; an empty sweep proves nothing.
    QVERIFY2(checked > 1500, qPrintable(QString("only %1 points checked").arg(checked)));
}

void TestTemSweep::roundTripZ0()
{
    QFETCH(const CoaxWindowDescription*, line);
    const CoaxFamilyModel& model = *line->model;
    const bool wire = model.solvesOuter;
    const double fixed = wire ? 10.0 : 100.0;
    for (double er : {1.0, 2.1, 12.6, 76.7, line->erMax}) {
        std::vector<double> z0s;
        for (double z0 = line->z0Min; z0 < line->z0Max; z0 *= 1.01)
            z0s.push_back(z0);
        z0s.push_back(line->z0Max);
        for (double z0 : z0s) {
            const LineSynthesis s = SynthesiseCoaxFamily(model, {z0, fixed * kMil, 1000 * kMil, 1e9, er});
            // Stays finite everywhere in the range, and the solved conductor fits: a coax's
            // inner one inside the outer, the wires apart.
            QVERIFY2(!s.fault.raised, qPrintable(QString("er %1 Z0 %2").arg(er).arg(z0)));
            QVERIFY2(s.ratio > 1.0, qPrintable(QString("er %1 Z0 %2 ratio %3").arg(er).arg(z0).arg(s.ratio)));
            const double outer = wire ? s.solved_m : fixed * kMil;
            const double inner = wire ? fixed * kMil : s.solved_m;
            const LineAnalysis a = AnalyseCoaxFamily(model, {outer, inner, 1000 * kMil, 1e9, er});
            QVERIFY(!a.fault.raised);
            QCOMPARE(Shown(a.z0_ohm, "  0.0"), Shown(z0, "  0.0"));
            QVERIFY2(linetest::Near(a.z0_ohm, z0, 1e-9), linetest::Got(a.z0_ohm));
        }
    }
}

QTEST_MAIN(TestTemSweep)
#include "tst_temsweep.moc"
