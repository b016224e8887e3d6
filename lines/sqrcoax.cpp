#include "sqrcoax.h"

#include "logratio.h"

namespace korvel {

double sqrcoax::CoaxZ0(double ratio, double er, FaultTrap& trap) { return ScreenedRodZ0<kA>(ratio, er, trap); }
double sqrcoax::CoaxD1D2Ratio(double z0, double er, FaultTrap& trap) { return ScreenedRodRatio<kA>(z0, er, trap); }

const CoaxFamilyModel& SqrCoaxModel()
{
    static const CoaxFamilyModel model = CoaxLikeModel(&sqrcoax::CoaxZ0, &sqrcoax::CoaxD1D2Ratio);
    return model;
}

} // namespace korvel
