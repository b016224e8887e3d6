#include "fetbias.h"

#include "thermal.h"

#include "core/fault.h"
#include "core/stdvalues.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace korvel {
namespace {

// The square law's smaller root; the larger one lies beyond pinch-off, where the gate would
// be more negative than Vp and the channel closed.
double DrainCurrent(FaultTrap& t, double idss, double vp, double rs)
{
    if (rs == 0.0)
        return idss;
    const double a = t.Div(rs, -vp);
    const double invIdss = t.Div(1.0, idss);
    const double root = t.Sqrt(invIdss * invIdss + t.Finite(4.0 * a * invIdss));
    return t.Finite(((2.0 * a + invIdss) - root) * t.Div(vp * vp, 2.0 * rs * rs));
}

double PinchOff(FaultTrap& t, double vpPrime, double fraction)
{
    return t.Div(vpPrime, 1.0 - t.Sqrt(fraction));
}

// A designed resistor as built: the exact value, or the nearest member of the tolerance
// series, kept as the single-precision number the display shows.
float AsBuilt(double exact, const FetBiasInputs& in)
{
    if (!in.useStandardValues || !(exact > 0.0))
        return float(exact);
    return float(StandardValue(exact, in.tolerance));
}

// The tolerance of the standard series as a fraction; the 0.1 % series is stored as 0.
double ToleranceFraction(int tolerance) { return (tolerance == 0 ? 0.1 : double(tolerance)) / 100.0; }

} // namespace

double PinchOffFromVpPrime(double vpPrime_v, double ispec_a, double idss_a)
{
    FaultTrap t;
    const double vp = PinchOff(t, vpPrime_v, t.Div(ispec_a, idss_a));
    return t.Raised() ? 0.0 : vp;
}

double SelfBiasDrainCurrent(double idss_a, double vp_v, double rs_ohm)
{
    FaultTrap t;
    const double id = DrainCurrent(t, idss_a, vp_v, rs_ohm);
    return t.Raised() ? 0.0 : id;
}

double SourceResistorFor(double id_a, double idss_a, double vp_v)
{
    FaultTrap t;
    const double rs = t.Div(-vp_v * (1.0 - t.Sqrt(t.Div(id_a, idss_a))), id_a);
    return t.Raised() ? 0.0 : rs;
}

FetBiasResult DesignFetBias(const FetBiasInputs& in, double tjLimit_c)
{
    FetBiasResult r;
    FaultTrap t;
    FetBiasMessages& msg = r.messages;

    // Idss and Vp follow the case temperature linearly from their nominal values.
    double idss[3][3];   // [i][t]
    double vp[3][3];     // [j][t]
    for (int k = 0; k < 3; ++k) {
        const double dT = in.tcase_c[std::size_t(k)] - in.tcase_c[1];
        for (int i = 0; i < 3; ++i)
            idss[i][k] = in.idss_a[std::size_t(i)] * (1.0 + in.idssTempco_perC * dT);
        for (int j = 0; j < 3; ++j) {
            // In current mode the reference current is a fixed number of mA, so its share
            // of Idss moves with the device's own Idss of the same index.
            const double fraction = in.vpSpecIsCurrent ? t.Div(in.vpSpecCurrent_a, idss[j][k]) : in.vpSpecFraction;
            vp[j][k] = PinchOff(t, in.vpPrime_v[std::size_t(j)], fraction) + dT * in.vpTempco_vPerC;
        }
    }
    for (int j = 0; j < 3; ++j)
        r.vpNominal_v[std::size_t(j)] = vp[j][1];

    // Source resistor for the typical device at the nominal temperature.
    const double vpTyp = vp[1][1];
    const double idssTyp = idss[1][1];
    r.rsExact_ohm = t.Div(-vpTyp * (1.0 - t.Sqrt(t.Div(in.idTarget_a, idssTyp))), in.idTarget_a);
    if (r.rsExact_ohm < 0.0)
        msg.caution = "Error: Rs negative value - ";
    r.rs_ohm = AsBuilt(r.rsExact_ohm, in);
    const double rs = r.rs_ohm;

    // Operating point of the built circuit.
    r.id_a = DrainCurrent(t, idssTyp, vpTyp, rs);
    r.vgs_v = float(-r.id_a * rs);
    if (r.vgs_v > 0.0f)
        msg.caution = " Data error: Vgs > 0 ";

    const double headroom = in.vdd_v + double(r.vgs_v);
    if (in.rdIncluded) {
        if (headroom <= 0.0) {
            msg.warning = " Vds is zero or negative - Vdd too low; setting Rd = 0 ";
            r.vds_v = float(headroom);
        } else if (headroom < in.vdsTarget_v) {
            msg.caution = " Vdd too low, cannot meet Vds target; setting Rd = 0 ";
            r.vds_v = float(headroom);
        } else {
            r.rdExact_ohm = t.Div(headroom - in.vdsTarget_v, in.idTarget_a);
            if (r.rdExact_ohm < 0.0)
                msg.warning = "Error: Rd negative value - ";
            r.rd_ohm = AsBuilt(r.rdExact_ohm, in);
            r.vds_v = float(headroom - double(r.rd_ohm) * r.id_a);
        }
    } else {
        r.vds_v = float(headroom);
        if (headroom <= 0.0)
            msg.caution = " Vds is zero or negative - Vdd too low ";
    }
    const double rd = r.rd_ohm;

    // The 27 cases: every Idss with every V'p at every case temperature.
    double vdsWorstMin = 0.0;
    bool firstCase = true;
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const double id = DrainCurrent(t, idss[i][k], vp[j][k], rs);
                r.idCase_a[k][i][j] = id;
                r.vdsCase_v[k][i][j] = in.vdd_v - id * (rs + rd);
                vdsWorstMin = firstCase ? r.vdsCase_v[k][i][j] : std::min(vdsWorstMin, r.vdsCase_v[k][i][j]);
                firstCase = false;
            }

    // What the grid shows: the typical device, or the extremes over the nine devices.
    bool firstShown = true;
    for (int k = 0; k < 3; ++k) {
        FetCell& cell = r.cells[std::size_t(k)];
        const double tc = in.tcase_c[std::size_t(k)];
        bool firstInColumn = true;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                if (!in.worstCase && (i != 1 || j != 1))
                    continue;
                const double id = r.idCase_a[k][i][j];
                const double vds = r.vdsCase_v[k][i][j];
                const double pd = std::fabs(vds * id);
                if (firstInColumn) {
                    cell.idMin_a = cell.idMax_a = id;
                    cell.pd_w = pd;
                } else {
                    cell.idMin_a = std::min(cell.idMin_a, id);
                    cell.idMax_a = std::max(cell.idMax_a, id);
                    cell.pd_w = std::max(cell.pd_w, pd);
                }
                if (firstShown) {
                    r.vdsMin_v = r.vdsMax_v = vds;
                } else {
                    r.vdsMin_v = std::min(r.vdsMin_v, vds);
                    r.vdsMax_v = std::max(r.vdsMax_v, vds);
                }
                firstInColumn = false;
                firstShown = false;
            }
        cell.tj_c = tc + in.theta_cPerW * cell.pd_w;
        r.tjMax_c = k == 0 ? cell.tj_c : std::max(r.tjMax_c, cell.tj_c);
    }
    // A junction at the limit itself is already too hot: the limit is a rating, not a target.
    if (JunctionNotBelowLimit(r.tjMax_c, tjLimit_c)) {
        msg.caution = JunctionCautionText(NumberText(tjLimit_c));
        msg.tjCaution = true;
    }

    // Sensitivities at the nominal temperature: the whole spread of one parameter with the
    // others typical. Voltages follow the currents through the built resistors.
    auto vdsOf = [&](double id) { return in.vdd_v - id * (rs + rd); };
    auto spread = [&](double idHigh, double idLow) {
        return FetSensitivity{idHigh - idLow, vdsOf(idHigh) - vdsOf(idLow)};
    };
    r.sensVp = spread(r.idCase_a[1][1][2], r.idCase_a[1][1][0]);
    r.sensIdss = spread(r.idCase_a[1][2][1], r.idCase_a[1][0][1]);
    r.sensTemp = spread(r.idCase_a[2][1][1], r.idCase_a[0][1][1]);
    r.rsSensitivityShown = in.useStandardValues;
    if (in.useStandardValues) {
        // A standard resistor may sit anywhere in its tolerance band; its top edge is the
        // case that starves the drain most.
        const double rsHigh = rs * (1.0 + ToleranceFraction(in.tolerance));
        const double idHigh = DrainCurrent(t, idssTyp, vpTyp, rsHigh);
        r.sensRs.id_a = r.id_a - idHigh;
        r.sensRs.vds_v = idHigh * (rsHigh + rd) - r.id_a * (rs + rd);
    }

    // The spread of the built circuit against what was asked for.
    if (vdsWorstMin < 0.0)
        msg.warning = "Error: Worst case Vds negative value - due to standard value resistor tolerance or input data ";
    if (in.worstCase && in.useStandardValues
        && (r.vdsMax_v > 1.2 * in.vdsTarget_v || r.vdsMin_v < 0.8 * in.vdsTarget_v))
        msg.caution = "Vds is 20% > or < target Vds due to standard values tolerance for Rd, Rs or FET input data    ";
    if (r.vdsMin_v < 0.0 || r.vdsMax_v < 0.0) {
        msg.warning = "Error: Vds min/max negative value - due to high tolerance of Rd, Rs or FET input data   ";
        msg.caution.clear();
        msg.tjCaution = false;
    }

    if (t.Raised()) {
        r.faultNumber = t.Number();
        r.faultText = FaultTail(t.Number());
    }
    return r;
}

} // namespace korvel
