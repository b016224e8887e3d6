// A designed component as it is built: either the exact computed value or the nearest
// preferred value of the tolerance series, shown as engineering mantissa and prefixed unit.
// The value later analysis uses is always the one shown, so that a rounded resistor is what
// the spread analysis sees.
#pragma once

#include <string>

namespace korvel {

struct ComponentValue {
    double kept = 0.0;          // base units (ohm, farad, henry)
    bool standard = false;      // rounded to the series
    std::string mantissa;       // standard only: "30", "4.7", "309"
    std::string unit;           // standard only: "kOhm", "pF"
};

// `tolerance` is the preference's percent (0 for the 0.1 % series).
ComponentValue KeepComponent(double exact, const char* baseUnit, bool useStandard, double tolerance);

} // namespace korvel
