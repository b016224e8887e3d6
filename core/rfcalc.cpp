#include "rfcalc.h"

#include "cxmath.h"
#include "fault.h"
#include "notifier.h"

#include <string>

namespace korvel {
namespace {

// These relations are fed straight from the bias calculators' inputs, so a fault points at the
// data the user typed; the message says so and is shown even when math errors are quiet.
void ReportRfFault(const char*, int number)
{
    PlaySound("ding.wav");
    ShowMessage("Unexpected math error.", "Sys Error #" + FaultTail(number) + "\n\n" + "Check input data.",
                MsgIcon::Exclamation);
}

// The whole relation is one step: after a fault the function gives 0, never a partial result.
template <class F>
double Relation(F&& formula)
{
    FaultTrap trap("", ReportRfFault);
    const double value = trap.Finite(formula(trap));
    return trap.Raised() ? 0.0 : value;
}

} // namespace

double InductiveReactance(double L, double f)
{
    return Relation([&](FaultTrap& t) { return t.Finite(2.0 * kPi * f) * L; });
}

double CapacitiveReactance(double C, double f)
{
    return Relation([&](FaultTrap& t) { return t.Div(1.0, t.Finite(2.0 * kPi * f) * C); });
}

double InductanceFromReactance(double X, double f)
{
    return Relation([&](FaultTrap& t) { return t.Div(X, t.Finite(2.0 * kPi * f)); });
}

double CapacitanceFromReactance(double X, double f)
{
    return Relation([&](FaultTrap& t) { return t.Div(1.0, t.Finite(t.Finite(2.0 * kPi * f) * X)); });
}

double ReactiveLossDb(double a, double b)
{
    return Relation([&](FaultTrap& t) {
        const double ratio = t.Div(a, b);
        return 10.0 * Log10(1.0 + t.Finite(ratio * ratio) / 4.0);
    });
}

double SeriesReactanceForLoss(double lossDb, double Z0)
{
    return Relation([&](FaultTrap& t) { return 2.0 * Z0 * t.Sqrt(t.Pow(10.0, lossDb / 10.0) - 1.0); });
}

double ShuntReactanceForLoss(double lossDb, double Z0)
{
    return Relation([&](FaultTrap& t) { return t.Div(Z0, 2.0 * t.Sqrt(t.Pow(10.0, lossDb / 10.0) - 1.0)); });
}

} // namespace korvel
