// DC bias of a bipolar transistor stage: five resistor networks designed for a wanted
// operating point (Vcc, Vce, Ic at the typical hFE), then the built circuit's collector
// current over the spread of hFE and case temperature, including the junction's own heating.
//
// The networks share one model of the transistor (a base-emitter diode with the small-signal
// resistance rbe = 1/(40 Ib), leakage Icbo) and one spread analysis; each network brings only
// its design equations, its closed-form collector current and that current's partial
// derivatives (the stability factors). Units are SI: volts, amperes, ohms, kelvin offsets.
#pragma once

#include <array>
#include <string>

namespace korvel {

enum class BjtNetwork {
    BaseBias,            // RB from Vcc to the base, RC from Vcc to the collector
    CollectorFeedback,   // RB from the collector to the base, RC from Vcc
    VFeedbackCurrentSource, // RC, RB1 collector to divider node, RB2 node to ground, RB node to base
    VoltageFeedback,     // RC, RB1 collector to base, RB2 base to ground
    EmitterFeedback,     // Re to ground, RB1 Vcc to base, RB2 base to ground; collector on Vcc
};

struct BjtBiasInputs {
    double vcc_v = 2.7;
    double ic_a = 0.005;                 // wanted collector current
    double vce_v = 2.0;                  // wanted collector-emitter voltage
    std::array<double, 3> hfe{50.0, 80.0, 150.0};          // min, typ, max
    double icbo_a = 0.1e-6;              // collector cut-off current at 25 degC
    double theta_c_per_w = 300.0;        // junction to case
    std::array<double, 3> tcase_c{-25.0, 25.0, 65.0};      // lowest, 25 degC, highest
    double vbe_v = 0.78;                 // at 25 degC
    double hfeTempCo_pct_per_c = 0.5;
    double vbeTempCo_mv_per_c = -2.0;
    double icboFactor = 2.0;             // Icbo grows by this factor every 10 degC
    double vrb2Mult = 0.75;              // divider node voltage / Vce (current-source network)
    double irb2Mult = 0.1;               // divider current / Ic (networks with a divider)
};

// The designed resistors; a network leaves the ones it does not have at 0. They are kept in
// single precision, as the built values are.
struct BjtResistors {
    float rb = 0.0f;
    float rc = 0.0f;
    float rb1 = 0.0f;
    float rb2 = 0.0f;
    float re = 0.0f;
};

struct BjtFault {
    int number = 0;                      // 0: none
    std::string text;                    // "11  Division by zero"
};

struct BjtDesign {
    double ib_a = 0.0;                   // base current at the typical hFE
    double rbe_ohm = 0.0;
    double vbePrime_v = 0.0;             // Vbe less the drop across rbe (Vbe - 25 mV)
    double vrb2_v = 0.0;                 // divider node voltage (current-source network)
    double irb2_a = 0.0;                 // divider current (networks with a divider)
    BjtResistors r;
    BjtFault fault;
};

struct BjtStability {
    double sIcbo = 0.0;                  // dIc/dIcbo
    double sVbe = 0.0;                   // dIc/dVbe, A/V
    double sHfe = 0.0;                   // dIc/dhFE, A
};

struct BjtAnalysis {
    // Collector current [case temperature index][hFE index], amperes.
    std::array<std::array<double, 3>, 3> ic_a{};
    BjtStability stability;
    // Current changes at the typical hFE and the highest case temperature: from Icbo, Vbe,
    // hFE and their sum, amperes.
    std::array<double, 4> deltaIc_a{};
    double tjMax_c = 0.0;                // hottest junction of the nine cases
    bool outOfRegulation = false;        // the last case with a non-positive current decides
    double icMaxOverMin = 0.0;           // hottest/highest-hFE over coldest/lowest-hFE, as shown
    double supplyCurrent_ma = 0.0;       // total drawn from Vcc, as shown
    BjtFault fault;
};

// Step one: the resistors for the operating point at the typical hFE, exact.
BjtDesign DesignBjtBias(BjtNetwork network, const BjtBiasInputs& in);

// The collector current of the built circuit (resistors `r`) for a transistor of gain h at
// 25 degC, by the network's closed form.
double BjtCollectorCurrent(BjtNetwork network, const BjtBiasInputs& in, const BjtResistors& r, double h);

// The partial derivatives of that current at the typical hFE, with the design's rbe and Vbe'.
BjtStability BjtStabilityFactors(BjtNetwork network, const BjtBiasInputs& in, const BjtDesign& design,
                                 const BjtResistors& r);

// Step two: the spread over hFE and case temperature of the circuit built with `r` (the
// designed values, or the standard values that replace them).
BjtAnalysis AnalyseBjtBias(BjtNetwork network, const BjtBiasInputs& in, const BjtDesign& design,
                           const BjtResistors& r);

inline constexpr const char* kOutOfRegulationText = "Out of regulation condition, negative or zero Ic  ";

} // namespace korvel
