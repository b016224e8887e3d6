// korvel.signal: reflection conversions (vectorised), the cascade of stages, two-tone
// intermodulation and the mixer spur finder, each one call from inputs to results.
#include "common.h"

#include "core/fault.h"
#include "signal/cascade.h"
#include "signal/intercept.h"
#include "signal/mixerspur.h"
#include "signal/reflection.h"

namespace korvel::python {

namespace {

using Kind = PointOutcome::Kind;

// A conversion's value as a number: infinite and undefined become inf and NaN; a fault is
// NaN with the run time's text as a note.
double Number(const ReflValue& v, PointOutcome& o)
{
    if (v.fault != kNoFault) {
        o.warnings.push_back(FaultTail(v.fault));
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (v.kind == ReflKind::Infinite)
        return std::numeric_limits<double>::infinity();
    if (v.kind == ReflKind::Undefined)
        return std::numeric_limits<double>::quiet_NaN();
    return v.value;
}

constexpr std::array<const char*, 8> kReflNames = {"rho", "swr", "return_loss", "mismatch_loss",
                                                   "t_mag", "t_db", "r_load", "g_load"};

py::object Reflection(const py::kwargs& kw)
{
    py::object z0 = kw.contains("z0") ? kw["z0"] : py::float_(50.0);
    const std::string errors = kw.contains("errors") ? kw["errors"].cast<std::string>() : "raise";
    int given = -1;
    py::object value;
    for (const auto& [key, v] : kw) {
        const std::string k = py::str(key);
        if (k == "z0" || k == "errors")
            continue;
        const auto at = std::find_if(kReflNames.begin(), kReflNames.end(), [&](const char* n) { return k == n; });
        if (at == kReflNames.end())
            throw py::type_error("reflection() got an unexpected keyword argument '" + k + "'");
        if (given >= 0)
            throw py::type_error("reflection() takes exactly one of rho, swr, return_loss, mismatch_loss, t_mag, t_db, "
                                 "r_load, g_load");
        given = static_cast<int>(at - kReflNames.begin());
        value = py::reinterpret_borrow<py::object>(v);
    }
    if (given < 0)
        throw py::type_error("reflection() needs one of rho, swr, return_loss, mismatch_loss, t_mag, t_db, r_load, g_load");
    auto values = Vectorised<2, 8>({value, z0}, kReflNames, RaisesOnFault(errors),
        [given](const std::array<double, 2>& x, auto& y, PointOutcome& o) {
            const double v = x[0], z0 = x[1];
            ReflValue rho;
            switch (given) {
            case 0: rho = {ReflKind::Number, v, 0}; break;
            case 1: rho = RhoFromSWR(v); break;
            case 2: rho = RhoFromReturnLoss(v); break;
            case 3: rho = RhoFromMismatchLoss(v); break;
            case 4: rho = RhoFromTransCoeffMag(v); break;
            case 5: rho = RhoFromTransCoeffDB(v); break;
            case 6: rho = RhoFromLoadResistance(v, z0); break;
            default: rho = RhoFromLoadConductance(v, z0); break;
            }
            if (rho.fault != kNoFault)
                return o.Fail(Kind::Fault, FaultTail(rho.fault));
            if (rho.kind != ReflKind::Number)
                return o.Fail(Kind::Refused, "reflection coefficient undefined");
            const double r = rho.value;
            y[0] = r;
            y[1] = Number(SWRfromRho(r), o);
            y[2] = Number(ReturnLossFromRho(r), o);
            y[3] = Number(MismatchLossFromRho(r), o);
            y[4] = Number(TransmissionCoeffMagFromRho(r), o);
            y[5] = Number(TransmissionCoeffdBFromRho(r), o);
            y[6] = Number(LoadResistanceFromRho(r, z0), o);
            y[7] = Number(LoadConductanceFromRho(r, z0), o);
        });
    return MakeResult("ReflectionResult", values);
}

} // namespace

void BindSignal(py::module_& m)
{
    m.def("reflection", &Reflection, R"(Every way of stating a match, from any one of them.

Parameters
----------
rho, swr, return_loss, mismatch_loss, t_mag, t_db, r_load, g_load : float or array_like
    Exactly one: |reflection coefficient|, VSWR, return loss (dB), mismatch loss (dB),
    transmission coefficient (magnitude or dB), resistive load (ohms) or its conductance (S).
z0 : float or array_like, default 50
    Reference impedance, ohms.
errors : {'raise', 'nan'}

Returns
-------
ReflectionResult
    rho, swr, return_loss, mismatch_loss, t_mag, t_db, r_load (the one at or above z0),
    g_load. An infinite value (the SWR of a short) is inf, one with no value NaN.
)");

    py::enum_<InterceptMode>(m, "InterceptMode").value("Input", InterceptMode::Input).value("Output", InterceptMode::Output);
    py::class_<CascadeStage> stage(m, "CascadeStage", "One stage: nf_db, gain_db, ip3_dbm, nf_tempco and gain_tempco (dB/degC).");
    KeywordInit(stage);
    stage KORVEL_RW(CascadeStage, nf_db) KORVEL_RW(CascadeStage, gain_db) KORVEL_RW(CascadeStage, ip3_dbm)
        KORVEL_RW(CascadeStage, nfTempco_dbPerC) KORVEL_RW(CascadeStage, gainTempco_dbPerC);
    py::class_<CascadeInputs> cin(m, "CascadeInputs", "The chain and the conditions of a cascade analysis.");
    KeywordInit(cin);
    cin KORVEL_RW(CascadeInputs, inputPower_dbm) KORVEL_RW(CascadeInputs, analysisTemp_degC)
        KORVEL_RW(CascadeInputs, referenceTemp_degC) KORVEL_RW(CascadeInputs, noiseBandwidth_hz)
        KORVEL_RW(CascadeInputs, requiredSnr_db) KORVEL_RW(CascadeInputs, sourceTemp_k) KORVEL_RW(CascadeInputs, mode)
        KORVEL_RW(CascadeInputs, stages);
    py::class_<CascadeStageResult>(m, "CascadeStageResult")
        KORVEL_RO(CascadeStageResult, nf_db) KORVEL_RO(CascadeStageResult, gain_db)
        KORVEL_RO(CascadeStageResult, inputPower_dbm) KORVEL_RO(CascadeStageResult, outputPower_dbm)
        KORVEL_RO(CascadeStageResult, noiseFactor) KORVEL_RO(CascadeStageResult, gainRatio)
        KORVEL_RO(CascadeStageResult, oip3_mw) KORVEL_RO(CascadeStageResult, cascadedNoiseFactor)
        KORVEL_RO(CascadeStageResult, cascadedGain_db) KORVEL_RO(CascadeStageResult, cascadedOip3_mw)
        KORVEL_RO(CascadeStageResult, cascadedOip3_dbm) KORVEL_RO(CascadeStageResult, nfSensitivity)
        KORVEL_RO(CascadeStageResult, gainSensitivity) KORVEL_RO(CascadeStageResult, ip3Sensitivity);
    py::class_<CascadeResult>(m, "CascadeResult")
        KORVEL_RO(CascadeResult, stages) KORVEL_RO(CascadeResult, gain_db) KORVEL_RO(CascadeResult, nf_db)
        KORVEL_RO(CascadeResult, noiseTemp_k) KORVEL_RO(CascadeResult, snr_db) KORVEL_RO(CascadeResult, mds_dbm)
        KORVEL_RO(CascadeResult, sensitivity_dbm) KORVEL_RO(CascadeResult, noiseFloor_dbmPerHz)
        KORVEL_RO(CascadeResult, inputIp3_dbm) KORVEL_RO(CascadeResult, outputIp3_dbm)
        KORVEL_RO(CascadeResult, inputIm_dbm) KORVEL_RO(CascadeResult, inputImRelative_dbc)
        KORVEL_RO(CascadeResult, outputIm_dbm) KORVEL_RO(CascadeResult, outputImRelative_dbc)
        KORVEL_RO(CascadeResult, sfdr_db);
    m.def(
        "cascade",
        [](const CascadeInputs& in, bool sensitivities) {
            CascadeResult r;
            {
                py::gil_scoped_release free;
                r = sensitivities ? AnalyseCascade(in) : AnalyseCascadeOnly(in);
            }
            if (r.fault.raised)
                Raise(ModuleErrors().fault, r.fault.text);
            return r;
        },
        py::arg("inputs"), py::arg("sensitivities") = true, R"(Cascaded noise figure, gain and IP3 of a chain.

Parameters
----------
inputs : CascadeInputs
sensitivities : bool
    Also the change of the system NF and output IP3 for 1 dB more in each stage.

Returns
-------
CascadeResult

Raises
------
FaultError
    A value left the number range (absurd gains or tempcos over many stages).
)");

    py::enum_<IP3Unknown>(m, "IP3Unknown")
        .value("ProductLevel", IP3Unknown::ProductLevel)
        .value("ToneLevel", IP3Unknown::ToneLevel)
        .value("InterceptPoint", IP3Unknown::InterceptPoint);
    py::class_<IP3Inputs> ip3(m, "IP3Inputs", "Two of intercept, tone and product levels (dBm), each at the input or output.");
    KeywordInit(ip3);
    ip3 KORVEL_RW(IP3Inputs, unknown) KORVEL_RW(IP3Inputs, gainDb) KORVEL_RW(IP3Inputs, ip3Dbm)
        KORVEL_RW(IP3Inputs, ip3AtInput) KORVEL_RW(IP3Inputs, toneDbm) KORVEL_RW(IP3Inputs, toneAtInput)
        KORVEL_RW(IP3Inputs, imDbm) KORVEL_RW(IP3Inputs, imAtInput) KORVEL_RW(IP3Inputs, graphAtInput);
    py::class_<IP3Result>(m, "IP3Result")
        KORVEL_RO(IP3Result, ip3In) KORVEL_RO(IP3Result, ip3Out) KORVEL_RO(IP3Result, toneIn)
        KORVEL_RO(IP3Result, toneOut) KORVEL_RO(IP3Result, imIn) KORVEL_RO(IP3Result, imOut)
        KORVEL_RO(IP3Result, graphIp3) KORVEL_RO(IP3Result, graphTone) KORVEL_RO(IP3Result, graphImDbm)
        KORVEL_RO(IP3Result, graphImDbc);
    m.def(
        "intermods",
        [](const IP3Inputs& in) {
            const IP3Result r = CalcIntermods(in);
            for (const auto& w : r.warnings)
                Warn(w);
            return r;
        },
        py::arg("inputs"),
        "The unknown of intercept, tone and product level from the other two, at input and output.\n\n"
        "Returns\n-------\nIP3Result\n\nWarns\n-----\nKorvelWarning\n    A tone above the intercept, a product above the tone.\n");

    py::enum_<MixerScheme>(m, "MixerScheme")
        .value("RangeRange", MixerScheme::RangeRange)
        .value("RangeFixedLo", MixerScheme::RangeFixedLo)
        .value("FixedRfRange", MixerScheme::FixedRfRange)
        .value("FixedFixed", MixerScheme::FixedFixed);
    py::class_<MixerSpurInputs> mix(m, "MixerSpurInputs",
                                    "RF, LO and IF ranges in any one frequency unit, the highest harmonics and the scheme.");
    KeywordInit(mix);
    mix KORVEL_RW(MixerSpurInputs, rfMin) KORVEL_RW(MixerSpurInputs, rfMax) KORVEL_RW(MixerSpurInputs, loMin)
        KORVEL_RW(MixerSpurInputs, loMax) KORVEL_RW(MixerSpurInputs, ifMin) KORVEL_RW(MixerSpurInputs, ifMax)
        KORVEL_RW(MixerSpurInputs, maxRfHarmonic) KORVEL_RW(MixerSpurInputs, maxLoHarmonic)
        KORVEL_RW(MixerSpurInputs, scheme);
    py::class_<MixerSpur>(m, "MixerSpur", "m RF + n LO lands in the IF band for RF from rfLimit1 to rfLimit2.")
        KORVEL_RO(MixerSpur, n) KORVEL_RO(MixerSpur, m) KORVEL_RO(MixerSpur, rfLimit1) KORVEL_RO(MixerSpur, rfLimit2);
    py::class_<MixerSpurResult>(m, "MixerSpurResult")
        KORVEL_RO(MixerSpurResult, spurs) KORVEL_RO(MixerSpurResult, overflow)
        KORVEL_RO(MixerSpurResult, negativeFrequencies);
    m.def(
        "mixer_spurs",
        [](const MixerSpurInputs& in) {
            MixerSpurResult r;
            {
                py::gil_scoped_release free;
                r = FindMixerSpurs(in);
            }
            if (r.overflow)
                Warn("Number of spurs exceeds 400. Revise input data.");
            else if (r.negativeFrequencies)
                Warn("Negative frequencies are part of spur producing ranges.");
            return r;
        },
        py::arg("inputs"), "Every spur m RF + n LO that can land in the IF band, with its RF range.\n\n"
                           "Returns\n-------\nMixerSpurResult\n    spurs in the order found; none (and a warning) "
                           "when there are more than 400.\n");
}

} // namespace korvel::python
