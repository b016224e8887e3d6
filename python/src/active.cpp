// korvel.active: the bias networks, detectors, amplifier efficiency and device thermal
// calculators, each one call from an inputs record to a results record; cautions become
// Python warnings and faults exceptions, with the program's texts.
#include "common.h"

#include "active/bjtbias.h"
#include "active/detector.h"
#include "active/efficiency.h"
#include "active/fetbias.h"
#include "active/rficbias.h"
#include "active/thermal.h"

namespace korvel::python {

namespace {

void FaultIf(int number, const std::string& text)
{
    if (number != 0)
        Raise(ModuleErrors().fault, text);
}

// The caution as the window shows it, the limit written as a number.
void CautionIf(bool caution, double limit)
{
    if (caution)
        Warn(JunctionCautionText(py::str(py::float_(limit)).cast<std::string>()));
}

void BindBjt(py::module_& m)
{
    py::enum_<BjtNetwork>(m, "BjtNetwork")
        .value("BaseBias", BjtNetwork::BaseBias)
        .value("CollectorFeedback", BjtNetwork::CollectorFeedback)
        .value("VFeedbackCurrentSource", BjtNetwork::VFeedbackCurrentSource)
        .value("VoltageFeedback", BjtNetwork::VoltageFeedback)
        .value("EmitterFeedback", BjtNetwork::EmitterFeedback);
    py::class_<BjtBiasInputs> in(m, "BjtBiasInputs", "The wanted operating point and the transistor's spread (SI units).");
    KeywordInit(in);
    in KORVEL_RW(BjtBiasInputs, vcc_v) KORVEL_RW(BjtBiasInputs, ic_a) KORVEL_RW(BjtBiasInputs, vce_v)
        KORVEL_RW(BjtBiasInputs, hfe) KORVEL_RW(BjtBiasInputs, icbo_a) KORVEL_RW(BjtBiasInputs, theta_c_per_w)
        KORVEL_RW(BjtBiasInputs, tcase_c) KORVEL_RW(BjtBiasInputs, vbe_v) KORVEL_RW(BjtBiasInputs, hfeTempCo_pct_per_c)
        KORVEL_RW(BjtBiasInputs, vbeTempCo_mv_per_c) KORVEL_RW(BjtBiasInputs, icboFactor)
        KORVEL_RW(BjtBiasInputs, vrb2Mult) KORVEL_RW(BjtBiasInputs, irb2Mult);
    py::class_<BjtResistors> r(m, "BjtResistors", "rb, rc, rb1, rb2, re in ohms (0 where the network has none).");
    KeywordInit(r);
    r KORVEL_RW(BjtResistors, rb) KORVEL_RW(BjtResistors, rc) KORVEL_RW(BjtResistors, rb1) KORVEL_RW(BjtResistors, rb2)
        KORVEL_RW(BjtResistors, re);
    py::class_<BjtDesign>(m, "BjtDesign")
        KORVEL_RO(BjtDesign, ib_a) KORVEL_RO(BjtDesign, rbe_ohm) KORVEL_RO(BjtDesign, vbePrime_v)
        KORVEL_RO(BjtDesign, vrb2_v) KORVEL_RO(BjtDesign, irb2_a) KORVEL_RO(BjtDesign, r);
    py::class_<BjtStability>(m, "BjtStability")
        KORVEL_RO(BjtStability, sIcbo) KORVEL_RO(BjtStability, sVbe) KORVEL_RO(BjtStability, sHfe);
    py::class_<BjtAnalysis>(m, "BjtAnalysis")
        KORVEL_RO(BjtAnalysis, ic_a) KORVEL_RO(BjtAnalysis, stability) KORVEL_RO(BjtAnalysis, deltaIc_a)
        KORVEL_RO(BjtAnalysis, tjMax_c) KORVEL_RO(BjtAnalysis, outOfRegulation) KORVEL_RO(BjtAnalysis, icMaxOverMin)
        KORVEL_RO(BjtAnalysis, supplyCurrent_ma);
    m.def(
        "bjt_bias",
        [](BjtNetwork network, const BjtBiasInputs& in, std::optional<BjtResistors> built) {
            const BjtDesign d = DesignBjtBias(network, in);
            FaultIf(d.fault.number, d.fault.text);
            const BjtAnalysis a = AnalyseBjtBias(network, in, d, built.value_or(d.r));
            FaultIf(a.fault.number, a.fault.text);
            if (a.outOfRegulation)
                Warn(kOutOfRegulationText);
            py::dict values;
            values["design"] = d;
            values["analysis"] = a;
            return MakeResult("BjtBiasResult", values);
        },
        py::arg("network"), py::arg("inputs"), py::arg("built") = py::none(), R"(Design a bipolar bias network, then
analyse the built circuit over hFE and case temperature.

Parameters
----------
network : BjtNetwork
inputs : BjtBiasInputs
built : BjtResistors, optional
    The resistors as built (standard values, say); the designed ones by default.

Returns
-------
BjtBiasResult
    design (BjtDesign: the resistors at the typical hFE) and analysis (BjtAnalysis:
    ic_a[temperature][hFE], stability factors, hottest junction).
)");
}

void BindFet(py::module_& m)
{
    py::class_<FetBiasInputs> in(m, "FetBiasInputs", "Operating point, device spreads (min, typ, max) and options.");
    KeywordInit(in);
    in KORVEL_RW(FetBiasInputs, vdd_v) KORVEL_RW(FetBiasInputs, idTarget_a) KORVEL_RW(FetBiasInputs, vdsTarget_v)
        KORVEL_RW(FetBiasInputs, idss_a) KORVEL_RW(FetBiasInputs, vpPrime_v) KORVEL_RW(FetBiasInputs, vpSpecIsCurrent)
        KORVEL_RW(FetBiasInputs, vpSpecFraction) KORVEL_RW(FetBiasInputs, vpSpecCurrent_a)
        KORVEL_RW(FetBiasInputs, vpTempco_vPerC) KORVEL_RW(FetBiasInputs, idssTempco_perC)
        KORVEL_RW(FetBiasInputs, theta_cPerW) KORVEL_RW(FetBiasInputs, tcase_c) KORVEL_RW(FetBiasInputs, rdIncluded)
        KORVEL_RW(FetBiasInputs, worstCase) KORVEL_RW(FetBiasInputs, useStandardValues)
        KORVEL_RW(FetBiasInputs, tolerance);
    py::class_<FetCell>(m, "FetCell") KORVEL_RO(FetCell, idMin_a) KORVEL_RO(FetCell, idMax_a) KORVEL_RO(FetCell, pd_w)
        KORVEL_RO(FetCell, tj_c);
    py::class_<FetSensitivity>(m, "FetSensitivity") KORVEL_RO(FetSensitivity, id_a) KORVEL_RO(FetSensitivity, vds_v);
    py::class_<FetBiasResult>(m, "FetBiasResult")
        KORVEL_RO(FetBiasResult, vpNominal_v) KORVEL_RO(FetBiasResult, rs_ohm) KORVEL_RO(FetBiasResult, rd_ohm)
        KORVEL_RO(FetBiasResult, rsExact_ohm) KORVEL_RO(FetBiasResult, rdExact_ohm) KORVEL_RO(FetBiasResult, id_a)
        KORVEL_RO(FetBiasResult, vgs_v) KORVEL_RO(FetBiasResult, vds_v) KORVEL_RO(FetBiasResult, cells)
        KORVEL_RO(FetBiasResult, vdsMin_v) KORVEL_RO(FetBiasResult, vdsMax_v) KORVEL_RO(FetBiasResult, tjMax_c)
        KORVEL_RO(FetBiasResult, sensVp) KORVEL_RO(FetBiasResult, sensIdss) KORVEL_RO(FetBiasResult, sensTemp)
        KORVEL_RO(FetBiasResult, sensRs);
    m.def(
        "fet_bias",
        [](const FetBiasInputs& in, double tjLimit) {
            const FetBiasResult r = DesignFetBias(in, tjLimit);
            FaultIf(r.faultNumber, r.faultText);
            for (const std::string* w : {&r.messages.caution, &r.messages.warning})
                if (!w->empty())
                    Warn(*w);
            return r;
        },
        py::arg("inputs"), py::arg("tj_limit_c") = 150.0,
        "Self-bias of a depletion-mode FET: Rs (and Rd), the operating point, its spread and sensitivities.\n\n"
        "Returns\n-------\nFetBiasResult\n\nWarns\n-----\nKorvelWarning\n    The window's caution and warning texts.\n");
}

void BindRfic(py::module_& m)
{
    py::class_<RficCommonInputs> c(m, "RficCommonInputs", "z0_ohm, lossDb per element, which capacitors, bypass ratio, standard values.");
    KeywordInit(c);
    c KORVEL_RW(RficCommonInputs, z0_ohm) KORVEL_RW(RficCommonInputs, lossDb) KORVEL_RW(RficCommonInputs, cinIncluded)
        KORVEL_RW(RficCommonInputs, coutIncluded) KORVEL_RW(RficCommonInputs, bypassRatio)
        KORVEL_RW(RficCommonInputs, useStandardValues) KORVEL_RW(RficCommonInputs, tolerance);
    py::class_<RficComponents>(m, "RficComponents")
        KORVEL_RO(RficComponents, cin_f) KORVEL_RO(RficComponents, cout_f) KORVEL_RO(RficComponents, cb_f)
        KORVEL_RO(RficComponents, rfc_h) KORVEL_RO(RficComponents, xsAllowed_ohm) KORVEL_RO(RficComponents, xpAllowed_ohm);
    py::class_<VBiasInputs> vi(m, "VBiasInputs", "A voltage-biased RFIC stage: common, f1_hz, f2_hz, stageGain_db.");
    KeywordInit(vi);
    vi KORVEL_RW(VBiasInputs, common) KORVEL_RW(VBiasInputs, f1_hz) KORVEL_RW(VBiasInputs, f2_hz)
        KORVEL_RW(VBiasInputs, stageGain_db);
    py::class_<VBiasBand>(m, "VBiasBand") KORVEL_RO(VBiasBand, capLoss_db) KORVEL_RO(VBiasBand, rfcLoss_db)
        KORVEL_RO(VBiasBand, totalLoss_db) KORVEL_RO(VBiasBand, gain_db);
    py::class_<VBiasResult>(m, "VBiasResult") KORVEL_RO(VBiasResult, parts) KORVEL_RO(VBiasResult, bands)
        KORVEL_RO(VBiasResult, capLossShown) KORVEL_RO(VBiasResult, f3dbShown) KORVEL_RO(VBiasResult, f3db_hz);
    m.def(
        "rfic_voltage_bias",
        [](const VBiasInputs& in) {
            const VBiasResult r = DesignVBias(in);
            FaultIf(r.faultNumber, r.faultText);
            return r;
        },
        py::arg("inputs"), "DC blocks, RF choke and bypass of a voltage-biased RFIC stage, with the losses in both bands.");
    py::class_<IBiasInputs> ii(m, "IBiasInputs", "A current-biased RFIC stage: supply, device voltage spread, thermal data.");
    KeywordInit(ii);
    ii KORVEL_RW(IBiasInputs, common) KORVEL_RW(IBiasInputs, f_hz) KORVEL_RW(IBiasInputs, vs_v) KORVEL_RW(IBiasInputs, vd_v)
        KORVEL_RW(IBiasInputs, idTyp_a) KORVEL_RW(IBiasInputs, dVdT_vPerC) KORVEL_RW(IBiasInputs, theta_cPerW)
        KORVEL_RW(IBiasInputs, tLow_c) KORVEL_RW(IBiasInputs, tHigh_c) KORVEL_RW(IBiasInputs, rfc_h);
    py::class_<IBiasColumn>(m, "IBiasColumn") KORVEL_RO(IBiasColumn, tcase_c) KORVEL_RO(IBiasColumn, idMax_a)
        KORVEL_RO(IBiasColumn, idTyp_a) KORVEL_RO(IBiasColumn, idMin_a) KORVEL_RO(IBiasColumn, pd_w) KORVEL_RO(IBiasColumn, tj_c);
    py::class_<IBiasResult>(m, "IBiasResult") KORVEL_RO(IBiasResult, parts) KORVEL_RO(IBiasResult, rbiasExact_ohm)
        KORVEL_RO(IBiasResult, rbias_ohm) KORVEL_RO(IBiasResult, biasLoss_db) KORVEL_RO(IBiasResult, pdRbiasMax_w)
        KORVEL_RO(IBiasResult, columns) KORVEL_RO(IBiasResult, tjMax_c) KORVEL_RO(IBiasResult, outOfRegulation);
    m.def(
        "rfic_current_bias",
        [](const IBiasInputs& in, double tjLimit) {
            const IBiasResult r = DesignIBias(in, tjLimit);
            FaultIf(r.faultNumber, r.faultText);
            CautionIf(r.tjCaution, tjLimit);
            return r;
        },
        py::arg("inputs"), py::arg("tj_limit_c") = 150.0,
        "Rbias, DC blocks and bypass of a current-biased RFIC stage, with the current over temperature.");
}

void BindDetectorAndPower(py::module_& m)
{
    py::class_<DetectorInputs> di(m, "DetectorInputs", "Diode (ideality, iso_a, eg_ev, rs_ohm, io_a, temp_k), rg_ohm, rl_ohm and the power sweep (dBm).");
    KeywordInit(di);
    di KORVEL_RW(DetectorInputs, ideality) KORVEL_RW(DetectorInputs, iso_a) KORVEL_RW(DetectorInputs, eg_ev)
        KORVEL_RW(DetectorInputs, rs_ohm) KORVEL_RW(DetectorInputs, io_a) KORVEL_RW(DetectorInputs, temp_k)
        KORVEL_RW(DetectorInputs, rg_ohm) KORVEL_RW(DetectorInputs, rl_ohm) KORVEL_RW(DetectorInputs, pinStart_dbm)
        KORVEL_RW(DetectorInputs, pinStop_dbm) KORVEL_RW(DetectorInputs, pinStep_db);
    py::class_<DetectorPoint>(m, "DetectorPoint") KORVEL_RO(DetectorPoint, power_w) KORVEL_RO(DetectorPoint, vout_v)
        KORVEL_RO(DetectorPoint, sensitivity_mv_per_uw) KORVEL_RO(DetectorPoint, converged);
    py::class_<DetectorResult>(m, "DetectorResult") KORVEL_RO(DetectorResult, is_a) KORVEL_RO(DetectorResult, lambda_per_v)
        KORVEL_RO(DetectorResult, vo0_v) KORVEL_RO(DetectorResult, rv_ohm) KORVEL_RO(DetectorResult, points);
    m.def(
        "detector",
        [](const DetectorInputs& in, bool largeSignal) {
            DetectorResult r;
            {
                py::gil_scoped_release free;
                r = AnalyseDetector(in, largeSignal ? LargeSignalSolver() : SmallSignalSolver());
            }
            if (r.error)
                Raise(ModuleErrors().fault, r.errorText);
            return r;
        },
        py::arg("inputs"), py::arg("large_signal") = false,
        "A Schottky detector's DC output and sensitivity over the power sweep.\n\n"
        "For the large-signal detector give rg_ohm as parallel_source_resistance(rm, z0).\n");
    m.def("parallel_source_resistance", &ParallelSourceResistance, py::arg("rm_ohm"), py::arg("z0_ohm"));

    py::enum_<EfficiencyMode>(m, "EfficiencyMode")
        .value("GainFromPoutPin", EfficiencyMode::GainFromPoutPin)
        .value("PinFromPoutGain", EfficiencyMode::PinFromPoutGain)
        .value("PoutFromPinGain", EfficiencyMode::PoutFromPinGain);
    py::class_<EfficiencyInputs> ei(m, "EfficiencyInputs", "RF powers (two of pout, pin, gain), supplies, pulse timing, thermal data.");
    KeywordInit(ei);
    ei KORVEL_RW(EfficiencyInputs, mode) KORVEL_RW(EfficiencyInputs, pout_dbm) KORVEL_RW(EfficiencyInputs, pin_dbm)
        KORVEL_RW(EfficiencyInputs, gain_db) KORVEL_RW(EfficiencyInputs, v1_v) KORVEL_RW(EfficiencyInputs, i1_a)
        KORVEL_RW(EfficiencyInputs, v2_v) KORVEL_RW(EfficiencyInputs, i2_a) KORVEL_RW(EfficiencyInputs, pulseWidth)
        KORVEL_RW(EfficiencyInputs, pulsePeriod) KORVEL_RW(EfficiencyInputs, tcase_c)
        KORVEL_RW(EfficiencyInputs, theta_c_per_w) KORVEL_RW(EfficiencyInputs, tjLimit_c);
    py::class_<EfficiencyResult>(m, "EfficiencyResult")
        KORVEL_RO(EfficiencyResult, pout_dbm) KORVEL_RO(EfficiencyResult, pin_dbm) KORVEL_RO(EfficiencyResult, gain_db)
        KORVEL_RO(EfficiencyResult, dutyCycle) KORVEL_RO(EfficiencyResult, pv1_w) KORVEL_RO(EfficiencyResult, pv2_w)
        KORVEL_RO(EfficiencyResult, pdc_w) KORVEL_RO(EfficiencyResult, poutAvg_w) KORVEL_RO(EfficiencyResult, pinAvg_w)
        KORVEL_RO(EfficiencyResult, pdiss_w) KORVEL_RO(EfficiencyResult, simpleEfficiency) KORVEL_RO(EfficiencyResult, pae)
        KORVEL_RO(EfficiencyResult, tj_c);
    m.def(
        "efficiency",
        [](const EfficiencyInputs& in) {
            const EfficiencyResult r = CalcEfficiency(in);
            if (r.fault)
                Raise(ModuleErrors().fault, kUnexpectedResult);
            if (r.energyWarning)
                Warn(kEnergyWarning);
            CautionIf(r.tjCaution, in.tjLimit_c);
            return r;
        },
        py::arg("inputs"), "Drain efficiency, power-added efficiency, dissipation and junction temperature.");

    py::class_<ThermalPowerInputs> ti(m, "ThermalPowerInputs", "supply_v, supply_a, pin_dbm, pout_dbm.");
    KeywordInit(ti);
    ti KORVEL_RW(ThermalPowerInputs, supply_v) KORVEL_RW(ThermalPowerInputs, supply_a) KORVEL_RW(ThermalPowerInputs, pin_dbm)
        KORVEL_RW(ThermalPowerInputs, pout_dbm);
    py::class_<ThermalPowers>(m, "ThermalPowers") KORVEL_RO(ThermalPowers, pdc_w) KORVEL_RO(ThermalPowers, pin_w)
        KORVEL_RO(ThermalPowers, pout_w) KORVEL_RO(ThermalPowers, prf_w) KORVEL_RO(ThermalPowers, pdiss_w);
    py::enum_<KnownTemperature>(m, "KnownTemperature")
        .value("Ambient", KnownTemperature::Ambient)
        .value("Case", KnownTemperature::Case)
        .value("Junction", KnownTemperature::Junction);
    py::class_<ThermalTemperatures>(m, "ThermalTemperatures") KORVEL_RO(ThermalTemperatures, junction_c)
        KORVEL_RO(ThermalTemperatures, case_c) KORVEL_RO(ThermalTemperatures, ambient_c);
    m.def(
        "thermal",
        [](const ThermalPowerInputs& in, KnownTemperature known, double t, double thetaJc, double thetaCa) {
            const ThermalPowers p = ThermalPower(in);
            if (p.energyWarning)
                Warn(kEnergyWarning);
            const ThermalTemperatures tt = TemperaturesFrom(known, t, thetaJc, thetaCa, p.pdiss_w);
            if (tt.fault)
                Raise(ModuleErrors().fault, kUnexpectedResult);
            py::dict values;
            values["powers"] = p;
            values["temperatures"] = tt;
            return MakeResult("ThermalResult", values);
        },
        py::arg("inputs"), py::arg("known"), py::arg("t_c"), py::arg("theta_jc"), py::arg("theta_ca"),
        "Where a device's power goes, and its junction, case and ambient temperatures from any one of them.\n\n"
        "Returns\n-------\nThermalResult\n    powers (ThermalPowers) and temperatures (ThermalTemperatures).\n");
}

} // namespace

void BindActive(py::module_& m)
{
    BindBjt(m);
    BindFet(m);
    BindRfic(m);
    BindDetectorAndPower(m);
}

} // namespace korvel::python
