#include "componentvalue.h"

#include "core/stdvalues.h"
#include "core/units.h"

#include <cmath>

namespace korvel {

ComponentValue KeepComponent(double exact, const char* baseUnit, bool useStandard, double tolerance)
{
    ComponentValue c;
    if (!useStandard) {
        c.kept = exact;
        return c;
    }
    c.standard = true;
    const double rounded = StandardValue(exact, tolerance);
    const double mantissa = StdEngMantissa(exact, baseUnit, tolerance, false);
    c.unit = StdEngUnitText(exact, baseUnit, tolerance, false);
    // The default number text drops the binary noise of the table (4.699999 -> "4.7") and
    // keeps all three figures of the E96/E192 series.
    c.mantissa = NumberText(mantissa);
    if (mantissa == 0.0 || rounded == 0.0) {
        c.kept = 0.0;
        return c;
    }
    // The prefix is a power of ten; read the shown mantissa back with it.
    const double prefix = std::pow(10.0, std::round(std::log10(std::fabs(rounded / mantissa))));
    c.kept = NumberFromText(c.mantissa) * prefix;
    return c;
}

} // namespace korvel
