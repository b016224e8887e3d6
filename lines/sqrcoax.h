// Square coax: a round centre conductor of diameter D2 in the middle of a square outer
// conductor of inside width D1. The square's corners hold little field, so the line behaves
// like a round coax slightly larger than the inscribed circle:
//
//     Z0 = (eta0 / 2 pi) ln(1.0787 D1/D2) / sqrt(er)
//
// which is close to the exact conformal-map result while the centre conductor is small
// against the square (D1/D2 above about 1.3) and drifts as it nears the walls.
#pragma once

#include "lines/coax.h"

namespace korvel {
namespace sqrcoax {

// The square measured as the diameter of the equivalent round coax.
inline constexpr double kA = 1.0787;

// Z0 from the ratio D1/D2 in dielectric er.
double CoaxZ0(double ratio, double er, FaultTrap& trap);
// D1/D2 giving z0 in dielectric er; the exact inverse of CoaxZ0.
double CoaxD1D2Ratio(double z0, double er, FaultTrap& trap);

} // namespace sqrcoax

const CoaxFamilyModel& SqrCoaxModel();

} // namespace korvel
