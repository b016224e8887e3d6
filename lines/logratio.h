// TEM lines whose impedance is the logarithm of one geometric ratio: a round conductor inside
// a square, between two planes or in a trough, and the two-wire lines. For all of them
//
//     Z0 = w (eta0 / 2 pi) ln(x) / sqrt(er)
//
// with x a function of the dimensions and w the number of such "coax units" in series (1 for
// a conductor in a screen, 2 for a balanced pair of wires). The inverse is closed-form, so
// synthesis is exact and needs no iteration.
//
// Plain C++ in SI units; a fault (logarithm of a non-positive argument, a negative er, an
// overflow) is recorded in the trap and the function returns 0.
#pragma once

#include "lines/coax.h"

namespace korvel {

// Z0 = weight (eta0 / 2 pi) ln(argument) er^-0.5, eta0 = sqrt(mu0 / eps0) with the program's
// constants (eta0 / 2 pi = 59.9584916 ohm).
double LogRatioZ0(double weight, double argument, double er, FaultTrap& trap);

// The argument of the logarithm that gives `z0`: e ^ (er^0.5 (2 pi / weight) z0 sqrt(eps0 / mu0)),
// the power taken of the program's decimal e so that it is the exact inverse of LogRatioZ0.
double LogRatioArgument(double weight, double z0, double er, FaultTrap& trap);

using RatioToZ0 = double (*)(double ratio, double er, FaultTrap& trap);
using Z0ToRatio = double (*)(double z0, double er, FaultTrap& trap);

// A conductor of diameter D2 in an outer conductor of size D1 that is not round: the same
// limits of accuracy, warning texts and fault texts as the round coax, only the formula pair
// differs.
CoaxFamilyModel CoaxLikeModel(RatioToZ0 z0FromRatio, Z0ToRatio ratioFromZ0);

// A round rod in a screen that acts as a round coax of outer diameter A D1:
// Z0 = (eta0 / 2 pi) ln(A D1/D2) / sqrt(er), and its exact inverse.
template <double A>
double ScreenedRodZ0(double ratio, double er, FaultTrap& trap)
{
    return LogRatioZ0(1.0, A * ratio, er, trap);
}

template <double A>
double ScreenedRodRatio(double z0, double er, FaultTrap& trap)
{
    return trap.Div(LogRatioArgument(1.0, z0, er, trap), A);
}

} // namespace korvel
