// The input checks every calculator runs before it computes. Each returns the message to
// show for a refused input, or an empty text when the input passes; the window marks the
// field, plays the warning sound and shows the message (title kInvalidInputTitle).
#pragma once

#include <string>
#include <string_view>

namespace korvel {

inline constexpr std::string_view kInvalidInputTitle = "Oops... Invalid input.";

// Blank (empty or only blanks) and not optional: "Input not optional"; blank and optional
// passes; otherwise the numeric test.
std::string ValidateInputMessage(std::string_view text, bool optional);
// "Input must be numeric value" unless the text is numeric.
std::string CheckNumericMessage(std::string_view text);
// Zero (when not allowed), then below the minimum, then above the maximum; the bounds pass.
std::string CheckRangeMessage(double value, double minimum, double maximum, bool zeroAllowed);
// numerator / denominator below the minimum, above the maximum, or exactly 1 when unity is
// not allowed. Names may be empty ("Ratio of highlighted fields ...").
std::string CheckRatioMessage(double numerator, double denominator, double minimum, double maximum,
                              bool unityAllowed, std::string_view name1, std::string_view name2);

} // namespace korvel
