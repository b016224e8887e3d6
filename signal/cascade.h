// Cascaded noise figure, gain, power and third-order intercept of a chain of stages (a
// receiver or an amplifier line-up), each stage corrected to the analysis temperature, with
// the system figures a receiver designer quotes (noise temperature, minimum detectable signal,
// sensitivity, intermodulation levels, spurious-free dynamic range) and a per-stage
// sensitivity analysis: how far 1 dB more in one stage moves the system noise figure or the
// output intercept point.
#pragma once

#include <string>
#include <vector>

namespace korvel {

// Whether a stage's intercept point is given at its input or at its output.
enum class InterceptMode { Input, Output };

struct CascadeStage {
    double nf_db = 0.0;              // noise figure at the reference temperature
    double gain_db = 0.0;            // gain at the reference temperature
    double ip3_dbm = 100.0;          // third-order intercept, input or output by the mode
    double nfTempco_dbPerC = 0.0;    // dNF/dT
    double gainTempco_dbPerC = 0.0;  // dG/dT
};

struct CascadeInputs {
    double inputPower_dbm = 0.0;
    double analysisTemp_degC = 25.0;
    double referenceTemp_degC = 25.0;  // the temperature the stage data were taken at
    double noiseBandwidth_hz = 1e6;
    double requiredSnr_db = 0.0;       // the signal-to-noise ratio that defines sensitivity
    double sourceTemp_k = 290.0;       // noise temperature of the source
    InterceptMode mode = InterceptMode::Output;
    std::vector<CascadeStage> stages;
};

struct CascadeStageResult {
    double nf_db = 0.0;               // at the analysis temperature, never below 0 dB
    double gain_db = 0.0;             // at the analysis temperature
    double inputPower_dbm = 0.0;
    double outputPower_dbm = 0.0;
    double noiseFactor = 1.0;         // F of this stage alone
    double gainRatio = 1.0;
    double oip3_mw = 0.0;             // this stage's own output intercept
    double cascadedNoiseFactor = 1.0; // F of the chain from this stage to the last
    double cascadedGain_db = 0.0;     // gain from this stage's input to the chain's output
    double cascadedOip3_mw = 0.0;     // intercept at this stage's output, of the chain so far
    double cascadedOip3_dbm = 0.0;
    // 1 dB more in this stage's NF, gain or IP3 (the others as entered): the change of the
    // system NF, of the system NF, and of the system output IP3.
    double nfSensitivity = 0.0;
    double gainSensitivity = 0.0;
    double ip3Sensitivity = 0.0;
};

struct CascadeFault {
    bool raised = false;
    int number = 0;                   // the run time's fault number ("6" Overflow ...)
    std::string text;                 // "<number>  <description>"
};

struct CascadeResult {
    std::vector<CascadeStageResult> stages;
    double gain_db = 0.0;
    double nf_db = 0.0;
    double noiseTemp_k = 0.0;
    double snr_db = 0.0;              // of the input signal over the chain's noise
    double mds_dbm = 0.0;             // minimum detectable signal (noise in the bandwidth)
    double sensitivity_dbm = 0.0;
    double noiseFloor_dbmPerHz = 0.0;
    double inputIp3_dbm = 0.0;
    double outputIp3_dbm = 0.0;
    double inputIm_dbm = 0.0;         // third-order product referred to the input
    double inputImRelative_dbc = 0.0;
    double outputIm_dbm = 0.0;
    double outputImRelative_dbc = 0.0;
    double sfdr_db = 0.0;
    // A value that left the double range (absurd gains and tempcos over many stages) is
    // reported once here and shown as 0.
    CascadeFault fault;
};

// Boltzmann's constant as the cascade figures use it, J/K.
inline constexpr double kCascadeBoltzmann = 1.380658e-23;

// The whole analysis, the sensitivity analysis included. Stages are taken as given; an empty
// chain gives an all-zero result.
CascadeResult AnalyseCascade(const CascadeInputs& in);

// The cascade alone without the sensitivity analysis (what each step of that analysis redoes).
CascadeResult AnalyseCascadeOnly(const CascadeInputs& in);

// ---- Cell shading --------------------------------------------------------------------------
// The grids grade a sensitivity by colour depth: with intensity k (0 .. 1) a sensitivity s
// gives the colour component c = |1 - |s| k| * 255 (rounded, held within 0 .. 255) for the two
// channels that fade; the third stays at 255. k = 0 leaves every cell white.
int SensitivityShade(double sensitivity, double intensity);
// The analysis temperature is graded the same way by its distance from 25 degC:
// c = |1 - 0.2 k |Ta - 25| / 25| * 255; blue below 25 degC, red from 25 degC up.
int TemperatureShade(double analysisTemp_degC, double intensity);

} // namespace korvel
