#include "rpnstack.h"

namespace korvel {
namespace {

constexpr const char* kDataError = "Data Error";
constexpr const char* kZeroText = "0 \xC2\xB1 j 0";  // "0 ± j 0"

bool IsZero(Complex z) { return z.Re == 0.0 && z.Im == 0.0; }

RpnState Snapshot(const RpnState& s)
{
    RpnState next = s;
    next.undo = s.stack;
    return next;
}

void LiftInPlace(RegisterStack& r)
{
    for (int i = kStackDepth - 1; i > 0; --i)
        r[std::size_t(i)] = r[std::size_t(i - 1)];
}

// After a two-operand key has consumed y, everything above x moves down one place.
void DropAboveX(RegisterStack& r)
{
    for (int i = 1; i < kStackDepth - 1; ++i)
        r[std::size_t(i)] = r[std::size_t(i + 1)];
    r[kStackDepth - 1] = Complex{};
}

RpnResult Refuse(const RpnState& s, const char* title, const std::string& text)
{
    return RpnResult{s, title, text};
}

RpnResult WithX(const RpnState& s, Complex x)
{
    RpnState next = Snapshot(s);
    next.stack[0] = x;
    return RpnResult{next, {}, {}};
}

} // namespace

RpnState Enter(const RpnState& s)
{
    RpnState next = Snapshot(s);
    LiftInPlace(next.stack);
    return next;
}

RpnState Drop(const RpnState& s)
{
    RpnState next = Snapshot(s);
    for (int i = 0; i < kStackDepth - 1; ++i)
        next.stack[std::size_t(i)] = next.stack[std::size_t(i + 1)];
    next.stack[kStackDepth - 1] = Complex{};
    return next;
}

RpnState Swap(const RpnState& s)
{
    RpnState next = Snapshot(s);
    std::swap(next.stack[0], next.stack[1]);
    return next;
}

RpnState ClearX(const RpnState& s)
{
    RpnState next = Snapshot(s);
    next.stack[0] = Complex{};
    return next;
}

RpnState ClearAll(const RpnState& s)
{
    RpnState next = Snapshot(s);
    next.stack.fill(Complex{});
    next.memory.fill(Complex{});
    return next;
}

RpnState Undo(const RpnState& s)
{
    RpnState next = s;
    next.stack = s.undo;
    return next;
}

RpnState Store(const RpnState& s, int memory)
{
    RpnState next = Snapshot(s);
    if (memory >= 0 && memory < kMemoryCount)
        next.memory[std::size_t(memory)] = s.stack[0];
    return next;
}

RpnState Recall(const RpnState& s, int memory)
{
    if (memory < 0 || memory >= kMemoryCount)
        return s;
    return PushValue(s, s.memory[std::size_t(memory)], true);
}

RpnState PushValue(const RpnState& s, Complex value, bool snapshot)
{
    RpnState next = snapshot ? Snapshot(s) : s;
    LiftInPlace(next.stack);
    next.stack[0] = value;
    return next;
}

RpnState SetX(const RpnState& s, Complex value)
{
    RpnState next = s;
    next.stack[0] = value;
    return next;
}

RpnResult ApplyBinary(const RpnState& s, BinaryOp op)
{
    const Complex x = s.stack[0];
    const Complex y = s.stack[1];
    Complex r;
    switch (op) {
    case BinaryOp::Add: r = CxAdd(y, x); break;
    case BinaryOp::Sub: r = CxSub(y, x); break;
    case BinaryOp::Mult: r = CxMul(y, x); break;
    case BinaryOp::Div:
        if (IsZero(x))
            return Refuse(s, kDataError, std::string("Division by ") + kZeroText + " is undefined");
        r = CxDiv(y, x);
        break;
    case BinaryOp::YtoX: r = CxExp(CxMul(x, CxLn(y))); break;
    }
    RpnState next = Snapshot(s);
    next.stack[0] = r;
    DropAboveX(next.stack);
    return RpnResult{next, {}, {}};
}

RpnResult ApplyUnary(const RpnState& s, UnaryOp op)
{
    const Complex x = s.stack[0];
    switch (op) {
    case UnaryOp::Square: return WithX(s, CxMul(x, x));
    case UnaryOp::Inverse:
        if (IsZero(x))
            return Refuse(s, "Math Error", std::string("Inverse of ") + kZeroText + " is undefined.");
        return WithX(s, CxDiv(Complex{1.0, 0.0}, x));
    case UnaryOp::Sqrt: return WithX(s, CxSqrt(x));
    case UnaryOp::Ln:
        if (IsZero(x))
            return Refuse(s, kDataError, std::string("Undefined for ") + kZeroText);
        return WithX(s, CxLn(x));
    case UnaryOp::InverseLn: return WithX(s, CxExp(x));
    case UnaryOp::Log:
        if (IsZero(x))
            return Refuse(s, kDataError, std::string("Undefined for ") + kZeroText);
        return WithX(s, CxDiv(CxLn(x), CxLn(Complex{10.0, 0.0})));
    case UnaryOp::Mag: return WithX(s, Complex{CxAbs(x), 0.0});
    case UnaryOp::Conjg: return WithX(s, CxConj(x));
    case UnaryOp::RectToPolarDeg: return WithX(s, CxToPolarDeg(x));
    case UnaryOp::PolarToRectDeg: return WithX(s, CxFromPolarDeg(x));
    case UnaryOp::Sin: return WithX(s, CxSin(x));
    case UnaryOp::Cos: return WithX(s, CxCos(x));
    case UnaryOp::Tan: return WithX(s, CxTan(x));
    case UnaryOp::Cot: return WithX(s, CxCot(x));
    case UnaryOp::Asin: return WithX(s, CxAsin(x));
    case UnaryOp::Acos: return WithX(s, CxAcos(x));
    case UnaryOp::Atan: return WithX(s, CxAtan(x));
    case UnaryOp::Acot: return WithX(s, CxAcot(x));
    case UnaryOp::Sinh: return WithX(s, CxSinh(x));
    case UnaryOp::Cosh: return WithX(s, CxCosh(x));
    case UnaryOp::Tanh: return WithX(s, CxTanh(x));
    case UnaryOp::Atanh: return WithX(s, CxAtanh(x));
    case UnaryOp::Coth: return WithX(s, CxCoth(x));
    }
    return RpnResult{s, {}, {}};
}

RpnResult ApplyRf(const RpnState& s, RfOp op, double zo)
{
    const Complex x = s.stack[0];
    const Complex z0{zo, 0.0};
    switch (op) {
    case RfOp::NormalizeZ:
        if (zo == 0.0)
            return Refuse(s, kDataError, "Cannot normalize to Zo = 0");
        return WithX(s, CxDiv(x, z0));
    case RfOp::UnNormalizeZn: return WithX(s, CxMul(x, z0));
    // An admittance normalised to Yo = 1/Zo is the admittance times Zo.
    case RfOp::NormalizeY: return WithX(s, CxMul(x, z0));
    case RfOp::UnNormalizeYn:
        if (zo == 0.0)
            return Refuse(s, kDataError, "Not defined for Zo = 0");
        return WithX(s, CxDiv(x, z0));
    // A zero x is a short circuit, whose reflection coefficient -1 is well defined, so Z to
    // gamma takes it; only x = -Zo (a pole) is left to the complex division's fault report.
    case RfOp::ZtoGamma: return WithX(s, CxDiv(CxSub(x, z0), CxAdd(x, z0)));
    case RfOp::GammaToZ:
        if (IsZero(x))
            return Refuse(s, kDataError, std::string("Not defined for x = ") + kZeroText);
        return WithX(s, CxMul(z0, CxDiv(CxAdd(Complex{1.0, 0.0}, x), CxSub(Complex{1.0, 0.0}, x))));
    }
    return RpnResult{s, {}, {}};
}

} // namespace korvel
