#include "stdvaluecalc.h"

#include "core/stdvalues.h"
#include "core/units.h"

#include <cmath>

namespace korvel {

StandardValueResult CalcStandardValue(const StandardValueInputs& in)
{
    StandardValueResult r;
    r.mantissa = StdEngMantissa(in.value, in.baseUnit, in.tolerance, false);
    r.unit = StdEngUnitText(in.value, in.baseUnit, in.tolerance, false);
    r.unitName = UnitLongName(r.unit, in.baseUnit);
    // Converting the shown mantissa back through its prefixed unit gives exactly the value
    // the user reads, so the difference is the one the user would measure.
    r.standard = ConvertUnit(r.mantissa, r.unit, true);
    r.delta = in.value - r.standard;
    r.deltaFraction = in.value != 0.0 ? r.delta / in.value : 0.0;
    r.fault = in.value == 0.0 || r.standard == 0.0 || !std::isfinite(r.standard) || !std::isfinite(r.deltaFraction);
    return r;
}

} // namespace korvel
