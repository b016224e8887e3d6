#include "detector.h"

#include "core/cxmath.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvel {
namespace {

// Past this the exponential no longer fits a double; the equations are evaluated in
// logarithms so the solver sees finite, correctly signed values all over its interval.
constexpr double kExpLimit = 700.0;

// ln I0(x), with the library's I0 where it is finite and the asymptotic series
// I0(x) ~ e^x / sqrt(2 pi x) (1 + 1/(8x) + 9/(128x^2)) beyond, where the library's I0 is
// capped at the largest exponential and would put a false root into the equation.
double LogBesselI0(double x)
{
    const double ax = std::fabs(x);
    if (ax <= kExpLimit)
        return std::log1p(BesselI0(ax) - 1.0);
    return ax - 0.5 * std::log(2.0 * kPi * ax) + std::log1p(1.0 / (8.0 * ax) + 9.0 / (128.0 * ax * ax));
}

double LambdaOverN(const DetectorInputs& in)
{
    return kDetectorQ / (kDetectorK * in.temp_k) / in.ideality;
}

double SlopeA(const DetectorInputs& in)
{
    return (1.0 + (in.rg_ohm + in.rs_ohm) / in.rl_ohm) * LambdaOverN(in);
}

double OffsetB(const DetectorInputs& in) { return LambdaOverN(in) * in.rs_ohm * in.io_a; }

// ln[(1 + Io/Is + U/(RL Is)) exp(a U + b)] - rhs when the bracket is positive; where it is
// not (a large negative U), the plain form is negative and finite, which is all the sign
// test needs.
double LogForm(const DetectorInputs& in, double is_a, double u, double logRhs)
{
    const double a = SlopeA(in);
    const double b = OffsetB(in);
    const double shift = in.io_a / is_a + u / (in.rl_ohm * is_a);
    if (1.0 + shift > 0.0)
        return std::log1p(shift) + a * u + b - logRhs;
    const double exponent = std::min(a * u + b, kExpLimit);
    return (1.0 + shift) * std::exp(exponent) - std::exp(std::min(logRhs, kExpLimit));
}

struct Solved {
    double v = 0.0;
    bool ok = false;
};

// The solve the window's tolerance asks for, then, inside the bracket it found, a second
// pass to a tighter tolerance: the output voltage of a small signal is often far below the
// window's tolerance (microvolts against a 1e-6 V tolerance), and its sensitivity V/P would
// otherwise be noise. A root outside the interval is not a root: it is reported like a
// solve that ran out of iterations.
Solved Solve(const std::function<double(double)>& f, double low, double high, double tol, double fineTol)
{
    const BrentOutcome first = BrentRoot(f, low, high, tol);
    Solved s{first.root, first.converged && first.bracketed};
    if (!s.ok)
        return s;
    const BrentOutcome fine =
        BrentRoot(f, std::min(first.root, first.partner), std::max(first.root, first.partner), fineTol);
    if (fine.converged && fine.bracketed)
        s.v = fine.root;
    return s;
}

// The top of the per-point interval once it holds the root. A strong signal into a light
// load detects more than the fixed interval allows for, and that voltage is the answer, not a
// failure. The equation rises with V, so a root above the interval shows as both ends below
// zero; then the top is doubled, up to `ceiling`, until it is not. An interval that already
// changes sign is kept as it is, and so is its solution.
double BracketTop(const std::function<double(double)>& f, double low, double high, double ceiling)
{
    if (!(f(low) < 0.0))
        return high;
    while (high > 0.0 && high < ceiling && f(high) < 0.0)
        high = std::min(2.0 * high, ceiling);
    return high;
}

// No detected voltage reaches past this: the voltage across the load, V + Vo(0), stays below
// the source's peak open-circuit voltage sqrt(8 Rg P), since at that voltage the diode's side
// of the equation already exceeds I0 of the same argument.
double PointCeiling(const DetectorInputs& in, double vo0_v, double power_w)
{
    return std::sqrt(8.0 * in.rg_ohm * power_w) + std::fabs(vo0_v);
}

} // namespace

BrentOutcome BrentRoot(const std::function<double(double)>& f, double low, double high, double tol,
                       int maxIterations)
{
    double a = low;
    double b = high;
    double c = high;
    double d = 0.0;
    double e = 0.0;
    double fa = f(a);
    double fb = f(b);
    double fc = fb;
    BrentOutcome out;
    for (int iter = 1; iter <= maxIterations; ++iter) {
        out.iterations = iter;
        if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0)) {
            c = a;
            fc = fa;
            e = d = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2.0 * kBrentEps * std::fabs(b) + 0.5 * tol;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0.0) {
            out.root = b;
            out.partner = c;
            out.converged = true;
            out.bracketed = fb == 0.0 || (fb > 0.0) != (fc > 0.0);
            return out;
        }
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // Inverse quadratic interpolation, or the secant when only two points differ.
            const double s = fb / fa;
            double p = 0.0;
            double q = 0.0;
            if (a == c) {
                p = 2.0 * xm * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
                q = -q;
            p = std::fabs(p);
            const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
            const double min2 = std::fabs(e * q);
            if (2.0 * p < std::min(min1, min2)) {
                e = d;
                d = p / q;
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : (xm >= 0.0 ? tol1 : -tol1);
        fb = f(b);
    }
    out.root = b;
    out.partner = c;
    out.converged = false;
    out.bracketed = fb == 0.0 || (fb > 0.0) != (fc > 0.0);
    return out;
}

DetectorSolverSettings SmallSignalSolver() { return {}; }

DetectorSolverSettings LargeSignalSolver()
{
    DetectorSolverSettings s;
    s.zeroTol_v = 1e-4;
    s.pointHigh_v = 14.0;
    s.pointTol_v = 1e-4;
    return s;
}

double SaturationCurrent(double iso_a, double ideality, double eg_ev, double temp_k)
{
    // 12000 multiplies Eg in eV directly (close to, but not, q/k = 11604.5 K/V).
    return iso_a * std::pow(temp_k / kDetectorTrefK, 2.0 / ideality)
           * std::exp(-12000.0 * eg_ev * (1.0 / temp_k - 1.0 / kDetectorTrefK));
}

double VideoResistance(double ideality, double temp_k, double io_a, double is_a)
{
    return 8.33e-5 * ideality * temp_k / (io_a + is_a);
}

double ParallelSourceResistance(double rm_ohm, double z0_ohm) { return rm_ohm * z0_ohm / (rm_ohm + z0_ohm); }

int DetectorPointCount(double start_dbm, double stop_dbm, double step_db)
{
    return int(std::floor((stop_dbm - start_dbm) / step_db)) + 1;
}

double DetectorZeroEquation(const DetectorInputs& in, double is_a, double v) { return LogForm(in, is_a, v, 0.0); }

double DetectorPointEquation(const DetectorInputs& in, double is_a, double vo0_v, double power_w, double v)
{
    const double x = LambdaOverN(in) * std::sqrt(8.0 * in.rg_ohm * power_w);
    return LogForm(in, is_a, v + vo0_v, LogBesselI0(x));
}

DetectorResult AnalyseDetector(const DetectorInputs& in, const DetectorSolverSettings& solver)
{
    DetectorResult r;
    r.lambda_per_v = kDetectorQ / (kDetectorK * in.temp_k);
    r.is_a = SaturationCurrent(in.iso_a, in.ideality, in.eg_ev, in.temp_k);
    r.rv_ohm = VideoResistance(in.ideality, in.temp_k, in.io_a, r.is_a);
    const double is = r.is_a;
    if (!(is > 0.0) || !std::isfinite(is)) {
        // A saturation current that underflows (or overflows) leaves no diode to model.
        r.error = true;
        r.errorText = kDetectorZeroSolveError;
        return r;
    }

    const Solved zero = Solve([&](double v) { return DetectorZeroEquation(in, is, v); }, solver.zeroLow_v,
                              solver.zeroHigh_v, solver.zeroTol_v, 1e-16);
    r.vo0_v = zero.v;
    if (!zero.ok) {
        r.error = true;
        r.errorText = kDetectorZeroSolveError;
    }

    const int n = std::max(DetectorPointCount(in.pinStart_dbm, in.pinStop_dbm, in.pinStep_db), 0);
    r.points.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        DetectorPoint& p = r.points[std::size_t(i)];
        p.power_w = ConvertUnit(in.pinStart_dbm + i * in.pinStep_db, "dBm", true);
        const auto f = [&](double v) { return DetectorPointEquation(in, is, r.vo0_v, p.power_w, v); };
        const Solved s = Solve(f, solver.pointLow_v, BracketTop(f, solver.pointLow_v, solver.pointHigh_v,
                                                                 PointCeiling(in, r.vo0_v, p.power_w)),
                               solver.pointTol_v, 1e-14);
        p.vout_v = s.v;
        p.converged = s.ok;
        p.sensitivity_mv_per_uw = s.v / (1000.0 * p.power_w);
        if (!s.ok) {
            r.error = true;
            r.errorText = kDetectorPointSolveError;
        }
    }
    return r;
}

} // namespace korvel
