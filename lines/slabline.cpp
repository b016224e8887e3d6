#include "slabline.h"

#include "logratio.h"

namespace korvel {

double slabline::SlabZ0(double ratio, double er, FaultTrap& trap) { return ScreenedRodZ0<kA>(ratio, er, trap); }
double slabline::SlabD1D2Ratio(double z0, double er, FaultTrap& trap) { return ScreenedRodRatio<kA>(z0, er, trap); }

const CoaxFamilyModel& SlabLineModel()
{
    static const CoaxFamilyModel model = CoaxLikeModel(&slabline::SlabZ0, &slabline::SlabD1D2Ratio);
    return model;
}

} // namespace korvel
