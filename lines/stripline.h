// Stripline: a strip of width W and thickness T centred between two ground planes a distance
// H apart, in a homogeneous dielectric Er.
//
// The impedance is Wheeler's closed form with his finite-thickness correction. The dielectric
// fills the whole cross-section, so the wave is TEM: the effective permittivity is Er itself
// and nothing disperses; the frequency only sets the wavelength.
//
// Plain C++ in SI units: metres, hertz, ohms.
#pragma once

#include "core/fault.h"
#include "lines/coax.h"
#include "lines/synthesis.h"

#include <vector>

namespace korvel {

struct StriplineInputs {
    double w_m = 0.0;          // strip width
    double h_m = 0.0;          // spacing of the two ground planes
    double t_m = 0.0;          // strip thickness; 0 is a zero-thickness strip
    double length_m = 0.0;
    double freq_hz = 0.0;
    double er = 1.0;
    // W/H and T/H of the values as typed (each pair in one unit); they are shown and decide
    // the accuracy warnings, so a ratio typed exactly on a threshold stays on it. 0: from the
    // metre values.
    double shownWH = 0.0;
    double shownTH = 0.0;
};

struct StriplineResult {
    double whRatio = 0.0;      // the shown W/H
    double thRatio = 0.0;      // the shown T/H
    double dW = 0.0;           // thickness widening, as a fraction of the spacing H - T
    double k = 0.0;            // corrected width over (H - T)
    double z0_ohm = 0.0;       // 0 after a fault
    double eeff = 1.0;         // always Er
    LineWave wave;
    LineFault fault;
    // Every accuracy warning that applies, in order; the last is the one left in the status
    // bar. Decided from the inputs alone; after a fault the window does not show them.
    std::vector<LineWarning> warnings;
};

inline constexpr const char* kStriplineFaultText =
    "Unexpected math error (B01). Combination of Er and W/H out of range.";

// Z0 of the stripline; `r` is W/H of the metre values. Writes Er into `eeff` when it
// completes. A fault is recorded in `trap` and gives 0, leaving `eeff` unwritten.
double StriplineZ0(double r, double er, double t_m, double h_m, double w_m, double& eeff, FaultTrap& trap);

// The whole calculation of one press of Calculate.
StriplineResult AnalyseStripline(const StriplineInputs& in);

// The width rules (on W/H) and the thickness rule (on T/H), in the order they override each
// other: width first, then thickness.
const std::vector<LineWarningRule>& StriplineWidthRules();
const std::vector<LineWarningRule>& StriplineThicknessRules();

// The strip width at which AnalyseStripline gives `z0_ohm` with the other inputs of `in`
// (its width is not read), within kSynthesisTolerance, for W/H from 0.001 to 1000.
DimensionSynthesis SynthesiseStriplineWidth(double z0_ohm, const StriplineInputs& in);

} // namespace korvel
