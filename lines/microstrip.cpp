#include "microstrip.h"

#include "core/cxmath.h"

#include <cmath>
#include <limits>

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The hyperbolic functions in the program's own exponential forms, so that an argument beyond
// the exponential's range is the same overflow fault it always was.
double Cosh(double x, FaultTrap& trap)
{
    return (trap.Exp(x) + trap.Exp(-x)) / 2.0;
}

double Coth(double x, FaultTrap& trap)
{
    const double ep = trap.Exp(x);
    const double en = trap.Exp(-x);
    return trap.Div(ep + en, ep - en);
}

// Impedance of the strip with air as dielectric, for a width-to-height ratio u.
double Z01(double u, FaultTrap& trap)
{
    const double eta0 = trap.Sqrt(trap.Div(kMu0, kEps0));
    const double f = 6.0 + (2.0 * kPi - 6.0) * trap.Exp(-trap.Pow(trap.Div(30.666, u), 0.7528));
    return (eta0 / (2.0 * kPi)) * trap.Log(trap.Div(f, u) + trap.Sqrt(1.0 + trap.Pow(trap.Div(2.0, u), 2.0)));
}

struct Stages {
    double dW1 = 0.0, dWr = 0.0, u1 = 0.0, ur = 0.0;
    double ee = 0.0, z0s = 0.0, ef = 0.0;
};

// The model in the order the program evaluates it. `eeff` is written only where the program
// writes its variable; a fault returns at once, leaving it as it stood.
double Model(double w, double h, double er, double f, double t, double& eeff, FaultTrap& trap, Stages& s)
{
    const double u0 = trap.Div(w, h);

    // A strip of finite thickness has extra fringing from its edges and behaves as a wider
    // zero-thickness strip; in the mixed dielectric the widening is smaller than in air.
    if (t > 0.0) {
        const double e = std::exp(1.0);
        const double coth = Coth(trap.Sqrt(6.517 * u0), trap);
        s.dW1 = (t / kPi) * trap.Log(trap.Div(4.0 * e, trap.Div(t, h) * coth * coth));
        s.dWr = 0.5 * (1.0 + trap.Div(1.0, Cosh(trap.Sqrt(er - 1.0), trap))) * s.dW1;
    }
    s.u1 = trap.Div(w + s.dW1, h);
    s.ur = trap.Div(w + s.dWr, h);
    if (trap.Raised())
        return 0.0;

    // Static effective permittivity and impedance at the corrected width.
    const double u = s.ur;
    const double u4 = trap.Pow(u, 4.0);
    const double a = 1.0 + (1.0 / 49.0) * trap.Log(trap.Div(u4 + trap.Pow(u / 52.0, 2.0), u4 + 0.432)) +
                     (1.0 / 18.7) * trap.Log(1.0 + trap.Pow(u / 18.1, 3.0));
    const double b = 0.564 * trap.Pow(trap.Div(er - 0.9, er + 3.0), 0.053);
    s.ee = (er + 1.0) / 2.0 + (er - 1.0) / 2.0 * trap.Pow(1.0 + trap.Div(10.0, u), -a * b);
    const double z01r = Z01(u, trap);
    s.z0s = trap.Div(z01r, trap.Sqrt(s.ee));
    if (trap.Raised())
        return 0.0;

    // Dispersion of the effective permittivity. fn is f in GHz times H in mm; the permittivity
    // terms are evaluated with f H / 1e7 (a tenth of fn) and constants scaled to match.
    const double fn = f * h * 1e-6;
    const double fh7 = f * h / 1e7;
    const double p1 = 0.27488 + (0.6315 + trap.Div(0.525, trap.Pow(1.0 + 0.157 * fh7, 20.0))) * u -
                      0.065683 * trap.Exp(-8.7513 * u);
    const double p2 = 0.33622 * (1.0 - trap.Exp(-0.03442 * er));
    const double p3 = 0.0363 * trap.Exp(-4.6 * u) * (1.0 - trap.Exp(-trap.Pow(fh7 / 3.87, 4.97)));
    const double p4 = 1.0 + 2.751 * (1.0 - trap.Exp(-trap.Pow(er / 15.916, 8.0)));
    const double p = p1 * p2 * trap.Pow((0.1844 + p3 * p4) * 10.0 * fh7, 1.5763);
    s.ef = er - trap.Div(er - s.ee, 1.0 + p);
    if (trap.Raised())
        return 0.0;
    eeff = s.ef;

    // Dispersion of the impedance.
    const double r1 = 0.03891 * trap.Pow(er, 1.4);
    const double r2 = 0.267 * trap.Pow(u, 7.0);
    const double r3 = 4.766 * trap.Exp(-3.228 * trap.Pow(u, 0.641));
    const double r4 = 0.016 + trap.Pow(0.0514 * er, 4.524);
    const double r5 = trap.Pow(fn / 28.843, 12.0);
    const double r6 = 22.2 * trap.Pow(u, 1.92);
    const double r7 = 1.206 - 0.3144 * trap.Exp(-r1) * (1.0 - trap.Exp(-r2));
    const double r8 =
        1.0 + 1.275 * (1.0 - trap.Exp(-0.004625 * r3 * trap.Pow(er, 1.674) * trap.Pow(fn / 18.365, 2.745)));
    const double er6 = trap.Pow(er - 1.0, 6.0);
    const double r9 = 5.086 * r4 * trap.Div(r5, 0.3838 + 0.386 * r4) * trap.Div(trap.Exp(-r6), 1.0 + 1.2992 * r5) *
                      trap.Div(er6, 1.0 + 10.0 * er6);
    const double r10 = 0.00044 * trap.Pow(er, 2.136) + 0.0184;
    const double x11 = trap.Pow(fn / 19.47, 6.0);
    const double r11 = trap.Div(x11, 1.0 + 0.0962 * x11);
    const double r12 = trap.Div(1.0, 1.0 + 0.00245 * u * u);
    const double r13 = 0.9408 * trap.Pow(s.ef, r8) - 0.9603;
    const double r14 = (0.9408 - r9) * trap.Pow(s.ee, r8) - 0.9603;
    const double r15 = 0.707 * r10 * trap.Pow(fn / 12.3, 1.097);
    const double r16 = 1.0 + 0.0503 * er * er * r11 * (1.0 - trap.Exp(-trap.Pow(u / 15.0, 6.0)));
    const double r17 = r7 * (1.0 - 1.1241 * trap.Div(r12, r16) * trap.Exp(-0.026 * trap.Pow(fn, 1.15656) - r15));
    const double z0 = s.z0s * trap.Pow(trap.Div(r13, r14), r17);
    if (trap.Raised())
        return 0.0;

    // The thickness factor on the permittivity comes after the impedance, which used the
    // uncorrected dispersed value.
    const double factor = trap.Pow(trap.Div(Z01(s.u1, trap), z01r), 2.0);
    if (trap.Raised())
        return 0.0;
    eeff = s.ef * factor;
    return z0;
}

// Where the width search starts: Wheeler's and Hammerstad's synthesis of W/H for a strip of
// no thickness and no dispersion, narrowed by the model's own thickness widening.
double WidthEstimate(double z0, double h, double t, double er)
{
    const double a = z0 / 60.0 * std::sqrt((er + 1.0) / 2.0) + (er - 1.0) / (er + 1.0) * (0.23 + 0.11 / er);
    double u = 8.0 * std::exp(a) / (std::exp(2.0 * a) - 2.0);
    if (!(u > 0.0 && u <= 2.0)) {
        // Wide, low-impedance strips.
        const double b = 60.0 * kPi * kPi / (z0 * std::sqrt(er));
        u = 2.0 / kPi *
            (b - 1.0 - std::log(2.0 * b - 1.0) + (er - 1.0) / (2.0 * er) * (std::log(b - 1.0) + 0.39 - 0.61 / er));
    }
    if (t > 0.0) {
        const double coth = 1.0 / std::tanh(std::sqrt(6.517 * u));
        const double dW1 = (t / kPi) * std::log(4.0 * std::exp(1.0) / ((t / h) * coth * coth));
        const double dWr = 0.5 * (1.0 + 1.0 / std::cosh(std::sqrt(er - 1.0))) * dW1;
        if (u * h > dWr)
            return u * h - dWr;
    }
    return u * h;
}

} // namespace

double MicrostripZ0(double w_m, double h_m, double er, double f_hz, double t_m, double& eeff, FaultTrap& trap)
{
    Stages s;
    return Model(w_m, h_m, er, f_hz, t_m, eeff, trap, s);
}

const std::vector<LineWarningRule>& MicrostripWarningRules()
{
    static const std::vector<LineWarningRule> rules{
        // The closed forms were fitted for moderate strips; very narrow or very wide ones fall
        // outside the fitted range.
        {LineQuantity::Ratio, 0.05, 20.0, "Very high or very low Width/Height ratio may affect accuracy",
         LineStatusLevel::Warning},
        {LineQuantity::Ratio, 0.01, 100.0, "Extreme Width/Height ratio may impair accuracy", LineStatusLevel::Severe},
        // The dispersion fits stop near Er = 20; far beyond, the substrate is a lossy ceramic.
        {LineQuantity::Er, -kInf, 50.0, "High dielectric constant may affect accuracy", LineStatusLevel::Warning},
        {LineQuantity::Er, -kInf, 200.0, "Extreme dielectric constant may impair accuracy", LineStatusLevel::Severe},
    };
    return rules;
}

MicrostripResult AnalyseMicrostrip(const MicrostripInputs& in)
{
    MicrostripResult out;
    FaultTrap ratioTrap;
    out.whRatio = in.shownWH != 0.0 ? in.shownWH : ratioTrap.Div(in.w_m, in.h_m);

    FaultTrap trap;
    Stages s;
    double eeff = in.keptEeff;
    out.z0_ohm = Model(in.w_m, in.h_m, in.er, in.freq_hz, in.t_m, eeff, trap, s);
    out.dW1_m = s.dW1;
    out.dWr_m = s.dWr;
    out.u1 = s.u1;
    out.ur = s.ur;
    out.eeStatic = s.ee;
    out.z0Static = s.z0s;
    out.efDispersed = s.ef;
    out.eeff = eeff;
    if (trap.Raised()) {
        out.z0_ohm = 0.0;
        out.fault = {true, trap.Number(), kMicrostripFaultText};
    }
    out.wave = LineWaveFor(in.length_m, in.freq_hz, out.eeff);
    out.warnings = LineWarningsFor(MicrostripWarningRules(), out.whRatio, out.z0_ohm, in.er);
    return out;
}

DimensionSynthesis SynthesiseMicrostripWidth(double z0_ohm, const MicrostripInputs& in)
{
    const DimensionSearch search{"width", kPlanarRatioMin * in.h_m, kPlanarRatioMax * in.h_m,
                                 WidthEstimate(z0_ohm, in.h_m, in.t_m, in.er)};
    return SynthesiseDimension(z0_ohm, search, [&in](double w) {
        FaultTrap trap;
        Stages s;
        double eeff = 0.0;
        const double z0 = Model(w, in.h_m, in.er, in.freq_hz, in.t_m, eeff, trap, s);
        return trap.Raised() ? 0.0 : z0;
    });
}

} // namespace korvel
