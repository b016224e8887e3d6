#include "coax.h"

#include "logratio.h"

#include "core/cxmath.h"

#include <cmath>
#include <limits>

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool Flags(const LineWarningRule& rule, double value)
{
    return value < rule.below || value > rule.above;
}

} // namespace

double CoaxZ0(double ratio, double er, FaultTrap& trap)
{
    // Free-space wave impedance over 2 pi (59.9584916 ohm), times ln(D1/D2), slowed by the
    // dielectric: one "coax unit" of the log-ratio lines.
    return LogRatioZ0(1.0, ratio, er, trap);
}

double CoaxZ0(double ratio, double er)
{
    FaultTrap trap;
    return CoaxZ0(ratio, er, trap);
}

double CoaxD1D2Ratio(double z0, double er, FaultTrap& trap)
{
    return LogRatioArgument(1.0, z0, er, trap);
}

double CoaxD1D2Ratio(double z0, double er)
{
    FaultTrap trap;
    return CoaxD1D2Ratio(z0, er, trap);
}

const CoaxFamilyModel& RndCoaxModel()
{
    static const CoaxFamilyModel model{
        [](double ratio, double er, FaultTrap& trap) { return CoaxZ0(ratio, er, trap); },
        [](double z0, double er, FaultTrap& trap) { return CoaxD1D2Ratio(z0, er, trap); },
        false,
        "Unexpected math error (C01). Combination of Er and D1/D2 out of range.",
        "Unexpected math error (D01). Combination of Er and Z0 out of range.",
        {
            // Near-unity ratios put the conductors so close that fringing and eccentricity
            // dominate; very large ratios give a wire too thin to be built accurately.
            {LineQuantity::Ratio, 1.28, 12.2, "High or near unity D1/D2 ratio ratio may affect accuracy",
             LineStatusLevel::Warning},
            {LineQuantity::Ratio, 1.09, 106.0, "Extremely high or near unity D1/D2 ratio ratio may impair accuracy",
             LineStatusLevel::Severe},
            // Very high permittivities are lossy, dispersive ceramics; the TEM model is optimistic.
            {LineQuantity::Er, -kInf, 50.0, "High dielectric constant may affect accuracy", LineStatusLevel::Warning},
            {LineQuantity::Er, -kInf, 200.0, "Extreme dielectric constant may impair accuracy",
             LineStatusLevel::Severe},
        },
        {
            {LineQuantity::Z0, 15.0, 150.0, "High or low Z0 may affect accuracy", LineStatusLevel::Warning},
            {LineQuantity::Z0, 5.0, 280.0, "Extremely high or low Z0 may impair accuracy", LineStatusLevel::Severe},
            {LineQuantity::Er, -kInf, 50.0, "High dielectric constant may affect accuracy", LineStatusLevel::Warning},
            {LineQuantity::Er, -kInf, 200.0, "Extreme dielectric constant may impair accuracy",
             LineStatusLevel::Severe},
        },
    };
    return model;
}

LineWave LineWaveFor(double length_m, double freq_hz, double er)
{
    // A wave computation that overflows (a frequency so low that one wavelength exceeds the
    // double range) leaves the affected values at 0 rather than showing infinities.
    FaultTrap trap;
    LineWave wave;
    wave.velocityFactor = trap.Div(1.0, trap.Pow(er, 0.5));
    wave.wavelength_m = trap.Finite(trap.Div(kC0, freq_hz) * wave.velocityFactor);
    wave.fractionOfWavelength = trap.Div(length_m, wave.wavelength_m);
    wave.electricalLength_rad = trap.Finite(2.0 * wave.fractionOfWavelength * kPi);
    return wave;
}

std::vector<LineWarning> LineWarningsFor(const std::vector<LineWarningRule>& rules, double ratio,
                                         double z0, double er)
{
    std::vector<LineWarning> out;
    for (const auto& rule : rules) {
        const double value = rule.quantity == LineQuantity::Ratio ? ratio
                             : rule.quantity == LineQuantity::Z0  ? z0
                                                                  : er;
        if (Flags(rule, value))
            out.push_back({rule.text, rule.level});
    }
    return out;
}

LineAnalysis AnalyseCoaxFamily(const CoaxFamilyModel& model, const LineAnalysisInputs& in)
{
    LineAnalysis out;
    FaultTrap ratioTrap;
    out.ratio = ratioTrap.Div(in.outer, in.inner);
    FaultTrap trap;
    out.z0_ohm = model.z0FromRatio(out.ratio, in.er, trap);
    if (trap.Raised() || ratioTrap.Raised()) {
        out.z0_ohm = 0.0;
        out.fault = {true, ratioTrap.Raised() ? ratioTrap.Number() : trap.Number(), model.analysisFaultText};
    }
    out.wave = LineWaveFor(in.length_m, in.freq_hz, in.er);
    out.warnings = LineWarningsFor(model.analysisRules, out.ratio, out.z0_ohm, in.er);
    return out;
}

LineSynthesis SynthesiseCoaxFamily(const CoaxFamilyModel& model, const LineSynthesisInputs& in)
{
    LineSynthesis out;
    out.z0_ohm = in.z0_ohm;
    FaultTrap trap;
    out.ratio = model.ratioFromZ0(in.z0_ohm, in.er, trap);
    if (trap.Raised()) {
        out.ratio = 0.0;
        out.fault = {true, trap.Number(), model.synthesisFaultText};
    }
    out.wave = LineWaveFor(in.length_m, in.freq_hz, in.er);
    // After a fault the ratio is 0; the solved dimension then stays 0 as well.
    FaultTrap solveTrap;
    out.solved_m = model.solvesOuter ? in.fixed_m * out.ratio : solveTrap.Div(in.fixed_m, out.ratio);
    out.warnings = LineWarningsFor(model.synthesisRules, out.ratio, in.z0_ohm, in.er);
    return out;
}

} // namespace korvel
