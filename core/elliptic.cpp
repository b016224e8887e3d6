#include "elliptic.h"

#include "core/cxmath.h"

#include <cmath>
#include <numbers>

namespace korvel {

namespace {

// Arithmetic-geometric mean of 1 and b, 0 < b <= 1; converges quadratically.
double Agm(double b)
{
    double a = 1.0;
    for (int i = 0; i < 64 && std::fabs(a - b) > 1e-16 * a; ++i) {
        const double an = 0.5 * (a + b);
        b = std::sqrt(a * b);
        a = an;
    }
    return 0.5 * (a + b);
}

// k' = sqrt(1 - k^2), written as (1 - k)(1 + k) so that it stays accurate as k nears 1.
double Complement(double k)
{
    return std::sqrt((1.0 - k) * (1.0 + k));
}

} // namespace

double EllipticK(double k)
{
    if (!(k >= 0.0 && k < 1.0))
        return 0.0;
    // K(k) = pi / (2 AGM(1, k')). A reference value, so the full-precision pi rather than the
    // program's literal.
    return std::numbers::pi / (2.0 * Agm(Complement(k)));
}

double EllipticKRatio(double k)
{
    if (!(k > 0.0 && k < 1.0))
        return 0.0;
    // K(k) / K(k') = AGM(1, k) / AGM(1, k'): taking each mean from its own modulus keeps the
    // ratio accurate for a k so small that k' rounds to 1.
    return Agm(k) / Agm(Complement(k));
}

double HilbergSmallModulus(double qc, FaultTrap& trap)
{
    const double s = trap.Sqrt(qc);
    const double r = trap.Div(kPi, trap.Log(trap.Div(2.0 * (1.0 + s), 1.0 - s)));
    return trap.Raised() ? 0.0 : r;
}

double HilbergLargeModulus(double q, FaultTrap& trap)
{
    const double s = trap.Sqrt(q);
    const double r = trap.Log(trap.Div(2.0 * (1.0 + s), 1.0 - s)) / kPi;
    return trap.Raised() ? 0.0 : r;
}

double HilbergKRatio(double q, double qc, double branchTest, FaultTrap& trap)
{
    // The two forms meet at 1/sqrt(2) to within a few parts per million; the switch sits at
    // the rounded 0.707.
    return branchTest <= 0.707 ? HilbergSmallModulus(qc, trap) : HilbergLargeModulus(q, trap);
}

double HilbergKRatio(double q)
{
    if (!(q >= 0.0 && q < 1.0))
        return 0.0;
    FaultTrap trap;
    const double r = HilbergKRatio(q, std::sqrt((1.0 - q) * (1.0 + q)), q, trap);
    return trap.Raised() ? 0.0 : r;
}

} // namespace korvel
