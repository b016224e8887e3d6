#include "constants.h"

#include "core/cxmath.h"

namespace korvel {

namespace {

// Values as engineers have long quoted them (the 1986 adjustment for most); the vacuum
// permeability and permittivity and pi are the program's own literals, so that a value
// copied from here agrees with what the calculators use.
constexpr EngineeringConstant kConstants[] = {
    {"Atomic mass constant", 1.6605402e-27, "kg", "", "ma"},
    {"Avogadro constant", 6.0221367e+23, "1/mol", "", "Na"},
    {"Bohr magneton", 9.2740154e-24, "J/T", "", ""},
    {"Boltzmann's constant", 1.380658e-23, "J/K", "", ""},
    {"Electron charge", 1.60217733e-19, "C", "", ""},
    {"e", kE, "", "", ""},
    {"Electron specific charge", -1.75881962e11, "C/kg", "", "-e/me"},
    {"Electron mass rest", 9.1093897e-31, "kg", "", "me"},
    {"Faraday constant", 96485.309, "C/mol", "", "F"},
    {"Gravitational constant (Newtonian)", 6.67259e-11, "m^3/kg/s^2", "", ""},
    {"Josephson frequency to voltage ratio", 483597670000000, "Hz/V", "", ""},
    {"Magnetic flux quantum", 2.06783461e-15, "Wb", "", ""},
    {"Molar gas constant", 8.31451, "J/mol/deg K", "", ""},
    {"Permability of free space", 1.25663706143592e-06, "H/m", "defined value: 4 * Pi * 10-7", ""},
    {"Permittivity of free space", 8.85418781761e-12, "F/m", "", ""},
    {"Pi", kPi, "", "", ""},
    {"Planck constant", 6.62606891e-34, "J * s", "", "h"},
    {"Rydberg constant", 10973731.534, "1/m", "", "Rinf"},
    {"Standard Pressure", 101.325, "kPa", "", ""},
    {"Standard Temperature", 273.15, "\xC2\xB0K", "", ""},
    {"Standard volume of ideal gas", 0.0224141, "m^3/mol", "", ""},
    {"Stefan-Boltzmann constant", 5.67051e-08, "W * (K^-4) * m^-2", "", "u"},
    {"Velocity of light in free space", 299792458, "m/s", "", ""},
};

} // namespace

std::span<const EngineeringConstant> EngineeringConstants() { return kConstants; }

} // namespace korvel
