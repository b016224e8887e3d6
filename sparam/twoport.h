// Two-port quantities derived from the S-parameters at one frequency: gains, matching,
// stability, noise, phase and group delay, and the circles drawn on the Smith chart.
//
// Each quantity is a plain function of the S-values at one frequency and decides its own
// special values here, once: a point where the quantity does not exist (a gain through a
// dead path, the VSWR of a total reflection) is kUndefined and is left out of every display;
// an infinite stability factor is shown as K = 20. The displays and the command-line tool
// call these same functions.
#pragma once

#include "core/cxmath.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline constexpr double kUndefined = -9999.0;
inline constexpr double kInfiniteKShownAs = 20.0;
inline constexpr double kVSWRShownAtMost = 1000.0;

constexpr bool IsUndefined(double v) { return v == kUndefined; }
constexpr bool IsUndefined(Complex z) { return z.Re == kUndefined && z.Im == kUndefined; }
inline constexpr Complex kUndefinedComplex{kUndefined, kUndefined};

// Texts the charts write beside these quantities.
inline constexpr std::string_view kGainFlatnessTitle = "Gt Gain Variation (dB)";
inline constexpr std::string_view kStabilityReferenceLabel = "Unconditionally stable (u1, u2, K)";
inline constexpr std::string_view kLinearPhaseReferenceLabel = "   Linear phase reference";
inline constexpr std::string_view kGainCirclesCaption = "Input - Thin line    Output - Thick line";
inline constexpr std::string_view kCirclesOutOfBounds = "Circles out of bounds";
inline constexpr std::string_view kCirclesNotDefined = "Circles not defined at this frequency";

// A note the chart writes when a quantity was shown other than as computed.
enum class Note { None, KInfinite, RLOutOfBounds, VSWROutOfBounds };
std::string_view NoteText(Note note);

struct Quantity {
    double value = kUndefined;
    Note note = Note::None;
};

struct TwoPort {
    Complex s11, s21, s12, s22;
};

struct NoiseParams {
    double nfMinDb = 0.0;
    Complex gammaOpt;
    double rn = 0.0;   // normalised to the reference impedance
};

// Δ = S11·S22 − S12·S21.
Complex Delta(const TwoPort& s);

// ---- Gains (dB) -------------------------------------------------------------------------------
double MaxAvailableGainDb(const TwoPort& s);   // "MAG": only where unconditionally stable
double MaxStableGainDb(const TwoPort& s);      // "MSG"; a unilateral device gives its Gt
double TransducerGainDb(const TwoPort& s);     // "Gt  [S21]"
double MaxUnilateralGainDb(const TwoPort& s);  // "Gtumax"
double UnilateralGainDb(const TwoPort& s);     // "U" (Mason's invariant)
double IsolationDb(const TwoPort& s);          // "Isol  [S12]"
double MismatchGainInDb(const TwoPort& s);     // "MM Gain In"
double MismatchGainOutDb(const TwoPort& s);    // "MM Gain Out"

// ---- Matching -----------------------------------------------------------------------------------
Quantity ReturnLossDb(Complex gamma);          // "RL In" with S11, "RL Out" with S22
Quantity VSWR(Complex gamma);                  // "VSWR In" with S11, "VSWR Out" with S22
Complex GammaMS(const TwoPort& s);             // simultaneous conjugate match, source side
Complex GammaML(const TwoPort& s);             // and load side; undefined where K < 1

// ---- Stability --------------------------------------------------------------------------------
Quantity StabilityK(const TwoPort& s);
double StabilityB1(const TwoPort& s);
double StabilityMu1(const TwoPort& s);
double StabilityMu2(const TwoPort& s);
// K > 1 and B1 > 0 with both transmission paths alive.
bool UnconditionallyStable(const TwoPort& s);

// ---- Noise --------------------------------------------------------------------------------------
double NoiseFigureZ0Db(const NoiseParams& n);  // "NF Zo": with a source of the reference impedance

// ---- Phase -----------------------------------------------------------------------------------------
double PhaseDeg(Complex z);
// Between two neighbouring points (angles in degrees, frequencies in MHz), in seconds; a
// pair of angles on both sides of ±180° is differenced across the wrap.
double GroupDelaySeconds(double phi1Deg, double phi2Deg, double f1MHz, double f2MHz);
// A straight line fitted by least squares to the unwrapped phase, wrapped back to ±180°.
std::vector<double> LinearPhaseReference(std::span<const float> freqMHz, std::span<const double> phaseDeg);

// ---- Gain flatness -------------------------------------------------------------------------------
struct GainFlatness {
    bool defined = false;
    double min = 0.0, avg = 0.0, max = 0.0, flatness = 0.0;
    bool hasMidband = false;
    double midband = 0.0;
};
GainFlatness GainFlatnessOf(std::span<const double> gtDb);
std::string GainFlatnessCaption(const GainFlatness& g);

// ---- Differential one-port ---------------------------------------------------------------------
// The impedance between the two ports driven in anti-phase, Z11 − Z12 − Z21 + Z22, in ohms.
Complex DifferentialImpedance(const TwoPort& s, double z0);

// ---- Circles on the Smith chart (reflection-coefficient plane) -------------------------------
struct Circle {
    bool defined = false;
    Complex center;
    double radius = 0.0;
};
Circle GainCircleIn(const TwoPort& s, double gainDb);
Circle GainCircleOut(const TwoPort& s, double gainDb);
Circle StabilityCircleIn(const TwoPort& s);
Circle StabilityCircleOut(const TwoPort& s);
Circle NoiseCircle(const NoiseParams& n, double nfDb);
bool CircleOutsideChart(const Circle& c);
// 360 points, one per degree, each as a normalised impedance z = (1 + Γ)/(1 − Γ).
std::vector<Complex> TraceCircle(const Circle& c);
Complex NormalisedImpedance(Complex gamma);

// The gains of the gain circles: the maximum gain less 1, 2, ... times the spacing.
std::vector<double> GainCircleLevels(double maxGainDb, int count, double spacingDb);
// The figures of the noise circles: NFmin plus 1, 2, ... times the spacing.
std::vector<double> NoiseCircleLevels(double nfMinDb, int count, double spacingDb);
// "MAG= 12.34" where unconditionally stable, "MSG= ..." otherwise.
std::string MaxGainLabel(const TwoPort& s);
std::string NoiseMinLabel(const NoiseParams& n);
std::string StabilityCircleLabelIn(const TwoPort& s);
std::string StabilityCircleLabelOut(const TwoPort& s);
// "Data sets unconditionally stable:   D1, D3 : Input  " (input) or the output caption.
std::string StableSetsCaption(std::span<const int> setNumbers, bool input);

} // namespace korvel
