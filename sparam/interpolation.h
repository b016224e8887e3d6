// The frequency grid chosen by the user and the evaluation of a data set on it.
//
// A Touchstone file is measured at its own frequencies; the tool compares data sets on one
// common grid, so every set is interpolated onto it. Magnitude and angle are interpolated
// separately (not real and imaginary parts) for files written that way, because a phase
// that turns steadily with frequency keeps its magnitude only when the angle itself is
// interpolated.
#pragma once

#include "core/cxmath.h"
#include "touchstone.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace korvel {

// ---- Grids (MHz, single precision like the data sets) ---------------------------------------

// More grid points than this are refused: a grid is one row per point of a table or chart.
inline constexpr std::size_t kMaxGridPoints = 50'000'000;

// start, start + step, ... (accumulated in single precision) while the value does not pass
// stop; stop itself is appended when the steps do not land on it. Empty when step is not
// positive, stop lies below start, or the grid would exceed kMaxGridPoints.
std::vector<float> StartStopGrid(float start, float stop, float step);

struct CenterSpanGrid {
    int points = 0;               // the number of points used (an even request is raised by one)
    std::vector<float> freq;
};

// center - bw/2 .. center + bw/2 in points - 1 equal steps, accumulated in single precision.
// An odd number of points keeps the center on the grid, so an even request is raised by one.
CenterSpanGrid MakeCenterSpanGrid(float center, float bw, int points);

// ---- Bracketing and interpolation ------------------------------------------------------------

// Finds j (1-based) with table(j) <= x < table(j + 1) for an ascending table of n entries
// (table(j) > x >= table(j + 1) for a descending one); j = 0 or j = n mark x below or above
// the table. j comes in as a guess (the previous result) and the search walks out from it
// with a doubling step; a guess outside 1..n searches the whole table. n = 0 leaves j as is.
void BracketValueX(float x, const float* table, int n, bool ascending, int& j);

// y1 + (x - x1)(y2 - y1)/(x2 - x1), in single precision. Without extrapolation the value is
// held at the end point for x at or beyond either end.
float LinearInterpolate(float x1, float y1, float x2, float y2, float x, bool extrapolate);

// Interpolates an angle in degrees the short way round: when the ends lie more than 180°
// apart one is moved by 360° first; a result below -180 is raised by 360.
double InterpolateAngleDeg(double x1, double a1, double x2, double a2, double x);

// ---- A data set on the grid ------------------------------------------------------------------

inline constexpr std::string_view kSDataFault = "Undeterminate error in S data";
inline constexpr std::string_view kNoiseDataFault = "Undeterminate error in SnP file noise data";

struct GridSet {
    int ports = 0;
    float referenceImpedance = 0.0f;
    bool hasNoise = false;
    std::vector<float> freq;                  // the grid, MHz
    std::array<Column<Complex>, 4> s;         // indexed by SIndex(i, j); one-ports fill S11 only
    // Noise, when the set has noise data. NFmin and rn are kept in single precision like the
    // file's own values: they are shown, never computed on further.
    Column<float> nfMinDb;
    Column<Complex> gammaOpt;
    Column<float> rn;
    std::string fault;                        // one of the two texts above, or empty

    std::size_t Points() const { return freq.size(); }
};

// Evaluates a loaded data set at every grid frequency, holding the end values outside the
// file's range.
GridSet InterpolateDataSet(const DataSet& set, std::span<const float> grid);

// The file's own pair at point k (0-based) as a complex number, by the file's number format.
Complex FilePairToComplex(const DataSet& set, int sIndex, std::size_t k);

} // namespace korvel
