#include "stripline.h"

#include "core/cxmath.h"

#include <cmath>
#include <limits>

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Stages {
    double dW = 0.0;
    double k = 0.0;
};

double Model(double r, double er, double t_m, double h_m, double w_m, double& eeff, FaultTrap& trap, Stages& s)
{
    const double t = trap.Div(t_m, h_m);
    // The exponent of the edge term falls from 2 for a thin strip towards 0 for a thick one.
    const double m = trap.Div(2.0, 1.0 + (2.0 / 3.0) * trap.Div(t, 1.0 - t));
    // A thick strip carries charge on its edges as well and behaves as a wider thin strip.
    if (t > 0.0) {
        const double edge = trap.Pow(trap.Div(t, 2.0 - t), 2.0) + trap.Div(0.0796 * t, trap.Pow(r + 1.1 * t, m));
        s.dW = trap.Div(t, kPi * (1.0 - t)) * (1.0 - 0.5 * trap.Log(edge));
    }
    s.k = trap.Div(w_m, h_m - t_m) + s.dW;
    const double a = trap.Div(8.0, kPi * s.k);
    const double z0 = trap.Div(30.0, trap.Sqrt(er)) *
                      trap.Log(1.0 + trap.Div(4.0, kPi * s.k) * (a + trap.Sqrt(a * a + 6.27)));
    if (trap.Raised())
        return 0.0;
    eeff = er;
    return z0;
}

} // namespace

double StriplineZ0(double r, double er, double t_m, double h_m, double w_m, double& eeff, FaultTrap& trap)
{
    Stages s;
    return Model(r, er, t_m, h_m, w_m, eeff, trap, s);
}

const std::vector<LineWarningRule>& StriplineWidthRules()
{
    static const std::vector<LineWarningRule> rules{
        // Wheeler's fit is tightest for strips a fraction of the spacing wide.
        {LineQuantity::Ratio, 0.05, 0.5, "Very high or very low Width/Height ratio may affect accuracy",
         LineStatusLevel::Warning},
        {LineQuantity::Ratio, 0.01, 5.0, "Extreme Width/Height ratio may impair accuracy", LineStatusLevel::Severe},
    };
    return rules;
}

const std::vector<LineWarningRule>& StriplineThicknessRules()
{
    static const std::vector<LineWarningRule> rules{
        // The thickness correction assumes a strip thin against the spacing.
        {LineQuantity::Ratio, -kInf, 0.25, "High T/H ratio may affect accuracy", LineStatusLevel::Warning},
    };
    return rules;
}

StriplineResult AnalyseStripline(const StriplineInputs& in)
{
    StriplineResult out;
    FaultTrap ratioTrap;
    const double r = ratioTrap.Div(in.w_m, in.h_m);
    out.whRatio = in.shownWH != 0.0 ? in.shownWH : r;
    out.thRatio = in.shownTH != 0.0 ? in.shownTH : ratioTrap.Div(in.t_m, in.h_m);

    FaultTrap trap;
    Stages s;
    double eeff = in.er;
    out.z0_ohm = Model(r, in.er, in.t_m, in.h_m, in.w_m, eeff, trap, s);
    out.dW = s.dW;
    out.k = s.k;
    // The shown effective permittivity is Er whether or not the formula completed.
    out.eeff = in.er;
    if (trap.Raised() || ratioTrap.Raised()) {
        out.z0_ohm = 0.0;
        out.fault = {true, ratioTrap.Raised() ? ratioTrap.Number() : trap.Number(), kStriplineFaultText};
    }
    out.wave = LineWaveFor(in.length_m, in.freq_hz, in.er);
    // Each rule list is over one ratio, so the shared rule evaluator is given that ratio.
    out.warnings = LineWarningsFor(StriplineWidthRules(), out.whRatio, out.z0_ohm, in.er);
    for (LineWarning& w : LineWarningsFor(StriplineThicknessRules(), out.thRatio, out.z0_ohm, in.er))
        out.warnings.push_back(std::move(w));
    return out;
}

DimensionSynthesis SynthesiseStriplineWidth(double z0_ohm, const StriplineInputs& in)
{
    auto z0At = [&in](double w) {
        FaultTrap trap;
        Stages s;
        double eeff = 0.0;
        const double z0 = Model(w / in.h_m, in.er, in.t_m, in.h_m, w, eeff, trap, s);
        return trap.Raised() ? 0.0 : z0;
    };
    // Wheeler's formula solves exactly for the corrected width k = W / (H - T) + dW; the
    // widening dW is then taken off as the model gives it at that width, which leaves the
    // start exact for a strip of no thickness.
    const double a = std::exp(z0_ohm * std::sqrt(in.er) / 30.0) - 1.0;
    const double k = 4.0 * std::sqrt(4.0 * a + 6.27) / (kPi * a);
    FaultTrap trap;
    Stages s;
    double eeff = 0.0;
    Model(k * (in.h_m - in.t_m) / in.h_m, in.er, in.t_m, in.h_m, k * (in.h_m - in.t_m), eeff, trap, s);
    const double estimate = (k - (trap.Raised() ? 0.0 : s.dW)) * (in.h_m - in.t_m);
    const DimensionSearch search{"width", kPlanarRatioMin * in.h_m, kPlanarRatioMax * in.h_m, estimate};
    return SynthesiseDimension(z0_ohm, search, z0At);
}

} // namespace korvel
