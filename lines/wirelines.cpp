#include "wirelines.h"

#include "logratio.h"

#include <limits>

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// eta0 B / pi is B / pi / (1 / 2 pi) = 2 B units of the coax's eta0 / 2 pi.
double WireZ0(double b, double s, double d, double er, FaultTrap& trap)
{
    const double radius = d / 2.0;
    const double argument = trap.Div(s - radius, radius);
    return trap.Raised() ? 0.0 : LogRatioZ0(2.0 * b, argument, er, trap);
}

double WireS(double b, double z0, double d, double er, FaultTrap& trap)
{
    const double radius = d / 2.0;
    const double argument = LogRatioArgument(2.0 * b, z0, er, trap);
    return trap.Raised() ? 0.0 : trap.Finite(radius + radius * argument);
}

// The window works on S/D; with D = 1 the spacing is the ratio.
template <double B>
double Z0FromRatio(double ratio, double er, FaultTrap& trap)
{
    return WireZ0(B, ratio, 1.0, er, trap);
}

template <double B>
double RatioFromZ0(double z0, double er, FaultTrap& trap)
{
    return WireS(B, z0, 1.0, er, trap);
}

CoaxFamilyModel WireModel(RatioToZ0 z0FromRatio, Z0ToRatio ratioFromZ0)
{
    return CoaxFamilyModel{
        z0FromRatio,
        ratioFromZ0,
        true,
        "Unexpected math error (C01). Combination of Er and S/D out of range.",
        "Unexpected math error (D01). Combination of Er and Z0 out of range.",
        {
            // Close wires crowd their charge onto the facing sides, which the logarithm
            // ignores; a wide spacing is harmless, so only the lower side is flagged.
            {LineQuantity::Ratio, 5.0, kInf, "Low S/D ratio ratio may affect accuracy", LineStatusLevel::Warning},
            {LineQuantity::Ratio, 2.0, kInf, "Near unity D1/D2 ratio ratio may impair accuracy",
             LineStatusLevel::Severe},
        },
        {
            // A low impedance means close wires: the same proximity error seen from Z0.
            {LineQuantity::Z0, 100.0, kInf, "Low Z0 may affect accuracy", LineStatusLevel::Warning},
            {LineQuantity::Z0, 50.0, kInf, "Extremely low Z0 may impair accuracy", LineStatusLevel::Severe},
        },
    };
}

} // namespace

double parallelwires::ParallelWireZ0(double s, double d, double er, FaultTrap& trap)
{
    return WireZ0(kB, s, d, er, trap);
}

double parallelwires::LineS(double z0, double d, double er, FaultTrap& trap) { return WireS(kB, z0, d, er, trap); }

double wireoverground::WireOverGndZ0(double s, double d, double er, FaultTrap& trap)
{
    return WireZ0(kB, s, d, er, trap);
}

double wireoverground::LineS(double z0, double d, double er, FaultTrap& trap) { return WireS(kB, z0, d, er, trap); }

const CoaxFamilyModel& ParallelWiresModel()
{
    static const CoaxFamilyModel model =
        WireModel(&Z0FromRatio<parallelwires::kB>, &RatioFromZ0<parallelwires::kB>);
    return model;
}

const CoaxFamilyModel& WireOverGroundModel()
{
    static const CoaxFamilyModel model =
        WireModel(&Z0FromRatio<wireoverground::kB>, &RatioFromZ0<wireoverground::kB>);
    return model;
}

} // namespace korvel
