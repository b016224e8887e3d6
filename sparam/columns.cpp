#include "columns.h"

#include "core/batchmath.h"
#include "core/parallel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace korvel {

namespace {

using P = Param;

// Small enough that a block's terms stay in the first-level cache between the columns.
constexpr std::size_t kBlock = 128;
// Below this a grid is not worth a second thread.
constexpr std::size_t kPointsPerThread = 1u << 15;

// 10/ln 10: decibels from a natural logarithm with a multiplication instead of a division.
constexpr double kDbPerNeper = 4.3429448190325182765;

// 10·log10(x), kUndefined where the logarithm does not exist. Here and below, a value is
// computed for every point and the points without one are chosen away afterwards: a choice
// of the argument beforehand would cost more than the arithmetic (floating-point traps are
// off, so a division by zero or a logarithm of nothing only gives a value to throw away).
inline double Db10(double x)
{
    const double v = BatchLn(x) * kDbPerNeper;
    return x > 0.0 && x <= DBL_MAX ? v : kUndefined;
}

inline double Finite(double v) { return std::fabs(v) <= DBL_MAX ? v : kUndefined; }

inline double PhaseOf(double im, double re) { return BatchAtan2(im, re) * 180.0 / kPi; }

// The S-values of a block in separate arrays, and the terms most quantities share.
struct Block {
    std::size_t m = 0;    // points in this block
    double r11[kBlock], i11[kBlock], r21[kBlock], i21[kBlock], r12[kBlock], i12[kBlock], r22[kBlock], i22[kBlock];
    double n11[kBlock], n21[kBlock], n12[kBlock], n22[kBlock];   // |Sij|²
    double a21[kBlock], a12[kBlock];                             // |S21|, |S12|
    double pr[kBlock], pi[kBlock];                               // S12·S21
    double dr[kBlock], di[kBlock], nd[kBlock];                   // Δ and |Δ|²
    double kDen[kBlock], k[kBlock], b1[kBlock];                  // 2|S12||S21|, K, B1
};

// Which parts of a block the columns need.
struct Needs {
    bool one = false;   // S11 and its norm
    bool two = false;   // all four S-values and the shared terms
};

enum class Way {
    Fast,        // computed here, block by block
    Copy,        // a noise value copied from the grid set
    Each,        // one point at a time through Evaluate
    Undefined,   // nothing to show
};

bool IsFast(Param p)
{
    switch (p) {
    case P::S11Db: case P::S21Db: case P::S12Db: case P::S22Db:
    case P::S11Ang: case P::S21Ang: case P::S12Ang: case P::S22Ang: case P::Phase21: case P::Phase12:
    case P::MAG: case P::MSG: case P::Gt: case P::Isol:
    case P::RLIn: case P::RLOut: case P::VSWRIn: case P::VSWROut:
    case P::K: case P::B1: case P::Mu1: case P::Mu2:
    case P::GroupDelay21: case P::GroupDelay12:
        return true;
    default:
        return false;
    }
}

Way WayOf(Param p, const GridSet& g)
{
    const ParamInfo& info = InfoOf(p);
    if (info.suffix == "(Mag, Ang)" || p == P::DiffZ)
        return Way::Undefined;
    if ((info.ports == 2 && g.ports != 2) || (info.noise && !g.hasNoise) || g.s[SIndex(1, 1)].size() < g.Points())
        return Way::Undefined;
    if (p == P::NFopt || p == P::rnNorm || p == P::RnOhms)
        return g.nfMinDb.size() < g.Points() ? Way::Undefined : Way::Copy;
    return IsFast(p) ? Way::Fast : Way::Each;
}

void Load(const Complex* s, std::size_t b, std::size_t m, double* re, double* im)
{
    for (std::size_t i = 0; i < m; ++i) {
        re[i] = s[b + i].Re;
        im[i] = s[b + i].Im;
    }
}

// The block's S-values and shared terms, in the order of operations of twoport.cpp so that
// everything short of a logarithm comes out equal to the bit.
KORVEL_BATCH_LOOPS void FillBlock(const GridSet& g, std::size_t b, Needs needs, Block& k)
{
    const std::size_t m = k.m;
    if (needs.one || needs.two) {
        Load(g.s[SIndex(1, 1)].data(), b, m, k.r11, k.i11);
        for (std::size_t i = 0; i < m; ++i)
            k.n11[i] = k.r11[i] * k.r11[i] + k.i11[i] * k.i11[i];
    }
    if (!needs.two)
        return;
    Load(g.s[SIndex(2, 1)].data(), b, m, k.r21, k.i21);
    Load(g.s[SIndex(1, 2)].data(), b, m, k.r12, k.i12);
    Load(g.s[SIndex(2, 2)].data(), b, m, k.r22, k.i22);
    for (std::size_t i = 0; i < m; ++i) {
        k.n21[i] = k.r21[i] * k.r21[i] + k.i21[i] * k.i21[i];
        k.n12[i] = k.r12[i] * k.r12[i] + k.i12[i] * k.i12[i];
        k.n22[i] = k.r22[i] * k.r22[i] + k.i22[i] * k.i22[i];
        k.a21[i] = std::sqrt(k.n21[i]);
        k.a12[i] = std::sqrt(k.n12[i]);
        k.pr[i] = k.r12[i] * k.r21[i] - k.i12[i] * k.i21[i];
        k.pi[i] = k.r12[i] * k.i21[i] + k.i12[i] * k.r21[i];
        const double qr = k.r11[i] * k.r22[i] - k.i11[i] * k.i22[i];
        const double qi = k.r11[i] * k.i22[i] + k.i11[i] * k.r22[i];
        k.dr[i] = qr - k.pr[i];
        k.di[i] = qi - k.pi[i];
        k.nd[i] = k.dr[i] * k.dr[i] + k.di[i] * k.di[i];
        k.kDen[i] = 2.0 * k.a12[i] * k.a21[i];
        k.k[i] = (1.0 - k.n11[i] - k.n22[i] + k.nd[i]) / k.kDen[i];   // read only where kDen ≠ 0
        k.b1[i] = 1.0 + k.n11[i] - k.n22[i] - k.nd[i];
    }
}

// One column of a block. `note` is set when a point of the column carries the column's note.
template <class T>
KORVEL_BATCH_LOOPS void FastColumn(Param p, const GridSet& g, std::size_t b, const Block& k, T* out, bool& note)
{
    const std::size_t m = k.m;
    T* o = out + b;
    // 20·log10 |z| is 10·log10 |z|², with no square root.
    auto db20 = [&](const double* n) {
        for (std::size_t i = 0; i < m; ++i)
            o[i] = static_cast<T>(Db10(n[i]));
    };
    auto phase = [&](const double* re, const double* im) {
        for (std::size_t i = 0; i < m; ++i)
            o[i] = static_cast<T>(PhaseOf(im[i], re[i]));
    };
    auto returnLoss = [&](const double* n) {
        int met = 0;
        // −20·log10 |Γ| is −10·log10 |Γ|²; a perfect match (|Γ| = 0) has no finite value.
        for (std::size_t i = 0; i < m; ++i) {
            const double db = Db10(n[i]);
            met |= n[i] == 0.0;
            o[i] = static_cast<T>(db == kUndefined ? kUndefined : -db);
        }
        note = note || met;
    };
    auto vswr = [&](const double* n) {
        int met = 0;
        for (std::size_t i = 0; i < m; ++i) {
            const double a = std::sqrt(n[i]);
            const double v = (1.0 + a) / (1.0 - a);
            const bool total = a >= 1.0;
            const bool high = !total && v > kVSWRShownAtMost;
            met |= total || high;
            o[i] = static_cast<T>(total ? kUndefined : high ? kVSWRShownAtMost : v);
        }
        note = note || met;
    };
    auto mu = [&](const double* nNear, const double* rFar, const double* iFar, const double* rNear, const double* iNear) {
        // (1 − |near|²) / (|far − Δ·near*| + |S12·S21|)
        for (std::size_t i = 0; i < m; ++i) {
            const double cr = rFar[i] - (k.dr[i] * rNear[i] - k.di[i] * -iNear[i]);
            const double ci = iFar[i] - (k.dr[i] * -iNear[i] + k.di[i] * rNear[i]);
            const double den = std::sqrt(cr * cr + ci * ci) + std::sqrt(k.pr[i] * k.pr[i] + k.pi[i] * k.pi[i]);
            const double v = (1.0 - nNear[i]) / den;
            o[i] = static_cast<T>(den != 0.0 ? Finite(v) : kUndefined);
        }
    };
    auto delay = [&](std::span<const Complex> s) {
        // Point k takes the delay to point k + 1; the last point of the grid has none.
        const std::size_t n = g.Points();
        const std::size_t pairs = std::min(m, n - 1 - b);
        double ph[kBlock + 1];
        for (std::size_t i = 0; i <= pairs; ++i)
            ph[i] = PhaseOf(s[b + i].Im, s[b + i].Re);
        for (std::size_t i = 0; i < pairs; ++i) {
            const double p1 = ph[i];
            const double p2 = ph[i + 1];
            double d = p2 - p1;
            const bool opposite = (p1 > 0.0 && p2 < 0.0) || (p1 < 0.0 && p2 > 0.0);
            // Neighbours on either side of ±180° are differenced across the wrap.
            if (opposite && std::fabs(p1) + std::fabs(p2) >= 180.0)
                d += d > 0.0 ? -360.0 : 360.0;
            const double den = 360.0 * (static_cast<double>(g.freq[b + i + 1]) - static_cast<double>(g.freq[b + i])) * 1e6;
            const double tau = -d / den;
            o[i] = static_cast<T>(den != 0.0 && std::fabs(tau) <= DBL_MAX ? tau * 1e12 : kUndefined);
        }
        for (std::size_t i = pairs; i < m; ++i)
            o[i] = static_cast<T>(kUndefined);
    };

    switch (p) {
    case P::S11Db: db20(k.n11); break;
    case P::S21Db: db20(k.n21); break;
    case P::S12Db: db20(k.n12); break;
    case P::S22Db: db20(k.n22); break;
    case P::S11Ang: phase(k.r11, k.i11); break;
    case P::S21Ang: case P::Phase21: phase(k.r21, k.i21); break;
    case P::S12Ang: case P::Phase12: phase(k.r12, k.i12); break;
    case P::S22Ang: phase(k.r22, k.i22); break;
    case P::Gt:
        for (std::size_t i = 0; i < m; ++i)
            o[i] = static_cast<T>(Db10(k.n21[i]));
        break;
    case P::Isol:
        for (std::size_t i = 0; i < m; ++i)
            o[i] = static_cast<T>(Db10(k.n12[i]));
        break;
    case P::MSG:
        // A unilateral device gives its transducer gain.
        for (std::size_t i = 0; i < m; ++i) {
            const double v = Db10(k.n12[i] == 0.0 ? k.n21[i] : k.a21[i] / k.a12[i]);
            o[i] = static_cast<T>(k.n21[i] == 0.0 ? kUndefined : v);
        }
        break;
    case P::MAG:
        // Only an unconditionally stable device with both paths alive has one.
        for (std::size_t i = 0; i < m; ++i) {
            const double kk = k.kDen[i] == 0.0 ? 0.0 : k.k[i];
            const double v = Db10(k.a21[i] / k.a12[i] * (kk - std::sqrt(kk * kk - 1.0)));
            const double alive = k.n12[i] != 0.0 ? k.n21[i] : 0.0;
            const double b1 = alive != 0.0 ? k.b1[i] : 0.0;
            const bool stable = kk > 1.0 ? b1 > 0.0 : false;
            o[i] = static_cast<T>(stable ? v : kUndefined);
        }
        break;
    case P::RLIn: returnLoss(k.n11); break;
    case P::RLOut: returnLoss(k.n22); break;
    case P::VSWRIn: vswr(k.n11); break;
    case P::VSWROut: vswr(k.n22); break;
    case P::K: {
        // A dead transmission path makes K infinite; it is drawn at K = 20.
        int met = 0;
        for (std::size_t i = 0; i < m; ++i) {
            const bool infinite = k.kDen[i] == 0.0;
            met |= infinite;
            o[i] = static_cast<T>(infinite ? kInfiniteKShownAs : Finite(k.k[i]));
        }
        note = note || met;
        break;
    }
    case P::B1:
        for (std::size_t i = 0; i < m; ++i)
            o[i] = static_cast<T>(k.b1[i]);
        break;
    case P::Mu1: mu(k.n11, k.r22, k.i22, k.r11, k.i11); break;
    case P::Mu2: mu(k.n22, k.r11, k.i11, k.r22, k.i22); break;
    case P::GroupDelay21: delay(g.s[SIndex(2, 1)]); break;
    case P::GroupDelay12: delay(g.s[SIndex(1, 2)]); break;
    default: break;
    }
}

struct Column {
    Param param;
    Way way;
};

template <class T>
void RunRange(const GridSet& g, std::span<const Column> columns, Needs needs, std::span<T* const> out,
              std::size_t from, std::size_t to, std::vector<char>& notes)
{
    Block block;
    for (std::size_t b = from; b < to; b += kBlock) {
        block.m = std::min(kBlock, to - b);
        FillBlock(g, b, needs, block);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            T* o = out[c];
            const Param p = columns[c].param;
            switch (columns[c].way) {
            case Way::Fast: {
                bool met = false;
                FastColumn(p, g, b, block, o, met);
                notes[c] = static_cast<char>(notes[c] || met);
                break;
            }
            case Way::Copy:
                for (std::size_t i = b; i < b + block.m; ++i)
                    o[i] = static_cast<T>(p == P::NFopt ? g.nfMinDb[i]
                                          : p == P::rnNorm ? g.rn[i]
                                                           : g.rn[i] * g.referenceImpedance);
                break;
            case Way::Each:
                for (std::size_t i = b; i < b + block.m; ++i) {
                    const Cell cell = Evaluate(p, g, i);
                    o[i] = static_cast<T>(cell.value);
                    notes[c] = static_cast<char>(notes[c] || cell.note != Note::None);
                }
                break;
            case Way::Undefined:
                std::fill(o + b, o + b + block.m, static_cast<T>(kUndefined));
                break;
            }
        }
    }
}

// The note a parameter's column can carry.
Note NoteOf(Param p)
{
    switch (p) {
    case P::K: return Note::KInfinite;
    case P::RLIn: case P::RLOut: return Note::RLOutOfBounds;
    case P::VSWRIn: case P::VSWROut: return Note::VSWROutOfBounds;
    default: return Note::None;
    }
}

template <class T>
std::vector<Note> Run(const GridSet& g, std::span<const Param> params, std::span<T* const> out)
{
    std::vector<Column> columns;
    Needs needs;
    for (Param p : params) {
        const Way way = WayOf(p, g);
        columns.push_back({p, way});
        if (way == Way::Fast) {
            needs.one = true;
            needs.two = needs.two || g.ports == 2;
        }
    }
    const std::size_t ranges = RangesFor(g.Points(), kPointsPerThread);
    std::vector<std::vector<char>> met(ranges, std::vector<char>(columns.size(), 0));
    // Ranges start on block boundaries so that every block but the last is whole.
    ForEachRange(g.Points(), ranges, kBlock, [&](std::size_t r, std::size_t from, std::size_t to) {
        RunRange<T>(g, columns, needs, out, from, to, met[r]);
    });

    std::vector<Note> notes(columns.size(), Note::None);
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (const auto& part : met)
            if (part[c])
                notes[c] = NoteOf(columns[c].param);
    return notes;
}

} // namespace

std::vector<Note> EvaluateColumns(const GridSet& set, std::span<const Param> params, std::span<double* const> out)
{
    return Run<double>(set, params, out);
}

std::vector<Note> EvaluateColumns(const GridSet& set, std::span<const Param> params, std::span<float* const> out)
{
    return Run<float>(set, params, out);
}

} // namespace korvel
