#include "rficbias.h"

#include "thermal.h"

#include "core/cxmath.h"
#include "core/fault.h"
#include "core/rfcalc.h"
#include "core/stdvalues.h"

#include <algorithm>

namespace korvel {
namespace {

double AsBuilt(double exact, const RficCommonInputs& c)
{
    if (!c.useStandardValues || !(exact > 0.0))
        return exact;
    return StandardValue(exact, c.tolerance);
}

// Cin and Cout take the series reactance the loss rule allows at the lowest frequency; Cb
// is the bypass ratio times larger, so that at that frequency its reactance is Z0 / ratio
// of what a blocking capacitor may have.
RficComponents BlockingAndBypass(const RficCommonInputs& c, double fLow_hz)
{
    RficComponents p;
    p.xsAllowed_ohm = SeriesReactanceForLoss(c.lossDb, c.z0_ohm);
    p.xpAllowed_ohm = ShuntReactanceForLoss(c.lossDb, c.z0_ohm);
    const double cExact = CapacitanceFromReactance(p.xsAllowed_ohm, fLow_hz);
    p.cin_f = p.cout_f = AsBuilt(cExact, c);
    p.cb_f = AsBuilt(CapacitanceFromReactance(p.xsAllowed_ohm, fLow_hz / double(c.bypassRatio)), c);
    return p;
}

void TakeFault(const FaultTrap& t, int& number, std::string& text)
{
    if (t.Raised()) {
        number = t.Number();
        text = FaultTail(t.Number());
    }
}

} // namespace

VBiasResult DesignVBias(const VBiasInputs& in)
{
    VBiasResult r;
    FaultTrap t;
    const RficCommonInputs& c = in.common;
    r.parts = BlockingAndBypass(c, in.f1_hz);
    r.parts.rfc_h = AsBuilt(InductanceFromReactance(r.parts.xpAllowed_ohm, in.f1_hz), c);

    r.capLossShown = c.cinIncluded || c.coutIncluded;
    const double freqs[2] = {in.f1_hz, in.f2_hz};
    for (std::size_t b = 0; b < 2; ++b) {
        VBiasBand& band = r.bands[b];
        const double f = freqs[b];
        if (c.cinIncluded)
            band.capLoss_db += ReactiveLossDb(CapacitiveReactance(r.parts.cin_f, f), c.z0_ohm);
        if (c.coutIncluded)
            band.capLoss_db += ReactiveLossDb(CapacitiveReactance(r.parts.cout_f, f), c.z0_ohm);
        band.rfcLoss_db = ReactiveLossDb(c.z0_ohm, InductiveReactance(r.parts.rfc_h, f));
        band.totalLoss_db = band.capLoss_db + band.rfcLoss_db;
        band.gain_db = in.stageGain_db - band.totalLoss_db;
    }

    // With no blocking capacitors the choke alone shunts the line at low frequencies; its
    // 3 dB corner is where its reactance has fallen to the 3 dB shunt reactance.
    if (!c.cinIncluded && !c.coutIncluded) {
        r.f3dbShown = true;
        r.f3db_hz = t.Div(ShuntReactanceForLoss(3.0, c.z0_ohm), 2.0 * kPi * r.parts.rfc_h);
    }
    TakeFault(t, r.faultNumber, r.faultText);
    return r;
}

double ShuntBranchLossDb(double z0_ohm, double r_ohm, double x_ohm)
{
    FaultTrap t;
    const double mag2 = r_ohm * r_ohm + x_ohm * x_ohm;
    const double re = 1.0 + t.Div(z0_ohm * r_ohm, 2.0 * mag2);
    const double im = t.Div(z0_ohm * x_ohm, 2.0 * mag2);
    const double loss = 10.0 * t.Div(t.Log(re * re + im * im), t.Log(10.0));
    return t.Raised() ? 0.0 : loss;
}

IBiasResult DesignIBias(const IBiasInputs& in, double tjLimit_c)
{
    IBiasResult r;
    FaultTrap t;
    const RficCommonInputs& c = in.common;

    r.rbiasExact_ohm = t.Div(in.vs_v - in.vd_v[1], in.idTyp_a);
    r.rbias_ohm = AsBuilt(r.rbiasExact_ohm, c);
    r.parts = BlockingAndBypass(c, in.f_hz);
    const double x = 2.0 * kPi * in.f_hz * in.rfc_h;
    if (r.rbias_ohm == 0.0 && x == 0.0) {
        // A bare short across the line: everything is reflected.
        t.Raise(kFaultDivisionByZero);
    } else {
        r.biasLoss_db = ShuntBranchLossDb(c.z0_ohm, r.rbias_ohm, x);
    }

    const bool regulates = r.rbias_ohm > 0.0;
    const double temps[3] = {in.tLow_c, 25.0, in.tHigh_c};
    for (std::size_t k = 0; k < 3; ++k) {
        IBiasColumn& col = r.columns[k];
        col.tcase_c = temps[k];
        // The device voltage follows its temperature coefficient from its 25 degC value.
        const double shift = (25.0 - temps[k]) * in.dVdT_vPerC;
        auto current = [&](double vd) { return regulates ? (in.vs_v - vd + shift) / r.rbias_ohm : 0.0; };
        col.idMax_a = current(in.vd_v[0]);
        col.idTyp_a = current(in.vd_v[1]);
        col.idMin_a = current(in.vd_v[2]);
        col.pd_w = col.idTyp_a * in.vd_v[1];
        col.tj_c = temps[k] + in.theta_cPerW * col.pd_w;
        r.tjMax_c = k == 0 ? col.tj_c : std::max(r.tjMax_c, col.tj_c);
        if (col.idMax_a <= 0.0 || col.idTyp_a <= 0.0 || col.idMin_a <= 0.0)
            r.outOfRegulation = true;
        if (regulates) {
            const double drop = in.vs_v - (in.vd_v[1] - shift);
            r.pdRbiasMax_w = std::max(r.pdRbiasMax_w, drop * drop / r.rbias_ohm);
        }
    }
    r.tjCaution = JunctionAboveLimit(r.tjMax_c, tjLimit_c);
    TakeFault(t, r.faultNumber, r.faultText);
    return r;
}

} // namespace korvel
