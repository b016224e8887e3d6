#include "units.h"

#include "cxmath.h"
#include "fault.h"
#include "notifier.h"
#include "settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace korvel {

void ReportUnitsFault(const char* code, int number)
{
    ShowMessage("", std::string("Error SV") + code + "-" + FaultTail(number), MsgIcon::None);
}

namespace {

// Procedure codes of this module in its fault messages. EngMantissa (2), EngUnitText (3),
// UnitLongName (4) and SIUnitName (5) only scale a finite mantissa by at most 1000 and look up
// tables, so nothing in them can fault at run time and they carry no trap.
constexpr const char* kCodeFormatValue = "0";
constexpr const char* kCodeConvertUnit = "9";
// SciParts belongs to the math module and reports under its rule; EngParts (04) only scales
// the finite SciParts mantissa by 1, 10 or 100 and cannot fault.
constexpr const char* kCodeSciParts = "03";

std::string_view DecimalSeparator()
{
    const std::string& sep = Settings().decimalSeparator;
    return sep.empty() ? std::string_view(".") : std::string_view(sep);
}

// ---- The 15-digit decimal form ----------------------------------------------------------
//
// Doubles carry 15 to 17 significant decimal digits, but the numeric picture formatter of the
// classic run time works on the value's 15-digit decimal form and rounds that half away from
// zero. That is why 2.675 (stored as 2.67499999999999982...) still shows as 2.68 with "0.00":
// its 15-digit form is 2.67500000000000.

constexpr int kSigDigits = 15;

struct DecimalForm {
    std::array<char, kSigDigits> digit{}; // '0'..'9'; digit[0] is the leading digit
    int exp10 = 0;                        // the power of ten of digit[0]
    bool zero = true;
};

DecimalForm ToDecimalForm(double magnitude)
{
    DecimalForm d;
    d.digit.fill('0');
    if (magnitude == 0.0)
        return d;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   kSigDigits - 1);
    // "d.dddddddddddddde+XX"
    const char* p = buf;
    d.digit[0] = *p++;
    ++p; // the point
    for (int i = 1; i < kSigDigits; ++i)
        d.digit[i] = *p++;
    ++p; // 'e'
    int exp = 0;
    const char* expBegin = (*p == '+') ? p + 1 : p;
    std::from_chars(expBegin, res.ptr, exp);
    d.exp10 = exp;
    d.zero = false;
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero on the decimal digits.
void RoundToDigits(DecimalForm& d, int keep)
{
    if (d.zero || keep >= kSigDigits)
        return;
    if (keep < 0) {
        d = DecimalForm{};
        d.digit.fill('0');
        return;
    }
    const bool up = d.digit[keep] >= '5';
    for (int i = keep; i < kSigDigits; ++i)
        d.digit[i] = '0';
    if (!up) {
        if (keep == 0) {
            d = DecimalForm{};
            d.digit.fill('0');
        }
        return;
    }
    int i = keep - 1;
    while (i >= 0 && d.digit[i] == '9') {
        d.digit[i] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digit[i];
    } else {
        // Carried out of the leading digit (9.995 -> 10.00), or rounded up from below the
        // kept range (keep == 0): the value becomes the next power of ten.
        d.digit.fill('0');
        d.digit[0] = '1';
        d.exp10 += 1;
    }
}

// The digit standing at the place 10^place.
char DigitAt(const DecimalForm& d, int place)
{
    if (d.zero)
        return '0';
    const int index = d.exp10 - place;
    return (index >= 0 && index < kSigDigits) ? d.digit[index] : '0';
}

// ---- Numeric pictures -------------------------------------------------------------------

struct Picture {
    std::size_t prefixEnd = 0; // [0, prefixEnd) literal text before the number
    std::size_t suffixBegin = 0;
    int intPlaces = 0;  // digit placeholders before the point
    int intZeros = 0;   // integer digits always shown (from the first "0" to the point)
    bool grouping = false;
    bool point = false;
    int fracPlaces = 0;
    int fracZeros = 0;  // fraction digits always shown (up to the last "0")
    bool sci = false;
    char expLetter = 'E';
    char expSign = '+';
    int expZeros = 0;   // minimum exponent digits
    bool percent = false;
};

// Skips one literal token at i (a quoted text, an escaped character or a plain character).
std::size_t SkipLiteral(std::string_view pat, std::size_t i)
{
    if (pat[i] == '\\')
        return std::min(pat.size(), i + 2);
    if (pat[i] == '"') {
        const std::size_t close = pat.find('"', i + 1);
        return close == std::string_view::npos ? pat.size() : close + 1;
    }
    return i + 1;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

Picture ParsePicture(std::string_view pat)
{
    Picture p;
    const std::size_t n = pat.size();
    std::size_t i = 0;
    while (i < n && !IsPlaceholder(pat[i]) && pat[i] != '.') {
        if (pat[i] == '%')
            p.percent = true;
        i = SkipLiteral(pat, i);
    }
    p.prefixEnd = i;

    int firstZero = -1;
    while (i < n && (IsPlaceholder(pat[i]) || pat[i] == ',')) {
        if (pat[i] == ',') {
            p.grouping = true;
        } else {
            if (pat[i] == '0' && firstZero < 0)
                firstZero = p.intPlaces;
            ++p.intPlaces;
        }
        ++i;
    }
    p.intZeros = firstZero < 0 ? 0 : p.intPlaces - firstZero;

    if (i < n && pat[i] == '.') {
        p.point = true;
        ++i;
        while (i < n && IsPlaceholder(pat[i])) {
            ++p.fracPlaces;
            if (pat[i] == '0')
                p.fracZeros = p.fracPlaces;
            ++i;
        }
    }

    const bool anyPlaceholder = p.intPlaces > 0 || p.fracPlaces > 0;
    if (anyPlaceholder && i + 1 < n && (pat[i] == 'E' || pat[i] == 'e')
        && (pat[i + 1] == '+' || pat[i + 1] == '-')) {
        p.sci = true;
        p.expLetter = pat[i];
        p.expSign = pat[i + 1];
        i += 2;
        while (i < n && IsPlaceholder(pat[i])) {
            if (pat[i] == '0')
                ++p.expZeros;
            ++i;
        }
    }
    p.suffixBegin = i;
    for (std::size_t j = i; j < n; j = SkipLiteral(pat, j)) {
        if (pat[j] == '%')
            p.percent = true;
    }
    return p;
}

void AppendLiteral(std::string& out, std::string_view pat, std::size_t begin, std::size_t end)
{
    std::size_t i = begin;
    while (i < end) {
        const char c = pat[i];
        if (c == '\\') {
            if (i + 1 < end)
                out += pat[i + 1];
            i += 2;
        } else if (c == '"') {
            const std::size_t close = pat.find('"', i + 1);
            const std::size_t stop = (close == std::string_view::npos || close > end) ? end : close;
            out.append(pat.substr(i + 1, stop - i - 1));
            i = stop + 1;
        } else {
            out += c;
            ++i;
        }
    }
}

// The integer digits of the places 10^(count-1) .. 10^0, with thousands grouping if asked.
void AppendIntegerDigits(std::string& out, const DecimalForm& d, int count, bool grouping)
{
    for (int place = count - 1; place >= 0; --place) {
        out += DigitAt(d, place);
        if (grouping && place > 0 && place % 3 == 0)
            out += Settings().groupSeparator;
    }
}

std::string_view ExpandNamedFormat(std::string_view pattern)
{
    if (pattern == "Scientific" || pattern == "scientific")
        return "0.00E+00";
    if (pattern == "Percent" || pattern == "percent")
        return "0.00%";
    return pattern;
}

void AppendFixed(std::string& out, const Picture& p, DecimalForm& d)
{
    RoundToDigits(d, d.exp10 + 1 + p.fracPlaces);
    const int significantInt = d.zero || d.exp10 < 0 ? 0 : d.exp10 + 1;
    AppendIntegerDigits(out, d, std::max(significantInt, p.intZeros), p.grouping);
    if (!p.point)
        return;
    out.append(DecimalSeparator());
    int shown = p.fracZeros;
    for (int k = p.fracPlaces; k > shown; --k) {
        if (DigitAt(d, -k) != '0') {
            shown = k;
            break;
        }
    }
    for (int k = 1; k <= shown; ++k)
        out += DigitAt(d, -k);
}

void AppendScientific(std::string& out, const Picture& p, DecimalForm& d)
{
    // The mantissa carries intPlaces digits before the point (none for ".00E+00").
    const int lead = p.intPlaces;
    RoundToDigits(d, lead + p.fracPlaces);
    int exponent = 0;
    if (!d.zero)
        exponent = lead > 0 ? d.exp10 - (lead - 1) : d.exp10 + 1;

    if (d.zero) {
        for (int k = 0; k < p.intZeros; ++k)
            out += '0';
    } else {
        for (int k = 0; k < lead; ++k)
            out += k < kSigDigits ? d.digit[k] : '0';
    }
    if (p.point) {
        out.append(DecimalSeparator());
        int shown = p.fracZeros;
        for (int k = p.fracPlaces; k > shown; --k) {
            const int index = lead + k - 1;
            if (!d.zero && index < kSigDigits && d.digit[index] != '0') {
                shown = k;
                break;
            }
        }
        for (int k = 1; k <= shown; ++k) {
            const int index = lead + k - 1;
            out += (!d.zero && index < kSigDigits) ? d.digit[index] : '0';
        }
    }

    out += p.expLetter;
    if (exponent < 0)
        out += '-';
    else if (p.expSign == '+')
        out += '+';
    if (exponent == 0 && p.expZeros == 0)
        return; // a bare "E+" writes no digits for the exponent 0
    char buf[12];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::abs(exponent));
    const int digits = static_cast<int>(res.ptr - buf);
    for (int k = digits; k < p.expZeros; ++k)
        out += '0';
    out.append(buf, res.ptr);
}

// The long mantissa picture of SciParts: 15 significant digits at most, no trailing zeros.
constexpr std::string_view kSciPartsPattern = "#.#########################################E+";

// Whether text starts with [-]<first><sep><rest repeated 14 times>.
bool StartsWithMantissa(std::string_view text, bool negative, char first, char rest)
{
    std::size_t i = 0;
    if (negative) {
        if (text.empty() || text[0] != '-')
            return false;
        i = 1;
    }
    if (i >= text.size() || text[i] != first)
        return false;
    ++i;
    const std::string_view sep = DecimalSeparator();
    if (text.substr(i, sep.size()) != sep)
        return false;
    i += sep.size();
    for (int k = 0; k < kSigDigits - 1; ++k, ++i) {
        if (i >= text.size() || text[i] != rest)
            return false;
    }
    return true;
}

// ---- Numeric text -----------------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a number in the input-box syntax with `sep` as the decimal separator; false when the
// text is not one or the value is beyond the double range (an underflow reads as 0).
bool ParseNumber(std::string_view text, std::string_view sep, double& value)
{
    value = 0.0;
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    text = text.substr(b, e - b);
    if (text.empty())
        return false;

    std::string plain; // the text with '.' as separator and without a '+' sign, for from_chars
    plain.reserve(text.size());
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        if (text[0] == '-')
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSep = false;
    while (i < text.size()) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            plain += c;
            ++mantissaDigits;
            ++i;
        } else if (!seenSep && text.substr(i, sep.size()) == sep) {
            plain += '.';
            seenSep = true;
            i += sep.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    bool negativeExponent = false;
    if (i < text.size()) {
        if (text[i] != 'E' && text[i] != 'e')
            return false;
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            if (negativeExponent)
                plain += '-';
            ++i;
        }
        int exponentDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            plain += text[i];
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0 || i != text.size())
            return false;
    }

    double v = 0.0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        if (!negativeExponent)
            return false; // too large for a double
        v = 0.0;          // too small: reads as zero
    } else if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) {
        return false;
    }
    value = v;
    return true;
}

// ---- SI prefixes and unit names ----------------------------------------------------------

struct Prefix {
    int exponent;
    std::string_view letter;
    std::string_view word;
};

constexpr Prefix kPrefixes[] = {
    {-24, "y", "yocto"}, {-21, "z", "zepto"}, {-18, "a", "atto"}, {-15, "f", "femto"},
    {-12, "p", "pico"},  {-9, "n", "nano"},   {-6, "u", "micro"}, {-3, "m", "milli"},
    {-2, "c", "centi"},  {-1, "d", "deci"},   {0, "", ""},        {1, "D", "deka"},
    {2, "h", "hecto"},   {3, "k", "kilo"},    {6, "M", "mega"},   {9, "G", "giga"},
    {12, "T", "tera"},   {15, "P", "peta"},   {18, "E", "exa"},   {21, "Z", "zetta"},
    {24, "Y", "yotta"},
};

const Prefix* PrefixOfExponent(int exponent)
{
    for (const Prefix& p : kPrefixes) {
        if (p.exponent == exponent)
            return &p;
    }
    return nullptr;
}

const Prefix* PrefixOfLetter(std::string_view letter)
{
    for (const Prefix& p : kPrefixes) {
        if (p.letter == letter)
            return &p;
    }
    return nullptr;
}

struct SIName {
    std::string_view code;
    std::string_view name;
};

constexpr SIName kSINames[] = {
    {"nodim", ""},  {"", ""},           {"rad/s", "radian per second"}, {"Hz", "hertz"},
    {"Ohm", "ohm"}, {"S", "siemens"},   {"A", "ampere"},                {"V", "volt"},
    {"H", "henry"}, {"F", "farad"},     {"m", "meter"},                 {"degK", "degree kelvin"},
    {"rad", "radian"}, {"s", "second"}, {"W", "watt"},                  {"J", "joule"},
    {"kg", "kilogram"},
};

// ---- Unit codes ------------------------------------------------------------------------

enum class Rule : unsigned char {
    Factor, // to base: value * factor; from base: value / factor
    Mil, Foot, Yard, Mile, DegC, DegF,
    DBm, DBW, DBmV, Bel, Decibel, Neper, PowerRatio,
};

struct UnitCode {
    std::string_view code;
    Rule rule;
    double factor;
};

constexpr Rule F = Rule::Factor;

// The families and their codes. Lengths in feet, yards and miles go through the inch, so that
// the exact inch (0.0254 m) is the only length constant; the US survey mile keeps its own.
constexpr UnitCode kUnitCodes[] = {
    // Frequency (Hz)
    {"Hz", F, 1}, {"kHz", F, 1e3}, {"MHz", F, 1e6}, {"GHz", F, 1e9}, {"THz", F, 1e12},
    {"PHz", F, 1e15}, {"EHz", F, 1e18}, {"ZHz", F, 1e21}, {"YHz", F, 1e24},
    // Resistance (Ohm)
    {"yOhm", F, 1e-24}, {"zOhm", F, 1e-21}, {"aOhm", F, 1e-18}, {"fOhm", F, 1e-15},
    {"pOhm", F, 1e-12}, {"nOhm", F, 1e-9}, {"uOhm", F, 1e-6}, {"mOhm", F, 1e-3}, {"Ohm", F, 1},
    {"kOhm", F, 1e3}, {"MOhm", F, 1e6}, {"GOhm", F, 1e9}, {"TOhm", F, 1e12}, {"POhm", F, 1e15},
    {"EOhm", F, 1e18}, {"ZOhm", F, 1e21}, {"YOhm", F, 1e24},
    // Conductance (S)
    {"yS", F, 1e-24}, {"zS", F, 1e-21}, {"aS", F, 1e-18}, {"fS", F, 1e-15}, {"pS", F, 1e-12},
    {"nS", F, 1e-9}, {"uS", F, 1e-6}, {"mS", F, 1e-3}, {"cS", F, 0.01}, {"dS", F, 0.1},
    {"S", F, 1},
    // Current (A)
    {"yA", F, 1e-24}, {"zA", F, 1e-21}, {"aA", F, 1e-18}, {"fA", F, 1e-15}, {"pA", F, 1e-12},
    {"nA", F, 1e-9}, {"uA", F, 1e-6}, {"mA", F, 1e-3}, {"cA", F, 0.01}, {"dA", F, 0.1},
    {"A", F, 1}, {"kA", F, 1e3}, {"MA", F, 1e6}, {"GA", F, 1e9},
    // Voltage (V)
    {"yV", F, 1e-24}, {"zV", F, 1e-21}, {"aV", F, 1e-18}, {"fV", F, 1e-15}, {"pV", F, 1e-12},
    {"nV", F, 1e-9}, {"uV", F, 1e-6}, {"mV", F, 1e-3}, {"cV", F, 0.01}, {"dV", F, 0.1},
    {"V", F, 1}, {"kV", F, 1e3}, {"MV", F, 1e6}, {"GV", F, 1e9},
    // Inductance (H)
    {"yH", F, 1e-24}, {"zH", F, 1e-21}, {"aH", F, 1e-18}, {"fH", F, 1e-15}, {"pH", F, 1e-12},
    {"nH", F, 1e-9}, {"uH", F, 1e-6}, {"mH", F, 1e-3}, {"cH", F, 0.01}, {"dH", F, 0.1},
    {"H", F, 1}, {"kH", F, 1e3}, {"MH", F, 1e6}, {"GH", F, 1e9}, {"TH", F, 1e12},
    {"PH", F, 1e15}, {"EH", F, 1e18}, {"ZH", F, 1e21}, {"YH", F, 1e24},
    // Capacitance (F)
    {"yF", F, 1e-24}, {"zF", F, 1e-21}, {"aF", F, 1e-18}, {"fF", F, 1e-15}, {"pF", F, 1e-12},
    {"nF", F, 1e-9}, {"uF", F, 1e-6}, {"mF", F, 1e-3}, {"cF", F, 0.01}, {"dF", F, 0.1},
    {"F", F, 1}, {"kF", F, 1e3}, {"MF", F, 1e6}, {"GF", F, 1e9}, {"TF", F, 1e12},
    {"PF", F, 1e15}, {"EF", F, 1e18}, {"ZF", F, 1e21}, {"YF", F, 1e24},
    // Length (m)
    {"mil", Rule::Mil, 0}, {"in", F, 0.0254}, {"ft", Rule::Foot, 0}, {"yard", Rule::Yard, 0},
    {"miUS", F, 1609.34721869}, {"mi", Rule::Mile, 0}, {"nmi", F, 1852},
    {"Angstrom", F, 1e-10}, {"um", F, 1e-6}, {"mm", F, 1e-3}, {"cm", F, 0.01}, {"m", F, 1},
    {"km", F, 1e3},
    // Temperature (degK)
    {"degC", Rule::DegC, 0}, {"degK", F, 1}, {"degF", Rule::DegF, 0},
    // Angle (rad)
    {"deg", F, kPi / 180}, {"rad", F, 1}, {"grad", F, 2 * kPi / 400},
    {"cir mil", F, 2 * kPi / 1000},
    // Angular frequency, with its 2 pi applied towards the base.
    {"rad/s", F, 2 * kPi},
    // Time (s)
    {"ys", F, 1e-24}, {"zs", F, 1e-21}, {"as", F, 1e-18}, {"fs", F, 1e-15}, {"ps", F, 1e-12},
    {"ns", F, 1e-9}, {"us", F, 1e-6}, {"ms", F, 1e-3}, {"cs", F, 0.01}, {"ds", F, 0.1},
    {"s", F, 1}, {"min", F, 60}, {"h", F, 3600}, {"d", F, 86400}, {"wk", F, 604800},
    {"mo", F, 2629743.831225}, {"yr", F, 31556925.9747},
    // Power (W)
    {"yW", F, 1e-24}, {"zW", F, 1e-21}, {"aW", F, 1e-18}, {"fW", F, 1e-15}, {"pW", F, 1e-12},
    {"nW", F, 1e-9}, {"uW", F, 1e-6}, {"mW", F, 1e-3}, {"cW", F, 0.01}, {"dW", F, 0.1},
    {"W", F, 1}, {"kW", F, 1e3}, {"MW", F, 1e6}, {"GW", F, 1e9}, {"hp", F, 745.699871582},
    {"dBm", Rule::DBm, 0}, {"dBW", Rule::DBW, 0}, {"dBmV", Rule::DBmV, 0},
    // Ratio (voltage ratio)
    {"Av", F, 1}, {"Ai", F, 1}, {"Ap", Rule::PowerRatio, 0}, {"B", Rule::Bel, 0},
    {"dB", Rule::Decibel, 0}, {"Np", Rule::Neper, 0},
    // Energy (J)
    {"J", F, 1},
    // Mass (kg)
    {"ug", F, 1e-9}, {"mg", F, 1e-6}, {"g", F, 1e-3}, {"kg", F, 1}, {"grain", F, 6.479891e-05},
    {"oz", F, 0.028349523195}, {"p", F, 0.45359237112}, {"slug", F, 14.5939029372},
    // Dimensionless
    {"nodim", F, 1}, {"", F, 1},
};

constexpr std::size_t kUnitCount = std::size(kUnitCodes);

const std::array<UnitCode, kUnitCount>& SortedUnitCodes()
{
    static const std::array<UnitCode, kUnitCount> sorted = [] {
        std::array<UnitCode, kUnitCount> a{};
        std::copy(std::begin(kUnitCodes), std::end(kUnitCodes), a.begin());
        std::sort(a.begin(), a.end(),
                  [](const UnitCode& x, const UnitCode& y) { return x.code < y.code; });
        return a;
    }();
    return sorted;
}

const UnitCode* FindUnitCode(std::string_view code)
{
    const auto& sorted = SortedUnitCodes();
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), code,
                                     [](const UnitCode& u, std::string_view c) { return u.code < c; });
    return (it != sorted.end() && it->code == code) ? &*it : nullptr;
}

double ToBase(const UnitCode& u, double x, FaultTrap& trap)
{
    switch (u.rule) {
    case Rule::Factor: return x * u.factor;
    case Rule::Mil: return x / 1000 * 0.0254;
    case Rule::Foot: return x * 12 * 0.0254;
    case Rule::Yard: return x * 36 * 0.0254;
    case Rule::Mile: return x * 12 * 5280 * 0.0254;
    case Rule::DegC: return x + 273.15;
    case Rule::DegF: return (x - 32) * (5.0 / 9.0) + 273.15;
    case Rule::DBm: return Pow10(x / 10) / 1000;
    case Rule::DBW: return Pow10(x / 10);
    case Rule::DBmV: {
        // 0 dBmV is 1 mV across 75 ohms.
        const double volts = Pow10(x / 20);
        return volts * volts * (1e-6 / 75);
    }
    case Rule::Bel: return Pow10(x / 2);
    case Rule::Decibel: return Pow10(x / 20);
    case Rule::Neper: return trap.Pow(kE, x);
    case Rule::PowerRatio: return trap.Sqrt(x); // the family's base is a voltage ratio
    }
    return 0.0;
}

double FromBase(const UnitCode& u, double x, FaultTrap& trap)
{
    switch (u.rule) {
    case Rule::Factor: return x / u.factor;
    case Rule::Mil: return x / 0.0254 * 1000;
    case Rule::Foot: return x / 0.0254 / 12;
    case Rule::Yard: return x / 0.0254 / 36;
    case Rule::Mile: return x / 0.0254 / 12 / 5280;
    case Rule::DegC: return x - 273.15;
    case Rule::DegF: return (x - 273.15) * (9.0 / 5.0) + 32;
    case Rule::DBm: return 10 * Log10(x * 1000);
    case Rule::DBW: return 10 * Log10(x);
    case Rule::DBmV: {
        const double volts = trap.Sqrt(x * 75);
        if (trap.Raised())
            return 0.0; // a negative power has no voltage; the statement is abandoned
        return 20 * Log10(volts / 0.001);
    }
    case Rule::Bel: return 2 * Log10(x);
    case Rule::Decibel: return 20 * Log10(x);
    case Rule::Neper: return trap.Log(x);
    case Rule::PowerRatio: return x * x;
    }
    return 0.0;
}

} // namespace

// ---- Numeric text ---------------------------------------------------------------------

std::string FormatValue(double value, std::string_view pattern)
{
    FaultTrap trap(kCodeFormatValue, ReportUnitsFault);
    pattern = ExpandNamedFormat(pattern);
    if (pattern.empty())
        return NumberText(value);

    const Picture p = ParsePicture(pattern);
    double v = trap.Finite(value);
    if (p.percent)
        v = trap.Finite(v * 100);
    if (trap.Raised())
        return std::string();

    DecimalForm d = ToDecimalForm(std::fabs(v));
    std::string number;
    if (p.sci)
        AppendScientific(number, p, d);
    else if (p.intPlaces > 0 || p.point)
        AppendFixed(number, p, d);
    // A value that rounds to zero shows no sign.
    const bool negative = v < 0 && !d.zero;

    std::string out;
    if (negative)
        out += '-';
    AppendLiteral(out, pattern, 0, p.prefixEnd);
    out += number;
    AppendLiteral(out, pattern, p.suffixBegin, pattern.size());
    return out;
}

std::string NumberText(double value)
{
    if (value == 0.0)
        return "0"; // also for -0
    // The printf "%.15G" form, but through to_chars: printf follows the C locale, which a Qt
    // application sets from the environment, while the separator here is the setting's.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, kSigDigits);
    std::string text(buf, res.ptr);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    const std::string_view sep = DecimalSeparator();
    if (sep != ".") {
        const std::size_t dot = text.find('.');
        if (dot != std::string::npos)
            text.replace(dot, 1, sep);
    }
    return text;
}

bool IsNumericText(std::string_view text)
{
    double v = 0.0;
    return ParseNumber(text, DecimalSeparator(), v);
}

double NumberFromText(std::string_view text)
{
    double v = 0.0;
    return ParseNumber(text, DecimalSeparator(), v) ? v : 0.0;
}

bool ReadPointNumber(std::string_view text, double& value) { return ParseNumber(text, ".", value); }

// ---- Scientific and engineering parts -------------------------------------------------

SciPair SciParts(double value)
{
    FaultTrap trap(kCodeSciParts, ReportMathFault);
    SciPair r;
    if (trap.Finite(value) == 0.0)
        return r;

    const std::string text = FormatValue(value, kSciPartsPattern);
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return r;
    const std::string_view mantissa = std::string_view(text).substr(0, e);
    const std::string_view exponent = std::string_view(text).substr(e + 1);

    // The 15-digit form of a value a hair below a power of ten reads 9.99999999999999; it is
    // taken as that power of ten so the engineering display shows 1 k, not 999.999999999999.
    const bool snapsUp = StartsWithMantissa(mantissa, false, '9', '9')
                         || StartsWithMantissa(mantissa, true, '9', '9');
    if (StartsWithMantissa(mantissa, false, '1', '0') || StartsWithMantissa(mantissa, false, '9', '9'))
        r.mantissa = 1.0;
    else if (StartsWithMantissa(mantissa, true, '1', '0') || StartsWithMantissa(mantissa, true, '9', '9'))
        r.mantissa = -1.0;
    else
        r.mantissa = NumberFromText(mantissa);

    r.exponent = exponent == "+" ? 0 : static_cast<int>(NumberFromText(exponent));
    if (snapsUp)
        r.exponent += 1;
    return r;
}

SciPair EngParts(double value)
{
    const SciPair sci = SciParts(value);
    SciPair r;
    // floor, not truncation: 10^-4 is 100e-6, not 0.1e-3
    const int e3 = 3 * static_cast<int>(std::floor(sci.exponent / 3.0));
    const int shift = sci.exponent - e3;
    r.exponent = e3;
    r.mantissa = (sci.mantissa * (shift == 0 ? 1.0 : shift == 1 ? 10.0 : 100.0));
    return r;
}

double EngMantissa(double value, std::string_view baseUnit, bool /*dBm*/)
{
    const SciPair eng = EngParts(value);
    double m = eng.mantissa;
    // Capacitors are marked in microfarads, never millifarads: 2.2 mF shows as 2200 uF.
    if (baseUnit == "F" && eng.exponent == -3)
        m *= 1000;
    return m;
}

std::string EngUnitText(double value, std::string_view baseUnit, bool dBm)
{
    const SciPair eng = EngParts(value);
    std::string_view letter;
    if (const Prefix* p = PrefixOfExponent(eng.exponent))
        letter = p->letter;
    else
        ShowMessage("Math error", "Error 201: Internal math over/underflow on Units", MsgIcon::Exclamation);

    if (dBm && baseUnit == "W")
        return "dBm";
    if (letter == "m" && baseUnit == "F")
        return "uF";
    std::string text;
    text.reserve(letter.size() + baseUnit.size());
    text.append(letter);
    text.append(baseUnit);
    return text;
}

std::string UnitLongName(std::string_view prefixedUnit, std::string_view baseUnit)
{
    if (prefixedUnit == baseUnit)
        return SIUnitName(baseUnit);

    std::string_view word;
    if (const Prefix* p = PrefixOfLetter(prefixedUnit.substr(0, 1)))
        word = p->word;
    else
        ShowMessage("Conversion error", "Error 201a: No match for Units", MsgIcon::Exclamation);

    // The usual elisions: kilohm rather than kiloohm, megohm, megampere rather than megaampere.
    std::string name(word);
    if (!word.empty() && word.back() == 'o' && baseUnit == "Ohm")
        return name + "hm";
    if (word == "mega" && baseUnit == "Ohm")
        return "megohm";
    if (!word.empty() && word.back() == 'a' && baseUnit == "A")
        return name + "mpere";
    return name + SIUnitName(baseUnit);
}

std::string SIUnitName(std::string_view baseUnit)
{
    for (const SIName& n : kSINames) {
        if (n.code == baseUnit)
            return std::string(n.name);
    }
    ShowMessage("Conversion error", "Error 201b: No match for SI Units", MsgIcon::Exclamation);
    return std::string();
}

// ---- Unit conversion -------------------------------------------------------------------

double ConvertUnit(double value, std::string_view code, bool toBase)
{
    FaultTrap trap(kCodeConvertUnit, ReportUnitsFault);
    const UnitCode* u = FindUnitCode(code);
    if (!u) {
        ShowMessage("", "System Error 101 (Unit misspelled or out of range)", MsgIcon::None);
        return 0.0;
    }
    const double result = toBase ? ToBase(*u, value, trap) : FromBase(*u, value, trap);
    if (trap.Raised())
        return 0.0;
    return trap.Finite(result);
}

const std::vector<std::string_view>& ConvertibleUnitCodes()
{
    static const std::vector<std::string_view> codes = [] {
        std::vector<std::string_view> v;
        v.reserve(kUnitCount);
        for (const UnitCode& u : kUnitCodes)
            v.push_back(u.code);
        return v;
    }();
    return codes;
}

} // namespace korvel
