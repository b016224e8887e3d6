// Coplanar waveguide: a centre strip of width W between two coplanar grounds, each a gap G
// away, all of thickness T, on a substrate of height H and relative permittivity Er; either
// alone on the substrate or with a further ground plane under it.
//
// The models are the conformal maps of the cross-section onto parallel plates, with the
// ratios of complete elliptic integrals taken from Hilberg's closed forms, and a correction
// for the thickness of the conductors. There is no dispersion: the frequency only sets the
// wavelength.
//
// Plain C++ in SI units: metres, hertz, ohms.
#pragma once

#include "core/fault.h"
#include "lines/coax.h"
#include "lines/synthesis.h"

namespace korvel {

struct CpwInputs {
    double w_m = 0.0;          // centre strip width
    double g_m = 0.0;          // gap from the strip to each ground
    double t_m = 0.0;          // conductor thickness; must be above 0
    double h_m = 0.0;          // substrate height
    double length_m = 0.0;
    double freq_hz = 0.0;
    double er = 1.0;
    bool groundPlane = true;   // a ground plane under the substrate
    // The effective permittivity of the window's previous calculation: a model that stops on a
    // range test or a fault leaves that one in place, and the wave values use it.
    double keptEeff = 0.0;
    // Likewise the shape factor, which a fault before the thickness correction leaves as it was.
    double keptKe = 0.0;
};

// Inputs that put a modulus outside (0, 1): the model stops and the window shows a message box.
struct CpwRangeFailure {
    bool raised = false;
    const char* title = "";
    const char* text = "";
};

struct CpwResult {
    double k = 0.0;            // modulus of the strip and gaps
    double k1 = 0.0;           // modulus of the substrate of finite height
    double ke = 0.0;           // thickness-corrected modulus, shown as the shape factor
    double z0_ohm = 0.0;       // 0 after a range failure or a fault
    // Effective permittivity: what the model stored, or the kept one when it stopped first.
    double eeff = 0.0;
    LineWave wave;
    CpwRangeFailure range;
    LineFault fault;
};

inline constexpr const char* kCpwRangeText = "Width, Gap, Height, Thickness, or Er out of range.";
inline constexpr const char* kCpwRangeTitle = "Inputs out of range";
inline constexpr const char* kCpwGndRangeTitle = "Input data out of range";
inline constexpr const char* kCpwFaultText =
    "Unexpected math error (B01). Combination of W, G, H, T, or Er out of range.";

// What one formula function writes into the window besides its return value.
struct CpwState {
    double ke = 0.0;
    double eeff = 0.0;
    CpwRangeFailure range;
};

// Z0 without a ground plane under the substrate (CpwZ0) and with one (CpwGndZ0). Both write
// ke into `state` once it is known and the effective permittivity when it is computed; a
// failed range test sets `state.range` and returns 0; a fault is recorded in `trap` and gives 0.
double CpwZ0(double w_m, double g_m, double t_m, double h_m, double er, CpwState& state, FaultTrap& trap);
double CpwGndZ0(double w_m, double g_m, double t_m, double h_m, double er, CpwState& state, FaultTrap& trap);

// The whole calculation of one press of Calculate. The window has no accuracy warnings.
CpwResult AnalyseCpw(const CpwInputs& in);

// The centre strip width for the gap of `in`, or the gap for its width, at which AnalyseCpw
// gives `z0_ohm` with the other inputs (the solved one is not read), within
// kSynthesisTolerance, searched from 0.001 to 1000 times H where the model has a result.
DimensionSynthesis SynthesiseCpwWidth(double z0_ohm, const CpwInputs& in);
DimensionSynthesis SynthesiseCpwGap(double z0_ohm, const CpwInputs& in);

} // namespace korvel
