// Where an RF device's power goes and how hot it runs. The DC supply and the RF input bring
// power in, the RF output takes some away, and the rest is heat; that heat flows from the
// junction through the package (theta jc) and the board or heatsink interface (theta ca), so
// each temperature follows from any one of the three.
#pragma once

#include <string>

namespace korvel {

// Heat left in the device: DC in plus RF in minus RF out. A negative value means the numbers
// typed describe a device that makes energy: the arithmetic holds, the physics does not.
double DissipatedPower(double pdc_w, double pin_w, double pout_w);

// Junction above the case by theta jc times the dissipated power (degrees C per watt).
double JunctionTemperature(double tcase_c, double thetaJc_c_per_w, double pdiss_w);

// The junction-temperature caution comes in two rules. The bias networks (bipolar and FET)
// treat the limit as a rating already reached at the limit itself, and a junction whose
// temperature is not a number as not below it; the RFIC, efficiency and thermal windows caution
// only strictly above it.
bool JunctionNotBelowLimit(double tj_c, double limit_c);
bool JunctionAboveLimit(double tj_c, double limit_c);

// "Caution: Tj > 150 °C. " for the limit as the user typed it; one text for every rule.
std::string JunctionCautionText(const std::string& limitText);

struct ThermalPowerInputs {
    double supply_v = 3.0;
    double supply_a = 0.042;
    double pin_dbm = 2.1;
    double pout_dbm = 14.2;
};

struct ThermalPowers {
    double pdc_w = 0.0;
    double pin_w = 0.0;
    double pout_w = 0.0;
    double prf_w = 0.0;        // RF power delivered, out minus in
    double pdiss_w = 0.0;
    bool energyWarning = false;  // pdiss below zero
};

ThermalPowers ThermalPower(const ThermalPowerInputs& in);

// The temperature the user typed.
enum class KnownTemperature { Ambient, Case, Junction };

struct ThermalTemperatures {
    double junction_c = 0.0;
    double case_c = 0.0;
    double ambient_c = 0.0;
    bool fault = false;        // the arithmetic left the range of numbers
};

ThermalTemperatures TemperaturesFrom(KnownTemperature known, double t_c, double thetaJc_c_per_w,
                                     double thetaCa_c_per_w, double pdiss_w);

inline constexpr const char* kEnergyWarning = "Mathematically correct, but violates conservation of energy.";
inline constexpr const char* kUnexpectedResult = "Unexpected result - check input data ";

} // namespace korvel
