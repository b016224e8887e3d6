#include "interpolation.h"

#include "core/parallel.h"

#include <algorithm>
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
double Held(double x1, double y1, double x2, double y2, double x)
{
    const bool firstIsLower = x1 <= x2;
    const double xLow = firstIsLower ? x1 : x2;
    const double xHigh = firstIsLower ? x2 : x1;
    if (x <= xLow)
        return firstIsLower ? y1 : y2;
    if (x >= xHigh)
        return firstIsLower ? y2 : y1;
    return y1 + (x - x1) * (y2 - y1) / (x2 - x1);
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
    if (a2 - a1 > 180.0)
        a2 -= 360.0;
    else if (a1 - a2 > 180.0)
        a1 -= 360.0;
    double a = Held(x1, a1, x2, a2, x);
    if (a < -180.0)
        a += 360.0;
    return a;
}

namespace {

// Below this a grid is not worth a second thread.
constexpr std::size_t kGridPointsPerThread = 1u << 15;

double DbToLinear(double db) { return std::pow(10.0, db / 20.0); }

struct Bracket {
    std::size_t k1 = 0;   // 0-based ends; equal when the value is held
    std::size_t k2 = 0;
};

Bracket BracketOf(float f, std::span<const float> table, int& guess)
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

    const bool ri = set.numberFormat == "RI";
    const bool db = set.numberFormat == "DB";
    const int elements = set.ports == 2 ? 4 : 1;
    for (int e = 0; e < elements; ++e)
        out.s[static_cast<std::size_t>(e)].resize(n);

    // A large grid is interpolated in ranges at once; each range brackets from its own start.
    const std::size_t ranges = RangesFor(n, kGridPointsPerThread);
    std::vector<char> finite(ranges, 1);
    ForEachRange(n, ranges, 1, [&](std::size_t r, std::size_t from, std::size_t to) {
        int guess = 0;
        for (std::size_t g = from; g < to; ++g) {
            const float f = grid[g];
            const Bracket br = BracketOf(f, set.freq, guess);
            const double x1 = set.freq[br.k1];
            const double x2 = set.freq[br.k2];
            for (int e = 0; e < elements; ++e) {
                const auto ue = static_cast<std::size_t>(e);
                const double a1 = set.first[ue][br.k1];
                const double a2 = set.first[ue][br.k2];
                const double b1 = set.second[ue][br.k1];
                const double b2 = set.second[ue][br.k2];
                Complex z;
                if (ri) {
                    z = Complex{Held(x1, a1, x2, a2, f), Held(x1, b1, x2, b2, f)};
                } else {
                    // Decibels become linear magnitudes before they are interpolated.
                    const double m1 = db ? DbToLinear(a1) : a1;
                    const double m2 = db ? DbToLinear(a2) : a2;
                    const double mag = Held(x1, m1, x2, m2, f);
                    if (!std::isfinite(mag)) {
                        finite[r] = 0;
                        z = Complex{};
                    } else {
                        z = CxFromPolarDeg(Complex{mag, InterpolateAngleDeg(x1, b1, x2, b2, f)});
                    }
                }
                out.s[ue][g] = z;
            }
        }
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
            int guess = 0;
            for (std::size_t g = from; g < to; ++g) {
                const float f = grid[g];
                const Bracket br = BracketOf(f, set.noiseFreq, guess);
                const double x1 = set.noiseFreq[br.k1];
                const double x2 = set.noiseFreq[br.k2];
                out.nfMinDb[g] = static_cast<float>(Held(x1, set.nfMinDb[br.k1], x2, set.nfMinDb[br.k2], f));
                out.rn[g] = static_cast<float>(Held(x1, set.rn[br.k1], x2, set.rn[br.k2], f));
                const double mag = Held(x1, set.gammaOptMag[br.k1], x2, set.gammaOptMag[br.k2], f);
                const double ang = InterpolateAngleDeg(x1, set.gammaOptAng[br.k1], x2, set.gammaOptAng[br.k2], f);
                out.gammaOpt[g] = CxFromPolarDeg(Complex{mag, ang});
            }
        });
    }
    return out;
}

} // namespace korvel
