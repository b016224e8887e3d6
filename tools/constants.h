// Physical and mathematical constants for reference, in the order they are listed.
#pragma once

#include <span>
#include <string_view>

namespace korvel {

struct EngineeringConstant {
    std::string_view name;
    double value;
    std::string_view unit;
    std::string_view comment;
    std::string_view symbol;
};

std::span<const EngineeringConstant> EngineeringConstants();

} // namespace korvel
