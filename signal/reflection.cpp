#include "reflection.h"

#include "core/fault.h"
#include "core/units.h"

#include <cmath>

namespace korvel {
namespace {

// Each conversion is one statement of its own: a fault stops that statement only, and is
// reported to the caller instead of a message (the window turns it into its warning).
ReflValue Finish(const FaultTrap& trap, double value)
{
    ReflValue v;
    v.value = trap.Raised() ? 0.0 : value;
    v.fault = trap.Number();
    return v;
}

ReflValue Special(ReflKind kind)
{
    ReflValue v;
    v.kind = kind;
    return v;
}

// log10 as ln x / ln 10, the way the rest of the program forms it.
double Log10Of(FaultTrap& trap, double x) { return trap.Div(trap.Log(x), trap.Log(10.0)); }

// A loss in dB of a perfect match or a total reflection is -0; adding +0 makes it a plain 0
// so that it never shows as "-0.000".
double Loss(double negativeLog) { return negativeLog + 0.0; }

// rho from a power ratio lost to reflection, 10^(-dB/10) of the power getting through.
ReflValue RhoFromPowerLossDb(double db)
{
    FaultTrap trap;
    const double through = trap.Pow(10.0, -db / 10.0);
    return Finish(trap, trap.Pow(trap.Finite(1.0 - through), 0.5));
}

} // namespace

ReflValue RhoFromSWR(double swr)
{
    FaultTrap trap;
    return Finish(trap, trap.Div(swr - 1.0, trap.Finite(swr + 1.0)));
}

ReflValue RhoFromReturnLoss(double rlDb)
{
    FaultTrap trap;
    return Finish(trap, trap.Pow(10.0, -rlDb / 20.0));
}

ReflValue RhoFromMismatchLoss(double mlDb) { return RhoFromPowerLossDb(mlDb); }

ReflValue RhoFromTransCoeffMag(double t)
{
    FaultTrap trap;
    return Finish(trap, trap.Pow(trap.Finite(1.0 - t), 0.5));
}

ReflValue RhoFromTransCoeffDB(double tDb) { return RhoFromPowerLossDb(tDb); }

ReflValue RhoFromLoadResistance(double r, double z0)
{
    FaultTrap trap;
    return Finish(trap, std::fabs(trap.Div(trap.Finite(r - z0), trap.Finite(r + z0))));
}

ReflValue RhoFromLoadConductance(double g, double z0)
{
    if (g == 0.0)
        return Special(ReflKind::Infinite);
    FaultTrap trap;
    const double r = trap.Div(1.0, g);
    if (trap.Raised())
        return Finish(trap, 0.0);
    return Finish(trap, std::fabs(trap.Div(trap.Finite(r - z0), trap.Finite(r + z0))));
}

ReflValue LoadResistanceFromRho(double rho, double z0)
{
    if (rho == 1.0)
        return Special(ReflKind::Infinite);
    FaultTrap trap;
    return Finish(trap, trap.Div(trap.Finite(z0 * (1.0 + rho)), 1.0 - rho));
}

ReflValue LoadConductanceFromRho(double rho, double z0)
{
    if (rho == 1.0)
        return Special(ReflKind::Infinite);
    const ReflValue r = LoadResistanceFromRho(rho, z0);
    if (r.fault)
        return r;
    FaultTrap trap;
    return Finish(trap, trap.Div(1.0, r.value));
}

ReflValue SWRfromRho(double rho)
{
    if (rho == 1.0)
        return Special(ReflKind::Infinite);
    FaultTrap trap;
    return Finish(trap, trap.Div(1.0 + rho, 1.0 - rho));
}

ReflValue ReturnLossFromRho(double rho)
{
    if (rho == 0.0)
        return Special(ReflKind::Infinite);
    FaultTrap trap;
    return Finish(trap, Loss(-20.0 * Log10Of(trap, rho)));
}

ReflValue MismatchLossFromRho(double rho)
{
    if (rho == 1.0)
        return Special(ReflKind::Infinite);
    FaultTrap trap;
    return Finish(trap, Loss(-10.0 * Log10Of(trap, 1.0 - rho * rho)));
}

ReflValue TransmissionCoeffMagFromRho(double rho)
{
    FaultTrap trap;
    return Finish(trap, trap.Finite(1.0 - rho * rho));
}

ReflValue TransmissionCoeffdBFromRho(double rho)
{
    // The same number as the mismatch loss; only a total reflection reads differently, as
    // a transmission of nothing has no level in dB.
    if (rho == 1.0)
        return Special(ReflKind::Undefined);
    FaultTrap trap;
    return Finish(trap, Loss(-10.0 * Log10Of(trap, 1.0 - rho * rho)));
}

std::string ReflText(const ReflValue& v, std::string_view picture)
{
    switch (v.kind) {
    case ReflKind::Infinite: return std::string(kInfiniteText);
    case ReflKind::Undefined: return std::string(kUndefinedText);
    case ReflKind::Number: break;
    }
    return FormatValue(v.value, picture);
}

std::string_view ReflPicture(ReflField field)
{
    switch (field) {
    case ReflField::SWR: return "0.00";
    case ReflField::Yload: return "0.00000";
    default: return "0.000";
    }
}

ReflEntry EnterReflection(ReflField field, double value, const ReflState& before, std::string_view fieldText,
                          std::string_view z0Text)
{
    ReflEntry e;
    e.state = before;
    const double z0 = before.z0;
    auto put = [&e](ReflField f, const std::string& text) { e.texts[std::size_t(f)] = text; };
    // A conversion that faulted leaves its field as it was and marks the entry.
    auto write = [&](ReflField f, const ReflValue& v) {
        if (v.fault) {
            e.warning = true;
            return;
        }
        put(f, ReflText(v, ReflPicture(f)));
    };
    auto setRho = [&](const ReflValue& v) {
        if (v.fault)
            e.warning = true;
        else
            e.state.rho = v.value;
    };

    // A short or an open reflects everything: the texts are fixed, not computed.
    auto totalReflection = [&](ReflField load) {
        e.state.rho = 1.0;
        put(ReflField::Gamma, FormatValue(1.0, ReflPicture(ReflField::Gamma)));
        put(load, std::string(kInfiniteText));
        put(ReflField::SWR, std::string(kInfiniteText));
        put(ReflField::Rl, "0");
        put(ReflField::Lmm, std::string(kInfiniteText));
        put(ReflField::Tmag, "0");
        e.state.t = TransmissionCoeffMagFromRho(1.0).value;
        put(ReflField::TdB, std::string(kUndefinedText));
    };

    // The fields that follow rho in every case.
    auto writeTail = [&] {
        const double rho = e.state.rho;
        if (field != ReflField::SWR)
            write(ReflField::SWR, SWRfromRho(rho));
        if (field != ReflField::Rl)
            write(ReflField::Rl, ReturnLossFromRho(rho));
        if (field != ReflField::Lmm)
            write(ReflField::Lmm, MismatchLossFromRho(rho));
        const ReflValue t = TransmissionCoeffMagFromRho(rho);
        if (field != ReflField::Tmag) {
            write(ReflField::Tmag, t);
            if (!t.fault)
                e.state.t = t.value;
        } else if (!t.fault) {
            e.state.t = t.value;
        }
        if (field != ReflField::TdB)
            write(ReflField::TdB, TransmissionCoeffdBFromRho(rho));
    };

    switch (field) {
    case ReflField::Zload: {
        // A load typed exactly as Z0 is a matched load: exact, but its return loss is infinite.
        if (value == 0.0 || fieldText == z0Text)
            e.warning = true;
        if (value == 0.0) {
            totalReflection(ReflField::Yload);
            return e;
        }
        setRho(RhoFromLoadResistance(value, z0));
        write(ReflField::Gamma, ReflValue{ReflKind::Number, e.state.rho, 0});
        FaultTrap trap;
        const double g = trap.Div(1.0, value);
        write(ReflField::Yload, ReflValue{ReflKind::Number, g, trap.Number()});
        writeTail();
        return e;
    }
    case ReflField::Yload: {
        if (value == 0.0) {
            e.warning = true;
            totalReflection(ReflField::Zload);
            return e;
        }
        setRho(RhoFromLoadConductance(value, z0));
        write(ReflField::Gamma, ReflValue{ReflKind::Number, e.state.rho, 0});
        write(ReflField::Zload, LoadResistanceFromRho(e.state.rho, z0));
        writeTail();
        return e;
    }
    case ReflField::Gamma: setRho(ReflValue{ReflKind::Number, value, 0}); break;
    case ReflField::SWR: setRho(RhoFromSWR(value)); break;
    case ReflField::Rl: setRho(RhoFromReturnLoss(value)); break;
    case ReflField::Lmm: setRho(RhoFromMismatchLoss(value)); break;
    case ReflField::Tmag: setRho(RhoFromTransCoeffMag(value)); break;
    case ReflField::TdB: setRho(RhoFromTransCoeffDB(value)); break;
    }

    const double rho = e.state.rho;
    if (rho == 0.0 || rho == 1.0)
        e.warning = true;
    if (field != ReflField::Gamma)
        write(ReflField::Gamma, ReflValue{ReflKind::Number, rho, 0});
    write(ReflField::Zload, LoadResistanceFromRho(rho, z0));
    write(ReflField::Yload, LoadConductanceFromRho(rho, z0));
    writeTail();
    return e;
}

std::optional<PowerEntry> PowerShortcut(PowerField field, double t, bool logarithmicUnit, std::string_view enteredText)
{
    PowerEntry e;
    auto text = [](std::string_view s) { return PowerOut{PowerOut::Kind::Text, 0.0, std::string(s)}; };
    switch (field) {
    case PowerField::Incident:
        if (logarithmicUnit && t == 1.0) {
            e.out[std::size_t(PowerField::Reflected)] = text("Undefined");
            e.out[std::size_t(PowerField::Transmitted)] = text(enteredText);
            return e;
        }
        break;
    case PowerField::Reflected:
        if (logarithmicUnit && t == 0.0) {
            e.out[std::size_t(PowerField::Transmitted)] = text("0");
            e.out[std::size_t(PowerField::Incident)] = text(enteredText);
            return e;
        }
        break;
    case PowerField::Transmitted:
        if (t == 0.0) {
            e.warning = true;
            e.out[std::size_t(PowerField::Incident)] = text("Undefined");
            e.out[std::size_t(PowerField::Reflected)] = text("Undefined");
            return e;
        }
        break;
    }
    return std::nullopt;
}

PowerEntry SplitPower(PowerField field, double watts, double t)
{
    PowerEntry e;
    auto put = [&e](PowerField f, FaultTrap& trap, double w) {
        if (trap.Raised()) {
            e.warning = true;
            return;
        }
        e.out[std::size_t(f)] = PowerOut{PowerOut::Kind::Watts, w, {}};
    };
    switch (field) {
    case PowerField::Incident: {
        e.incidentWatts = watts;
        FaultTrap tran, refl;
        put(PowerField::Transmitted, tran, tran.Finite(watts * t));
        put(PowerField::Reflected, refl, refl.Finite(watts * (1.0 - t)));
        break;
    }
    case PowerField::Reflected: {
        // The incident power is what was reflected over the reflected share; with nothing
        // reflected that share is zero and the incident power cannot be found.
        FaultTrap trap;
        const double p = trap.Div(watts, 1.0 - t);
        if (trap.Raised()) {
            e.warning = true;
            break;
        }
        e.incidentWatts = p;
        FaultTrap tran;
        e.out[std::size_t(PowerField::Incident)] = PowerOut{PowerOut::Kind::Watts, p, {}};
        put(PowerField::Transmitted, tran, tran.Finite(p * t));
        break;
    }
    case PowerField::Transmitted: {
        FaultTrap trap;
        const double p = trap.Div(watts, t);
        if (trap.Raised()) {
            e.warning = true;
            break;
        }
        e.incidentWatts = p;
        FaultTrap refl;
        e.out[std::size_t(PowerField::Incident)] = PowerOut{PowerOut::Kind::Watts, p, {}};
        put(PowerField::Reflected, refl, refl.Finite(p * (1.0 - t)));
        break;
    }
    }
    return e;
}

} // namespace korvel
