#include "thermal.h"

#include "core/units.h"

#include <cmath>

namespace korvel {

double DissipatedPower(double pdc_w, double pin_w, double pout_w) { return pdc_w + pin_w - pout_w; }

double JunctionTemperature(double tcase_c, double thetaJc_c_per_w, double pdiss_w)
{
    return tcase_c + thetaJc_c_per_w * pdiss_w;
}

bool JunctionNotBelowLimit(double tj_c, double limit_c) { return !(tj_c < limit_c); }

bool JunctionAboveLimit(double tj_c, double limit_c) { return tj_c > limit_c; }

std::string JunctionCautionText(const std::string& limitText) { return "Caution: Tj > " + limitText + " °C. "; }

ThermalPowers ThermalPower(const ThermalPowerInputs& in)
{
    ThermalPowers p;
    // The sign of a typed supply voltage or current only says which way it is connected.
    p.pdc_w = std::fabs(in.supply_v) * std::fabs(in.supply_a);
    p.pin_w = ConvertUnit(in.pin_dbm, "dBm", true);
    p.pout_w = ConvertUnit(in.pout_dbm, "dBm", true);
    p.prf_w = p.pout_w - p.pin_w;
    p.pdiss_w = DissipatedPower(p.pdc_w, p.pin_w, p.pout_w);
    p.energyWarning = p.pdiss_w < 0.0;
    return p;
}

ThermalTemperatures TemperaturesFrom(KnownTemperature known, double t_c, double thetaJc_c_per_w,
                                     double thetaCa_c_per_w, double pdiss_w)
{
    ThermalTemperatures t;
    const double riseJc = thetaJc_c_per_w * pdiss_w;
    const double riseCa = thetaCa_c_per_w * pdiss_w;
    switch (known) {
    case KnownTemperature::Ambient:
        t.ambient_c = t_c;
        t.case_c = t_c + riseCa;
        t.junction_c = t.case_c + riseJc;
        break;
    case KnownTemperature::Case:
        t.case_c = t_c;
        t.junction_c = t_c + riseJc;
        t.ambient_c = t_c - riseCa;
        break;
    case KnownTemperature::Junction:
        t.junction_c = t_c;
        t.case_c = t_c - riseJc;
        t.ambient_c = t.case_c - riseCa;
        break;
    }
    t.fault = !std::isfinite(t.junction_c) || !std::isfinite(t.case_c) || !std::isfinite(t.ambient_c);
    if (t.fault)
        t = ThermalTemperatures{0.0, 0.0, 0.0, true};
    return t;
}

} // namespace korvel
