// Slab line: a round conductor of diameter D2 midway between two parallel ground planes a
// distance D1 apart, the planes wide enough to be taken as infinite. Its image charges in the
// two planes give, for a conductor that is thin against the spacing,
//
//     Z0 = (eta0 / 2 pi) ln(4 D1 / (pi D2)) / sqrt(er)
//
// The rod itself crowds the field once it fills much of the gap: as D2 approaches D1 the true
// impedance falls towards zero while the formula stops at 60 ln(4 / pi) = 14.5 ohm, so it
// reads high there.
#pragma once

#include "lines/coax.h"
#include "core/cxmath.h"

namespace korvel {
namespace slabline {

// The two planes measured as the diameter of the equivalent round coax: 4 / pi.
inline constexpr double kA = 4.0 / kPi;

// Z0 from the ratio D1/D2 in dielectric er.
double SlabZ0(double ratio, double er, FaultTrap& trap);
// D1/D2 giving z0 in dielectric er; the exact inverse of SlabZ0.
double SlabD1D2Ratio(double z0, double er, FaultTrap& trap);

} // namespace slabline

const CoaxFamilyModel& SlabLineModel();

} // namespace korvel
