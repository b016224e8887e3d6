#include "cxmath.h"

#include "fault.h"
#include "notifier.h"
#include "settings.h"
#include "units.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace korvel {
namespace {

constexpr const char* kMathErrorTitle = "Unexpected math error.";

// One statement of a formula. The run time skips a statement that faults, so its target keeps
// 0 while the procedure goes on with the next one; the fault is handed to the procedure's trap,
// which reports only the first fault of the call. A result beyond the double range is an
// overflow even when no single guarded operation noticed it.
template <class F>
double Stmt(FaultTrap& trap, F&& statement)
{
    FaultTrap local;
    const double value = local.Finite(statement(local));
    if (local.Raised()) {
        trap.Raise(local.Number());
        return 0.0;
    }
    return value;
}

// x^2 + y^2, where either square may overflow.
double SumOfSquares(FaultTrap& t, double x, double y)
{
    return t.Finite(x * x) + t.Finite(y * y);
}

// Hyperbolic parts of the complex functions: a large argument overflows instead of yielding an
// infinite part that a later division would quietly turn into 0.
double Cosh(FaultTrap& t, double v) { return t.Finite(std::cosh(v)); }
double Sinh(FaultTrap& t, double v) { return t.Finite(std::sinh(v)); }

// The log-axis functions refuse a non-positive value (a log axis has no place for it) with a
// message of their own and raise the shared math error flag.
double RefuseLogAxisValue(const char* text)
{
    SharedSettings& s = Settings();
    s.mathErrorFlag = true;
    s.lastMathError = text;
    PlaySound("ding.wav");
    if (!s.quietMathErrors)
        ShowMessage(kMathErrorTitle, s.lastMathError, MsgIcon::Exclamation);
    return 0.0;
}

} // namespace

void ReportMathFault(const char* code, int number)
{
    SharedSettings& s = Settings();
    s.lastMathError = std::string("Sys Error M") + code + "-" + FaultTail(number);
    PlaySound("ding.wav");
    if (!s.quietMathErrors)
        ShowMessage(kMathErrorTitle, s.lastMathError, MsgIcon::Exclamation);
}

// ---- Complex functions ---------------------------------------------------------------------

// Widening a single-precision number cannot fault.
Complex CxFromReal(float a) { return {static_cast<double>(a), 0.0}; }

Complex CxToPolarDeg(Complex z)
{
    FaultTrap trap("28", ReportMathFault);
    Complex r;
    r.Re = CxAbs(z);
    r.Im = Stmt(trap, [&](FaultTrap&) { return Atan2(z.Im, z.Re) * 180.0 / kPi; });
    return r;
}

Complex CxFromPolarDeg(Complex p)
{
    FaultTrap trap("30", ReportMathFault);
    double m = p.Re;
    double a = Stmt(trap, [&](FaultTrap&) { return p.Im * kPi / 180.0; });
    // A zero magnitude has no direction; a negative one points the opposite way.
    if (m == 0.0)
        a = 0.0;
    if (m < 0.0) {
        m = -m;
        a = a + kPi;
    }
    // Whole turns are removed so that sine and cosine see a moderate angle.
    if (std::fabs(a) > 2.0 * kPi)
        a = Stmt(trap, [&](FaultTrap& t) { return a - 2.0 * kPi * std::trunc(t.Div(a, 2.0 * kPi)); });
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap&) { return m * std::cos(a); });
    r.Im = Stmt(trap, [&](FaultTrap&) { return m * std::sin(a); });
    return r;
}

// Negating a part cannot fault.
Complex CxConj(Complex z) { return {z.Re, -z.Im}; }

Complex CxAdd(Complex a, Complex b)
{
    FaultTrap trap("32", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap&) { return a.Re + b.Re; });
    r.Im = Stmt(trap, [&](FaultTrap&) { return a.Im + b.Im; });
    return r;
}

Complex CxSub(Complex a, Complex b)
{
    FaultTrap trap("33", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap&) { return a.Re - b.Re; });
    r.Im = Stmt(trap, [&](FaultTrap&) { return a.Im - b.Im; });
    return r;
}

Complex CxMul(Complex a, Complex b)
{
    FaultTrap trap("34", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Finite(a.Re * b.Re) - t.Finite(a.Im * b.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return t.Finite(a.Re * b.Im) + t.Finite(a.Im * b.Re); });
    return r;
}

Complex CxDiv(Complex a, Complex b)
{
    FaultTrap trap("35", ReportMathFault);
    const double d = Stmt(trap, [&](FaultTrap& t) { return SumOfSquares(t, b.Re, b.Im); });
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) {
        return t.Div(t.Finite(a.Re * b.Re) + t.Finite(a.Im * b.Im), d);
    });
    r.Im = Stmt(trap, [&](FaultTrap& t) {
        return t.Div(t.Finite(a.Im * b.Re) - t.Finite(a.Re * b.Im), d);
    });
    return r;
}

double CxAbs(Complex z)
{
    FaultTrap trap("36", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) { return t.Pow(SumOfSquares(t, z.Re, z.Im), 0.5); });
}

// The division and its faults belong to CxDiv.
Complex CxInv(Complex z) { return CxDiv({1.0, 0.0}, z); }

Complex CxSqrt(Complex z)
{
    FaultTrap trap("37", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    const double m = Stmt(trap, [&](FaultTrap& t) { return t.Sqrt(SumOfSquares(t, x, y)); });
    // The root with a non-negative real part; the imaginary part takes the sign of y, so a
    // point on the negative real axis (y = 0, also -0) maps to the positive imaginary axis.
    const double s = y < 0.0 ? -1.0 : 1.0;
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Sqrt((x + m) * 0.5); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return s * t.Sqrt((m - x) * 0.5); });
    return r;
}

Complex CxExp(Complex z)
{
    FaultTrap trap("38", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Exp(z.Re) * std::cos(z.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return t.Exp(z.Re) * std::sin(z.Im); });
    return r;
}

Complex CxLn(Complex z)
{
    FaultTrap trap("39", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Log(t.Sqrt(SumOfSquares(t, z.Re, z.Im))); });
    r.Im = Atan2(z.Im, z.Re);
    return r;
}

Complex CxSin(Complex z)
{
    FaultTrap trap("41", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return std::sin(z.Re) * Cosh(t, z.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return std::cos(z.Re) * Sinh(t, z.Im); });
    return r;
}

Complex CxCos(Complex z)
{
    FaultTrap trap("43", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return std::cos(z.Re) * Cosh(t, z.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return -std::sin(z.Re) * Sinh(t, z.Im); });
    return r;
}

Complex CxTan(Complex z)
{
    FaultTrap trap("45", ReportMathFault);
    const double x2 = 2.0 * z.Re;
    const double y2 = 2.0 * z.Im;
    const double d = Stmt(trap, [&](FaultTrap& t) { return std::cos(x2) + Cosh(t, y2); });
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Div(std::sin(x2), d); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return t.Div(Sinh(t, y2), d); });
    return r;
}

Complex CxCot(Complex z)
{
    FaultTrap trap("47", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex c;
    c.Re = Stmt(trap, [&](FaultTrap& t) { return std::cos(x) * Cosh(t, y); });
    c.Im = Stmt(trap, [&](FaultTrap& t) { return -std::sin(x) * Sinh(t, y); });
    Complex s;
    s.Re = Stmt(trap, [&](FaultTrap& t) { return std::sin(x) * Cosh(t, y); });
    s.Im = Stmt(trap, [&](FaultTrap& t) { return std::cos(x) * Sinh(t, y); });
    return CxDiv(c, s);
}

// asin z = -i ln(i z + sqrt(1 - z^2))
Complex CxAsin(Complex z)
{
    FaultTrap trap("42", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex w;
    w.Re = Stmt(trap, [&](FaultTrap& t) { return 1.0 - t.Finite(x * x) + t.Finite(y * y); });
    w.Im = Stmt(trap, [&](FaultTrap&) { return -2.0 * x * y; });
    const Complex s = CxSqrt(w);
    Complex u;
    u.Re = Stmt(trap, [&](FaultTrap&) { return s.Re - y; });
    u.Im = Stmt(trap, [&](FaultTrap&) { return s.Im + x; });
    const Complex L = CxLn(u);
    return {L.Im, -L.Re};
}

// acos z = i ln(z - i sqrt(1 - z^2)), the reciprocal form of -i ln(z + i sqrt(1 - z^2))
Complex CxAcos(Complex z)
{
    FaultTrap trap("44", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex w;
    w.Re = Stmt(trap, [&](FaultTrap& t) { return 1.0 - t.Finite(x * x) + t.Finite(y * y); });
    w.Im = Stmt(trap, [&](FaultTrap&) { return -2.0 * x * y; });
    const Complex s = CxSqrt(w);
    Complex u;
    u.Re = Stmt(trap, [&](FaultTrap&) { return x + s.Im; });
    u.Im = Stmt(trap, [&](FaultTrap&) { return y - s.Re; });
    const Complex L = CxLn(u);
    return {-L.Im, L.Re};
}

// atan z = -(i/2) ln((i - z) / (i + z))
Complex CxAtan(Complex z)
{
    FaultTrap trap("46", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex num;
    num.Re = -x;
    num.Im = Stmt(trap, [&](FaultTrap&) { return 1.0 - y; });
    Complex den;
    den.Re = x;
    den.Im = Stmt(trap, [&](FaultTrap&) { return 1.0 + y; });
    const Complex L = CxLn(CxDiv(num, den));
    return {0.5 * L.Im, -0.5 * L.Re};
}

// acot z = -(i/2) ln((i z - 1) / (i z + 1)) = atan(1 / z)
Complex CxAcot(Complex z)
{
    FaultTrap trap("48", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex num;
    num.Re = Stmt(trap, [&](FaultTrap&) { return -y - 1.0; });
    num.Im = x;
    Complex den;
    den.Re = Stmt(trap, [&](FaultTrap&) { return 1.0 - y; });
    den.Im = x;
    const Complex L = CxLn(CxDiv(num, den));
    return {0.5 * L.Im, -0.5 * L.Re};
}

Complex CxSinh(Complex z)
{
    FaultTrap trap("53", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return Sinh(t, z.Re) * std::cos(z.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return Cosh(t, z.Re) * std::sin(z.Im); });
    return r;
}

Complex CxCosh(Complex z)
{
    FaultTrap trap("55", ReportMathFault);
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return Cosh(t, z.Re) * std::cos(z.Im); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return Sinh(t, z.Re) * std::sin(z.Im); });
    return r;
}

Complex CxTanh(Complex z)
{
    FaultTrap trap("57", ReportMathFault);
    const double x2 = 2.0 * z.Re;
    const double y2 = 2.0 * z.Im;
    const double d = Stmt(trap, [&](FaultTrap& t) { return Cosh(t, x2) + std::cos(y2); });
    Complex r;
    r.Re = Stmt(trap, [&](FaultTrap& t) { return t.Div(Sinh(t, x2), d); });
    r.Im = Stmt(trap, [&](FaultTrap& t) { return t.Div(std::sin(y2), d); });
    return r;
}

// atanh z = (1/2) ln((1 + z) / (1 - z))
Complex CxAtanh(Complex z)
{
    FaultTrap trap("58", ReportMathFault);
    Complex num;
    num.Re = Stmt(trap, [&](FaultTrap&) { return 1.0 + z.Re; });
    num.Im = z.Im;
    Complex den;
    den.Re = Stmt(trap, [&](FaultTrap&) { return 1.0 - z.Re; });
    den.Im = -z.Im;
    const Complex L = CxLn(CxDiv(num, den));
    return {0.5 * L.Re, 0.5 * L.Im};
}

Complex CxCoth(Complex z)
{
    FaultTrap trap("59", ReportMathFault);
    const double x = z.Re;
    const double y = z.Im;
    Complex ch;
    ch.Re = Stmt(trap, [&](FaultTrap& t) { return Cosh(t, x) * std::cos(y); });
    ch.Im = Stmt(trap, [&](FaultTrap& t) { return Sinh(t, x) * std::sin(y); });
    Complex sh;
    sh.Re = Stmt(trap, [&](FaultTrap& t) { return Sinh(t, x) * std::cos(y); });
    sh.Im = Stmt(trap, [&](FaultTrap& t) { return Cosh(t, x) * std::sin(y); });
    return CxDiv(ch, sh);
}

// ---- Real functions ------------------------------------------------------------------------

double Log10(double x)
{
    FaultTrap trap("00", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) { return t.Div(t.Log(x), t.Log(10.0)); });
}

double Pow10(double x)
{
    FaultTrap trap("01", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) { return t.Pow(10.0, x); });
}

double Atan2(double y, double x)
{
    FaultTrap trap("07", ReportMathFault);
    // Zero compares equal to negative zero, so (-0, -1) lies on the positive half-turn.
    if (x == 0.0 && y == 0.0)
        return 0.0;
    if (x > 0.0)
        return Stmt(trap, [&](FaultTrap& t) { return std::atan(t.Div(y, x)); });
    if (x < 0.0) {
        if (y > 0.0)
            return Stmt(trap, [&](FaultTrap& t) { return kPi + std::atan(t.Div(y, x)); });
        if (y < 0.0)
            return Stmt(trap, [&](FaultTrap& t) { return -kPi + std::atan(t.Div(y, x)); });
        if (y == 0.0)
            return kPi;
        return 0.0;
    }
    if (x == 0.0) {
        if (y > 0.0)
            return kPi / 2.0;
        if (y < 0.0)
            return -kPi / 2.0;
    }
    return 0.0;
}

double RSinh(double x)
{
    FaultTrap trap("14", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) { return (t.Exp(x) - t.Exp(-x)) / 2.0; });
}

double RCosh(double x)
{
    FaultTrap trap("16", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) { return (t.Exp(x) + t.Exp(-x)) / 2.0; });
}

double RTanh(double x)
{
    FaultTrap trap("18", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) {
        const double ep = t.Exp(x);
        const double en = t.Exp(-x);
        return t.Div(ep - en, ep + en);
    });
}

double RCoth(double x)
{
    FaultTrap trap("20", ReportMathFault);
    return Stmt(trap, [&](FaultTrap& t) {
        const double ep = t.Exp(x);
        const double en = t.Exp(-x);
        return t.Div(ep + en, ep - en);
    });
}

double SafeExp(double x)
{
    FaultTrap trap("133", ReportMathFault);
    // e^709 is still a double; a larger argument gives a huge stand-in instead of an overflow.
    if (x > 709.0)
        return 1e300;
    return Stmt(trap, [&](FaultTrap& t) { return t.Exp(x); });
}

double BesselI0(double x)
{
    FaultTrap trap("132", ReportMathFault);
    const double ax = std::fabs(x);
    // Polynomial approximations of I0 with an error below 2e-7 (relative) over the whole axis:
    // a power series in (x / 3.75)^2 near zero, the asymptotic form e^x / sqrt(x) beyond.
    if (ax < 3.75) {
        const double t2 = (x / 3.75) * (x / 3.75);
        return 1.0
               + t2 * (3.5156229
                       + t2 * (3.0899424
                               + t2 * (1.2067492 + t2 * (0.2659732 + t2 * (0.0360768 + t2 * 0.0045813)))));
    }
    const double t = 3.75 / ax;
    const double poly =
        0.39894228
        + t * (0.01328592
               + t * (0.00225319
                      + t * (-0.00157565
                             + t * (0.00916281
                                    + t * (-0.02057706
                                           + t * (0.02635537 + t * (-0.01647633 + t * 0.00392377)))))));
    const double e = SafeExp(ax);
    return Stmt(trap, [&](FaultTrap& g) { return g.Div(e, g.Sqrt(ax)) * poly; });
}

int RandomInt(int low, int high)
{
    // Reseeded from the clock at every call, so each draw is independent of the last one.
    const auto seed = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seq{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    std::mt19937 gen(seq);
    // 32 random bits over 2^32: uniform in [0, 1), never 1.
    const double r = static_cast<double>(gen()) / 4294967296.0;
    const double span = static_cast<double>(high) - static_cast<double>(low) + 1.0;
    return static_cast<int>(std::floor(span * r + static_cast<double>(low)));
}

double RoundOut(double x, double step)
{
    FaultTrap trap("124", ReportMathFault);
    // Already a whole number of steps (as far as 15 significant digits can tell).
    if (StepFraction(x, step) == 0.0)
        return x;
    const double n = Stmt(trap, [&](FaultTrap& t) { return std::floor(t.Div(x, step)); });
    if (x > 0.0)
        return Stmt(trap, [&](FaultTrap&) { return n * step + step; });
    if (x < 0.0)
        return Stmt(trap, [&](FaultTrap&) { return n * step; });
    return 0.0;
}

double StepFraction(double x, double step)
{
    FaultTrap trap("126", ReportMathFault);
    const double q = Stmt(trap, [&](FaultTrap& t) { return t.Div(x, step); });
    return FractionDigits(q);
}

double FractionDigits(double x)
{
    // The fraction is read from the number's 15-digit text, so that the last-bit noise of a
    // quotient such as 4.2 / 0.1 does not count as a fraction. The text after the separator
    // keeps an exponent if the number was written with one.
    const std::string text = NumberText(x);
    const std::string& separator = Settings().decimalSeparator;
    if (separator.empty())
        return 0.0;
    const std::string::size_type at = text.find(separator);
    if (at == std::string::npos)
        return 0.0;
    return NumberFromText(std::string_view(text).substr(at));
}

double LogAxisUpper(double x, double step)
{
    FaultTrap trap("129", ReportMathFault);
    if (x <= 0.0)
        return RefuseLogAxisValue("Sys Error M128-1  Attempt to scale zero or negative number for log axis.");
    const SciPair p = SciParts(x);
    if (StepFraction(10.0 * p.mantissa, step) == 0.0)
        return x;
    const double scale = Stmt(trap, [&](FaultTrap& t) { return t.Pow(10.0, p.exponent); });
    return Stmt(trap, [&](FaultTrap&) { return RoundOut(p.mantissa, step) * scale; });
}

double LogAxisLower(double x, double step)
{
    FaultTrap trap("131", ReportMathFault);
    if (x <= 0.0)
        return RefuseLogAxisValue("Sys Error M130-1  Attempt to scale zero or negative number for log axis.");
    const SciPair p = SciParts(x);
    const double scale = Stmt(trap, [&](FaultTrap& t) { return t.Pow(10.0, p.exponent - 1); });
    return Stmt(trap, [&](FaultTrap&) { return RoundOut(p.mantissa, step) * scale; });
}

} // namespace korvel
