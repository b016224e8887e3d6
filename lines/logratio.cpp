#include "logratio.h"

#include "core/cxmath.h"

namespace korvel {

double LogRatioZ0(double weight, double argument, double er, FaultTrap& trap)
{
    const double factor = trap.Div(weight, 2.0 * kPi) * trap.Sqrt(trap.Div(kMu0, kEps0));
    const double z0 = factor * trap.Log(argument) * trap.Pow(er, -0.5);
    return trap.Raised() ? 0.0 : trap.Finite(z0);
}

double LogRatioArgument(double weight, double z0, double er, FaultTrap& trap)
{
    const double exponent =
        trap.Pow(er, 0.5) * trap.Div(2.0 * kPi, weight) * z0 * trap.Sqrt(trap.Div(kEps0, kMu0));
    const double argument = trap.Pow(kE, exponent);
    return trap.Raised() ? 0.0 : argument;
}

CoaxFamilyModel CoaxLikeModel(RatioToZ0 z0FromRatio, Z0ToRatio ratioFromZ0)
{
    CoaxFamilyModel model = RndCoaxModel();
    model.z0FromRatio = z0FromRatio;
    model.ratioFromZ0 = ratioFromZ0;
    return model;
}

} // namespace korvel
