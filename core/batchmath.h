// The natural logarithm and the quadrant angle, written for loops over a million points.
//
// The C library's log and atan2 are called one value at a time, and a curve of a large
// Touchstone file spends most of its time in them. These are straight-line code (no table,
// no branch, no call), so a compiler runs them on several values at once. Both stay within
// a few units in the last place of the C library's results; the tests hold them to it over
// the whole range of doubles.
#pragma once

#include "cxmath.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvel {

// ln x for 0 < x < infinity, subnormals included. Any other argument gives an unspecified
// finite value or NaN: callers choose their own result for those.
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
    // ln z = 2·atanh(s) = 2(s + s³/3 + s⁵/5 + ...) with s = (z − 1)/(z + 1), |s| ≤ 0.1716;
    // the terms up to s²¹ reach below half a unit in the last place.
    const double s = (z - 1.0) / (z + 1.0);
    const double s2 = s * s;
    double p = 1.0 / 21.0;
    p = p * s2 + 1.0 / 19.0;
    p = p * s2 + 1.0 / 17.0;
    p = p * s2 + 1.0 / 15.0;
    p = p * s2 + 1.0 / 13.0;
    p = p * s2 + 1.0 / 11.0;
    p = p * s2 + 1.0 / 9.0;
    p = p * s2 + 1.0 / 7.0;
    p = p * s2 + 1.0 / 5.0;
    p = p * s2 + 1.0 / 3.0;
    const double lnz = 2.0 * s + 2.0 * s * (s2 * p);
    // ln 2 in two parts: k times the first is exact for every k a double can have.
    constexpr double kLn2High = 0x1.62e42fefa3800p-1;
    constexpr double kLn2Low = 0x1.ef35793c76730p-45;
    return k * kLn2High + (lnz + k * kLn2Low);
}

// The angle of the point (x, y) in radians, formed as Atan2 forms it: atan(y/x) on the right
// half-plane, moved by the program's π (kPi) on the left, kPi/2 on the imaginary axis, kPi on
// the negative real axis whatever the sign of its zero, and 0 at the origin.
inline double BatchAtan2(double y, double x)
{
    constexpr double kTruePi = 3.14159265358979323846;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    const bool steep = ay > ax;
    const double num = steep ? ax : ay;
    const double den = steep ? ay : ax;
    // atan(|y/x|) is folded into [0, π/4] with the tangent t = num/den. Above tan(π/8) it is
    // taken as π/4 plus atan((t − 1)/(t + 1)) = atan((num − den)/(num + den)), so that the
    // series below runs on |u| ≤ tan(π/8) and its terms up to u⁴¹ reach half a unit in the
    // last place. One division serves both cases; the origin divides 0 by 0 and gets 0.
    const bool upper = num > 0.41421356237309503 * den;
    const double q = upper ? (num - den) / (num + den) : num / den;
    const double u = den > 0.0 ? q : 0.0;
    const double u2 = u * u;
    double p = -1.0 / 41.0;
    p = p * u2 + 1.0 / 39.0;
    p = p * u2 - 1.0 / 37.0;
    p = p * u2 + 1.0 / 35.0;
    p = p * u2 - 1.0 / 33.0;
    p = p * u2 + 1.0 / 31.0;
    p = p * u2 - 1.0 / 29.0;
    p = p * u2 + 1.0 / 27.0;
    p = p * u2 - 1.0 / 25.0;
    p = p * u2 + 1.0 / 23.0;
    p = p * u2 - 1.0 / 21.0;
    p = p * u2 + 1.0 / 19.0;
    p = p * u2 - 1.0 / 17.0;
    p = p * u2 + 1.0 / 15.0;
    p = p * u2 - 1.0 / 13.0;
    p = p * u2 + 1.0 / 11.0;
    p = p * u2 - 1.0 / 9.0;
    p = p * u2 + 1.0 / 7.0;
    p = p * u2 - 1.0 / 5.0;
    p = p * u2 + 1.0 / 3.0;
    const double atanU = u - u * (u2 * p);
    double a = upper ? kTruePi / 4.0 + atanU : atanU;
    a = steep ? kTruePi / 2.0 - a : a;
    // atan(y/x) carries the sign of y/x.
    const double ratioAngle = (x < 0.0) != (y < 0.0) ? -a : a;
    const double left = y > 0.0 ? kPi + ratioAngle : y < 0.0 ? -kPi + ratioAngle : kPi;
    const double axis = y > 0.0 ? kPi / 2.0 : y < 0.0 ? -kPi / 2.0 : 0.0;
    return x > 0.0 ? ratioAngle : x < 0.0 ? left : axis;
}

} // namespace korvel
