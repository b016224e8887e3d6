#include "troughline.h"

#include "logratio.h"

namespace korvel {

double troughline::TroughZ0(double ratio, double er, FaultTrap& trap) { return ScreenedRodZ0<kA>(ratio, er, trap); }
double troughline::TroughD1D2Ratio(double z0, double er, FaultTrap& trap) { return ScreenedRodRatio<kA>(z0, er, trap); }

const CoaxFamilyModel& TroughLineModel()
{
    static const CoaxFamilyModel model = CoaxLikeModel(&troughline::TroughZ0, &troughline::TroughD1D2Ratio);
    return model;
}

} // namespace korvel
