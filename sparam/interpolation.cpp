#include "interpolation.h"

#include "core/batchmath.h"
#include "core/parallel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace korvel {

std::vector<float> StartStopGrid(float start, float stop, float step)
{
    std::vector<float> grid;
    if (!(step > 0.0f) || !std::isfinite(step) || !std::isfinite(start) || !std::isfinite(stop) || stop < start)
        return grid;
    if ((static_cast<double>(stop) - start) / step > static_cast<double>(kMaxGridPoints))
        return grid;
    for (float f = start; f <= stop;) {
        grid.push_back(f);
        const float next = f + step;
        if (next == f)   // the step is lost in single precision: no further point is reachable
            break;
        f = next;
    }
    if (grid.empty() || grid.back() != stop)
        grid.push_back(stop);
    return grid;
}

CenterSpanGrid MakeCenterSpanGrid(float center, float bw, int points)
{
    CenterSpanGrid g;
    if (points < 1 || !std::isfinite(center) || !std::isfinite(bw) || bw < 0.0f)
        return g;
    if (points % 2 == 0)
        ++points;
    g.points = points;
    // One point, or no width: the center is the whole grid.
    if (points == 1 || bw == 0.0f) {
        g.freq.push_back(center);
        return g;
    }
    if (static_cast<std::size_t>(points) > kMaxGridPoints)
        return g;
    const float start = static_cast<float>(static_cast<double>(center) - static_cast<double>(bw) / 2.0);
    const float stop = static_cast<float>(static_cast<double>(center) + static_cast<double>(bw) / 2.0);
    const float step = static_cast<float>(static_cast<double>(bw) / (points - 1));
    g.freq.reserve(static_cast<std::size_t>(points));
    for (float f = start; f <= stop && step > 0.0f;) {
        g.freq.push_back(f);
        const float next = f + step;
        if (next == f)
            break;
        f = next;
    }
    return g;
}

void BracketValueX(float x, const float* table, int n, bool ascending, int& j)
{
    if (n <= 0)
        return;
    auto at = [table](int i) { return table[i - 1]; };
    // "x is on the high-index side of entry i" for either direction of the table.
    auto above = [&](int i) { return (x >= at(i)) == ascending; };

    int lo = j;
    int hi = 0;
    if (lo <= 0 || lo > n) {
        lo = 0;
        hi = n + 1;
    } else if (above(lo)) {
        for (int step = 1;; step += step) {
            hi = lo + step;
            if (hi > n) {
                hi = n + 1;
                break;
            }
            if (!above(hi))
                break;
            lo = hi;
        }
    } else {
        hi = lo;
        for (int step = 1;; step += step) {
            lo = hi - step;
            if (lo < 1) {
                lo = 0;
                break;
            }
            if (above(lo))
                break;
            hi = lo;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (above(mid))
            lo = mid;
        else
            hi = mid;
    }
    j = lo;
}

namespace {

// The held linear interpolation in double precision; the public single-precision one and
// the angle interpolation share it.
// Written as choices between computed values (no branch), so that loops over many points run
// on several at once; with traps off, the division of a held end only gives a value to drop.
inline double Held(double x1, double y1, double x2, double y2, double x)
{
    const bool firstIsLower = x1 <= x2;
    const double xLow = firstIsLower ? x1 : x2;
    const double xHigh = firstIsLower ? x2 : x1;
    const double inside = y1 + (x - x1) * (y2 - y1) / (x2 - x1);
    const double atHigh = firstIsLower ? y2 : y1;
    const double atLow = firstIsLower ? y1 : y2;
    return x <= xLow ? atLow : x >= xHigh ? atHigh : inside;
}

} // namespace

float LinearInterpolate(float x1, float y1, float x2, float y2, float x, bool extrapolate)
{
    if (!extrapolate)
        return static_cast<float>(Held(x1, y1, x2, y2, x));
    if (x1 == x2)
        return y1;
    return static_cast<float>(static_cast<double>(y1) + (static_cast<double>(x) - x1) *
                                  (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
}

double InterpolateAngleDeg(double x1, double a1, double x2, double a2, double x)
{
    // Both ends on the same side of the ±180° wrap, so that 170° and -170° meet at 180°.
    const bool lowerSecond = a2 - a1 > 180.0;
    const bool lowerFirst = !lowerSecond && a1 - a2 > 180.0;
    const double a = Held(x1, lowerFirst ? a1 - 360.0 : a1, x2, lowerSecond ? a2 - 360.0 : a2, x);
    return a < -180.0 ? a + 360.0 : a;
}

namespace {

// Below this a grid is not worth a second thread.
constexpr std::size_t kGridPointsPerThread = 1u << 15;

double DbToLinear(double db) { return std::pow(10.0, db / 20.0); }

struct Bracket {
    std::size_t k1 = 0;   // 0-based ends; equal when the value is held
    std::size_t k2 = 0;
};

// Inlined into the loops that call it, which are compiled for the processor's vector unit: a
// call into code built for the basic instruction set would stall on every value.
[[gnu::always_inline]] inline Bracket BracketOf(float f, std::span<const float> table, int& guess)
{
    const int n = static_cast<int>(table.size());
    BracketValueX(f, table.data(), n, true, guess);
    if (guess <= 0)
        return {0, 0};
    if (guess >= n)
        return {static_cast<std::size_t>(n - 1), static_cast<std::size_t>(n - 1)};
    return {static_cast<std::size_t>(guess - 1), static_cast<std::size_t>(guess)};
}

} // namespace

Complex FilePairToComplex(const DataSet& set, int e, std::size_t k)
{
    const double a = set.first[static_cast<std::size_t>(e)][k];
    const double b = set.second[static_cast<std::size_t>(e)][k];
    if (set.numberFormat == "RI")
        return Complex{a, b};
    const double mag = set.numberFormat == "DB" ? DbToLinear(a) : a;
    return CxFromPolarDeg(Complex{mag, b});
}

namespace {

// Grid points are taken this many at a time: their magnitudes and angles are found point by
// point, then the whole chunk is turned into rectangular form at once.
constexpr std::size_t kChunk = 256;

// Polar values (magnitude, degrees) of a chunk in rectangular form. A magnitude that is not
// finite gives 0 and is reported by the return value.
KORVEL_BATCH_LOOPS bool PolarChunk(const double* mag, const double* deg, std::size_t m, Complex* out)
{
    int bad = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const bool ok = std::fabs(mag[i]) <= DBL_MAX;
        double re = 0.0;
        double im = 0.0;
        BatchPolarDeg(ok ? mag[i] : 0.0, deg[i], re, im);
        out[i].Re = re;
        out[i].Im = im;
        bad |= !ok;
    }
    return bad == 0;
}

// The S-values of grid points [from, to); false when a magnitude is not finite.
KORVEL_BATCH_LOOPS bool InterpolateS(const DataSet& set, std::span<const float> grid, GridSet& out, std::size_t from,
                                     std::size_t to)
{
    const bool ri = set.numberFormat == "RI";
    const bool db = set.numberFormat == "DB";
    const std::size_t elements = set.ports == 2 ? 4 : 1;
    bool finite = true;
    int guess = 0;
    double mag[4][kChunk];
    double ang[4][kChunk];
    for (std::size_t c = from; c < to; c += kChunk) {
        const std::size_t m = std::min(kChunk, to - c);
        for (std::size_t i = 0; i < m; ++i) {
            const float f = grid[c + i];
            const Bracket br = BracketOf(f, set.freq, guess);
            const double x1 = set.freq[br.k1];
            const double x2 = set.freq[br.k2];
            // Every pair shares the bracket, so the pairs are interpolated side by side.
            double y1[8] = {};
            double y2[8] = {};
            for (std::size_t e = 0; e < elements; ++e) {
                y1[2 * e] = set.first[e][br.k1];
                y1[2 * e + 1] = set.second[e][br.k1];
                y2[2 * e] = set.first[e][br.k2];
                y2[2 * e + 1] = set.second[e][br.k2];
            }
            if (!ri) {
                // Decibels become linear magnitudes before they are interpolated.
                for (std::size_t e = 0; e < elements; ++e) {
                    y1[2 * e] = db ? DbToLinear(y1[2 * e]) : y1[2 * e];
                    y2[2 * e] = db ? DbToLinear(y2[2 * e]) : y2[2 * e];
                }
            }
            double y[8];
            for (std::size_t v = 0; v < 8; ++v)
                y[v] = Held(x1, y1[v], x2, y2[v], f);
            for (std::size_t e = 0; e < elements; ++e) {
                if (ri) {
                    out.s[e][c + i] = Complex{y[2 * e], y[2 * e + 1]};
                } else {
                    mag[e][i] = y[2 * e];
                    ang[e][i] = InterpolateAngleDeg(x1, y1[2 * e + 1], x2, y2[2 * e + 1], f);
                }
            }
        }
        if (!ri)
            for (std::size_t e = 0; e < elements; ++e)
                finite = PolarChunk(mag[e], ang[e], m, &out.s[e][c]) && finite;
    }
    return finite;
}

// The noise parameters of grid points [from, to): the brackets of a chunk first, then its
// values all at once.
KORVEL_BATCH_LOOPS void InterpolateNoise(const DataSet& set, std::span<const float> grid, GridSet& out,
                                         std::size_t from, std::size_t to)
{
    int guess = 0;
    int k1[kChunk];   // int: what gather instructions take
    int k2[kChunk];
    double nf[kChunk];
    double rn[kChunk];
    double mag[kChunk];
    double ang[kChunk];
    const float* const freq = set.noiseFreq.data();
    const float* const nfMin = set.nfMinDb.data();
    const float* const rnIn = set.rn.data();
    const float* const gMag = set.gammaOptMag.data();
    const float* const gAng = set.gammaOptAng.data();
    for (std::size_t c = from; c < to; c += kChunk) {
        const std::size_t m = std::min(kChunk, to - c);
        for (std::size_t i = 0; i < m; ++i) {
            const Bracket br = BracketOf(grid[c + i], set.noiseFreq, guess);
            k1[i] = static_cast<int>(br.k1);
            k2[i] = static_cast<int>(br.k2);
        }
        const float* const f = grid.data() + c;
        for (std::size_t i = 0; i < m; ++i) {
            const double x1 = freq[k1[i]];
            const double x2 = freq[k2[i]];
            nf[i] = Held(x1, nfMin[k1[i]], x2, nfMin[k2[i]], f[i]);
            rn[i] = Held(x1, rnIn[k1[i]], x2, rnIn[k2[i]], f[i]);
            mag[i] = Held(x1, gMag[k1[i]], x2, gMag[k2[i]], f[i]);
            ang[i] = InterpolateAngleDeg(x1, gAng[k1[i]], x2, gAng[k2[i]], f[i]);
        }
        for (std::size_t i = 0; i < m; ++i) {
            out.nfMinDb[c + i] = static_cast<float>(nf[i]);
            out.rn[c + i] = static_cast<float>(rn[i]);
        }
        PolarChunk(mag, ang, m, &out.gammaOpt[c]);
    }
}

} // namespace

GridSet InterpolateDataSet(const DataSet& set, std::span<const float> grid)
{
    GridSet out;
    out.ports = set.ports;
    out.referenceImpedance = set.referenceImpedance;
    out.hasNoise = set.hasNoise && set.NoisePoints() > 0;
    out.freq.assign(grid.begin(), grid.end());
    const std::size_t n = grid.size();
    if (set.Points() == 0) {
        out.fault = kSDataFault;
        return out;
    }

    const int elements = set.ports == 2 ? 4 : 1;
    for (int e = 0; e < elements; ++e)
        out.s[static_cast<std::size_t>(e)].resize(n);

    // A large grid is interpolated in ranges at once; each range brackets from its own start.
    const std::size_t ranges = RangesFor(n, kGridPointsPerThread);
    std::vector<char> finite(ranges, 1);
    ForEachRange(n, ranges, 1, [&](std::size_t r, std::size_t from, std::size_t to) {
        finite[r] = InterpolateS(set, grid, out, from, to);
    });
    if (std::find(finite.begin(), finite.end(), 0) != finite.end()) {
        out.fault = kSDataFault;
        return out;
    }

    if (out.hasNoise) {
        out.nfMinDb.resize(n);
        out.gammaOpt.resize(n);
        out.rn.resize(n);
        ForEachRange(n, ranges, 1, [&](std::size_t, std::size_t from, std::size_t to) {
            InterpolateNoise(set, grid, out, from, to);
        });
    }
    return out;
}

} // namespace korvel
