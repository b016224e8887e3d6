// Run-time faults without exceptions.
//
// A formula that divides by zero, takes the logarithm of a non-positive number or overflows
// must not crash and must not throw: it reports the fault once, in the words of the classic
// BASIC run time the designers know ("Division by zero", "Overflow", ...), and goes on with
// what it has. A FaultTrap lives for one call of one procedure: the guarded operations below
// return 0 instead of a poisoned value, remember the first fault, and hand it to the
// procedure's reporter (a message box, a status-bar text, or nothing).
#pragma once

#include <string>

namespace korvel {

enum FaultNumber : int {
    kNoFault = 0,
    kFaultInvalidCall = 5,    // "Invalid procedure call or argument"
    kFaultOverflow = 6,       // "Overflow"
    kFaultDivisionByZero = 11,// "Division by zero"
    kFaultTypeMismatch = 13,  // "Type mismatch"
};

// The run time's description of a fault number ("Division by zero" for 11).
const char* FaultDescription(int number);

// "<number>  <description>", the tail every fault message shares ("11  Division by zero").
std::string FaultTail(int number);

using FaultReporter = void (*)(const char* code, int number);

class FaultTrap {
public:
    explicit FaultTrap(const char* code = "", FaultReporter reporter = nullptr)
        : code_(code), reporter_(reporter) {}

    bool Raised() const { return number_ != kNoFault; }
    int Number() const { return number_; }
    const char* Code() const { return code_; }

    // Records a fault; only the first one of a call is reported.
    void Raise(int number);

    // a / b; any division by zero, 0 / 0 included, is "Division by zero".
    double Div(double a, double b);
    // Natural logarithm; x <= 0 is an invalid argument.
    double Log(double x);
    // Square root; x < 0 is an invalid argument.
    double Sqrt(double x);
    // e^x; a result beyond the double range is an overflow.
    double Exp(double x);
    // a ^ b; a negative base with a fractional power, or 0 to a negative power, is an invalid
    // argument; a result beyond the double range is an overflow.
    double Pow(double a, double b);
    // Any non-finite intermediate result is an overflow.
    double Finite(double v);

private:
    const char* code_;
    FaultReporter reporter_;
    int number_ = kNoFault;
};

} // namespace korvel
