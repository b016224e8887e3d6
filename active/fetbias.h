// Self-bias of a depletion-mode FET: a source resistor Rs sets the drain current through the
// gate-source voltage it develops (the gate sits at ground through its leak resistor), and an
// optional drain resistor Rd drops the supply to the wanted drain-source voltage. The built
// circuit is then analysed over the spread of Idss and pinch-off voltage and over case
// temperature, with self-heating, and the sensitivities to each spread are reported.
//
// The device follows the square law Id = Idss * (1 - Vgs/Vp)^2. Data sheets rarely give Vp
// itself; they give V'p, the gate voltage at which the drain current has fallen to a small
// reference current (a percentage of Idss or a current in mA). Vp is found from V'p by
// the same square law.
#pragma once

#include <array>
#include <string>

namespace korvel {

// Index order of the spreads: 0 = minimum (lowest temperature), 1 = typical (nominal),
// 2 = maximum (highest temperature).
using Spread3 = std::array<double, 3>;

struct FetBiasInputs {
    double vdd_v = 3.0;
    double idTarget_a = 0.020;
    double vdsTarget_v = 2.0;
    Spread3 idss_a = {0.058, 0.065, 0.072};     // at the nominal case temperature
    Spread3 vpPrime_v = {-0.65, -0.5, -0.35};   // gate voltage at the reference current
    bool vpSpecIsCurrent = false;               // false: vpSpecFraction of Idss; true: vpSpecCurrent_a
    double vpSpecFraction = 0.10;
    double vpSpecCurrent_a = 0.0;
    double vpTempco_vPerC = 0.0;
    double idssTempco_perC = -0.0013;           // fraction of Idss per degree
    double theta_cPerW = 300.0;
    Spread3 tcase_c = {-25.0, 25.0, 65.0};      // lowest, nominal, highest
    bool rdIncluded = true;
    bool worstCase = false;                     // false: typical device only
    // Resistor values: exact, or rounded to the standard series of this tolerance (percent;
    // 0 stands for the 0.1 % series) and then used as built.
    bool useStandardValues = false;
    int tolerance = 5;
};

// Which status slot a message goes to: the caution slot (first panel, yellow) or the
// warning slot (second panel, orange). A later message replaces an earlier one in its slot.
struct FetBiasMessages {
    std::string caution;
    std::string warning;
    bool tjCaution = false;
};

struct FetCell {
    double idMin_a = 0.0, idMax_a = 0.0;   // equal in the nominal analysis
    double pd_w = 0.0;                     // largest dissipation of the case(s) shown
    double tj_c = 0.0;                     // junction temperature at that dissipation
};

struct FetSensitivity {
    double id_a = 0.0;
    double vds_v = 0.0;
};

struct FetBiasResult {
    // Design.
    Spread3 vpNominal_v{};        // Vp derived from V'p at the nominal temperature
    float rs_ohm = 0.0f;          // as built (standard value when selected)
    float rd_ohm = 0.0f;          // 0 when Rd is out or could not be designed
    double rsExact_ohm = 0.0;
    double rdExact_ohm = 0.0;
    // Typical operating point of the built circuit at the nominal temperature.
    double id_a = 0.0;
    float vgs_v = 0.0f;
    float vds_v = 0.0f;

    // Analysis: one cell per case temperature, and the Vds range of the cases analysed.
    std::array<FetCell, 3> cells{};
    double vdsMin_v = 0.0, vdsMax_v = 0.0;
    double tjMax_c = 0.0;
    // Every analysed case: [t][i][j] with i the Idss index and j the V'p index.
    double idCase_a[3][3][3] = {};
    double vdsCase_v[3][3][3] = {};

    // Sensitivities: V'p, Idss, temperature, and Rs tolerance (zero with exact values).
    FetSensitivity sensVp, sensIdss, sensTemp, sensRs;
    bool rsSensitivityShown = false;

    FetBiasMessages messages;
    // An arithmetic fault in the design or analysis (the inputs make no physical circuit).
    int faultNumber = 0;
    std::string faultText;
};

// Vp from V'p: the square law solved for Vp at drain current `ispec_a` of `idss_a`.
double PinchOffFromVpPrime(double vpPrime_v, double ispec_a, double idss_a);

// Drain current of the self-biased FET, the smaller root of Id = Idss (1 - Id Rs / -Vp)^2.
// Rs = 0 gives Idss (the gate sits at the source).
double SelfBiasDrainCurrent(double idss_a, double vp_v, double rs_ohm);

// The source resistor that sets `id_a` on a device of `idss_a` and `vp_v`.
double SourceResistorFor(double id_a, double idss_a, double vp_v);

FetBiasResult DesignFetBias(const FetBiasInputs& in, double tjLimit_c);

} // namespace korvel
