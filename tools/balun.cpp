#include "balun.h"

#include "core/cxmath.h"

#include <cmath>

namespace korvel {
namespace {

constexpr double kTwoPi = 6.28318530717958;

} // namespace

BalunResult CalcBalun(const BalunInputs& in)
{
    BalunResult r;
    const double w = kTwoPi * in.f_hz;
    const Complex y = CxDiv({1.0, 0.0}, {in.rload_ohm, in.xload_ohm});
    const double g = y.Re;
    const double b = y.Im;
    r.rp_ohm = g != 0.0 ? 1.0 / g : 0.0;

    if (b > 0.0)
        r.load = {ElementKind::Capacitor, b / w};
    else if (b < 0.0)
        r.load = {ElementKind::Inductor, -1.0 / (w * b)};

    // The total shunt susceptance is kept in single precision, so that a load reactance that
    // exactly cancels the stray capacitance leaves no resonating element behind a rounding
    // residue.
    const float bt = static_cast<float>(b + w * in.cstray_f);
    if (bt > 0.0f)
        r.resonant = {ElementKind::Inductor, 1.0 / (kTwoPi * in.f_hz * double(bt))};
    else if (bt < 0.0f)
        r.resonant = {ElementKind::Capacitor, -double(bt) / w};

    r.zm_ohm = std::sqrt(in.rg_ohm * r.rp_ohm);
    r.l_h = r.zm_ohm / w;
    r.c_f = 1.0 / (kTwoPi * in.f_hz * r.zm_ohm);
    return r;
}

} // namespace korvel
