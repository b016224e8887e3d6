// Equivalent two-element circuits of a complex impedance or admittance at one frequency, and
// the impedance or admittance of such a circuit built from its element values. SI units
// throughout (ohm, H, F, Hz).
#pragma once

#include "core/cxmath.h"

namespace korvel {

// The circuit choices in the order the calculator cycles through them.
enum class CircuitKind { None, R, SeriesRL, SeriesRC, ParallelRL, ParallelRC };

// None -> R -> series R-L -> series R-C -> parallel R-L -> parallel R-C -> R ...
CircuitKind NextCircuit(CircuitKind kind);
bool IsParallel(CircuitKind kind);
bool HasInductor(CircuitKind kind);
bool HasCapacitor(CircuitKind kind);

struct EquivalentCircuit {
    CircuitKind kind = CircuitKind::None;
    double r_ohm = 0.0;
    bool rInfinite = false;  // a parallel circuit with no conductance has no resistor
    double l_h = 0.0;
    double c_f = 0.0;
};

// z = R + jX as R in series with the inductor (X > 0) or capacitor (X < 0) of that reactance.
EquivalentCircuit SeriesCircuitOfZ(Complex z, double f_hz);
// y = G + jB as R = 1/G in parallel with the capacitor (B > 0) or inductor (B < 0) of that
// susceptance.
EquivalentCircuit ParallelCircuitOfY(Complex y, double f_hz);

// The impedance and admittance of a chosen circuit; `reactive` is the inductance in henries
// or the capacitance in farads (ignored for R alone). None gives (0, 0).
Complex ImpedanceOfCircuit(CircuitKind kind, double r_ohm, double reactive, double f_hz);
Complex AdmittanceOfCircuit(CircuitKind kind, double r_ohm, double reactive, double f_hz);

} // namespace korvel
