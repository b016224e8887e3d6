// Two-wire lines: a balanced pair of round wires of diameter D with centres S apart, and one
// round wire of diameter D with its centre at height S over a ground plane (the pair's lower
// half, its mirror image in the plane standing in for the other wire).
//
//     Z0 = (B / pi) eta0 ln((S - D/2) / (D/2)) / sqrt(er),   B = 1 for the pair, 1/2 over ground
//
// The argument (S - D/2)/(D/2) = 2 S/D - 1 is the distance from one wire's surface to the
// other wire's centre in wire radii. For wires far apart this agrees with the exact
// acosh(S/D) form (0.1 % low at S/D = 100); as the wires close in, the charge crowds to the
// facing sides and the formula reads low: 4 % at S/D = 5, 17 % at S/D = 2. The wire is taken
// to lie wholly in one uniform dielectric.
#pragma once

#include "lines/coax.h"

namespace korvel {
namespace parallelwires {

inline constexpr double kB = 1.0;

// Z0 of wires of diameter d with centres s apart in dielectric er.
double ParallelWireZ0(double s, double d, double er, FaultTrap& trap);
// The centre spacing S that gives z0 with wires of diameter d; the exact inverse.
double LineS(double z0, double d, double er, FaultTrap& trap);

} // namespace parallelwires

namespace wireoverground {

// Half of the pair: the same charge sees only half the voltage to the plane.
inline constexpr double kB = 0.5;

// Z0 of a wire of diameter d with its centre at height s over the plane.
double WireOverGndZ0(double s, double d, double er, FaultTrap& trap);
// The height S that gives z0 with a wire of diameter d; the exact inverse.
double LineS(double z0, double d, double er, FaultTrap& trap);

} // namespace wireoverground

// Both lines are drawn as a coax-family window over S/D: analysis takes S and D, synthesis
// keeps D and solves S.
const CoaxFamilyModel& ParallelWiresModel();
const CoaxFamilyModel& WireOverGroundModel();

} // namespace korvel
