#include "cpw.h"

#include "core/cxmath.h"
#include "core/elliptic.h"

#include <cmath>

namespace korvel {
namespace {

// The hyperbolic functions in the program's own exponential forms, so that an argument beyond
// the exponential's range is the same overflow fault it always was.
double Sinh(double x, FaultTrap& trap)
{
    return (trap.Exp(x) - trap.Exp(-x)) / 2.0;
}

double Tanh(double x, FaultTrap& trap)
{
    const double ep = trap.Exp(x);
    const double en = trap.Exp(-x);
    return trap.Div(ep - en, ep + en);
}

bool InsideUnit(double x)
{
    return x > 0.0 && x < 1.0;
}

double Model(double w, double g, double t, double h, double er, bool ground, CpwState& state, FaultTrap& trap,
             double* k1Out, double* kOut)
{
    // The strip and its gaps on an infinitely thick substrate.
    const double k = trap.Div(w, w + 2.0 * g);
    // A substrate of finite height: sinh maps the open half-space below it, tanh the slab
    // between the conductors and a lower ground plane.
    const double x = kPi * w / (4.0 * h);
    const double x2 = kPi * (w + 2.0 * g) / (4.0 * h);
    const double k1 = ground ? trap.Div(Tanh(x, trap), Tanh(x2, trap)) : trap.Div(Sinh(x, trap), Sinh(x2, trap));
    if (kOut)
        *kOut = k;
    if (k1Out)
        *k1Out = k1;
    // Thick conductors: the strip widens and the gaps narrow by the same edge allowance.
    const double d = (1.25 * t / kPi) * (1.0 + trap.Log(trap.Div(4.0 * kPi * w, t)));
    const double we = w + d;
    const double ge = g - d;
    const double ke = trap.Div(we, we + 2.0 * ge);
    if (trap.Raised())
        return 0.0;
    state.ke = ke;

    const char* title = ground ? kCpwGndRangeTitle : kCpwRangeTitle;
    if (!(InsideUnit(k) && InsideUnit(k1) && InsideUnit(ke))) {
        state.range = {true, title, kCpwRangeText};
        return 0.0;
    }
    const double kc = trap.Pow(1.0 - k * k, 0.5);
    const double k1c = trap.Pow(1.0 - k1 * k1, 0.5);
    const double kec = trap.Pow(1.0 - ke * ke, 0.5);
    if (trap.Raised())
        return 0.0;
    if (!(InsideUnit(kc) && InsideUnit(k1c) && InsideUnit(kec))) {
        state.range = {true, title, kCpwRangeText};
        return 0.0;
    }

    const double r0 = HilbergKRatio(k, kc, k, trap);
    const double r1 = HilbergKRatio(k1, k1c, k1, trap);
    // The branch for the thickness-corrected ratio is chosen by the complement ke', as the
    // program always has; for a ke below 0.707 this takes the large-modulus form.
    const double re = HilbergKRatio(ke, kec, kec, trap);

    // Partial capacitances: the air above, the substrate below (and, with a lower ground,
    // the slab between it and the strip).
    const double e0 = ground ? trap.Div(re + er * r1, re + r1) : 1.0 + ((er - 1.0) / 2.0) * trap.Div(r1, r0);
    // Thick conductors hold more of the field in the air of the gaps.
    const double eeff = e0 - trap.Div(e0 - 1.0, trap.Div(w * r0, 0.7 * t) + 1.0);
    if (trap.Raised())
        return 0.0;
    state.eeff = eeff;
    const double z0 = ground ? trap.Div(60.0 * kPi, trap.Sqrt(eeff) * (re + r1))
                             : trap.Div(30.0 * kPi, trap.Sqrt(eeff) * re);
    return trap.Raised() ? 0.0 : z0;
}

double Z0At(const CpwInputs& in, double w, double g)
{
    CpwState state;
    FaultTrap trap;
    const double z0 = Model(w, g, in.t_m, in.h_m, in.er, in.groundPlane, state, trap, nullptr, nullptr);
    return trap.Raised() || state.range.raised ? 0.0 : z0;
}

// Where the search starts: the strip-to-gap modulus k = W / (W + 2G) of a line of no
// thickness on a substrate thick enough that the permittivity is (Er + 1) / 2, where
// Z0 = 30 pi / sqrt(eeff) K(k') / K(k); Hilberg's closed forms for K(k) / K(k') solve for k.
double ModulusEstimate(double z0, double er)
{
    const double r = 30.0 * kPi / (std::sqrt((er + 1.0) / 2.0) * z0);
    const bool large = r >= 1.0;
    const double e = std::exp(kPi * (large ? r : 1.0 / r)) / 2.0;
    const double q = (e - 1.0) / (e + 1.0);
    return large ? q * q : std::sqrt(1.0 - q * q * q * q);
}

DimensionSearch CpwSearch(const char* dimension, const CpwInputs& in, double estimate)
{
    return {dimension, kPlanarRatioMin * in.h_m, kPlanarRatioMax * in.h_m, estimate};
}

} // namespace

double CpwZ0(double w_m, double g_m, double t_m, double h_m, double er, CpwState& state, FaultTrap& trap)
{
    return Model(w_m, g_m, t_m, h_m, er, false, state, trap, nullptr, nullptr);
}

double CpwGndZ0(double w_m, double g_m, double t_m, double h_m, double er, CpwState& state, FaultTrap& trap)
{
    return Model(w_m, g_m, t_m, h_m, er, true, state, trap, nullptr, nullptr);
}

CpwResult AnalyseCpw(const CpwInputs& in)
{
    CpwResult out;
    CpwState state;
    state.eeff = in.keptEeff;
    state.ke = in.keptKe;
    FaultTrap trap;
    out.z0_ohm = Model(in.w_m, in.g_m, in.t_m, in.h_m, in.er, in.groundPlane, state, trap, &out.k1, &out.k);
    out.ke = state.ke;
    out.eeff = state.eeff;
    out.range = state.range;
    if (trap.Raised()) {
        out.z0_ohm = 0.0;
        out.fault = {true, trap.Number(), kCpwFaultText};
    }
    out.wave = LineWaveFor(in.length_m, in.freq_hz, out.eeff);
    return out;
}

DimensionSynthesis SynthesiseCpwWidth(double z0_ohm, const CpwInputs& in)
{
    const double k = ModulusEstimate(z0_ohm, in.er);
    return SynthesiseDimension(z0_ohm, CpwSearch("width", in, 2.0 * in.g_m * k / (1.0 - k)),
                               [&in](double w) { return Z0At(in, w, in.g_m); });
}

DimensionSynthesis SynthesiseCpwGap(double z0_ohm, const CpwInputs& in)
{
    const double k = ModulusEstimate(z0_ohm, in.er);
    return SynthesiseDimension(z0_ohm, CpwSearch("gap", in, in.w_m * (1.0 - k) / (2.0 * k)),
                               [&in](double g) { return Z0At(in, in.w_m, g); });
}

} // namespace korvel
