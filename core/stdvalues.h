// Standard (preferred) component values of the IEC 60063 E series.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvel {

// The decade table of the series a tolerance selects, closing 10 included:
// 0 -> E192, 1 -> E96, 5 -> E24, 10 -> E12, 20 -> E6; any other tolerance -> empty.
std::span<const double> StandardSeries(double tolerance);

// The nearest standard value; midpoints are arithmetic means and a value exactly on a
// midpoint rounds up. 0 for a tolerance that selects no series.
double StandardValue(double value, double tolerance);
double StdEngMantissa(double value, std::string_view baseUnit, double tolerance, bool dBm);
std::string StdEngUnitText(double value, std::string_view baseUnit, double tolerance, bool dBm);

} // namespace korvel
