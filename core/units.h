// Engineering units and value notation: numbers are kept in SI base units inside every
// calculator; a unit code from a selector converts them, and results are shown either through
// a numeric picture ("  0.000") or as a mantissa from 1 to 1000 with an SI-prefixed unit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// ---- Numeric text ---------------------------------------------------------------------

// Formats a value with a numeric picture: "0" a digit always shown, "#" a digit shown only
// when significant, "." the decimal separator, "%" scales by 100, "E+"/"E-" (and "e+"/"e-")
// scientific notation; other characters are copied literally (the leading blanks of
// "  0.00"). Rounding is half away from zero on the value's 15-digit decimal form. A minus
// sign goes in front of the whole text. The named formats "Scientific"/"scientific"
// ("0.00E+00") and "Percent"/"percent" ("0.00%") are understood too.
std::string FormatValue(double value, std::string_view pattern);

// The default number-to-text conversion: up to 15 significant digits, no trailing zeros,
// exponent form outside 1e-5 .. 1e15 ("1.6605402E-27", "1E+300", "1E-05").
std::string NumberText(double value);

// The numeric test used by the input checks: optional surrounding blanks, an optional sign,
// digits with at most one decimal separator (at least one digit), an optional exponent.
bool IsNumericText(std::string_view text);

// The ordinary conversion of an input box's text to a double (0 when it is not numeric).
double NumberFromText(std::string_view text);

// The same numeric test and conversion with '.' as the decimal separator whatever the locale,
// for boxes that take numbers as a calculator keypad writes them; false when the text is not
// a number (nor, then, a word such as "nan" or "inf").
bool ReadPointNumber(std::string_view text, double& value);

// ---- Scientific and engineering parts -------------------------------------------------

struct SciPair {
    double mantissa = 0.0;
    int exponent = 0;
};

// (m, e) with 1 <= |m| < 10 and value = m * 10^e; values a hair below a power of ten snap up.
SciPair SciParts(double value);
// (m, e3) with e3 a multiple of 3 and 1 <= |m| < 1000.
SciPair EngParts(double value);

// Engineering display: the number before the prefixed unit (capacitance is never shown in
// millifarads but in microfarads) and the prefixed unit itself ("nH", "kOhms", "dBm").
double EngMantissa(double value, std::string_view baseUnit, bool dBm);
std::string EngUnitText(double value, std::string_view baseUnit, bool dBm);
std::string UnitLongName(std::string_view prefixedUnit, std::string_view baseUnit);
std::string SIUnitName(std::string_view baseUnit);

// The fault reporter of this module, for FaultTrap: shows "Error SV" + procedure code + "-" +
// fault number + two blanks + description, untitled, with no icon ("Error SV9-11  Division by zero").
void ReportUnitsFault(const char* code, int number);

// ---- Unit conversion -------------------------------------------------------------------

// toBase true: a value in `code` to the family's base unit; false: a base value into `code`.
// Codes are case-sensitive. An unknown code shows "System Error 101 (...)" and gives 0.
double ConvertUnit(double value, std::string_view code, bool toBase);

// Every code that ConvertUnit converts (factor and formula codes), for lists and tests.
const std::vector<std::string_view>& ConvertibleUnitCodes();

} // namespace korvel
