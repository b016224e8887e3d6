// Amplifier efficiency: the DC power drawn from up to two supplies, the average RF powers of
// a CW or pulsed amplifier, the heat left in the device, its drain (or collector) efficiency,
// its power-added efficiency and the junction temperature that heat produces.
#pragma once

namespace korvel {

// Which two of output power, input power and gain are typed; the third is computed.
enum class EfficiencyMode { GainFromPoutPin = 0, PinFromPoutGain = 1, PoutFromPinGain = 2 };

struct EfficiencyInputs {
    EfficiencyMode mode = EfficiencyMode::GainFromPoutPin;
    double pout_dbm = 22.4;     // peak (or CW) output power
    double pin_dbm = 4.0;       // peak (or CW) input power
    double gain_db = 0.0;
    double v1_v = 3.0;          // primary supply
    double i1_a = 0.152;
    double v2_v = 0.0;          // second supply, optional
    double i2_a = 0.0;
    double pulseWidth = 1.0;    // any one time unit; only their ratio matters
    double pulsePeriod = 1.0;
    double tcase_c = 85.0;
    double theta_c_per_w = 175.0;
    double tjLimit_c = 150.0;   // the junction-temperature caution of the preferences
};

struct EfficiencyResult {
    double pout_dbm = 0.0;
    double pin_dbm = 0.0;
    double gain_db = 0.0;
    double dutyCycle = 0.0;      // fraction
    double pv1_w = 0.0;
    double pv2_w = 0.0;
    double pdc_w = 0.0;
    double poutAvg_w = 0.0;
    double pinAvg_w = 0.0;
    double pdiss_w = 0.0;
    double simpleEfficiency = 0.0;   // fraction
    double pae = 0.0;                // fraction
    double tj_c = 0.0;
    bool tjCaution = false;
    bool energyWarning = false;
    bool fault = false;              // a division by zero or a result beyond the number range
};

EfficiencyResult CalcEfficiency(const EfficiencyInputs& in);

} // namespace korvel
