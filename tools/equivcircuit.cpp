#include "equivcircuit.h"

namespace korvel {
namespace {

constexpr double kTwoPi = 2.0 * kPi;

} // namespace

CircuitKind NextCircuit(CircuitKind kind)
{
    switch (kind) {
    case CircuitKind::None: return CircuitKind::R;
    case CircuitKind::R: return CircuitKind::SeriesRL;
    case CircuitKind::SeriesRL: return CircuitKind::SeriesRC;
    case CircuitKind::SeriesRC: return CircuitKind::ParallelRL;
    case CircuitKind::ParallelRL: return CircuitKind::ParallelRC;
    case CircuitKind::ParallelRC: return CircuitKind::R;
    }
    return CircuitKind::R;
}

bool IsParallel(CircuitKind kind) { return kind == CircuitKind::ParallelRL || kind == CircuitKind::ParallelRC; }
bool HasInductor(CircuitKind kind) { return kind == CircuitKind::SeriesRL || kind == CircuitKind::ParallelRL; }
bool HasCapacitor(CircuitKind kind) { return kind == CircuitKind::SeriesRC || kind == CircuitKind::ParallelRC; }

EquivalentCircuit SeriesCircuitOfZ(Complex z, double f_hz)
{
    EquivalentCircuit c;
    c.r_ohm = z.Re;
    const double w = kTwoPi * f_hz;
    if (z.Im > 0.0) {
        c.kind = CircuitKind::SeriesRL;
        c.l_h = z.Im / w;
    } else if (z.Im < 0.0) {
        c.kind = CircuitKind::SeriesRC;
        c.c_f = -1.0 / (w * z.Im);
    } else {
        c.kind = CircuitKind::R;
    }
    return c;
}

EquivalentCircuit ParallelCircuitOfY(Complex y, double f_hz)
{
    EquivalentCircuit c;
    if (y.Re == 0.0)
        c.rInfinite = true;
    else
        c.r_ohm = 1.0 / y.Re;
    const double w = kTwoPi * f_hz;
    if (y.Im < 0.0) {
        c.kind = CircuitKind::ParallelRL;
        c.l_h = -1.0 / (w * y.Im);
    } else if (y.Im > 0.0) {
        c.kind = CircuitKind::ParallelRC;
        c.c_f = y.Im / w;
    } else {
        c.kind = CircuitKind::R;
    }
    return c;
}

Complex ImpedanceOfCircuit(CircuitKind kind, double r_ohm, double reactive, double f_hz)
{
    const double w = kTwoPi * f_hz;
    switch (kind) {
    case CircuitKind::None: return {};
    case CircuitKind::R: return {r_ohm, 0.0};
    case CircuitKind::SeriesRL: return {r_ohm, w * reactive};
    case CircuitKind::SeriesRC: return {r_ohm, -1.0 / (w * reactive)};
    case CircuitKind::ParallelRL:
    case CircuitKind::ParallelRC: return CxInv(AdmittanceOfCircuit(kind, r_ohm, reactive, f_hz));
    }
    return {};
}

Complex AdmittanceOfCircuit(CircuitKind kind, double r_ohm, double reactive, double f_hz)
{
    const double w = kTwoPi * f_hz;
    switch (kind) {
    case CircuitKind::None: return {};
    case CircuitKind::R: return {1.0 / r_ohm, 0.0};
    case CircuitKind::ParallelRL: return {1.0 / r_ohm, -1.0 / (w * reactive)};
    case CircuitKind::ParallelRC: return {1.0 / r_ohm, w * reactive};
    case CircuitKind::SeriesRL:
    case CircuitKind::SeriesRC: return CxInv(ImpedanceOfCircuit(kind, r_ohm, reactive, f_hz));
    }
    return {};
}

} // namespace korvel
