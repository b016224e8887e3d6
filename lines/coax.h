// Round coaxial line, and the family of TEM lines built like it (a round centre conductor in
// an outer conductor, or two round wires): the impedance follows from the ratio of two
// dimensions and the dielectric constant alone, so analysis (dimensions -> Z0) and synthesis
// (Z0 -> one dimension) are closed-form and exact inverses of each other.
//
// Everything here is plain C++ in SI units: metres, hertz, ohms, radians.
#pragma once

#include "core/fault.h"

#include <string>
#include <vector>

namespace korvel {

// The constants the line calculators have always used; they differ from full double
// precision in the last digits, and results are expected to match them.
inline constexpr double kMu0 = 1.25663706143592e-6;   // H/m
inline constexpr double kEps0 = 8.85418781761e-12;    // F/m
inline constexpr double kC0 = 299792458.0;            // m/s

// Z0 of a round coax with outer/inner diameter ratio `ratio` filled with dielectric `er`:
// (1 / 2 pi) sqrt(mu0 / eps0) ln(ratio) / sqrt(er). A fault (logarithm of a non-positive
// ratio, er below zero) is recorded in `trap` and gives 0.
double CoaxZ0(double ratio, double er, FaultTrap& trap);
double CoaxZ0(double ratio, double er);
// The D1/D2 ratio giving `z0` in dielectric `er`: e ^ (sqrt(er) 2 pi z0 sqrt(eps0 / mu0)),
// with e the program's decimal literal as the base.
double CoaxD1D2Ratio(double z0, double er, FaultTrap& trap);
double CoaxD1D2Ratio(double z0, double er);

// ---- Status of a result -------------------------------------------------------------------

enum class LineStatusLevel { Normal, Warning, Severe };   // shown "grn", "yel", "red"

struct LineWarning {
    std::string text;
    LineStatusLevel level = LineStatusLevel::Warning;
    bool operator==(const LineWarning&) const = default;
};

// A rule flags a quantity strictly below `below` or strictly above `above`; the thresholds
// themselves are still inside the model's accurate range.
enum class LineQuantity { Ratio, Z0, Er };
struct LineWarningRule {
    LineQuantity quantity;
    double below;   // -inf: no lower limit
    double above;   // +inf: no upper limit
    const char* text;
    LineStatusLevel level;
};

// ---- A line of the coax family ------------------------------------------------------------

// What differs between the members of the family: the pair of formulas over the ratio of the
// two dimensions, which dimension synthesis solves for, the accuracy rules and fault texts.
struct CoaxFamilyModel {
    // Z0 from the shown ratio (D1/D2, or S/D for the wire lines) and er.
    double (*z0FromRatio)(double ratio, double er, FaultTrap& trap);
    // The shown ratio that gives z0 in er.
    double (*ratioFromZ0)(double z0, double er, FaultTrap& trap);
    // Synthesis solves the outer dimension (wire spacing) instead of the inner one (coax D2).
    bool solvesOuter;
    const char* analysisFaultText;    // a fault inside z0FromRatio
    const char* synthesisFaultText;   // a fault inside ratioFromZ0
    std::vector<LineWarningRule> analysisRules;    // applied in order, each overriding
    std::vector<LineWarningRule> synthesisRules;
};

const CoaxFamilyModel& RndCoaxModel();

// Inputs in SI units, except the two dimensions: only their ratio enters the impedance, so
// they may be given in any one unit (the window passes them as typed, which keeps a ratio
// typed exactly on an accuracy threshold exactly on it). `outer` is D1 (coax outer diameter,
// or the wire spacing S), `inner` is D2 (coax inner diameter, or the wire diameter D).
struct LineAnalysisInputs {
    double outer = 0.0;
    double inner = 0.0;
    double length_m = 0.0;
    double freq_hz = 0.0;
    double er = 1.0;
};

struct LineSynthesisInputs {
    double z0_ohm = 0.0;
    double fixed_m = 0.0;     // the dimension that is kept: D1 for coax, D for the wires
    double length_m = 0.0;
    double freq_hz = 0.0;
    double er = 1.0;
};

// Velocity, wavelength and electrical length of a physical length of the line.
struct LineWave {
    double velocityFactor = 0.0;      // fraction of c
    double wavelength_m = 0.0;        // one wavelength in the line
    double fractionOfWavelength = 0.0;
    double electricalLength_rad = 0.0;
};

struct LineFault {
    bool raised = false;
    int number = kNoFault;
    std::string text;                 // the status text of the fault
};

struct LineAnalysis {
    double ratio = 0.0;
    double z0_ohm = 0.0;
    LineWave wave;
    LineFault fault;
    // Every accuracy warning that applies, in the order the window shows them; the last one
    // is the one left in the status bar.
    std::vector<LineWarning> warnings;
};

struct LineSynthesis {
    double ratio = 0.0;
    double solved_m = 0.0;            // D2 for coax, S for the wires
    double z0_ohm = 0.0;
    LineWave wave;
    LineFault fault;
    std::vector<LineWarning> warnings;
};

LineWave LineWaveFor(double length_m, double freq_hz, double er);
std::vector<LineWarning> LineWarningsFor(const std::vector<LineWarningRule>& rules, double ratio,
                                         double z0, double er);

LineAnalysis AnalyseCoaxFamily(const CoaxFamilyModel& model, const LineAnalysisInputs& in);
LineSynthesis SynthesiseCoaxFamily(const CoaxFamilyModel& model, const LineSynthesisInputs& in);

using RndCoaxInputs = LineAnalysisInputs;
using RndCoaxAnalysis = LineAnalysis;
using RndCoaxSynthesisInputs = LineSynthesisInputs;
using RndCoaxSynthesis = LineSynthesis;

inline RndCoaxAnalysis AnalyseRndCoax(const RndCoaxInputs& in) { return AnalyseCoaxFamily(RndCoaxModel(), in); }
inline RndCoaxSynthesis SynthesiseRndCoax(const RndCoaxSynthesisInputs& in)
{
    return SynthesiseCoaxFamily(RndCoaxModel(), in);
}

} // namespace korvel
