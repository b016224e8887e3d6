// Complete elliptic integrals of the first kind, for the conformal maps of planar lines.
//
// A strip between coplanar grounds, or a strip between two planes, maps onto a parallel-plate
// capacitor whose aspect ratio is K(k) / K(k'), with k a modulus fixed by the geometry and
// k' = sqrt(1 - k^2) its complement. Everything here uses the modulus k (not the parameter
// m = k^2).
#pragma once

#include "core/fault.h"

namespace korvel {

// K(k) for 0 <= k < 1, by the arithmetic-geometric mean (exact to double precision; K(0) is
// pi / 2 and K grows without bound as k approaches 1). Outside that range it returns 0.
double EllipticK(double k);

// K(k) / K(k'), exact, for 0 < k < 1. It is 1 at k = 1/sqrt(2), and the ratio of the
// complement is its reciprocal. Outside that range it returns 0.
double EllipticKRatio(double k);

// Hilberg's closed forms of K(q) / K(q'), each accurate to a few parts per million on its own
// side of q = 1/sqrt(2):
//   small modulus (q up to 1/sqrt(2)): pi / ln( 2 (1 + sqrt(q')) / (1 - sqrt(q')) );
//   large modulus (q from 1/sqrt(2)):  ln( 2 (1 + sqrt(q)) / (1 - sqrt(q)) ) / pi.
// A square root or logarithm of an invalid argument, or a division by zero (q or q' so close
// to 1 that 1 - sqrt() vanishes) is recorded in `trap` and gives 0.
double HilbergSmallModulus(double qc, FaultTrap& trap);
double HilbergLargeModulus(double q, FaultTrap& trap);

// The two-branch ratio as the line models use it: the small-modulus form when `branchTest` is
// 0.707 or less, the large-modulus form otherwise. `branchTest` is normally q itself; the
// caller passes it separately because a model may choose the branch by another value.
double HilbergKRatio(double q, double qc, double branchTest, FaultTrap& trap);

// The same with the branch chosen by q and q' computed from q.
double HilbergKRatio(double q);

} // namespace korvel
