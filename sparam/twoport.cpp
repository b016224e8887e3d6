#include "twoport.h"

#include "core/fault.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

const double kLn10 = std::log(10.0);

// |z|², without the square root that |z| needs.
double Norm(Complex z) { return z.Re * z.Re + z.Im * z.Im; }
double Abs(Complex z) { return std::sqrt(Norm(z)); }
Complex Mul(Complex a, Complex b) { return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re}; }
Complex Sub(Complex a, Complex b) { return {a.Re - b.Re, a.Im - b.Im}; }
Complex Conj(Complex z) { return {z.Re, -z.Im}; }
Complex Scale(Complex z, double k) { return {z.Re * k, z.Im * k}; }

// a / b under the fault trap: a zero divisor is a fault, not an infinity.
Complex Div(FaultTrap& t, Complex a, Complex b)
{
    const double d = Norm(b);
    return {t.Div(a.Re * b.Re + a.Im * b.Im, d), t.Div(a.Im * b.Re - a.Re * b.Im, d)};
}

// 10·log10(x) with the logarithm's faults trapped.
double Db10(FaultTrap& t, double x) { return 10.0 * t.Log(x) / kLn10; }

double Result(const FaultTrap& t, double v) { return t.Raised() || !std::isfinite(v) ? kUndefined : v; }

// The quantities drawn for every point of every curve guard their own arithmetic instead of
// going through a fault trap: a non-finite result is a point without a value.
double Defined(double v) { return std::isfinite(v) ? v : kUndefined; }
double Db10Of(double x) { return x > 0.0 ? Defined(10.0 * std::log(x) / kLn10) : kUndefined; }

// K as the formula gives it; `infinite` when a transmission path is dead.
double RawK(const TwoPort& s, bool& infinite)
{
    const double den = 2.0 * Abs(s.s12) * Abs(s.s21);
    infinite = den == 0.0;
    if (infinite)
        return 0.0;
    return (1.0 - Norm(s.s11) - Norm(s.s22) + Norm(Delta(s))) / den;
}

// (B − sqrt(B² − 4|C|²)) / (2C), the root of the conjugate-match equation inside the chart.
Complex MatchRoot(double b, Complex c)
{
    FaultTrap t;
    const double root = t.Sqrt(b * b - 4.0 * Norm(c));
    const Complex z = Div(t, Complex{b - root, 0.0}, Scale(c, 2.0));
    return t.Raised() || !std::isfinite(z.Re) || !std::isfinite(z.Im) ? kUndefinedComplex : z;
}

Complex C1(const TwoPort& s) { return Sub(s.s11, Mul(Delta(s), Conj(s.s22))); }
Complex C2(const TwoPort& s) { return Sub(s.s22, Mul(Delta(s), Conj(s.s11))); }
double B2(const TwoPort& s) { return 1.0 + Norm(s.s22) - Norm(s.s11) - Norm(Delta(s)); }

// The gain circle of one side: `near` is S11 (input) or S22 (output), c its C1 or C2.
Circle GainCircle(const TwoPort& s, Complex near, Complex c, double gainDb)
{
    FaultTrap t;
    bool infinite = false;
    const double k = RawK(s, infinite);
    const double g = t.Div(std::pow(10.0, gainDb / 10.0), Norm(s.s21));
    const double d = 1.0 + g * (Norm(near) - Norm(Delta(s)));
    const double p = Abs(Mul(s.s12, s.s21));
    Circle circle;
    circle.center = Div(t, Scale(Conj(c), g), Complex{d, 0.0});
    circle.radius = t.Div(t.Sqrt(1.0 - 2.0 * k * p * g + p * p * g * g), std::fabs(d));
    circle.defined = !t.Raised() && std::isfinite(circle.radius) && std::isfinite(circle.center.Re) &&
                     std::isfinite(circle.center.Im);
    return circle;
}

Circle StabilityCircle(const TwoPort& s, Complex near, Complex c)
{
    FaultTrap t;
    const double den = Norm(near) - Norm(Delta(s));
    Circle circle;
    circle.center = Div(t, Conj(c), Complex{den, 0.0});
    circle.radius = t.Div(Abs(Mul(s.s12, s.s21)), std::fabs(den));
    circle.defined = !t.Raised();
    return circle;
}

std::string Picture2(double v) { return FormatValue(v, "##0.00"); }

} // namespace

std::string_view NoteText(Note note)
{
    switch (note) {
    case Note::KInfinite: return "Note: K is infinite at some frequencies; plotted as K = 20";
    case Note::RLOutOfBounds: return "Note: Out of bounds RL's not plotted";
    case Note::VSWROutOfBounds: return "Note: Out of bounds VSWR's not plotted; VSWR > 1000 plotted as 1000";
    case Note::None: break;
    }
    return {};
}

Complex Delta(const TwoPort& s) { return Sub(Mul(s.s11, s.s22), Mul(s.s12, s.s21)); }

// ---- Gains ------------------------------------------------------------------------------------------

double MaxAvailableGainDb(const TwoPort& s)
{
    if (Norm(s.s12) == 0.0 || Norm(s.s21) == 0.0)
        return kUndefined;
    bool infinite = false;
    const double k = RawK(s, infinite);
    // Only an unconditionally stable device can be matched at both ends at once.
    if (!(k > 1.0) || !(StabilityB1(s) > 0.0))
        return kUndefined;
    const double product = Abs(s.s21) / Abs(s.s12) * (k - std::sqrt(k * k - 1.0));
    return Db10Of(product);
}

double MaxStableGainDb(const TwoPort& s)
{
    if (Norm(s.s21) == 0.0)
        return kUndefined;
    if (Norm(s.s12) == 0.0)
        return TransducerGainDb(s);
    return Db10Of(Abs(s.s21) / Abs(s.s12));
}

double TransducerGainDb(const TwoPort& s) { return Db10Of(Norm(s.s21)); }

double MaxUnilateralGainDb(const TwoPort& s)
{
    const double in = 1.0 - Norm(s.s11);
    const double out = 1.0 - Norm(s.s22);
    if (in == 0.0 || out == 0.0)
        return kUndefined;
    FaultTrap t;
    return Result(t, Db10(t, t.Div(Norm(s.s21), in * out)));
}

double UnilateralGainDb(const TwoPort& s)
{
    if (Norm(s.s12) == 0.0 || Norm(s.s21) == 0.0)
        return kUndefined;
    FaultTrap t;
    bool infinite = false;
    const double k = RawK(s, infinite);
    const double r = t.Div(Abs(s.s21), Abs(s.s12));
    const double c = std::cos(std::atan2(s.s21.Im, s.s21.Re) - std::atan2(s.s12.Im, s.s12.Re));
    const double u = t.Div(r - 2.0 * c + t.Div(1.0, r), 2.0 * k - 2.0 * c);
    if (t.Raised() || !(u > 0.0))
        return kUndefined;
    return Result(t, Db10(t, u));
}

double IsolationDb(const TwoPort& s) { return Db10Of(Norm(s.s12)); }

double MismatchGainInDb(const TwoPort& s)
{
    if (Norm(s.s11) >= 1.0)
        return kUndefined;
    FaultTrap t;
    return Result(t, Db10(t, 1.0 - Norm(s.s11)));
}

double MismatchGainOutDb(const TwoPort& s)
{
    if (Norm(s.s22) >= 1.0)
        return kUndefined;
    FaultTrap t;
    return Result(t, Db10(t, 1.0 - Norm(s.s22)));
}

// ---- Matching -------------------------------------------------------------------------------------

Quantity ReturnLossDb(Complex gamma)
{
    const double m = Abs(gamma);
    // A perfect match has an infinite return loss, which no axis can show.
    if (m == 0.0)
        return {kUndefined, Note::RLOutOfBounds};
    const double db = Db10Of(m);
    return {IsUndefined(db) ? kUndefined : -2.0 * db, Note::None};
}

Quantity VSWR(Complex gamma)
{
    const double m = Abs(gamma);
    // A total (or active) reflection has no standing-wave ratio.
    if (m >= 1.0)
        return {kUndefined, Note::VSWROutOfBounds};
    const double v = (1.0 + m) / (1.0 - m);
    if (v > kVSWRShownAtMost)
        return {kVSWRShownAtMost, Note::VSWROutOfBounds};
    return {v, Note::None};
}

Complex GammaMS(const TwoPort& s)
{
    bool infinite = false;
    const double k = RawK(s, infinite);
    if (!infinite && k < 1.0)
        return kUndefinedComplex;
    return MatchRoot(StabilityB1(s), C1(s));
}

Complex GammaML(const TwoPort& s)
{
    bool infinite = false;
    const double k = RawK(s, infinite);
    if (!infinite && k < 1.0)
        return kUndefinedComplex;
    return MatchRoot(B2(s), C2(s));
}

// ---- Stability -----------------------------------------------------------------------------------

Quantity StabilityK(const TwoPort& s)
{
    bool infinite = false;
    const double k = RawK(s, infinite);
    if (infinite)
        return {kInfiniteKShownAs, Note::KInfinite};
    return {std::isfinite(k) ? k : kUndefined, Note::None};
}

double StabilityB1(const TwoPort& s) { return 1.0 + Norm(s.s11) - Norm(s.s22) - Norm(Delta(s)); }

double StabilityMu1(const TwoPort& s)
{
    const double den = Abs(C2(s)) + Abs(Mul(s.s12, s.s21));
    return den != 0.0 ? Defined((1.0 - Norm(s.s11)) / den) : kUndefined;
}

double StabilityMu2(const TwoPort& s)
{
    const double den = Abs(C1(s)) + Abs(Mul(s.s12, s.s21));
    return den != 0.0 ? Defined((1.0 - Norm(s.s22)) / den) : kUndefined;
}

bool UnconditionallyStable(const TwoPort& s)
{
    bool infinite = false;
    const double k = RawK(s, infinite);
    return !infinite && k > 1.0 && StabilityB1(s) > 0.0;
}

// ---- Noise ----------------------------------------------------------------------------------------

double NoiseFigureZ0Db(const NoiseParams& n)
{
    FaultTrap t;
    const Complex onePlus{1.0 + n.gammaOpt.Re, n.gammaOpt.Im};
    const double f = std::pow(10.0, n.nfMinDb / 10.0) + t.Div(4.0 * n.rn * Norm(n.gammaOpt), Norm(onePlus));
    return Result(t, Db10(t, f));
}

// ---- Phase ----------------------------------------------------------------------------------------

double PhaseDeg(Complex z) { return Atan2(z.Im, z.Re) * 180.0 / kPi; }

double GroupDelaySeconds(double phi1, double phi2, double f1, double f2)
{
    double d = phi2 - phi1;
    const bool opposite = (phi1 > 0.0 && phi2 < 0.0) || (phi1 < 0.0 && phi2 > 0.0);
    // Two angles on either side of ±180° that are far apart the short way round are near
    // neighbours across the wrap.
    if (opposite && std::fabs(phi1) + std::fabs(phi2) >= 180.0)
        d += d > 0.0 ? -360.0 : 360.0;
    FaultTrap t;
    return Result(t, t.Div(-d, 360.0 * (f2 - f1) * 1e6));
}

std::vector<double> LinearPhaseReference(std::span<const float> freq, std::span<const double> phase)
{
    const std::size_t n = std::min(freq.size(), phase.size());
    std::vector<double> line(n, kUndefined);
    // The fit runs on the unwrapped phase: a delay is a straight line only before wrapping.
    std::vector<double> unwrapped;
    std::vector<double> x;
    double offset = 0.0;
    double last = 0.0;
    bool have = false;
    for (std::size_t k = 0; k < n; ++k) {
        if (IsUndefined(phase[k]))
            continue;
        if (have) {
            const double d = phase[k] + offset - last;
            if (d > 180.0)
                offset -= 360.0;
            else if (d < -180.0)
                offset += 360.0;
        }
        last = phase[k] + offset;
        have = true;
        unwrapped.push_back(last);
        x.push_back(freq[k]);
    }
    if (unwrapped.size() < 2)
        return line;
    const double m = static_cast<double>(x.size());
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += unwrapped[i];
    }
    const double mx = sx / m, my = sy / m;
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (unwrapped[i] - my);
    }
    const double slope = sxx > 0.0 ? sxy / sxx : 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        double v = my + slope * (freq[k] - mx);
        v = std::fmod(v + 180.0, 360.0);
        if (v < 0.0)
            v += 360.0;
        line[k] = v - 180.0;
    }
    return line;
}

// ---- Gain flatness ---------------------------------------------------------------------------------

GainFlatness GainFlatnessOf(std::span<const double> gt)
{
    GainFlatness g;
    double sum = 0.0;
    std::size_t count = 0;
    for (double v : gt) {
        if (IsUndefined(v))
            continue;
        if (count == 0) {
            g.min = g.max = v;
        } else {
            g.min = std::min(g.min, v);
            g.max = std::max(g.max, v);
        }
        sum += v;
        ++count;
    }
    if (count == 0)
        return g;
    g.defined = true;
    g.avg = sum / static_cast<double>(count);
    g.flatness = (g.max - g.min) / 2.0;
    // The middle point exists for an odd number of points (a center-span grid always has one).
    if (gt.size() % 2 == 1 && !IsUndefined(gt[gt.size() / 2])) {
        g.hasMidband = true;
        g.midband = gt[gt.size() / 2];
    }
    return g;
}

std::string GainFlatnessCaption(const GainFlatness& g)
{
    std::string c = "Gt:  Min = " + Picture2(g.min) + "   Avg = " + Picture2(g.avg);
    c += g.hasMidband ? "   Midband = " + Picture2(g.midband) : std::string("   Midband = * * * ");
    c += "   Max = " + Picture2(g.max) + "   Flatness = ±" + Picture2(g.flatness) + " dB";
    return c;
}

// ---- Differential one-port --------------------------------------------------------------------------

Complex DifferentialImpedance(const TwoPort& s, double z0)
{
    // Z = z0·(I + S)(I − S)⁻¹; with D = (1 − S11)(1 − S22) − S12·S21 the four impedances are
    // z0/D times the numerators below, and the anti-phase drive sees Z11 − Z12 − Z21 + Z22.
    FaultTrap t;
    const Complex one{1.0, 0.0};
    const Complex a = Sub(one, s.s11);
    const Complex b = Sub(one, s.s22);
    const Complex d = Sub(Mul(a, b), Mul(s.s12, s.s21));
    const Complex z11 = Complex{(1.0 + s.s11.Re) * b.Re - s.s11.Im * b.Im + (s.s12.Re * s.s21.Re - s.s12.Im * s.s21.Im),
                                (1.0 + s.s11.Re) * b.Im + s.s11.Im * b.Re + (s.s12.Re * s.s21.Im + s.s12.Im * s.s21.Re)};
    const Complex z22 = Complex{(1.0 + s.s22.Re) * a.Re - s.s22.Im * a.Im + (s.s12.Re * s.s21.Re - s.s12.Im * s.s21.Im),
                                (1.0 + s.s22.Re) * a.Im + s.s22.Im * a.Re + (s.s12.Re * s.s21.Im + s.s12.Im * s.s21.Re)};
    const Complex z12 = Scale(s.s12, 2.0);
    const Complex z21 = Scale(s.s21, 2.0);
    const Complex num{z11.Re - z12.Re - z21.Re + z22.Re, z11.Im - z12.Im - z21.Im + z22.Im};
    const Complex z = Scale(Div(t, num, d), z0);
    return t.Raised() ? kUndefinedComplex : z;
}

// ---- Circles ------------------------------------------------------------------------------------------

Circle GainCircleIn(const TwoPort& s, double gainDb) { return GainCircle(s, s.s11, C1(s), gainDb); }
Circle GainCircleOut(const TwoPort& s, double gainDb) { return GainCircle(s, s.s22, C2(s), gainDb); }
Circle StabilityCircleIn(const TwoPort& s) { return StabilityCircle(s, s.s11, C1(s)); }
Circle StabilityCircleOut(const TwoPort& s) { return StabilityCircle(s, s.s22, C2(s)); }

Circle NoiseCircle(const NoiseParams& n, double nfDb)
{
    FaultTrap t;
    const double f = std::pow(10.0, nfDb / 10.0);
    const double fmin = std::pow(10.0, n.nfMinDb / 10.0);
    const Complex onePlus{1.0 + n.gammaOpt.Re, n.gammaOpt.Im};
    const double big = t.Div((f - fmin) * Norm(onePlus), 4.0 * n.rn);
    Circle c;
    c.center = Div(t, n.gammaOpt, Complex{1.0 + big, 0.0});
    c.radius = t.Div(t.Sqrt(big * (big + 1.0 - Norm(n.gammaOpt))), 1.0 + big);
    c.defined = !t.Raised();
    return c;
}

bool CircleOutsideChart(const Circle& c) { return c.defined && Abs(c.center) - c.radius >= 1.0; }

Complex NormalisedImpedance(Complex gamma)
{
    FaultTrap t;
    const Complex z = Div(t, Complex{1.0 + gamma.Re, gamma.Im}, Complex{1.0 - gamma.Re, -gamma.Im});
    return t.Raised() ? kUndefinedComplex : z;
}

std::vector<Complex> TraceCircle(const Circle& c)
{
    std::vector<Complex> points;
    if (!c.defined)
        return points;
    points.reserve(360);
    for (int deg = 0; deg < 360; ++deg) {
        const double th = deg * kPi / 180.0;
        points.push_back(NormalisedImpedance({c.center.Re + c.radius * std::cos(th), c.center.Im + c.radius * std::sin(th)}));
    }
    return points;
}

std::vector<double> GainCircleLevels(double maxGainDb, int count, double spacingDb)
{
    std::vector<double> levels;
    for (int i = 1; i <= count; ++i)
        levels.push_back(maxGainDb - i * spacingDb);
    return levels;
}

std::vector<double> NoiseCircleLevels(double nfMinDb, int count, double spacingDb)
{
    std::vector<double> levels;
    for (int i = 1; i <= count; ++i)
        levels.push_back(nfMinDb + i * spacingDb);
    return levels;
}

std::string MaxGainLabel(const TwoPort& s)
{
    if (UnconditionallyStable(s))
        return "MAG= " + Picture2(MaxAvailableGainDb(s));
    return "MSG= " + Picture2(MaxStableGainDb(s));
}

std::string NoiseMinLabel(const NoiseParams& n) { return "NFmin= " + Picture2(n.nfMinDb); }

std::string StabilityCircleLabelIn(const TwoPort& s)
{
    return Norm(s.s11) < 1.0 ? "Input Stable" : "Input Untable";
}

std::string StabilityCircleLabelOut(const TwoPort& s)
{
    return Norm(s.s22) < 1.0 ? "Output Stable" : "Output Unstable";
}

std::string StableSetsCaption(std::span<const int> sets, bool input)
{
    std::string c = input ? "Data sets unconditionally stable:   " : "Data sets unconditionally stable:  ";
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (i > 0)
            c += ", ";
        c += 'D';
        c += std::to_string(sets[i]);
    }
    c += input ? " : Input  " : " : Output  ";
    return c;
}

} // namespace korvel
