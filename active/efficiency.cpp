#include "efficiency.h"

#include "thermal.h"

#include "core/units.h"

#include <cmath>

namespace korvel {

EfficiencyResult CalcEfficiency(const EfficiencyInputs& in)
{
    EfficiencyResult r;
    r.pout_dbm = in.pout_dbm;
    r.pin_dbm = in.pin_dbm;
    r.gain_db = in.gain_db;
    // Decibels add: output = input + gain.
    switch (in.mode) {
    case EfficiencyMode::GainFromPoutPin: r.gain_db = in.pout_dbm - in.pin_dbm; break;
    case EfficiencyMode::PinFromPoutGain: r.pin_dbm = in.pout_dbm - in.gain_db; break;
    case EfficiencyMode::PoutFromPinGain: r.pout_dbm = in.pin_dbm + in.gain_db; break;
    }

    if (in.pulsePeriod == 0.0) {
        r.fault = true;
        return r;
    }
    r.dutyCycle = in.pulseWidth / in.pulsePeriod;

    // The supply currents are the average currents a meter reads, so the DC power is not
    // scaled by the duty cycle; the RF powers are peak values and are.
    r.pv1_w = std::fabs(in.v1_v) * std::fabs(in.i1_a);
    r.pv2_w = std::fabs(in.v2_v) * std::fabs(in.i2_a);
    r.pdc_w = r.pv1_w + r.pv2_w;
    r.poutAvg_w = r.dutyCycle * ConvertUnit(r.pout_dbm, "dBm", true);
    r.pinAvg_w = r.dutyCycle * ConvertUnit(r.pin_dbm, "dBm", true);
    r.pdiss_w = DissipatedPower(r.pdc_w, r.pinAvg_w, r.poutAvg_w);
    r.energyWarning = r.pdiss_w < 0.0;

    if (r.pdc_w == 0.0) {
        // No DC power: an efficiency has no meaning.
        r.fault = true;
    } else {
        r.simpleEfficiency = r.poutAvg_w / r.pdc_w;
        r.pae = (r.poutAvg_w - r.pinAvg_w) / r.pdc_w;
    }
    r.tj_c = JunctionTemperature(in.tcase_c, in.theta_c_per_w, r.pdiss_w);
    r.tjCaution = JunctionAboveLimit(r.tj_c, in.tjLimit_c);
    for (double v : {r.gain_db, r.pin_dbm, r.pout_dbm, r.pdc_w, r.pdiss_w, r.simpleEfficiency, r.pae, r.tj_c})
        if (!std::isfinite(v))
            r.fault = true;
    return r;
}

} // namespace korvel
