// A dimension for a target impedance: the one search every planar line synthesises with.
//
// The planar models have no exact inverse, so synthesis looks for the dimension (a strip
// width, a gap) at which the line's own analysis gives the target Z0; synthesis and analysis
// therefore cannot disagree. The search runs over the logarithm of the dimension (the
// accepted widths span six decades), starts from the closed-form estimate the line's
// literature gives, takes secant steps, and once it has the root bracketed it never leaves
// the bracket, bisecting whenever a secant step would or converges too slowly. Where the
// model gives no result (a fault, a modulus out of its range) the search backs off towards
// the last dimension that had one, so the valid range is found where the model says it is.
//
// Plain C++ in SI units.
#pragma once

#include <string>

namespace korvel {

// The search stops when Z0 is within this fraction of the target.
inline constexpr double kSynthesisTolerance = 1e-9;

// The widths the planar windows accept, as a ratio to the substrate height. Synthesis
// searches the same range; the CPW, whose window checks no ratio, for its width and gap alike.
inline constexpr double kPlanarRatioMin = 0.001;
inline constexpr double kPlanarRatioMax = 1000.0;

struct DimensionSynthesis {
    bool solved = false;
    double value_m = 0.0;        // the dimension found
    double z0_ohm = 0.0;         // what the analysis gives at value_m
    // When the target is out of reach: Z0 at the two ends of the run of dimensions, within
    // the accepted range, over which the model gives a result (low <= high).
    double reachLow_ohm = 0.0;
    double reachHigh_ohm = 0.0;
    int evaluations = 0;         // analyses the search took
    std::string message;         // why nothing was found; empty when solved
};

struct DimensionSearch {
    const char* dimension = "width";   // named in the messages
    double min_m = 0.0;                // the range the window accepts (both above 0)
    double max_m = 0.0;
    double estimate_m = 0.0;           // the closed-form start; any value, it is clamped
};

// Z0 with the sought dimension set to `x_m`; anything not finite and above zero means that
// the model gives no result there.
using Z0OfDimension = double (*)(double x_m, const void* context);

DimensionSynthesis SynthesiseDimension(double targetZ0, const DimensionSearch& search, Z0OfDimension z0Of,
                                       const void* context);

template <typename F>
DimensionSynthesis SynthesiseDimension(double targetZ0, const DimensionSearch& search, const F& z0Of)
{
    return SynthesiseDimension(
        targetZ0, search, [](double x, const void* c) { return (*static_cast<const F*>(c))(x); }, &z0Of);
}

} // namespace korvel
