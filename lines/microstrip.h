// Microstrip: a strip of width W and thickness T on a substrate of height H and relative
// permittivity Er over a ground plane.
//
// The quasi-static impedance and effective permittivity are Hammerstad and Jensen's closed
// forms with their strip-thickness correction; the field creeping into the substrate as the
// frequency rises is Kirschning and Jansen's dispersion of the effective permittivity and
// Jansen and Kirschning's dispersion of the impedance. The constants are the program's own.
//
// Plain C++ in SI units: metres, hertz, ohms.
#pragma once

#include "core/fault.h"
#include "lines/coax.h"
#include "lines/synthesis.h"

#include <vector>

namespace korvel {

struct MicrostripInputs {
    double w_m = 0.0;          // strip width
    double h_m = 0.0;          // substrate height
    double t_m = 0.0;          // strip thickness; 0 is a zero-thickness strip
    double length_m = 0.0;     // physical length, for the electrical length
    double freq_hz = 0.0;
    double er = 1.0;
    // W/H of the two values as typed (both in one unit); it is shown and it decides the
    // accuracy warnings, so a ratio typed exactly on a threshold stays on it. 0: w_m / h_m.
    double shownWH = 0.0;
    // The effective permittivity of the window's previous calculation: a fault before the
    // model stores its own leaves that one in place, and the wave values use it.
    double keptEeff = 0.0;
};

struct MicrostripResult {
    double whRatio = 0.0;      // the shown W/H
    // Thickness correction: the widening of the strip in air and in the mixed dielectric,
    // and the corrected width-to-height ratios.
    double dW1_m = 0.0;
    double dWr_m = 0.0;
    double u1 = 0.0;
    double ur = 0.0;
    double eeStatic = 0.0;     // static effective permittivity
    double z0Static = 0.0;     // static impedance
    double efDispersed = 0.0;  // effective permittivity at the frequency, before the thickness factor
    double z0_ohm = 0.0;       // impedance at the frequency; 0 after a fault
    // Effective permittivity at the frequency after the thickness factor: what is shown and
    // what the velocity follows. After a fault, whatever the model had stored when it stopped.
    double eeff = 0.0;
    LineWave wave;
    LineFault fault;
    // Every accuracy warning that applies, in order; the last is the one left in the status
    // bar. They are decided from the inputs alone; after a fault the window does not show them.
    std::vector<LineWarning> warnings;
};

inline constexpr const char* kMicrostripFaultText =
    "Unexpected math error (B01). Combination of Er and W/H out of range.";

// Z0 at `f_hz` of a strip `w_m` wide and `t_m` thick on `h_m` of substrate `er`. Writes the
// effective permittivity into `eeff` the way the window's variable is written: first the
// dispersed value, then the thickness-corrected one; a fault stops the writing where it
// happened. A fault is recorded in `trap` and gives 0.
double MicrostripZ0(double w_m, double h_m, double er, double f_hz, double t_m, double& eeff,
                    FaultTrap& trap);

// The whole calculation of one press of Calculate: impedance, effective permittivity,
// velocity, wavelength and electrical length, accuracy warnings and fault.
MicrostripResult AnalyseMicrostrip(const MicrostripInputs& in);

// The accuracy rules, in the order they override each other.
const std::vector<LineWarningRule>& MicrostripWarningRules();

// The strip width at which AnalyseMicrostrip gives `z0_ohm` with the other inputs of `in`
// (its width is not read), within kSynthesisTolerance, for W/H from 0.001 to 1000.
DimensionSynthesis SynthesiseMicrostripWidth(double z0_ohm, const MicrostripInputs& in);

} // namespace korvel
