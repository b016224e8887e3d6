#include "checks.h"

#include "units.h"

#include <cmath>

namespace korvel {

std::string ValidateInputMessage(std::string_view text, bool optional)
{
    // Blank means empty or spaces only, as a trimmed box reads.
    const bool blank = text.find_first_not_of(' ') == std::string_view::npos;
    if (blank)
        return optional ? std::string() : std::string("Input not optional");
    return CheckNumericMessage(text);
}

std::string CheckNumericMessage(std::string_view text)
{
    return IsNumericText(text) ? std::string() : std::string("Input must be numeric value");
}

std::string CheckRangeMessage(double value, double minimum, double maximum, bool zeroAllowed)
{
    if (value == 0 && !zeroAllowed)
        return "Input cannot be zero";
    if (value < minimum) {
        if (minimum == 0 && zeroAllowed)
            return "Input value too low. Must be > or = " + NumberText(minimum);
        return "Input value too low. Must be > " + NumberText(minimum);
    }
    if (value > maximum)
        return "Input value too high.  Must be < " + NumberText(maximum);
    return std::string();
}

std::string CheckRatioMessage(double numerator, double denominator, double minimum, double maximum,
                              bool unityAllowed, std::string_view name1, std::string_view name2)
{
    std::string prefix;
    if (!name1.empty() && !name2.empty()) {
        prefix = "Ratio ";
        prefix.append(name1);
        prefix.append(" / ");
        prefix.append(name2);
    } else {
        prefix = "Ratio of highlighted fields";
    }

    // x / 0 is an infinite ratio and is judged like one; 0 / 0 has no ratio at all and is
    // refused like one below the minimum rather than let through.
    const double ratio = numerator / denominator;
    if (std::isnan(ratio) || ratio < minimum)
        return prefix + " must be > " + NumberText(minimum);
    if (ratio > maximum)
        return prefix + " must be < " + NumberText(maximum);
    if (ratio == 1 && !unityAllowed)
        return prefix + " cannot be unity";
    return std::string();
}

} // namespace korvel
