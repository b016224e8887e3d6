// The bipolar bias networks against worked numbers, against an independent nodal solution of
// each built circuit, and at the edges where the design stops making sense.
#include "active/bjtbias.h"
#include "active/componentvalue.h"
#include "active/thermal.h"
#include "core/units.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <vector>

using namespace korvel;

Q_DECLARE_METATYPE(korvel::BjtNetwork)

namespace {

// ---- An independent solution of the built circuit ---------------------------------------
//
// The transistor is the same linear model the closed forms use: a source Vbe' in series with
// rbe from base to emitter, and a collector current h*Ib + (1 + h)*Icbo. The circuit is
// solved by nodal analysis (Kirchhoff's current law at every free node plus the base-emitter
// loop), by Gaussian elimination, without any of the closed forms.

enum Node { Gnd, Vcc, C, B, E, N, NodeCount };

struct Resistor {
    int a;
    int b;
    double ohm;
};

struct Circuit {
    std::vector<Resistor> resistors;
    std::array<bool, NodeCount> fixed{true, true, false, false, false, false};
};

Circuit CircuitOf(BjtNetwork net, const BjtResistors& r)
{
    Circuit c;
    switch (net) {
    case BjtNetwork::BaseBias:
        c.resistors = {{Vcc, B, r.rb}, {Vcc, C, r.rc}};
        c.fixed[E] = true;
        break;
    case BjtNetwork::CollectorFeedback:
        c.resistors = {{C, B, r.rb}, {Vcc, C, r.rc}};
        c.fixed[E] = true;
        break;
    case BjtNetwork::VFeedbackCurrentSource:
        c.resistors = {{Vcc, C, r.rc}, {C, N, r.rb1}, {N, Gnd, r.rb2}, {N, B, r.rb}};
        c.fixed[E] = true;
        break;
    case BjtNetwork::VoltageFeedback:
        c.resistors = {{Vcc, C, r.rc}, {C, B, r.rb1}, {B, Gnd, r.rb2}};
        c.fixed[E] = true;
        break;
    case BjtNetwork::EmitterFeedback:
        c.resistors = {{E, Gnd, r.re}, {Vcc, B, r.rb1}, {B, Gnd, r.rb2}};
        c.fixed[C] = true;   // the collector sits on the supply
        break;
    }
    // A node no resistor touches (the divider node outside its network) is not solved for.
    for (int n = C; n < NodeCount; ++n) {
        bool used = n == C || n == B || n == E;
        for (const Resistor& res : c.resistors)
            used = used || res.a == n || res.b == n;
        if (!used)
            c.fixed[std::size_t(n)] = true;
    }
    return c;
}

struct Device {
    double h;
    double rbe;
    double vbeP;
    double icbo;
};

std::vector<double> Solve(std::vector<std::vector<double>> a, std::vector<double> b)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = 0; r < n; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k)
                a[r][k] -= f * a[col][k];
            b[r] -= f * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = b[i] / a[i][i];
    return x;
}

// The collector current of the circuit at supply vcc.
double NodalCollectorCurrent(BjtNetwork net, const BjtResistors& r, double vcc, const Device& d)
{
    const Circuit c = CircuitOf(net, r);
    std::array<int, NodeCount> index{};
    int unknowns = 0;
    for (int n = 0; n < NodeCount; ++n)
        index[std::size_t(n)] = c.fixed[std::size_t(n)] ? -1 : unknowns++;
    const int ib = unknowns++;
    auto fixedVoltage = [&](int n) { return n == Vcc || (n == C && net == BjtNetwork::EmitterFeedback) ? vcc : 0.0; };

    std::vector<std::vector<double>> a(std::size_t(unknowns), std::vector<double>(std::size_t(unknowns), 0.0));
    std::vector<double> rhs(std::size_t(unknowns), 0.0);
    auto add = [&](int row, int node, double g) {
        // g * V(node) on the left, or its known value moved to the right.
        if (index[std::size_t(node)] >= 0)
            a[std::size_t(row)][std::size_t(index[std::size_t(node)])] += g;
        else
            rhs[std::size_t(row)] -= g * fixedVoltage(node);
    };
    for (int n = 0; n < NodeCount; ++n) {
        const int row = index[std::size_t(n)];
        if (row < 0)
            continue;
        for (const Resistor& res : c.resistors) {
            if (res.a != n && res.b != n)
                continue;
            const int other = res.a == n ? res.b : res.a;
            add(row, n, 1.0 / res.ohm);
            add(row, other, -1.0 / res.ohm);
        }
        // Currents leaving the node into the transistor.
        if (n == C) {
            a[std::size_t(row)][std::size_t(ib)] += d.h;
            rhs[std::size_t(row)] -= (1.0 + d.h) * d.icbo;
        } else if (n == B) {
            a[std::size_t(row)][std::size_t(ib)] += 1.0;
        } else if (n == E) {
            a[std::size_t(row)][std::size_t(ib)] -= 1.0 + d.h;
            rhs[std::size_t(row)] += (1.0 + d.h) * d.icbo;
        }
    }
    // V(B) - V(E) - rbe * Ib = Vbe'
    add(ib, B, 1.0);
    add(ib, E, -1.0);
    a[std::size_t(ib)][std::size_t(ib)] -= d.rbe;
    rhs[std::size_t(ib)] += d.vbeP;
    const std::vector<double> x = Solve(a, rhs);
    return d.h * x[std::size_t(ib)] + (1.0 + d.h) * d.icbo;
}

BjtResistors Exact(const BjtDesign& d) { return d.r; }

BjtBiasInputs Defaults() { return BjtBiasInputs{}; }

void AddNetworkRows()
{
    QTest::addColumn<BjtNetwork>("net");
    QTest::addColumn<double>("vcc");
    QTest::addColumn<double>("icMa");
    QTest::addColumn<double>("vce");
    QTest::addColumn<double>("icboUa");
    const std::pair<const char*, BjtNetwork> nets[] = {{"base bias", BjtNetwork::BaseBias},
                                                       {"collector feedback", BjtNetwork::CollectorFeedback},
                                                       {"current source", BjtNetwork::VFeedbackCurrentSource},
                                                       {"voltage feedback", BjtNetwork::VoltageFeedback},
                                                       {"emitter feedback", BjtNetwork::EmitterFeedback}};
    struct Point {
        const char* name;
        double vcc, icMa, vce, icboUa;
    };
    // The defaults, a 12 V stage with a leaky transistor, and a low-voltage micro-power stage.
    const Point points[] = {{"defaults", 2.7, 5, 2, 0.1}, {"12 V leaky", 12, 20, 6, 10}, {"3 V 0.5 mA", 3.3, 0.5, 1.5, 0.01}};
    for (const auto& [netName, net] : nets)
        for (const Point& p : points)
            QTest::newRow(QByteArray(netName).append(", ").append(p.name).constData())
                << net << p.vcc << p.icMa << p.vce << p.icboUa;
}

BjtBiasInputs InputsFromRow()
{
    QFETCH(double, vcc);
    QFETCH(double, icMa);
    QFETCH(double, vce);
    QFETCH(double, icboUa);
    BjtBiasInputs in = Defaults();
    in.vcc_v = vcc;
    in.ic_a = icMa / 1000.0;
    in.vce_v = vce;
    in.icbo_a = icboUa / 1e6;
    return in;
}

} // namespace

class TestBjtBias : public QObject {
    Q_OBJECT
private slots:
    void baseBiasWorkedExample_data();
    void baseBiasWorkedExample();
    void designMeetsOperatingPoint_data() { AddNetworkRows(); }
    void designMeetsOperatingPoint();
    void closedFormMatchesNodalSolution_data() { AddNetworkRows(); }
    void closedFormMatchesNodalSolution();
    void stabilityFactorsAreDerivatives_data() { AddNetworkRows(); }
    void stabilityFactorsAreDerivatives();
    void dividerNetworksShowTheirDivider();
    void leakageEatingTheBaseCurrentIsAFault_data();
    void leakageEatingTheBaseCurrentIsAFault();
    void regulationFlagFollowsTheLastCase_data();
    void regulationFlagFollowsTheLastCase();
    void junctionCaution_data();
    void junctionCaution();
    void keptComponent_data();
    void keptComponent();
    void standardResistorsChangeTheAnalysis();
};

void TestBjtBias::baseBiasWorkedExample_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("shown");
    // The current table of the base-bias defaults with exact resistors, mA.
    const char* table[3][3] = {{"2.16", "3.58", "6.82"}, {"3.20", "5.09", "9.43"}, {"4.18", "6.45", "11.66"}};
    const char* temps[] = {"-25", "25", "65"};
    const char* gains[] = {"50", "80", "150"};
    for (int t = 0; t < 3; ++t)
        for (int k = 0; k < 3; ++k)
            QTest::newRow(QByteArray(temps[t]).append(" degC, hFE ").append(gains[k]).constData())
                << t << k << QString(table[t][k]);
}

void TestBjtBias::baseBiasWorkedExample()
{
    QFETCH(int, t);
    QFETCH(int, k);
    QFETCH(QString, shown);
    const BjtBiasInputs in = Defaults();
    const BjtDesign d = DesignBjtBias(BjtNetwork::BaseBias, in);
    QCOMPARE(d.fault.number, 0);
    QVERIFY(std::fabs(d.ib_a - 62.40e-6) < 0.005e-6);
    QVERIFY(std::fabs(d.rbe_ohm - 400.6) < 0.05);
    QVERIFY(std::fabs(d.vbePrime_v - 0.755) < 1e-12);
    QCOMPARE(std::lround(d.r.rb), 30770L);
    QCOMPARE(d.r.rc, 140.0f);
    const BjtAnalysis a = AnalyseBjtBias(BjtNetwork::BaseBias, in, d, Exact(d));
    QCOMPARE(a.fault.number, 0);
    QCOMPARE(QString::fromStdString(FormatValue(a.ic_a[std::size_t(t)][std::size_t(k)] * 1000.0, "0.00")), shown);
    QCOMPARE(QString::fromStdString(FormatValue(a.tjMax_c, "0.0")), QString("72.0"));
    QCOMPARE(QString::fromStdString(FormatValue(a.icMaxOverMin, "0.0")), QString("5.4"));
    QVERIFY(!a.outOfRegulation);
    // The junction runs 3 degC above the case at the design point, so the typical current at
    // 25 degC is above the design current.
    QVERIFY(a.ic_a[1][1] > in.ic_a);
    // Supply = base-resistor current + collector current as shown at 25 degC, typical hFE.
    QVERIFY(std::fabs(a.supplyCurrent_ma - ((2.7 - 0.755) / d.r.rb * 1000.0 + 5.09)) < 1e-9);
}

void TestBjtBias::designMeetsOperatingPoint()
{
    const BjtBiasInputs in = InputsFromRow();
    QFETCH(BjtNetwork, net);
    const BjtDesign d = DesignBjtBias(net, in);
    QCOMPARE(d.fault.number, 0);
    // The circuit built with the designed resistors carries the wanted current at the typical
    // gain (to single precision of the resistors; base bias leaves out rbe*Icbo, a few ppm).
    const double ic = BjtCollectorCurrent(net, in, d.r, in.hfe[1]);
    QVERIFY2(std::fabs(ic / in.ic_a - 1.0) < 2e-5, qPrintable(QString::number(ic / in.ic_a, 'g', 10)));
    for (float r : {d.r.rb, d.r.rc, d.r.rb1, d.r.rb2, d.r.re})
        QVERIFY(r >= 0.0f);
}

void TestBjtBias::closedFormMatchesNodalSolution()
{
    const BjtBiasInputs in = InputsFromRow();
    QFETCH(BjtNetwork, net);
    const BjtDesign d = DesignBjtBias(net, in);
    for (double h : in.hfe) {
        const double ib = (in.ic_a - (1.0 + h) * in.icbo_a) / h;
        const double rbe = 1.0 / (40.0 * ib);
        const double nodal = NodalCollectorCurrent(net, d.r, in.vcc_v, {h, rbe, in.vbe_v - 0.025, in.icbo_a});
        const double closed = BjtCollectorCurrent(net, in, d.r, h);
        QVERIFY2(std::fabs(closed / nodal - 1.0) < 1e-9,
                 qPrintable(QString("h %1: closed %2 nodal %3").arg(h).arg(closed, 0, 'g', 12).arg(nodal, 0, 'g', 12)));
    }
}

void TestBjtBias::stabilityFactorsAreDerivatives()
{
    const BjtBiasInputs in = InputsFromRow();
    QFETCH(BjtNetwork, net);
    const BjtDesign d = DesignBjtBias(net, in);
    const BjtStability s = BjtStabilityFactors(net, in, d, d.r);
    const Device dev{in.hfe[1], d.rbe_ohm, d.vbePrime_v, in.icbo_a};
    auto ic = [&](Device x) { return NodalCollectorCurrent(net, d.r, in.vcc_v, x); };
    // The circuit is linear in Icbo and Vbe', so central differences are exact to rounding;
    // in h it is a ratio of linear terms, so the step is kept small.
    const double dI = in.icbo_a * 1e-3 + 1e-12;
    Device lo = dev, hi = dev;
    lo.icbo -= dI;
    hi.icbo += dI;
    const double sIcbo = (ic(hi) - ic(lo)) / (2 * dI);
    lo = hi = dev;
    lo.vbeP -= 1e-4;
    hi.vbeP += 1e-4;
    const double sVbe = (ic(hi) - ic(lo)) / 2e-4;
    lo = hi = dev;
    lo.h -= 1e-3;
    hi.h += 1e-3;
    const double sHfe = (ic(hi) - ic(lo)) / 2e-3;
    auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-5 * std::fabs(b) + 1e-15; };
    QVERIFY2(near(s.sIcbo, sIcbo), qPrintable(QString("S_Icbo %1 vs %2").arg(s.sIcbo).arg(sIcbo)));
    QVERIFY2(near(s.sVbe, sVbe), qPrintable(QString("S_Vbe %1 vs %2").arg(s.sVbe).arg(sVbe)));
    QVERIFY2(near(s.sHfe, sHfe), qPrintable(QString("S_hFE %1 vs %2").arg(s.sHfe).arg(sHfe)));
    // Feedback only ever reduces the sensitivities of the open base-bias circuit.
    QVERIFY(s.sVbe < 0.0);
    QVERIFY(s.sIcbo <= 1.0 + in.hfe[1] + 1e-9);
}

void TestBjtBias::dividerNetworksShowTheirDivider()
{
    BjtBiasInputs in = Defaults();
    const BjtDesign cs = DesignBjtBias(BjtNetwork::VFeedbackCurrentSource, in);
    QVERIFY(std::fabs(cs.vrb2_v - 1.5) < 1e-12);        // 0.75 of Vce
    QVERIFY(std::fabs(cs.irb2_a - 0.5e-3) < 1e-15);     // 0.1 of Ic
    QCOMPARE(cs.r.rb2, 3000.0f);
    // Voltage feedback: RB2 carries the divider current at Vbe.
    const BjtDesign vf = DesignBjtBias(BjtNetwork::VoltageFeedback, in);
    QCOMPARE(vf.r.rb2, float(0.78 / 0.5e-3));
    // Emitter feedback: the emitter resistor drops Vcc - Vce at Ic + Ib.
    const BjtDesign ef = DesignBjtBias(BjtNetwork::EmitterFeedback, in);
    QCOMPARE(ef.r.re, float(0.7 / (ef.ib_a + 0.005)));
    const BjtAnalysis a = AnalyseBjtBias(BjtNetwork::EmitterFeedback, in, ef, ef.r);
    const double shown = NumberFromText(FormatValue(a.ic_a[1][1] * 1000.0, "0.00"));
    QVERIFY(std::fabs(a.supplyCurrent_ma - ((ef.ib_a + 0.5e-3) * 1000.0 + shown)) < 1e-9);
    // Networks with the collector resistor count only its current.
    const BjtAnalysis b = AnalyseBjtBias(BjtNetwork::VoltageFeedback, in, vf, vf.r);
    QVERIFY(std::fabs(b.supplyCurrent_ma - 0.7 / vf.r.rc * 1000.0) < 1e-9);
}

void TestBjtBias::leakageEatingTheBaseCurrentIsAFault_data()
{
    QTest::addColumn<double>("icMa");
    QTest::addColumn<double>("icboUa");
    QTest::addColumn<bool>("designFault");
    QTest::addColumn<bool>("analysisFault");
    // (1 + 80) * Icbo reaches Ic: no base current left at the typical gain.
    QTest::newRow("leakage just above Ic") << 5.0 << 62.0 << true << true;
    QTest::newRow("leakage far above Ic") << 0.005 << 100.0 << true << true;
    // Enough for the typical gain, not for the highest (151 * Icbo > Ic): the design stands,
    // the spread analysis reports the fault.
    QTest::newRow("only the highest gain starves") << 5.0 << 40.0 << false << true;
    QTest::newRow("healthy") << 5.0 << 0.1 << false << false;
}

void TestBjtBias::leakageEatingTheBaseCurrentIsAFault()
{
    QFETCH(double, icMa);
    QFETCH(double, icboUa);
    QFETCH(bool, designFault);
    QFETCH(bool, analysisFault);
    BjtBiasInputs in = Defaults();
    in.ic_a = icMa / 1000.0;
    in.icbo_a = icboUa / 1e6;
    for (BjtNetwork net : {BjtNetwork::BaseBias, BjtNetwork::CollectorFeedback, BjtNetwork::VFeedbackCurrentSource,
                           BjtNetwork::VoltageFeedback, BjtNetwork::EmitterFeedback}) {
        const BjtDesign d = DesignBjtBias(net, in);
        QCOMPARE(d.fault.number != 0, designFault);
        if (designFault) {
            QVERIFY(!d.fault.text.empty());
            continue;
        }
        const BjtAnalysis a = AnalyseBjtBias(net, in, d, d.r);
        QCOMPARE(a.fault.number != 0, analysisFault);
        for (const auto& row : a.ic_a)
            for (double ic : row)
                QVERIFY(std::isfinite(ic));
    }
}

void TestBjtBias::regulationFlagFollowsTheLastCase_data()
{
    QTest::addColumn<double>("hfeTempCo");
    QTest::addColumn<bool>("coldNegative");
    QTest::addColumn<bool>("flag");
    // A steep positive hFE coefficient drives the cold cases below zero but the hot ones
    // high: the last (hottest) case clears the flag again.
    QTest::newRow("cold cases negative, hot positive") << 3.0 << true << false;
    // A steep negative coefficient makes the hottest case negative: the flag stays set.
    QTest::newRow("hot case negative") << -3.0 << false << true;
    QTest::newRow("ordinary") << 0.5 << false << false;
}

void TestBjtBias::regulationFlagFollowsTheLastCase()
{
    QFETCH(double, hfeTempCo);
    QFETCH(bool, coldNegative);
    QFETCH(bool, flag);
    BjtBiasInputs in = Defaults();
    in.hfeTempCo_pct_per_c = hfeTempCo;
    const BjtDesign d = DesignBjtBias(BjtNetwork::BaseBias, in);
    const BjtAnalysis a = AnalyseBjtBias(BjtNetwork::BaseBias, in, d, d.r);
    QCOMPARE(a.ic_a[0][0] <= 0.0, coldNegative);
    QCOMPARE(a.outOfRegulation, flag);
    QCOMPARE(a.ic_a[2][2] <= 0.0, flag);
}

void TestBjtBias::junctionCaution_data()
{
    // The bias networks' rule and the other active windows' rule, in one program: they part
    // at the limit itself.
    QTest::addColumn<double>("tj");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("notBelow");
    QTest::addColumn<bool>("above");
    QTest::newRow("below") << 72.0 << 150.0 << false << false;
    QTest::newRow("just below") << 71.99 << 72.0 << false << false;
    QTest::newRow("equal counts as reached for bias networks only") << 72.0 << 72.0 << true << false;
    QTest::newRow("above") << 72.0 << 70.0 << true << true;
    QTest::newRow("limit at absolute zero") << -100.0 << -273.0 << true << true;
}

void TestBjtBias::junctionCaution()
{
    QFETCH(double, tj);
    QFETCH(double, limit);
    QFETCH(bool, notBelow);
    QFETCH(bool, above);
    QCOMPARE(JunctionNotBelowLimit(tj, limit), notBelow);
    QCOMPARE(JunctionAboveLimit(tj, limit), above);
    QCOMPARE(QString::fromStdString(JunctionCautionText("70")), QString("Caution: Tj > 70 °C. "));
}

void TestBjtBias::keptComponent_data()
{
    QTest::addColumn<double>("exact");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QString>("mantissa");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("kept");
    QTest::newRow("ideal keeps the exact value") << 30770.4 << false << 5.0 << "" << "" << 30770.4;
    QTest::newRow("E24") << 30770.4 << true << 5.0 << "30" << "kOhm" << 30000.0;
    QTest::newRow("E96") << 30770.4 << true << 1.0 << "30.9" << "kOhm" << 30900.0;
    QTest::newRow("E192") << 30770.4 << true << 0.0 << "30.9" << "kOhm" << 30900.0;
    QTest::newRow("E12 rounds up past the midpoint") << 30770.4 << true << 10.0 << "33" << "kOhm" << 33000.0;
    QTest::newRow("E6 below a decade") << 140.0 << true << 20.0 << "150" << "Ohm" << 150.0;
    QTest::newRow("E24 ohms") << 140.0 << true << 5.0 << "150" << "Ohm" << 150.0;
    QTest::newRow("E96 ohms") << 140.0 << true << 1.0 << "140" << "Ohm" << 140.0;
    QTest::newRow("decade step up") << 9.6e3 << true << 10.0 << "10" << "kOhm" << 10000.0;
    QTest::newRow("megohm") << 4.15e6 << true << 5.0 << "4.3" << "MOhm" << 4.3e6;
}

void TestBjtBias::keptComponent()
{
    QFETCH(double, exact);
    QFETCH(bool, standard);
    QFETCH(double, tolerance);
    QFETCH(QString, mantissa);
    QFETCH(QString, unit);
    QFETCH(double, kept);
    const ComponentValue c = KeepComponent(exact, "Ohm", standard, tolerance);
    QCOMPARE(c.standard, standard);
    QCOMPARE(QString::fromStdString(c.mantissa), mantissa);
    QCOMPARE(QString::fromStdString(c.unit), unit);
    QVERIFY2(std::fabs(c.kept - kept) <= 1e-9 * kept, qPrintable(QString::number(c.kept, 'g', 17)));
}

void TestBjtBias::standardResistorsChangeTheAnalysis()
{
    const BjtBiasInputs in = Defaults();
    const BjtDesign d = DesignBjtBias(BjtNetwork::BaseBias, in);
    BjtResistors std = d.r;
    std.rb = float(KeepComponent(d.r.rb, "Ohm", true, 5).kept);
    std.rc = float(KeepComponent(d.r.rc, "Ohm", true, 5).kept);
    QCOMPARE(std.rb, 30000.0f);
    const BjtAnalysis ideal = AnalyseBjtBias(BjtNetwork::BaseBias, in, d, d.r);
    const BjtAnalysis rounded = AnalyseBjtBias(BjtNetwork::BaseBias, in, d, std);
    // A smaller base resistor passes more base current: every case carries more.
    for (int t = 0; t < 3; ++t)
        for (int k = 0; k < 3; ++k)
            QVERIFY(rounded.ic_a[std::size_t(t)][std::size_t(k)] > ideal.ic_a[std::size_t(t)][std::size_t(k)]);
    // At 25 degC and typical gain: Ic scales with 1/(RB + rbe) near enough.
    const double expected = ideal.ic_a[1][1] * (30770.4 + 400.6) / (30000.0 + 400.6);
    QVERIFY(std::fabs(rounded.ic_a[1][1] / expected - 1.0) < 2e-3);
}

QTEST_APPLESS_MAIN(TestBjtBias)
#include "tst_bjtbias.moc"
