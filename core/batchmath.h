// The natural logarithm, the quadrant angle, sine and cosine, written for loops over a
// million points.
//
// The C library's functions are called one value at a time, and the curves and the
// interpolation of a large Touchstone file spend most of their time in them. These are
// straight-line code (no table, no branch, no call), so a compiler runs them on several
// values at once. Each stays within a few units in the last place of the one-value function
// it stands for; the tests hold each to its bound over the whole range of doubles.
#pragma once

#include "cxmath.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

// A function holding loops over these is compiled once per instruction set, and the fastest
// one the processor has is picked when the program starts. The files holding such loops are
// built without errno, floating-point traps or fused multiply-adds (see their build rules), so
// every clone gives the same results.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define KORVEL_BATCH_LOOPS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define KORVEL_BATCH_LOOPS
#endif

namespace korvel {

// c[0] + x·(c[1] + x·(c[2] + ...)): Horner's rule over a fixed list, which the compiler
// unrolls into straight-line code.
template <std::size_t N>
constexpr double Polynomial(double x, const double (&c)[N])
{
    double p = c[N - 1];
    for (std::size_t i = N - 1; i-- > 0;)
        p = p * x + c[i];
    return p;
}

// ln x for 0 < x < infinity, subnormals included, within 2 units in the last place of
// std::log. Any other argument gives an unspecified value: callers choose their own result
// for those.
inline double BatchLn(double x)
{
    // A subnormal is lifted into the normal range, and the exponent corrected afterwards.
    const bool tiny = x < 0x1p-1000;
    x = tiny ? x * 0x1p200 : x;
    // x = 2^k · z with z in [√½, √2): subtracting the bits of √½ leaves k in the exponent
    // field, and taking k back out of x's exponent gives z.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const std::uint64_t shifted = bits - 0x3fe6a09e667f3bcdull;
    // k itself is turned into a double through the bits of 1.5·2⁵², which every vector unit
    // can do with an integer add (a direct conversion of 64-bit integers is rarer).
    const std::uint64_t kBits = 0x4338000000000000ull + static_cast<std::uint64_t>(static_cast<std::int64_t>(shifted) >> 52);
    const double k = (std::bit_cast<double>(kBits) - 0x1.8p52) - (tiny ? 200.0 : 0.0);
    const double z = std::bit_cast<double>(bits - (shifted & (0xfffull << 52)));
    // ln z = 2·atanh(s) = 2s + 2s·s²·Q(s²) with s = (z − 1)/(z + 1), |s| ≤ 0.1716. Q is the
    // polynomial interpolating (atanh(s)/s − 1)/s² at the Chebyshev points of s² ≤ 0.0295
    // (worked out to 60 digits); on that range it is as close as double precision allows.
    const double s = (z - 1.0) / (z + 1.0);
    const double s2 = s * s;
    constexpr double kQ[] = {0x1.5555555555558p-2, 0x1.99999999952e2p-3, 0x1.2492492df148dp-3, 0x1.c71c62e5800a1p-4,
                             0x1.7462b4ab2ef6bp-4, 0x1.39fe606542ddep-4, 0x1.2b584aae78a57p-4};
    const double p = Polynomial(s2, kQ);
    const double lnz = 2.0 * s + 2.0 * s * (s2 * p);
    // ln 2 in two parts: k times the first is exact for every k a double can have.
    constexpr double kLn2High = 0x1.62e42fefa3800p-1;
    constexpr double kLn2Low = 0x1.ef35793c76730p-45;
    return k * kLn2High + (lnz + k * kLn2Low);
}

// The angle of the point (x, y) in radians, formed as Atan2 forms it: atan(y/x) on the right
// half-plane, moved by the program's π (kPi) on the left, kPi/2 on the imaginary axis, kPi on
// the negative real axis whatever the sign of its zero, and 0 at the origin. Within 3 units in
// the last place of Atan2, whose own atan and division add up to one or two of those.
inline double BatchAtan2(double y, double x)
{
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    const bool steep = ay > ax;
    const double num = steep ? ax : ay;
    const double den = steep ? ay : ax;
    // atan(|y/x|) is folded into [0, π/4] with the tangent t = num/den. Above tan(π/8) it is
    // taken as π/4 plus atan((t − 1)/(t + 1)) = atan((num − den)/(num + den)), so that
    // atan u = u − u·u²·P(u²) is needed for |u| ≤ tan(π/8) only. One division serves both
    // cases; at the origin it gives NaN, which the choice of the imaginary-axis value below
    // leaves unused. P interpolates (1 − atan(u)/u)/u² at the Chebyshev points of
    // u² ≤ tan²(π/8) (worked out to 60 digits); on that range it is as close as double
    // precision allows.
    const bool upper = num > 0.41421356237309503 * den;
    const double u = (upper ? num - den : num) / (upper ? num + den : den);
    const double u2 = u * u;
    constexpr double kP[] = {0x1.5555555555555p-2,  -0x1.999999999934cp-3, 0x1.2492492436201p-3,
                             -0x1.c71c71853d7fap-4, 0x1.745d0b28a7e37p-4,  -0x1.3b1263064f6b9p-4,
                             0x1.10fa77b1a6d57p-4,  -0x1.dfe6497e96323p-5, 0x1.a0999c632b6edp-5,
                             -0x1.4162c02b1dda3p-5, 0x1.3a31b1c0fd3b7p-6};
    const double p = Polynomial(u2, kP);
    const double atanU = u - u * (u2 * p);
    // π/4 and π/2 in two parts each, so that their own rounding does not add to the result's.
    constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
    constexpr double kQuarterPiLow = 0x1.1a62633145c07p-55;
    constexpr double kHalfPi = 0x1.921fb54442d18p+0;
    constexpr double kHalfPiLow = 0x1.1a62633145c07p-54;
    double a = upper ? kQuarterPi + (atanU + kQuarterPiLow) : atanU;
    a = steep ? kHalfPi + (kHalfPiLow - a) : a;
    // atan(y/x) carries the sign of y/x.
    const double ratioAngle = (x < 0.0) != (y < 0.0) ? -a : a;
    const double left = y > 0.0 ? kPi + ratioAngle : y < 0.0 ? -kPi + ratioAngle : kPi;
    const double axis = y > 0.0 ? kPi / 2.0 : y < 0.0 ? -kPi / 2.0 : 0.0;
    return x > 0.0 ? ratioAngle : x < 0.0 ? left : axis;
}

// sin a and cos a, for the angles of polar data (a few turns at most), each within two units
// in the last place of 1 of the C library's values.
inline void BatchSinCos(double a, double& sine, double& cosine)
{
    // a = q·π/2 + r with |r| ≤ π/4. Adding 1.5·2⁵² rounds a·2/π to the nearest integer and
    // leaves that integer in the low bits; π/2 in two parts keeps r exact to far below an ulp.
    constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
    constexpr double kHalfPiHigh = 0x1.921fb54400000p+0;   // 33 bits: q times it is exact
    constexpr double kHalfPiLow = 0x1.0b4611a626331p-34;
    constexpr double kRound = 0x1.8p52;
    const double shifted = a * kTwoOverPi + kRound;
    const double q = shifted - kRound;
    const auto quadrant = std::bit_cast<std::uint64_t>(shifted);
    const double r = (a - q * kHalfPiHigh) - q * kHalfPiLow;
    const double r2 = r * r;
    // Taylor series to r¹⁹ and r¹⁸: the next terms lie below 1e-21 for |r| ≤ π/4.
    constexpr double kSine[] = {-1.0 / 6.0,           1.0 / 120.0,           -1.0 / 5040.0,
                                1.0 / 362880.0,       -1.0 / 39916800.0,     1.0 / 6227020800.0,
                                -1.0 / 1307674368000.0, 1.0 / 355687428096000.0, -1.0 / 121645100408832000.0};
    constexpr double kCosine[] = {-1.0 / 24.0,       1.0 / 720.0,            -1.0 / 40320.0,
                                  1.0 / 3628800.0,   -1.0 / 479001600.0,     1.0 / 87178291200.0,
                                  -1.0 / 20922789888000.0, 1.0 / 6402373705728000.0};
    const double s = r + r * (r2 * Polynomial(r2, kSine));
    const double c = 1.0 - 0.5 * r2 + r2 * (r2 * -Polynomial(r2, kCosine));
    // Quadrant q mod 4: 1 swaps sine and cosine, 2 and 3 negate the sine, 1 and 2 the cosine.
    const bool swap = (quadrant & 1) != 0;
    const bool negateSine = (quadrant & 2) != 0;
    const bool negateCosine = ((quadrant + 1) & 2) != 0;
    const double sq = swap ? c : s;
    const double cq = swap ? s : c;
    sine = negateSine ? -sq : sq;
    cosine = negateCosine ? -cq : cq;
}

// (m, angle in degrees) to rectangular form, as CxFromPolarDeg forms it: the angle taken with
// the program's π, no direction for a zero magnitude, a negative magnitude turned round by
// half a turn, and whole turns removed before the sine and cosine.
inline void BatchPolarDeg(double m, double degrees, double& re, double& im)
{
    double a = degrees * kPi / 180.0;
    a = m == 0.0 ? 0.0 : a;
    a = m < 0.0 ? a + kPi : a;
    m = std::fabs(m);
    const double turns = std::trunc(a / (2.0 * kPi));
    a = std::fabs(a) > 2.0 * kPi ? a - 2.0 * kPi * turns : a;
    double s = 0.0;
    double c = 0.0;
    BatchSinCos(a, s, c);
    re = m * c;
    im = m * s;
}

} // namespace korvel
