// Trough line: a round centre conductor of diameter D2 in a trough, a channel of width D1
// open at the top. Open at one side, the trough holds less field than a closed square, and the
// line behaves like a round coax whose outer diameter is 1.17 times the trough's width:
//
//     Z0 = (eta0 / 2 pi) ln(1.17 D1/D2) / sqrt(er)
//
// good while the conductor is small against the trough and the trough deep enough that the
// field does not reach its mouth.
#pragma once

#include "lines/coax.h"

namespace korvel {
namespace troughline {

// The trough measured as the diameter of the equivalent round coax.
inline constexpr double kA = 1.17;

// Z0 from the ratio D1/D2 in dielectric er.
double TroughZ0(double ratio, double er, FaultTrap& trap);
// D1/D2 giving z0 in dielectric er; the exact inverse of TroughZ0.
double TroughD1D2Ratio(double z0, double er, FaultTrap& trap);

} // namespace troughline

const CoaxFamilyModel& TroughLineModel();

} // namespace korvel
