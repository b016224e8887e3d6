#include "synthesis.h"

#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace korvel {
namespace {

// Far more than a search needs: a good estimate takes about five analyses, plain bisection of
// the accepted range down to the last double about sixty.
constexpr int kMaxSteps = 200;
// The first step away from the estimate, to learn the slope: 1 % of the dimension.
constexpr double kFirstStep = 0.01;
// Before the root is bracketed a secant step may change the dimension by at most e^3 (20x),
// so that a flat stretch of the curve cannot throw the search across the whole range.
constexpr double kMaxJump = 3.0;
// Halvings in the search for the border of the model's range; past this the step is below
// the resolution of the logarithm of any dimension.
constexpr int kMaxBackOff = 60;

// One analysis, at s = ln(dimension); g is the relative error against the target.
struct Probe {
    double s = 0.0;
    double z = 0.0;
    double g = 0.0;
};

class Search {
public:
    Search(double target, const DimensionSearch& d, Z0OfDimension z0Of, const void* context, int& count)
        : target_(target), min_(d.min_m), max_(d.max_m), z0Of_(z0Of), context_(context), count_(count) {}

    // The dimension at s; exp(log(x)) may miss x by a rounding, which must not step outside
    // the accepted range.
    double At(double s) const { return std::clamp(std::exp(s), min_, max_); }

    bool Eval(double s, Probe& p)
    {
        ++count_;
        p.s = s;
        p.z = z0Of_(At(s), context_);
        p.g = p.z / target_ - 1.0;
        return std::isfinite(p.z) && p.z > 0.0;
    }

    // The last point with a result on the way from `good` (which has one) to `bad` (which has
    // none), found by bisecting the border of the model's range; with `untilCrossing`, the
    // first point found on the other side of the target will do as well.
    Probe Edge(Probe good, double bad, bool untilCrossing = false)
    {
        Probe p;
        for (int i = 0; i < kMaxBackOff; ++i) {
            const double mid = 0.5 * (good.s + bad);
            if (mid == good.s || mid == bad)
                break;
            if (!Eval(mid, p)) {
                bad = mid;
                continue;
            }
            if (untilCrossing && (p.g < 0.0) != (good.g < 0.0))
                return p;
            good = p;
        }
        return good;
    }

private:
    double target_;
    double min_;
    double max_;
    Z0OfDimension z0Of_;
    const void* context_;
    int& count_;
};

std::string Ohms(double z)
{
    return FormatValue(z, "0.00") + " ohms";
}

} // namespace

DimensionSynthesis SynthesiseDimension(double target, const DimensionSearch& d, Z0OfDimension z0Of,
                                       const void* context)
{
    DimensionSynthesis out;
    const std::string dim = d.dimension;
    if (!(target > 0.0 && std::isfinite(target))) {
        out.message = "The target Z0 must be a number above zero.";
        return out;
    }
    Search search(target, d, z0Of, context, out.evaluations);
    double lo = std::log(d.min_m);
    double hi = std::log(d.max_m);

    // The start: the estimate, or failing that, points spread over the range.
    const double estimate = std::log(d.estimate_m);
    Probe cur;
    bool ok = false;
    for (double at : {-1.0, 0.5, 0.25, 0.75, 0.1, 0.9, 0.0, 1.0}) {
        const double s = at < 0.0 ? (std::isnan(estimate) ? 0.5 * (lo + hi) : std::clamp(estimate, lo, hi))
                                  : lo + at * (hi - lo);
        if ((ok = search.Eval(s, cur)))
            break;
    }
    if (!ok) {
        out.message = "The model gives no Z0 for any " + dim + " with these inputs.";
        return out;
    }

    Probe prev, neg, pos;
    bool havePrev = false, haveNeg = false, havePos = false;
    auto note = [&](const Probe& p) {
        if (p.g < 0.0)
            neg = p, haveNeg = true;
        else
            pos = p, havePos = true;
    };
    note(cur);

    for (int step = 0; step < kMaxSteps; ++step) {
        if (std::fabs(cur.g) <= kSynthesisTolerance) {
            out.solved = true;
            out.value_m = search.At(cur.s);
            out.z0_ohm = cur.z;
            return out;
        }
        const bool secantUsable = havePrev && prev.g != cur.g;
        const double secant = secantUsable ? cur.s - cur.g * (cur.s - prev.s) / (cur.g - prev.g) : 0.0;
        double next;
        if (haveNeg && havePos) {
            // Bracketed: the secant while it stays inside and keeps halving the error, else bisection.
            const double a = std::min(neg.s, pos.s);
            const double b = std::max(neg.s, pos.s);
            const bool progressing = std::fabs(cur.g) <= 0.5 * std::fabs(prev.g);
            next = secantUsable && progressing && secant > a && secant < b ? secant : 0.5 * (a + b);
            if (!(next > a && next < b))
                break;   // the bracket is down to adjacent doubles: Z0 jumps across the target
        } else {
            // Not yet bracketed: head for the target, towards the inside of the range first.
            double move = !havePrev ? (cur.s < 0.5 * (lo + hi) ? kFirstStep : -kFirstStep)
                          : secantUsable ? secant - cur.s
                                         : 2.0 * (cur.s - prev.s);
            next = std::clamp(cur.s + std::clamp(move, -kMaxJump, kMaxJump), lo, hi);
            if (next == cur.s) {
                // At the end of the range with the target still beyond it.
                const double end = cur.s == lo ? hi : lo;
                Probe other;
                if (!search.Eval(end, other))
                    other = search.Edge(cur, end);
                out.reachLow_ohm = std::min(cur.z, other.z);
                out.reachHigh_ohm = std::max(cur.z, other.z);
                out.message = "No " + dim + " the model accepts gives Z0 = " + Ohms(target) +
                              "; with these inputs it reaches " + FormatValue(out.reachLow_ohm, "0.00") + " to " +
                              Ohms(out.reachHigh_ohm) + ".";
                return out;
            }
        }
        Probe p;
        if (!search.Eval(next, p)) {
            if (haveNeg && havePos)
                break;   // a gap in the model's range inside the bracket
            // The model's range ends short of the step: its border becomes the end of the
            // range, unless the target is crossed on the way there.
            p = search.Edge(cur, next, true);
            if ((p.g < 0.0) == (cur.g < 0.0))
                (next > cur.s ? hi : lo) = p.s;
            if (p.s == cur.s)
                continue;
        }
        prev = cur;
        havePrev = true;
        cur = p;
        note(cur);
    }
    out.message = "The " + dim + " search could not bring Z0 within a relative 1e-9 of " + Ohms(target) +
                  ": the model's Z0 is not smooth enough there.";
    return out;
}

} // namespace korvel
