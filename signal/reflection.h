// Reflection and mismatch: the equivalent ways of saying how well a load matches a line of
// reference impedance Z0. Every quantity is a function of the magnitude of the reflection
// coefficient rho alone (and Z0 for a resistive load), so rho is the pivot of every
// conversion: the quantity the user enters gives rho, and rho gives all the others.
//
// A conversion may run off to infinity (the SWR of a short) or have no value at all (the
// transmission loss in dB of a total reflection); the result then carries that kind instead
// of a number, and is shown as the text " Infinite" or " Undefined". A run-time fault
// (overflow, an invalid logarithm) is carried too, so that the caller can leave the field
// that faulted as it was and go on with the others.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

enum class ReflKind { Number, Infinite, Undefined };

struct ReflValue {
    ReflKind kind = ReflKind::Number;
    double value = 0.0;
    int fault = 0;   // a FaultNumber; the value is meaningless when set
};

inline constexpr std::string_view kInfiniteText = " Infinite";
inline constexpr std::string_view kUndefinedText = " Undefined";

// ---- Conversions to rho ------------------------------------------------------------------
ReflValue RhoFromSWR(double swr);
ReflValue RhoFromReturnLoss(double rlDb);
ReflValue RhoFromMismatchLoss(double mlDb);
ReflValue RhoFromTransCoeffMag(double t);
ReflValue RhoFromTransCoeffDB(double tDb);
ReflValue RhoFromLoadResistance(double r, double z0);
ReflValue RhoFromLoadConductance(double g, double z0);

// ---- Conversions from rho ----------------------------------------------------------------
// A resistive load is found from rho only up to the choice of side: the answer is always the
// one at or above Z0.
ReflValue LoadResistanceFromRho(double rho, double z0);
ReflValue LoadConductanceFromRho(double rho, double z0);
ReflValue SWRfromRho(double rho);
ReflValue ReturnLossFromRho(double rho);
ReflValue MismatchLossFromRho(double rho);
ReflValue TransmissionCoeffMagFromRho(double rho);
ReflValue TransmissionCoeffdBFromRho(double rho);

// The text a field shows for a value: the number with the picture, or the kind's text.
std::string ReflText(const ReflValue& v, std::string_view picture);

// ---- One Enter in a field of the reflection group -----------------------------------------

// The fields in the order they are rewritten.
enum class ReflField { Gamma, Zload, Yload, SWR, Rl, Lmm, Tmag, TdB };
inline constexpr int kReflFieldCount = 8;

// The picture each field is written with.
std::string_view ReflPicture(ReflField field);

// What the window holds between two entries.
struct ReflState {
    double rho = 0.0;
    double t = 0.0;   // 1 - rho^2, kept for the power group
    double z0 = 50.0;
};

struct ReflEntry {
    ReflState state;                                   // rho and T after the entry
    bool warning = false;                              // extreme or undefined results, or a fault
    // New text per field (indexed by ReflField); empty where the field keeps its text (the
    // driving field itself, and a field whose statement faulted).
    std::array<std::optional<std::string>, kReflFieldCount> texts;
};

// The user pressed Enter in `field` with the (already checked) value. `fieldText` and
// `z0Text` are the texts of the box and of the Z0 box as typed: a load typed exactly as Z0
// is flagged as a matched load.
ReflEntry EnterReflection(ReflField field, double value, const ReflState& before, std::string_view fieldText = {},
                          std::string_view z0Text = {});

// ---- The power split ---------------------------------------------------------------------

enum class PowerField { Incident, Reflected, Transmitted };

struct PowerOut {
    enum class Kind { Keep, Watts, Text } kind = Kind::Keep;
    double watts = 0.0;
    std::string text;
};

struct PowerEntry {
    bool warning = false;
    std::optional<double> incidentWatts;    // the stored incident power, when it was found
    std::array<PowerOut, 3> out;            // indexed by PowerField; the entered one is Keep
};

// The cases decided before the entry is even checked: in a logarithmic unit a zero power
// has no value, so a matched load leaves no reflected power to show (and a total reflection
// no transmitted one); with nothing transmitted the incident power cannot be found from the
// transmitted one in any unit. Empty when the entry must be checked and computed.
std::optional<PowerEntry> PowerShortcut(PowerField field, double t, bool logarithmicUnit, std::string_view enteredText);

// Splits the power entered (in watts) between incident, reflected and transmitted parts.
PowerEntry SplitPower(PowerField field, double watts, double t);

} // namespace korvel
