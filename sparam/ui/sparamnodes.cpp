#include "sparamnodes.h"

#include <algorithm>
#include <string>

namespace korvel::ui {
namespace {

using P = Param;
using K = NodeKind;

// ---- Tabular: every quantity that has a number per frequency -------------------------------
constexpr ParamNode kTabS[] = {
    {"1key A11", "S11 (Mag, Ang)", P::S11}, {"2key A21", "S21 (Mag, Ang)", P::S21},
    {"2key A12", "S12 (Mag, Ang)", P::S12}, {"2key A22", "S22 (Mag, Ang)", P::S22},
    {"1key R11", "S11 (dB)", P::S11Db},     {"2key R21", "S21 (dB)", P::S21Db},
    {"2key R12", "S12 (dB)", P::S12Db},     {"2key R22", "S22 (dB)", P::S22Db},
    {"1key P11", "S11 (°)", P::S11Ang},     {"2key P21", "S21 (°)", P::S21Ang},
    {"2key P12", "S12 (°)", P::S12Ang},     {"2key P22", "S22 (°)", P::S22Ang},
};
constexpr ParamNode kGain[] = {
    {"2key GMAG", "MAG", P::MAG},           {"2key GMSG", "MSG", P::MSG},
    {"2key Gt", "Gt  [S21]", P::Gt},        {"2key Gtu", "Gtumax", P::Gtumax},
    {"2key GU", "U", P::U},                 {"2key Isol", "Isol  [S12]", P::Isol},
    {"1key GMM Gain In", "MM Gain In", P::MMGainIn}, {"2key GMM Gain Out", "MM Gain Out", P::MMGainOut},
};
constexpr ParamNode kTabMatching[] = {
    {"1key RL In", "RL In", P::RLIn},       {"2key RL Out", "RL Out", P::RLOut},
    {"1key VSWR In", "VSWR In", P::VSWRIn}, {"2key VSWR Out", "VSWR Out", P::VSWROut},
    {"2key SGamma ms", "Gamma Ms", P::GammaMs}, {"2key SGamma ml", "Gamma Ml", P::GammaMl},
    {"1key S11*", "S11*", P::S11Conj},      {"2key S22*", "S22*", P::S22Conj},
};
constexpr ParamNode kStability[] = {
    {"2key K", "K", P::K},                  {"2key KB1", "B1", P::B1},
    {"2key KMu1", "u1", P::Mu1},            {"2key KMu2", "u2", P::Mu2},
};
constexpr ParamNode kTabNoise[] = {
    {"2key NnFopt", "NFopt", P::NFopt},     {"2key NnF Zo", "NF Zo", P::NFZo},
    {"2key Onrn", "rn", P::rnNorm},         {"2key OnRn", "Rn", P::RnOhms},
    {"2key SnGamma Opt", "Gamma Opt", P::GammaOpt},
};
constexpr ParamNode kPhase[] = {
    {"2key PS21 Phase", "Phase 21", P::Phase21}, {"2key PS12 Phase", "Phase 12", P::Phase12},
};
constexpr ParamNode kDelay[] = {
    {"2key DGroup Delay 21", "Group Delay 21", P::GroupDelay21},
    {"2key DGroup Delay 12", "Group Delay 12", P::GroupDelay12},
};
constexpr ParamNode kDiff[] = {
    {"2key SDiff Z", "Diff Z", P::DiffZ},
};

constexpr CategoryNode kTabular[] = {
    {"key S Parameters", "S Parameters", kTabS}, {"key Gain", "Gain", kGain},
    {"key Matching", "Matching", kTabMatching},  {"key Stability", "Stability", kStability},
    {"key Noise", "Noise", kTabNoise},           {"key Phase", "Phase", kPhase},
    {"key Group Delay", "Group Delay", kDelay},  {"key Differential Port", "Differential Port", kDiff},
};

// ---- Rectangular: the real-valued quantities, and the two extras drawn over them ------------
constexpr ParamNode kRectGain[] = {
    {"2key GMAG", "MAG", P::MAG},           {"2key GMSG", "MSG", P::MSG},
    {"2key Gt", "Gt  [S21]", P::Gt},        {"2key Gtu", "Gtumax", P::Gtumax},
    {"2key GU", "U", P::U},                 {"2key Isol", "Isol  [S12]", P::Isol},
    {"1key GMM Gain In", "MM Gain In", P::MMGainIn}, {"2key GMM Gain Out", "MM Gain Out", P::MMGainOut},
    {"2key FGain Flatness", "Gain Flatness", P::Gt, K::GainFlatness},
};
constexpr ParamNode kRectMatching[] = {
    {"1key RL In", "RL In", P::RLIn},       {"2key RL Out", "RL Out", P::RLOut},
    {"1key VSWR In", "VSWR In", P::VSWRIn}, {"2key VSWR Out", "VSWR Out", P::VSWROut},
};
constexpr ParamNode kRectNoise[] = {
    {"2key NnFopt", "NFopt", P::NFopt},     {"2key NnF Zo", "NF Zo", P::NFZo},
    {"2key Onrn", "rn", P::rnNorm},         {"2key OnRn", "Rn", P::RnOhms},
};
constexpr ParamNode kRectPhase[] = {
    {"2key PS21 Phase", "Phase 21", P::Phase21}, {"2key PS12 Phase", "Phase 12", P::Phase12},
    {"2key LS21 Phase Linearity", "S21 Phase Linearity", P::Phase21, K::PhaseLinearity},
    {"2key LS12 Phase Linearity", "S12 Phase Linearity", P::Phase12, K::PhaseLinearity},
};
constexpr CategoryNode kRectangular[] = {
    {"key Gain", "Gain", kRectGain},        {"key Matching", "Matching", kRectMatching},
    {"key Stability", "Stability", kStability}, {"key Noise", "Noise", kRectNoise},
    {"key Phase", "Phase", kRectPhase},     {"key Group Delay", "Group Delay", kDelay},
};

// ---- Smith and polar: reflection coefficients ----------------------------------------------
constexpr ParamNode kChartS[] = {
    {"1key SS11", "S11", P::S11}, {"2key SS22", "S22", P::S22},
};
constexpr ParamNode kChartMatching[] = {
    {"1key S11*", "S11*", P::S11Conj},      {"2key S22*", "S22*", P::S22Conj},
    {"2key SGamma ms", "Gamma Ms", P::GammaMs}, {"2key SGamma ml", "Gamma Ml", P::GammaMl},
};
constexpr ParamNode kChartNoise[] = {
    {"2key SnGamma Opt", "Gamma Opt", P::GammaOpt},
};
constexpr CategoryNode kChart[] = {
    {"key S Parameters", "S Parameters", kChartS}, {"key Matching", "Matching", kChartMatching},
    {"key Noise", "Noise", kChartNoise},           {"key Differential Port", "Differential Port", kDiff},
};

// ---- Smith chart circles at one frequency --------------------------------------------------
constexpr ParamNode kCircleGain[] = {
    {"2key CGain Circles In", "Gain Circles In", P::S11, K::GainCirclesIn},
    {"2key CGain Circles Out", "Gain Circles Out", P::S22, K::GainCirclesOut},
};
constexpr ParamNode kCircleStability[] = {
    {"2key CStability Circle In", "Stability Circle In", P::S11, K::StabilityCircleIn},
    {"2key CStability Circle Out", "Stability Circle Out", P::S22, K::StabilityCircleOut},
};
constexpr ParamNode kCircleNoise[] = {
    {"2key CnNoise Circles", "Noise Circles", P::GammaOpt, K::NoiseCircles},
};
constexpr CategoryNode kCircles[] = {
    {"key Gain", "Gain", kCircleGain}, {"key Stability", "Stability", kCircleStability},
    {"key Noise", "Noise", kCircleNoise},
};

} // namespace

std::span<const CategoryNode> NodesOf(DisplayType type)
{
    switch (type) {
    case DisplayType::Tabular: return kTabular;
    case DisplayType::Rectangular: return kRectangular;
    case DisplayType::Smith:
    case DisplayType::Polar: return kChart;
    case DisplayType::SmithCircles: return kCircles;
    case DisplayType::Text:
    case DisplayType::None: break;
    }
    return {};
}

const ParamNode* FindNode(DisplayType type, std::string_view key)
{
    for (const CategoryNode& c : NodesOf(type))
        for (const ParamNode& n : c.nodes)
            if (n.key == key)
                return &n;
    return nullptr;
}

std::string DataSetNodeKey(int slot) { return "1key TData Set #" + std::to_string(slot); }

int SlotOfDataSetKey(std::string_view key)
{
    constexpr std::string_view prefix = "1key TData Set #";
    if (key.size() != prefix.size() + 1 || key.substr(0, prefix.size()) != prefix)
        return 0;
    const char d = key.back();
    return d >= '1' && d <= '3' ? d - '0' : 0;
}

char CategoryLetter(std::string_view key)
{
    // digit, "key ", letter
    if (key.size() < 6 || key[0] < '0' || key[0] > '9' || key.substr(1, 4) != "key ")
        return 0;
    return key[5];
}

std::string_view AxisTitleOf(char category)
{
    switch (category) {
    case 'G': case 'F': case 'I': return "Gain (dB)";
    case 'R': return "Return Loss (dB)";
    case 'V': return "VSWR";
    case 'K': return "Stability Factor";
    case 'N': return "Noise Figure (db)";
    case 'O': return "Resistance (ohms)";
    case 'P': case 'L': return "Phase (°)";
    case 'D': return "Group Delay (s)";
    default: return "";
    }
}

bool OneCategory(std::span<const std::string_view> keys)
{
    if (keys.empty())
        return true;
    const char first = CategoryLetter(keys.front());
    return std::all_of(keys.begin(), keys.end(), [first](std::string_view k) { return CategoryLetter(k) == first; });
}

} // namespace korvel::ui
