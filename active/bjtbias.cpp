#include "bjtbias.h"

#include "core/fault.h"
#include "core/units.h"

#include <cmath>

namespace korvel {
namespace {

// The small-signal base-emitter resistance at a base current, from the diode slope
// q/kT = 40 per volt near room temperature.
constexpr double kDiodeSlopePerVolt = 40.0;
// Temperature coefficients are stated about 25 degC; temperatures go to kelvin with 273.
constexpr double kKelvinOffset = 273.0;
constexpr double kReferenceK = 298.0;

// The base operating point of a transistor of gain h carrying the wanted collector current.
struct BaseDrive {
    double ib = 0.0;
    double rbe = 0.0;
    double vbePrime = 0.0;
};

BaseDrive DriveFor(const BjtBiasInputs& in, double h, FaultTrap& trap)
{
    BaseDrive d;
    d.ib = trap.Div(in.ic_a - (1.0 + h) * in.icbo_a, h);
    // With the leakage alone carrying the wanted current there is no base current left to
    // design for; the diode resistance would be infinite or negative.
    if (!(d.ib > 0.0)) {
        trap.Raise(kFaultInvalidCall);
        return d;
    }
    d.rbe = trap.Div(1.0, kDiodeSlopePerVolt * d.ib);
    d.vbePrime = in.vbe_v - d.rbe * d.ib;
    return d;
}

float Single(FaultTrap& trap, double v) { return float(trap.Finite(v)); }

// A value as the two-decimal grid shows it, read back (the ratio and the supply current are
// taken from the shown cells).
double AsShown(double v) { return NumberFromText(FormatValue(v, "0.00")); }

// ---- The networks: design, collector current, stability -----------------------------------

void Design(BjtNetwork network, const BjtBiasInputs& in, BjtDesign& d, FaultTrap& trap)
{
    const double h = in.hfe[1];
    const double ib = d.ib_a;
    const double vbe = in.vbe_v;
    const double vcc = in.vcc_v;
    const double vce = in.vce_v;
    const double ic = in.ic_a;
    BjtResistors& r = d.r;
    switch (network) {
    case BjtNetwork::BaseBias:
        r.rb = Single(trap, trap.Div(h * (vcc - d.vbePrime_v) + d.rbe_ohm * (h * in.icbo_a - ic),
                                     ic - (1.0 + h) * in.icbo_a));
        r.rc = Single(trap, trap.Div(vcc - vce, ic));
        break;
    case BjtNetwork::CollectorFeedback:
        r.rb = Single(trap, trap.Div(vce - vbe, ib));
        r.rc = Single(trap, trap.Div(vcc - vce, ib + ic));
        break;
    case BjtNetwork::VFeedbackCurrentSource:
        d.vrb2_v = in.vrb2Mult * vce;
        d.irb2_a = in.irb2Mult * ic;
        r.rb2 = Single(trap, trap.Div(d.vrb2_v, d.irb2_a));
        r.rc = Single(trap, trap.Div(vcc - vce, ic + d.irb2_a + ib));
        r.rb1 = Single(trap, trap.Div(vce - d.vrb2_v, ib + d.irb2_a));
        r.rb = Single(trap, trap.Div(d.vrb2_v - vbe, ib));
        break;
    case BjtNetwork::VoltageFeedback:
        d.irb2_a = in.irb2Mult * ic;
        r.rb2 = Single(trap, trap.Div(vbe, d.irb2_a));
        r.rb1 = Single(trap, trap.Div(vce - r.rb2 * d.irb2_a, ib + d.irb2_a));
        r.rc = Single(trap, trap.Div(vcc - vce, ic + d.irb2_a + ib));
        break;
    case BjtNetwork::EmitterFeedback:
        d.irb2_a = in.irb2Mult * ic;
        r.re = Single(trap, trap.Div(vcc - vce, ib + ic));
        r.rb2 = Single(trap, trap.Div((ib + ic) * r.re + vbe, d.irb2_a));
        r.rb1 = Single(trap, trap.Div(vcc - r.rb2 * d.irb2_a, ib + d.irb2_a));
        break;
    }
}

// The collector current for gain h with the diode described by rbe and Vbe', and the
// numerator/denominator of the feedback networks' closed forms (their derivatives need them).
struct CurrentParts {
    double ic = 0.0;
    double n = 0.0;     // numerator (feedback networks)
    double x = 0.0;     // X or Y of the feedback networks, Sigma of the current-source one
    double q = 0.0;     // Q of the current-source network
    double p = 0.0;     // P of the current-source network
};

CurrentParts Current(BjtNetwork network, const BjtBiasInputs& in, const BjtResistors& rr, double h, double rbe,
                     double vbeP, FaultTrap& trap)
{
    const double rb = rr.rb, rc = rr.rc, rb1 = rr.rb1, rb2 = rr.rb2, re = rr.re;
    const double vcc = in.vcc_v;
    const double icbo = in.icbo_a;
    CurrentParts c;
    switch (network) {
    case BjtNetwork::BaseBias:
        c.ic = h * trap.Div(vcc - vbeP, rb + rbe) + (1.0 + h) * icbo;
        break;
    case BjtNetwork::CollectorFeedback:
        c.ic = trap.Div(h * (vcc - vbeP) + (rc + rb + rbe) * (1.0 + h) * icbo, (1.0 + h) * rc + rb + rbe);
        break;
    case BjtNetwork::VFeedbackCurrentSource: {
        c.x = rb1 + rb2 + rc;
        c.p = rb2 * (vcc - (1.0 + h) * icbo * rc) - vbeP * c.x;
        c.q = c.x * (rb + rbe) + rb2 * (rb1 + (1.0 + h) * rc);
        c.ic = h * trap.Div(c.p, c.q) + (1.0 + h) * icbo;
        break;
    }
    case BjtNetwork::VoltageFeedback: {
        c.x = rc + rb1 + rbe + trap.Div((rc + rb1) * rbe, rb2);
        c.n = vcc - vbeP * (1.0 + trap.Div(rc + rb1, rb2)) + icbo * (1.0 + 1.0 / h) * c.x;
        c.ic = trap.Div(c.n, rc + c.x / h);
        break;
    }
    case BjtNetwork::EmitterFeedback: {
        c.x = rbe + re + rb1 + trap.Div(rb1 * (rbe + re), rb2);
        c.n = vcc - vbeP * (1.0 + trap.Div(rb1, rb2)) + icbo * (1.0 + 1.0 / h) * c.x;
        c.ic = trap.Div(c.n, re * (1.0 + trap.Div(rb1, rb2)) + c.x / h);
        break;
    }
    }
    c.ic = trap.Finite(c.ic);
    return c;
}

BjtStability Stability(BjtNetwork network, const BjtBiasInputs& in, const BjtDesign& d, const BjtResistors& rr,
                       FaultTrap& trap)
{
    const double h = in.hfe[1];
    const double rbe = d.rbe_ohm;
    const double vbeP = d.vbePrime_v;
    const double rb = rr.rb, rc = rr.rc, rb1 = rr.rb1, rb2 = rr.rb2, re = rr.re;
    const double vcc = in.vcc_v;
    const double icbo = in.icbo_a;
    const CurrentParts c = Current(network, in, rr, h, rbe, vbeP, trap);
    BjtStability s;
    switch (network) {
    case BjtNetwork::BaseBias:
        s.sIcbo = 1.0 + h;
        s.sVbe = trap.Div(-h, rb + rbe);
        s.sHfe = trap.Div(vcc - vbeP, rb + rbe) + icbo;
        break;
    case BjtNetwork::CollectorFeedback: {
        const double den = rbe + rb + (1.0 + h) * rc;
        s.sIcbo = trap.Div((1.0 + h) * (rbe + rb + rc), den);
        s.sVbe = trap.Div(-h, den);
        s.sHfe = trap.Div((rc + rb + rbe) * (vcc - vbeP + (rb + rbe) * icbo), den * den);
        break;
    }
    case BjtNetwork::VFeedbackCurrentSource:
        s.sIcbo = (1.0 + h) - trap.Div(rb2 * h * rc * (1.0 + h), c.q);
        s.sVbe = trap.Div(-h * c.x, c.q);
        s.sHfe = trap.Div(c.p, c.q) - trap.Div(h * rb2 * rc * (c.p + icbo * c.q), c.q * c.q) + icbo;
        break;
    case BjtNetwork::VoltageFeedback:
    case BjtNetwork::EmitterFeedback: {
        // Both have Ic = N / (A + X/h); only A and the Vbe multiplier differ.
        const bool vf = network == BjtNetwork::VoltageFeedback;
        const double vbeGain = vf ? 1.0 + trap.Div(rc + rb1, rb2) : 1.0 + trap.Div(rb1, rb2);
        const double a = vf ? rc : re * vbeGain;
        const double den = a + c.x / h;
        s.sIcbo = trap.Div((1.0 + 1.0 / h) * c.x, den);
        s.sVbe = trap.Div(-vbeGain, den);
        s.sHfe = trap.Div(-icbo * c.x, h * h * den) + trap.Div(c.n * c.x, h * h * den * den);
        break;
    }
    }
    return s;
}

BjtFault FaultOf(const FaultTrap& trap)
{
    BjtFault f;
    if (trap.Raised()) {
        f.number = trap.Number();
        f.text = FaultTail(trap.Number());
    }
    return f;
}

} // namespace

BjtDesign DesignBjtBias(BjtNetwork network, const BjtBiasInputs& in)
{
    FaultTrap trap;
    BjtDesign d;
    const BaseDrive drive = DriveFor(in, in.hfe[1], trap);
    d.ib_a = drive.ib;
    d.rbe_ohm = drive.rbe;
    d.vbePrime_v = drive.vbePrime;
    if (!trap.Raised())
        Design(network, in, d, trap);
    d.fault = FaultOf(trap);
    return d;
}

double BjtCollectorCurrent(BjtNetwork network, const BjtBiasInputs& in, const BjtResistors& r, double h)
{
    FaultTrap trap;
    const BaseDrive drive = DriveFor(in, h, trap);
    if (trap.Raised())
        return 0.0;
    return Current(network, in, r, h, drive.rbe, drive.vbePrime, trap).ic;
}

BjtStability BjtStabilityFactors(BjtNetwork network, const BjtBiasInputs& in, const BjtDesign& design,
                                 const BjtResistors& r)
{
    FaultTrap trap;
    return Stability(network, in, design, r, trap);
}

BjtAnalysis AnalyseBjtBias(BjtNetwork network, const BjtBiasInputs& in, const BjtDesign& design,
                           const BjtResistors& r)
{
    FaultTrap trap;
    BjtAnalysis a;
    a.stability = Stability(network, in, design, r, trap);
    const BjtStability& s = a.stability;

    // Every case runs at the design point's dissipation: the junction sits theta * Ic * Vce
    // above the case whatever the spread does to the current.
    const double selfHeating = in.theta_c_per_w * in.ic_a * in.vce_v;
    bool first = true;
    for (int t = 0; t < 3; ++t) {
        const double tj = selfHeating + in.tcase_c[std::size_t(t)] + kKelvinOffset;
        const double rise = tj - kReferenceK;
        const double dIcbo = in.icbo_a * trap.Pow(in.icboFactor, rise / 10.0) - in.icbo_a;
        const double dVbe = rise * in.vbeTempCo_mv_per_c / 1000.0;
        for (int k = 0; k < 3; ++k) {
            const double h = in.hfe[std::size_t(k)];
            const double dHfe = (in.hfeTempCo_pct_per_c / 100.0) * rise * h;
            FaultTrap caseTrap;
            const BaseDrive drive = DriveFor(in, h, caseTrap);
            double base = 0.0;
            if (caseTrap.Raised())
                trap.Raise(caseTrap.Number());
            else
                base = Current(network, in, r, h, drive.rbe, drive.vbePrime, trap).ic;
            const double ic = base + s.sIcbo * dIcbo + s.sVbe * dVbe + s.sHfe * dHfe;
            a.ic_a[std::size_t(t)][std::size_t(k)] = ic;
            a.outOfRegulation = !(ic > 0.0);
            if (k == 1) {
                a.deltaIc_a = {s.sIcbo * dIcbo, s.sVbe * dVbe, s.sHfe * dHfe,
                               s.sIcbo * dIcbo + s.sVbe * dVbe + s.sHfe * dHfe};
            }
            // The spread case's own dissipation heats its junction.
            const double tjCase = in.tcase_c[std::size_t(t)] + in.theta_c_per_w * ic * in.vce_v;
            if (first || tjCase > a.tjMax_c)
                a.tjMax_c = tjCase;
            first = false;
        }
    }

    a.icMaxOverMin = trap.Div(AsShown(a.ic_a[2][2] * 1000.0), AsShown(a.ic_a[0][0] * 1000.0));
    const double typicalShown = AsShown(a.ic_a[1][1] * 1000.0);
    switch (network) {
    case BjtNetwork::BaseBias:
        a.supplyCurrent_ma = trap.Div(in.vcc_v - design.vbePrime_v, r.rb) * 1000.0 + typicalShown;
        break;
    case BjtNetwork::EmitterFeedback:
        a.supplyCurrent_ma = (design.ib_a + design.irb2_a) * 1000.0 + typicalShown;
        break;
    default:
        a.supplyCurrent_ma = trap.Div(in.vcc_v - in.vce_v, r.rc) * 1000.0;
        break;
    }
    a.fault = FaultOf(trap);
    return a;
}

} // namespace korvel
