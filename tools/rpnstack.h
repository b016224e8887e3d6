// The register stack of the reverse-Polish complex calculator, and every operation on it as
// a plain function from one calculator state to the next. An operation that the calculator
// refuses (a division by 0 + j0 and the like) returns the state unchanged together with the
// title and text of the message the user is to see; nothing else is touched by a refusal, so
// the undo snapshot still holds the stack from before the last accepted operation.
#pragma once

#include "core/cxmath.h"

#include <array>
#include <string>

namespace korvel {

inline constexpr int kStackDepth = 7;   // R[0] = x, R[1] = y, ... R[6] the deepest
inline constexpr int kMemoryCount = 6;  // memories A to F

using RegisterStack = std::array<Complex, kStackDepth>;

struct RpnState {
    RegisterStack stack{};
    RegisterStack undo{};                       // the stack before the last snapshot-taking operation
    std::array<Complex, kMemoryCount> memory{};  // A .. F
};

struct RpnResult {
    RpnState state;
    // Empty text: the operation was carried out. Otherwise it was refused with this message.
    std::string title;
    std::string text;
    bool Refused() const { return !text.empty(); }
};

// ---- Stack keys ---------------------------------------------------------------------------
RpnState Enter(const RpnState& s);         // lift: R[6] = R[5] ... R[1] = R[0]; x kept
RpnState Drop(const RpnState& s);          // R[0] = R[1] ... R[5] = R[6]; R[6] = 0
RpnState Swap(const RpnState& s);          // x <> y
RpnState ClearX(const RpnState& s);
RpnState ClearAll(const RpnState& s);      // registers and memories
RpnState Undo(const RpnState& s);          // the snapshot back; repeating it repeats the restore
RpnState Store(const RpnState& s, int memory);   // memory 0..5 = A..F
RpnState Recall(const RpnState& s, int memory);
// Lifts and puts a value into x; `snapshot` false for the constants pi and e, which keep the
// previous snapshot.
RpnState PushValue(const RpnState& s, Complex value, bool snapshot);
// Typing into x and the circuit entries: x replaced, no lift and no snapshot.
RpnState SetX(const RpnState& s, Complex value);

// ---- Two-operand keys: x = y op x, then the stack above x drops --------------------------
enum class BinaryOp { Add, Sub, Mult, Div, YtoX };
RpnResult ApplyBinary(const RpnState& s, BinaryOp op);

// ---- One-operand keys: x = f(x) -----------------------------------------------------------
enum class UnaryOp {
    Square, Inverse, Sqrt, Ln, InverseLn, Log, Mag, Conjg, RectToPolarDeg, PolarToRectDeg,
    Sin, Cos, Tan, Cot, Asin, Acos, Atan, Acot, Sinh, Cosh, Tanh, Atanh, Coth
};
RpnResult ApplyUnary(const RpnState& s, UnaryOp op);

// ---- Reference-impedance keys -------------------------------------------------------------
enum class RfOp { NormalizeZ, UnNormalizeZn, NormalizeY, UnNormalizeYn, ZtoGamma, GammaToZ };
RpnResult ApplyRf(const RpnState& s, RfOp op, double zo);

} // namespace korvel
