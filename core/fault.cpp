#include "fault.h"

#include <cmath>

namespace korvel {

const char* FaultDescription(int number)
{
    switch (number) {
    case kFaultInvalidCall: return "Invalid procedure call or argument";
    case kFaultOverflow: return "Overflow";
    case kFaultDivisionByZero: return "Division by zero";
    case kFaultTypeMismatch: return "Type mismatch";
    default: return "Application-defined or object-defined error";
    }
}

std::string FaultTail(int number)
{
    return std::to_string(number) + "  " + FaultDescription(number);
}

void FaultTrap::Raise(int number)
{
    if (number_ != kNoFault)
        return;
    number_ = number;
    if (reporter_)
        reporter_(code_, number);
}

double FaultTrap::Finite(double v)
{
    if (std::isfinite(v))
        return v;
    Raise(kFaultOverflow);
    return 0.0;
}

double FaultTrap::Div(double a, double b)
{
    if (b == 0.0) {
        Raise(kFaultDivisionByZero);
        return 0.0;
    }
    return Finite(a / b);
}

double FaultTrap::Log(double x)
{
    if (!(x > 0.0)) {
        Raise(kFaultInvalidCall);
        return 0.0;
    }
    return Finite(std::log(x));
}

double FaultTrap::Sqrt(double x)
{
    if (x < 0.0 || std::isnan(x)) {
        Raise(kFaultInvalidCall);
        return 0.0;
    }
    return Finite(std::sqrt(x));
}

double FaultTrap::Exp(double x)
{
    return Finite(std::exp(x));
}

double FaultTrap::Pow(double a, double b)
{
    if ((a < 0.0 && b != std::floor(b)) || (a == 0.0 && b < 0.0)) {
        Raise(kFaultInvalidCall);
        return 0.0;
    }
    return Finite(std::pow(a, b));
}

} // namespace korvel
