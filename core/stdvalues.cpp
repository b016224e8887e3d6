#include "stdvalues.h"

#include "fault.h"
#include "units.h"

#include <array>
#include <cmath>

namespace korvel {
namespace {

constexpr const char* kCodeStandardValue = "6";
// StdEngMantissa (7) and StdEngUnitText (8) only hand a finite standard value to the
// engineering display, which cannot fault, so they carry no trap of their own.

// One decade of each E series (IEC 60063), closing 10 included. The three-figure series are
// not rounded geometric steps everywhere, and neither are the old two-figure ones: E24 keeps
// 2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7 and 8.2 (the geometric steps give 2.6, 2.9, 3.2, 3.5, 3.8,
// 4.2, 4.6, 8.3), and E192 has 9.20 where the geometric step gives 9.19.
constexpr std::array<double, 7> kE6 = {1.0, 1.5, 2.2, 3.3, 4.7, 6.8, 10.0};

constexpr std::array<double, 13> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3,
                                         3.9, 4.7, 5.6, 6.8, 8.2, 10.0};

constexpr std::array<double, 25> kE24 = {1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2,
                                         2.4, 2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7, 5.1,
                                         5.6, 6.2, 6.8, 7.5, 8.2, 9.1, 10.0};

constexpr std::array<double, 97> kE96 = {
    1.00, 1.02, 1.05, 1.07, 1.10, 1.13, 1.15, 1.18, 1.21, 1.24, 1.27, 1.30, 1.33, 1.37,
    1.40, 1.43, 1.47, 1.50, 1.54, 1.58, 1.62, 1.65, 1.69, 1.74, 1.78, 1.82, 1.87, 1.91,
    1.96, 2.00, 2.05, 2.10, 2.15, 2.21, 2.26, 2.32, 2.37, 2.43, 2.49, 2.55, 2.61, 2.67,
    2.74, 2.80, 2.87, 2.94, 3.01, 3.09, 3.16, 3.24, 3.32, 3.40, 3.48, 3.57, 3.65, 3.74,
    3.83, 3.92, 4.02, 4.12, 4.22, 4.32, 4.42, 4.53, 4.64, 4.75, 4.87, 4.99, 5.11, 5.23,
    5.36, 5.49, 5.62, 5.76, 5.90, 6.04, 6.19, 6.34, 6.49, 6.65, 6.81, 6.98, 7.15, 7.32,
    7.50, 7.68, 7.87, 8.06, 8.25, 8.45, 8.66, 8.87, 9.09, 9.31, 9.53, 9.76, 10.0,
};

constexpr std::array<double, 193> kE192 = {
    1.00, 1.01, 1.02, 1.04, 1.05, 1.06, 1.07, 1.09, 1.10, 1.11, 1.13, 1.14, 1.15, 1.17,
    1.18, 1.20, 1.21, 1.23, 1.24, 1.26, 1.27, 1.29, 1.30, 1.32, 1.33, 1.35, 1.37, 1.38,
    1.40, 1.42, 1.43, 1.45, 1.47, 1.49, 1.50, 1.52, 1.54, 1.56, 1.58, 1.60, 1.62, 1.64,
    1.65, 1.67, 1.69, 1.72, 1.74, 1.76, 1.78, 1.80, 1.82, 1.84, 1.87, 1.89, 1.91, 1.93,
    1.96, 1.98, 2.00, 2.03, 2.05, 2.08, 2.10, 2.13, 2.15, 2.18, 2.21, 2.23, 2.26, 2.29,
    2.32, 2.34, 2.37, 2.40, 2.43, 2.46, 2.49, 2.52, 2.55, 2.58, 2.61, 2.64, 2.67, 2.71,
    2.74, 2.77, 2.80, 2.84, 2.87, 2.91, 2.94, 2.98, 3.01, 3.05, 3.09, 3.12, 3.16, 3.20,
    3.24, 3.28, 3.32, 3.36, 3.40, 3.44, 3.48, 3.52, 3.57, 3.61, 3.65, 3.70, 3.74, 3.79,
    3.83, 3.88, 3.92, 3.97, 4.02, 4.07, 4.12, 4.17, 4.22, 4.27, 4.32, 4.37, 4.42, 4.48,
    4.53, 4.59, 4.64, 4.70, 4.75, 4.81, 4.87, 4.93, 4.99, 5.05, 5.11, 5.17, 5.23, 5.30,
    5.36, 5.42, 5.49, 5.56, 5.62, 5.69, 5.76, 5.83, 5.90, 5.97, 6.04, 6.12, 6.19, 6.26,
    6.34, 6.42, 6.49, 6.57, 6.65, 6.73, 6.81, 6.90, 6.98, 7.06, 7.15, 7.23, 7.32, 7.41,
    7.50, 7.59, 7.68, 7.77, 7.87, 7.96, 8.06, 8.16, 8.25, 8.35, 8.45, 8.56, 8.66, 8.76,
    8.87, 8.98, 9.09, 9.20, 9.31, 9.42, 9.53, 9.65, 9.76, 9.88, 10.0,
};

// mantissa x 10^exponent. Powers of ten up to 1e22 are exact doubles, so 4.3 x 10^3 is exactly
// 4300 and dividing by 10^2 gives the double nearest 0.043 (multiplying by the inexact 0.01
// might not). Beyond that range the power itself is rounded anyway.
double Scale(double mantissa, int exponent)
{
    if (exponent < 0 && exponent >= -22)
        return mantissa / std::pow(10.0, -exponent);
    return mantissa * std::pow(10.0, exponent);
}

} // namespace

std::span<const double> StandardSeries(double tolerance)
{
    if (tolerance == 0)
        return kE192;
    if (tolerance == 1)
        return kE96;
    if (tolerance == 5)
        return kE24;
    if (tolerance == 10)
        return kE12;
    if (tolerance == 20)
        return kE6;
    return {};
}

double StandardValue(double value, double tolerance)
{
    FaultTrap trap(kCodeStandardValue, ReportUnitsFault);
    const SciPair sci = SciParts(value);
    if (sci.mantissa == 0.0)
        return 0.0;
    const std::span<const double> t = StandardSeries(tolerance);
    if (t.empty())
        return 0.0;

    // The boundaries between neighbours are arithmetic means, and a mantissa exactly on one
    // goes to the larger neighbour. Find the first boundary above the mantissa; the entry
    // below that boundary is the nearest. (Negative mantissas lie below every boundary.)
    // Both the table and the mantissa are decimal numbers held in binary: a typed 1.7 and the
    // binary mean of 1.6 and 1.8 can differ in the last bit, so a mantissa within kSlack of a
    // boundary counts as on it. The mantissa has 15 significant digits, far finer than that.
    constexpr double kSlack = 1e-12;
    const std::size_t last = t.size() - 1;
    std::size_t lo = 0;
    std::size_t hi = last; // boundaries 0 .. last-1; "hi == last" means none is above
    while (lo < hi) {
        const std::size_t k = lo + (hi - lo) / 2;
        const double mid = (t[k] + t[k + 1]) * 0.5;
        if (sci.mantissa < mid - kSlack)
            hi = k;
        else
            lo = k + 1;
    }
    return trap.Finite(Scale(t[lo], sci.exponent));
}

double StdEngMantissa(double value, std::string_view baseUnit, double tolerance, bool dBm)
{
    return EngMantissa(StandardValue(value, tolerance), baseUnit, dBm);
}

std::string StdEngUnitText(double value, std::string_view baseUnit, double tolerance, bool dBm)
{
    return EngUnitText(StandardValue(value, tolerance), baseUnit, dBm);
}

} // namespace korvel
