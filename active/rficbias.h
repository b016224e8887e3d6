// The parts around an RF integrated-circuit gain stage: DC-blocking capacitors Cin and Cout
// in series with the RF input and output, an RF choke that feeds DC to the output pin, and a
// bypass capacitor Cb at the supply end of the choke. Each part is sized so that it costs no
// more than a chosen small insertion loss at the lowest operating frequency: a series
// capacitor whose reactance is small against 2 Z0, a shunt choke whose reactance is large
// against Z0 / 2.
//
// A voltage-biased device is fed from a supply straight through the choke; a current-biased
// device is fed through a resistor Rbias that sets its current against the spread of its
// internal voltage.
#pragma once

#include <array>
#include <string>

namespace korvel {

// The design rule: the loss allowed per element, in dB (the four choices of the window).
inline constexpr std::array<double, 4> kRficLossRules = {0.1, 0.25, 0.5, 0.01};

struct RficComponents {
    double cin_f = 0.0;       // as built: the standard value when standard values are used
    double cout_f = 0.0;
    double cb_f = 0.0;        // shown as a standard value, never used in a loss
    double rfc_h = 0.0;       // voltage-biased circuit only
    double xsAllowed_ohm = 0.0;
    double xpAllowed_ohm = 0.0;
};

struct RficCommonInputs {
    double z0_ohm = 50.0;
    double lossDb = 0.1;
    bool cinIncluded = true;
    bool coutIncluded = true;
    int bypassRatio = 200;     // Z0 : Xc of the bypass capacitor
    bool useStandardValues = false;
    int tolerance = 5;         // percent; 0 stands for the 0.1 % series
};

// ---- Voltage-biased circuit -------------------------------------------------------------

struct VBiasInputs {
    RficCommonInputs common;
    double f1_hz = 834e6;      // lowest frequency (band 1)
    double f2_hz = 1910e6;     // highest frequency (band 2)
    double stageGain_db = 17.0;
};

struct VBiasBand {
    double capLoss_db = 0.0;   // Cin and Cout together, each only when included
    double rfcLoss_db = 0.0;
    double totalLoss_db = 0.0;
    double gain_db = 0.0;
};

struct VBiasResult {
    RficComponents parts;
    std::array<VBiasBand, 2> bands{};
    bool capLossShown = true;  // false with both capacitors out of the circuit
    bool f3dbShown = false;    // the choke's own -3 dB corner, when it alone sets the low end
    double f3db_hz = 0.0;
    int faultNumber = 0;
    std::string faultText;
};

VBiasResult DesignVBias(const VBiasInputs& in);

// ---- Current-biased circuit -------------------------------------------------------------

struct IBiasInputs {
    RficCommonInputs common;
    double f_hz = 450e6;
    double vs_v = 12.0;
    std::array<double, 3> vd_v = {4.4, 5.5, 6.6};   // min, typ, max at 25 degC
    double idTyp_a = 0.060;
    double dVdT_vPerC = -0.008;
    double theta_cPerW = 125.0;
    double tLow_c = -25.0;
    double tHigh_c = 85.0;
    double rfc_h = 350e-9;
};

struct IBiasColumn {
    double tcase_c = 0.0;
    double idMax_a = 0.0;      // lowest device voltage
    double idTyp_a = 0.0;
    double idMin_a = 0.0;      // highest device voltage
    double pd_w = 0.0;         // the typical device
    double tj_c = 0.0;
};

struct IBiasResult {
    RficComponents parts;
    double rbiasExact_ohm = 0.0;
    double rbias_ohm = 0.0;    // as built
    double biasLoss_db = 0.0;
    double pdRbiasMax_w = 0.0;
    std::array<IBiasColumn, 3> columns{};   // lowest, 25 degC, highest case temperature
    double tjMax_c = 0.0;
    bool outOfRegulation = false;
    bool tjCaution = false;
    int faultNumber = 0;
    std::string faultText;
};

// The supply current is regulated only while Rbias is positive: a supply at or below the
// device voltage leaves nothing to regulate with, and every current is then taken as zero.
IBiasResult DesignIBias(const IBiasInputs& in, double tjLimit_c);

// Loss of the bias branch Rbias + jX hanging across a Z0 line.
double ShuntBranchLossDb(double z0_ohm, double r_ohm, double x_ohm);

} // namespace korvel
