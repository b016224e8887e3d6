#include "cascade.h"

#include "core/fault.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvel {
namespace {

// log10(x) is taken as this constant times ln(x) throughout the cascade figures, so that the
// system figures and their sensitivities are all measured with the same ruler.
constexpr double kLog10e = 0.4342945;

double Db(double ratio, FaultTrap& trap) { return 10.0 * kLog10e * trap.Log(ratio); }

// One stage at the analysis temperature, in the linear quantities the cascade works with. The
// cascade divides by gains and intercepts at every step; their reciprocals are taken once
// here, so that the long sensitivity loops only multiply and add.
struct StageTerms {
    double nf_db = 0.0;
    double gain_db = 0.0;
    double noiseFactor = 1.0;
    double gainRatio = 1.0;
    double inverseGain = 1.0;
    double oip3_mw = 0.0;
    double inverseOip3 = 0.0;
};

// A noise figure cannot drop below 0 dB however steep its tempco: a stage never removes noise.
double NoiseFigureAt(const CascadeStage& s, double deltaT) { return std::max(0.0, s.nf_db + deltaT * s.nfTempco_dbPerC); }

double GainAt(const CascadeStage& s, double deltaT) { return s.gain_db + deltaT * s.gainTempco_dbPerC; }

// An input intercept is moved to the output with the gain as entered, at the reference
// temperature: intercept and gain data come from the same measurement.
double OutputInterceptOf(const CascadeStage& s, InterceptMode mode)
{
    return mode == InterceptMode::Input ? s.ip3_dbm + s.gain_db : s.ip3_dbm;
}

double FromDb(double db, FaultTrap& trap) { return trap.Pow(10.0, db / 10.0); }

StageTerms TermsOf(const CascadeStage& s, double deltaT, InterceptMode mode, FaultTrap& trap)
{
    StageTerms t;
    t.nf_db = NoiseFigureAt(s, deltaT);
    t.gain_db = GainAt(s, deltaT);
    t.noiseFactor = FromDb(t.nf_db, trap);
    t.gainRatio = FromDb(t.gain_db, trap);
    t.inverseGain = trap.Div(1.0, t.gainRatio);
    t.oip3_mw = FromDb(OutputInterceptOf(s, mode), trap);
    t.inverseOip3 = trap.Div(1.0, t.oip3_mw);
    return t;
}

// Friis, one step towards the input: the noise factor seen at a stage's input when the rest
// of the chain (noise factor `rest`) follows it.
double FriisStep(const StageTerms& t, double rest) { return t.noiseFactor + (rest - 1.0) * t.inverseGain; }

// Intercepts of a chain add as reciprocals, each earlier one raised by the gains after it:
// 1/c_i = 1/(c_(i-1) g_i) + 1/o_i. The cascade carries 1/c.
double InverseInterceptStep(double previousInverse, double inverseGain, double inverseOwn)
{
    return previousInverse * inverseGain + inverseOwn;
}

struct Cascade {
    std::vector<StageTerms> terms;
    std::vector<double> noiseFactor;      // Fc_i, chain from stage i to the last
    std::vector<double> inverseIntercept; // 1/c_i, chain from the first stage to stage i
};

Cascade Run(const CascadeInputs& in, FaultTrap& trap)
{
    const std::size_t n = in.stages.size();
    const double deltaT = in.analysisTemp_degC - in.referenceTemp_degC;
    Cascade c;
    c.terms.reserve(n);
    for (const CascadeStage& s : in.stages)
        c.terms.push_back(TermsOf(s, deltaT, in.mode, trap));
    c.noiseFactor.assign(n, 1.0);
    c.inverseIntercept.assign(n, 0.0);
    // Each step is checked, so that a chain that overflows is reported where it overflows.
    for (std::size_t k = n; k-- > 0;)
        c.noiseFactor[k] = k + 1 == n ? c.terms[k].noiseFactor : trap.Finite(FriisStep(c.terms[k], c.noiseFactor[k + 1]));
    for (std::size_t k = 0; k < n; ++k) {
        const StageTerms& t = c.terms[k];
        c.inverseIntercept[k] = k == 0 ? t.inverseOip3
                                       : trap.Finite(InverseInterceptStep(c.inverseIntercept[k - 1], t.inverseGain, t.inverseOip3));
    }
    return c;
}

// The system noise factors with stage k's noise factor raised (f) and, separately, its gain
// raised (inverse gain ig): the stages after k are unchanged, so their cascaded factor is
// taken as it is and only stages k .. 1 are redone, both chains in one pass.
std::pair<double, double> NoiseFactorsWith(const Cascade& c, std::size_t k, double f, double ig)
{
    const StageTerms& t = c.terms[k];
    const bool last = k + 1 == c.terms.size();
    const double rest = last ? 1.0 : c.noiseFactor[k + 1];
    double withF = f + (rest - 1.0) * t.inverseGain;
    double withG = t.noiseFactor + (rest - 1.0) * ig;
    for (std::size_t j = k; j-- > 0;) {
        withF = FriisStep(c.terms[j], withF);
        withG = FriisStep(c.terms[j], withG);
    }
    return {withF, withG};
}

// 1/c of the whole chain with stage k's own intercept replaced: stages before k are unchanged.
double InverseInterceptWith(const Cascade& c, std::size_t k, double inverseOwn)
{
    double x = k == 0 ? inverseOwn : InverseInterceptStep(c.inverseIntercept[k - 1], c.terms[k].inverseGain, inverseOwn);
    for (std::size_t j = k + 1; j < c.terms.size(); ++j)
        x = InverseInterceptStep(x, c.terms[j].inverseGain, c.terms[j].inverseOip3);
    return x;
}

CascadeResult Analyse(const CascadeInputs& in, bool withSensitivity)
{
    CascadeResult r;
    const std::size_t n = in.stages.size();
    if (n == 0)
        return r;
    FaultTrap trap;
    const Cascade c = Run(in, trap);

    r.stages.resize(n);
    double power = in.inputPower_dbm;
    for (std::size_t k = 0; k < n; ++k) {
        CascadeStageResult& s = r.stages[k];
        const StageTerms& t = c.terms[k];
        s.nf_db = t.nf_db;
        s.gain_db = t.gain_db;
        s.noiseFactor = t.noiseFactor;
        s.gainRatio = t.gainRatio;
        s.oip3_mw = t.oip3_mw;
        s.inputPower_dbm = power;
        s.outputPower_dbm = power + t.gain_db;
        power = s.outputPower_dbm;
        s.cascadedNoiseFactor = c.noiseFactor[k];
        s.cascadedOip3_mw = trap.Div(1.0, c.inverseIntercept[k]);
        s.cascadedOip3_dbm = Db(s.cascadedOip3_mw, trap);
    }
    double gain = 0.0;
    for (std::size_t k = n; k-- > 0;) {
        gain += c.terms[k].gain_db;
        r.stages[k].cascadedGain_db = gain;
    }

    const double systemF = c.noiseFactor.front();
    const double outputPower = r.stages.back().outputPower_dbm;
    r.gain_db = gain;
    r.nf_db = Db(systemF, trap);
    r.outputIp3_dbm = r.stages.back().cascadedOip3_dbm;
    r.inputIp3_dbm = r.outputIp3_dbm - r.gain_db;
    r.noiseTemp_k = (systemF - 1.0) * in.sourceTemp_k;
    // kT of the source in dBm per hertz (the 1000 turns watts into milliwatts).
    const double ktDbm = Db(kCascadeBoltzmann * in.sourceTemp_k * 1000.0, trap);
    r.noiseFloor_dbmPerHz = ktDbm + r.nf_db;
    // The bandwidth counts in megahertz against a 60 dB offset, as receiver figures are quoted,
    // so that the rounded log constant touches only the megahertz part.
    r.mds_dbm = ktDbm + 60.0 + r.nf_db + Db(in.noiseBandwidth_hz / 1e6, trap);
    r.snr_db = in.inputPower_dbm - r.mds_dbm;
    r.sensitivity_dbm = r.mds_dbm + in.requiredSnr_db;
    // Third-order products rise 3 dB per dB of drive and meet the carrier at the intercept.
    r.outputIm_dbm = 3.0 * outputPower - 2.0 * r.outputIp3_dbm;
    r.inputIm_dbm = r.outputIm_dbm - r.gain_db;
    r.inputImRelative_dbc = r.inputIm_dbm - in.inputPower_dbm;
    r.outputImRelative_dbc = r.outputIm_dbm - outputPower;
    r.sfdr_db = 2.0 / 3.0 * (r.inputIp3_dbm - r.mds_dbm);

    if (withSensitivity) {
        // Each stage is raised by 1 dB on its own; the others keep their entered values.
        const double deltaT = in.analysisTemp_degC - in.referenceTemp_degC;
        for (std::size_t k = 0; k < n; ++k) {
            CascadeStage raised = in.stages[k];
            raised.nf_db += 1.0;
            const double f = FromDb(NoiseFigureAt(raised, deltaT), trap);
            raised = in.stages[k];
            raised.gain_db += 1.0;
            const double ig = trap.Div(1.0, FromDb(GainAt(raised, deltaT), trap));
            const auto [withF, withG] = NoiseFactorsWith(c, k, f, ig);
            r.stages[k].nfSensitivity = Db(withF, trap) - r.nf_db;
            r.stages[k].gainSensitivity = Db(withG, trap) - r.nf_db;

            raised = in.stages[k];
            raised.ip3_dbm += 1.0;
            const double io = trap.Div(1.0, FromDb(OutputInterceptOf(raised, in.mode), trap));
            r.stages[k].ip3Sensitivity = Db(trap.Div(1.0, InverseInterceptWith(c, k, io)), trap) - r.outputIp3_dbm;
        }
    }

    // Anything that left the double range is reported once and shown as 0.
    auto finite = [&trap](double& v) { v = trap.Finite(v); };
    for (CascadeStageResult& s : r.stages)
        for (double* v : {&s.nf_db, &s.gain_db, &s.inputPower_dbm, &s.outputPower_dbm, &s.noiseFactor,
                          &s.gainRatio, &s.oip3_mw, &s.cascadedNoiseFactor, &s.cascadedGain_db,
                          &s.cascadedOip3_mw, &s.cascadedOip3_dbm, &s.nfSensitivity, &s.gainSensitivity,
                          &s.ip3Sensitivity})
            finite(*v);
    for (double* v : {&r.gain_db, &r.nf_db, &r.noiseTemp_k, &r.snr_db, &r.mds_dbm, &r.sensitivity_dbm,
                      &r.noiseFloor_dbmPerHz, &r.inputIp3_dbm, &r.outputIp3_dbm, &r.inputIm_dbm,
                      &r.inputImRelative_dbc, &r.outputIm_dbm, &r.outputImRelative_dbc, &r.sfdr_db})
        finite(*v);
    if (trap.Raised()) {
        r.fault.raised = true;
        r.fault.number = trap.Number();
        r.fault.text = FaultTail(trap.Number());
    }
    return r;
}

int Shade(double level)
{
    const double c = std::nearbyint(std::fabs(level) * 255.0);
    return static_cast<int>(std::clamp(c, 0.0, 255.0));
}

} // namespace

CascadeResult AnalyseCascade(const CascadeInputs& in) { return Analyse(in, true); }

CascadeResult AnalyseCascadeOnly(const CascadeInputs& in) { return Analyse(in, false); }

int SensitivityShade(double sensitivity, double intensity)
{
    return Shade(1.0 - std::fabs(sensitivity) * intensity);
}

int TemperatureShade(double analysisTemp_degC, double intensity)
{
    return Shade(1.0 - 0.2 * intensity * std::fabs(analysisTemp_degC - 25.0) / 25.0);
}

} // namespace korvel
