// The standard component value nearest to a typed value, in the series a tolerance selects,
// and how far it lies from the typed value.
#pragma once

#include <string>

namespace korvel {

struct StandardValueInputs {
    double value = 0.0;             // in the base unit
    std::string baseUnit = "Ohm";   // "Ohm", "F" or "H"
    double tolerance = 5.0;         // percent: 0 (0.1 % series), 1, 5, 10 or 20
};

struct StandardValueResult {
    double mantissa = 0.0;          // of the standard value, 1 to 1000 before its prefixed unit
    std::string unit;               // the prefixed unit, "kOhm"
    std::string unitName;           // spelled out, "kilohm"
    double standard = 0.0;          // the standard value back in the base unit
    double delta = 0.0;             // typed minus standard, base unit
    double deltaFraction = 0.0;     // delta relative to the typed value
    bool fault = false;             // no standard value could be formed
};

StandardValueResult CalcStandardValue(const StandardValueInputs& in);

} // namespace korvel
