// Schottky diode detectors: the DC output voltage and the voltage sensitivity of a diode
// rectifying the RF voltage of a source, over a swept input power.
//
// The diode is the ideal exponential junction with series resistance Rs, ideality n and a
// saturation current that follows temperature; the source has resistance Rg and delivers its
// available power P, so the peak open-circuit RF voltage is sqrt(8 Rg P). Averaging the
// diode current over one RF cycle turns the exponential of a sine into the modified Bessel
// function I0, and the detected DC voltage V across the load RL is the root of
//
//   (1 + Io/Is + (V + Vo0)/(RL Is)) exp(a (V + Vo0) + b) = I0(x),   x = (q/nkT) sqrt(8 Rg P)
//
// with a = (1 + (Rg + Rs)/RL) q/(nkT), b = (q/nkT) Rs Io, and Vo0 the output with no RF
// (non-zero when an external bias current Io flows). The small-signal detector feeds the
// diode straight from the source (Rg = Z0); the large-signal one has a matching / DC-return
// resistor Rm across the source (Rg = Rm || Z0) and looser solver tolerances.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvel {

// Charge of the electron and Boltzmann's constant as the detector model uses them.
inline constexpr double kDetectorQ = 1.60217733e-19;   // C
inline constexpr double kDetectorK = 1.380658e-23;     // J/K
// The temperature at which the saturation current is specified (25 degC).
inline constexpr double kDetectorTrefK = 273.15 + 25.0;

// ---- Root finding -------------------------------------------------------------------

// Brent's method: bisection, secant and inverse quadratic interpolation with the root kept
// between b and c. Stops when half the bracket is within 2*3e-8*|b| + tol/2 or f(b) is 0.
struct BrentOutcome {
    double root = 0.0;       // the last estimate b
    double partner = 0.0;    // the other end c of the final bracket
    bool bracketed = false;  // f(root) and f(partner) differ in sign (or f(root) is 0)
    bool converged = false;  // stopped by the tolerance rather than the iteration cap
    int iterations = 0;
};

inline constexpr int kBrentMaxIterations = 200;
inline constexpr double kBrentEps = 3e-8;

BrentOutcome BrentRoot(const std::function<double(double)>& f, double low, double high, double tol,
                       int maxIterations = kBrentMaxIterations);

// ---- The detector model ----------------------------------------------------------------

// The solver's interval and tolerance for the two equations; they differ between the
// small-signal window (tight) and the large-signal one (loose). The per-point interval is
// where the search starts: its top is raised for a root that lies above it.
struct DetectorSolverSettings {
    double zeroLow_v = -10.0;
    double zeroHigh_v = 10.0;
    double zeroTol_v = 1e-10;
    double pointLow_v = 0.0;
    double pointHigh_v = 15.0;
    double pointTol_v = 1e-6;
};

DetectorSolverSettings SmallSignalSolver();
DetectorSolverSettings LargeSignalSolver();

struct DetectorInputs {
    double ideality = 1.15;        // n
    double iso_a = 0.06e-6;        // saturation current at 25 degC
    double eg_ev = 0.35;           // energy gap
    double rs_ohm = 6.0;           // series resistance
    double io_a = 0.0;             // external bias current
    double temp_k = kDetectorTrefK;
    double rg_ohm = 50.0;          // source resistance seen by the diode
    double rl_ohm = 100000.0;      // load resistance
    double pinStart_dbm = -50.0;
    double pinStop_dbm = 0.0;
    double pinStep_db = 2.0;
};

struct DetectorPoint {
    double power_w = 0.0;
    double vout_v = 0.0;
    double sensitivity_mv_per_uw = 0.0;
    bool converged = false;
};

struct DetectorResult {
    double is_a = 0.0;             // saturation current at the operating temperature
    double lambda_per_v = 0.0;     // q/(kT)
    double vo0_v = 0.0;            // output with no RF input
    double rv_ohm = 0.0;           // video resistance
    std::vector<DetectorPoint> points;
    bool error = false;
    std::string errorText;
};

inline constexpr const char* kDetectorZeroSolveError = "Error LS07 Root extraction exceeded maximum iterations ";
inline constexpr const char* kDetectorPointSolveError = "Error LS06 Root extraction exceeded maximum iterations ";

// Saturation current at temperature T: Iso (T/Tref)^(2/n) exp(-12000 Eg (1/T - 1/Tref)).
double SaturationCurrent(double iso_a, double ideality, double eg_ev, double temp_k);
// Small-signal video resistance 8.33e-5 n T / (Io + Is), ohm.
double VideoResistance(double ideality, double temp_k, double io_a, double is_a);
// The source resistance the diode sees behind a resistor Rm across the source: Rm || Z0.
double ParallelSourceResistance(double rm_ohm, double z0_ohm);
// Number of power steps: Int((stop - start) / step) + 1.
int DetectorPointCount(double start_dbm, double stop_dbm, double step_db);

// The whole sweep: saturation current, lambda, Vo(0), Rv, and one point per power step.
DetectorResult AnalyseDetector(const DetectorInputs& in, const DetectorSolverSettings& solver);

// The two equations in logarithmic form (same roots, finite over the whole interval), for
// tests that check a solved point against the model independently of the solver.
double DetectorZeroEquation(const DetectorInputs& in, double is_a, double v);
double DetectorPointEquation(const DetectorInputs& in, double is_a, double vo0_v, double power_w, double v);

} // namespace korvel
