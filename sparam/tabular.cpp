#include "tabular.h"

#include "core/settings.h"
#include "core/units.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace korvel {

namespace {

using P = Param;

constexpr ParamInfo kParams[] = {
    {P::S11, "1key A11", "S11", "S11", "(Mag, Ang)", 1, false},
    {P::S21, "2key A21", "S21", "S21", "(Mag, Ang)", 2, false},
    {P::S12, "2key A12", "S12", "S12", "(Mag, Ang)", 2, false},
    {P::S22, "2key A22", "S22", "S22", "(Mag, Ang)", 2, false},
    {P::S11Db, "1key R11", "S11", "S11dB", "(dB)", 1, false},
    {P::S21Db, "2key R21", "S21", "S21dB", "(dB)", 2, false},
    {P::S12Db, "2key R12", "S12", "S12dB", "(dB)", 2, false},
    {P::S22Db, "2key R22", "S22", "S22dB", "(dB)", 2, false},
    {P::S11Ang, "1key P11", "S11", "S11ang", " (°)", 1, false},
    {P::S21Ang, "2key P21", "S21", "S21ang", " (°)", 2, false},
    {P::S12Ang, "2key P12", "S12", "S12ang", " (°)", 2, false},
    {P::S22Ang, "2key P22", "S22", "S22ang", " (°)", 2, false},
    {P::MAG, "2key GMAG", "MAG", "MAG", "(dB)", 2, false},
    {P::MSG, "2key GMSG", "MSG", "MSG", "(dB)", 2, false},
    {P::Gt, "2key Gt", "Gt  [S21]", "Gt", "(dB)", 2, false},
    {P::Gtumax, "2key Gtu", "Gtumax", "Gtumax", "(dB)", 2, false},
    {P::U, "2key GU", "U", "U", "(dB)", 2, false},
    {P::Isol, "2key Isol", "Isol  [S12]", "Isol", "(dB)", 2, false},
    {P::MMGainIn, "1key GMM Gain In", "MM Gain In", "MMGainIn", "(dB)", 1, false},
    {P::MMGainOut, "2key GMM Gain Out", "MM Gain Out", "MMGainOut", "(dB)", 2, false},
    {P::RLIn, "1key RL In", "RL In", "RLIn", "(dB)", 1, false},
    {P::RLOut, "2key RL Out", "RL Out", "RLOut", "(dB)", 2, false},
    {P::VSWRIn, "1key VSWR In", "VSWR In", "VSWRIn", "", 1, false},
    {P::VSWROut, "2key VSWR Out", "VSWR Out", "VSWROut", "", 2, false},
    {P::GammaMs, "2key SGamma ms", "Gamma Ms", "GammaMs", "(Mag, Ang)", 2, false},
    {P::GammaMl, "2key SGamma ml", "Gamma Ml", "GammaMl", "(Mag, Ang)", 2, false},
    {P::S11Conj, "1key S11*", "S11*", "S11conj", "(Mag, Ang)", 1, false},
    {P::S22Conj, "2key S22*", "S22*", "S22conj", "(Mag, Ang)", 2, false},
    {P::K, "2key K", "K", "K", "", 2, false},
    {P::B1, "2key KB1", "B1", "B1", "", 2, false},
    {P::Mu1, "2key KMu1", "u1", "Mu1", "", 2, false},
    {P::Mu2, "2key KMu2", "u2", "Mu2", "", 2, false},
    {P::NFopt, "2key NnFopt", "NFopt", "NFopt", "(dB)", 2, true},
    {P::NFZo, "2key NnF Zo", "NF Zo", "NFZo", "(dB)", 2, true},
    {P::rnNorm, "2key Onrn", "rn", "rn", "", 2, true},
    {P::RnOhms, "2key OnRn", "Rn", "Rn", "(ohms)", 2, true},
    {P::GammaOpt, "2key SnGamma Opt", "Gamma Opt", "GammaOpt", "(Mag, Ang)", 2, true},
    {P::Phase21, "2key PS21 Phase", "Phase 21", "Phase21", " (°)", 2, false},
    {P::Phase12, "2key PS12 Phase", "Phase 12", "Phase12", " (°)", 2, false},
    {P::GroupDelay21, "2key DGroup Delay 21", "Group Delay 21", "GroupDelay21", " (ps)", 2, false},
    {P::GroupDelay12, "2key DGroup Delay 12", "Group Delay 12", "GroupDelay12", " (ps)", 2, false},
    {P::DiffZ, "2key SDiff Z", "Diff Z", "DiffZ", "(ohms)", 2, false},
};

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

Cell Real(double v, Note note = Note::None)
{
    Cell c;
    c.value = v;
    c.note = note;
    return c;
}

Cell Cx(Complex z)
{
    Cell c;
    c.complex = true;
    c.z = z;
    return c;
}

Cell Db20(Complex z)
{
    const double m = CxAbs(z);
    return Real(m > 0.0 ? 20.0 * Log10(m) : kUndefined);
}

TwoPort At(const GridSet& g, std::size_t k)
{
    return TwoPort{g.s[SIndex(1, 1)][k], g.s[SIndex(2, 1)][k], g.s[SIndex(1, 2)][k], g.s[SIndex(2, 2)][k]};
}

Cell Delay(const GridSet& g, int e, std::size_t k)
{
    if (k + 1 >= g.Points())
        return Real(kUndefined);
    const auto& s = g.s[static_cast<std::size_t>(e)];
    const double tau = GroupDelaySeconds(PhaseDeg(s[k]), PhaseDeg(s[k + 1]), g.freq[k], g.freq[k + 1]);
    return Real(IsUndefined(tau) ? kUndefined : tau * 1e12);
}

const char* PictureOf(Param p)
{
    switch (p) {
    case P::K: case P::B1: case P::Mu1: case P::Mu2: case P::rnNorm:
        return "##0.000";
    case P::S11Ang: case P::S21Ang: case P::S12Ang: case P::S22Ang:
    case P::Phase21: case P::Phase12: case P::GroupDelay21: case P::GroupDelay12:
        return "##0.0";
    default:
        return "##0.00";
    }
}

// A grid frequency in plain decimal with the fewest digits that give the frequency back
// (1e7 MHz is "10000000", not "1e+07"), unsigned when it is zero like every other value shown.
std::string FrequencyText(float mhz)
{
    char buf[64];   // the longest is FLT_MAX's 39 digits and a sign
    const auto r = std::to_chars(buf, buf + sizeof buf, mhz + 0.0f, std::chars_format::fixed);
    std::string text(buf, r.ptr);
    const std::string_view separator = Settings().decimalSeparator;
    if (const auto dot = text.find('.'); dot != std::string::npos && !separator.empty())
        text.replace(dot, 1, separator);
    return text;
}

} // namespace

std::span<const ParamInfo> AllParams() { return kParams; }

const ParamInfo& InfoOf(Param p)
{
    return *std::find_if(std::begin(kParams), std::end(kParams), [p](const ParamInfo& i) { return i.id == p; });
}

std::optional<Param> ParamFromCliName(std::string_view name)
{
    // An exact name first: "rn" and "Rn" differ only in letter case.
    for (const ParamInfo& i : kParams)
        if (i.cliName == name)
            return i.id;
    for (const ParamInfo& i : kParams)
        if (SameNoCase(i.cliName, name))
            return i.id;
    return std::nullopt;
}

Cell Evaluate(Param p, const GridSet& g, std::size_t k)
{
    const ParamInfo& info = InfoOf(p);
    if (k >= g.Points() || (info.ports == 2 && g.ports != 2) || (info.noise && !g.hasNoise) ||
        g.s[SIndex(1, 1)].size() <= k)
        return info.suffix == "(Mag, Ang)" ? Cx(kUndefinedComplex) : Real(kUndefined);

    auto s = [&](int i, int j) { return g.s[SIndex(i, j)][k]; };
    switch (p) {
    case P::S11: return Cx(s(1, 1));
    case P::S21: return Cx(s(2, 1));
    case P::S12: return Cx(s(1, 2));
    case P::S22: return Cx(s(2, 2));
    case P::S11Db: return Db20(s(1, 1));
    case P::S21Db: return Db20(s(2, 1));
    case P::S12Db: return Db20(s(1, 2));
    case P::S22Db: return Db20(s(2, 2));
    case P::S11Ang: return Real(PhaseDeg(s(1, 1)));
    case P::S21Ang: case P::Phase21: return Real(PhaseDeg(s(2, 1)));
    case P::S12Ang: case P::Phase12: return Real(PhaseDeg(s(1, 2)));
    case P::S22Ang: return Real(PhaseDeg(s(2, 2)));
    case P::MAG: return Real(MaxAvailableGainDb(At(g, k)));
    case P::MSG: return Real(MaxStableGainDb(At(g, k)));
    case P::Gt: return Real(TransducerGainDb(At(g, k)));
    case P::Gtumax: return Real(MaxUnilateralGainDb(At(g, k)));
    case P::U: return Real(UnilateralGainDb(At(g, k)));
    case P::Isol: return Real(IsolationDb(At(g, k)));
    case P::MMGainIn: return Real(MismatchGainInDb(TwoPort{s(1, 1), {}, {}, {}}));
    case P::MMGainOut: return Real(MismatchGainOutDb(At(g, k)));
    case P::RLIn: { const Quantity q = ReturnLossDb(s(1, 1)); return Real(q.value, q.note); }
    case P::RLOut: { const Quantity q = ReturnLossDb(s(2, 2)); return Real(q.value, q.note); }
    case P::VSWRIn: { const Quantity q = VSWR(s(1, 1)); return Real(q.value, q.note); }
    case P::VSWROut: { const Quantity q = VSWR(s(2, 2)); return Real(q.value, q.note); }
    case P::GammaMs: return Cx(GammaMS(At(g, k)));
    case P::GammaMl: return Cx(GammaML(At(g, k)));
    case P::S11Conj: return Cx(CxConj(s(1, 1)));
    case P::S22Conj: return Cx(CxConj(s(2, 2)));
    case P::K: { const Quantity q = StabilityK(At(g, k)); return Real(q.value, q.note); }
    case P::B1: return Real(StabilityB1(At(g, k)));
    case P::Mu1: return Real(StabilityMu1(At(g, k)));
    case P::Mu2: return Real(StabilityMu2(At(g, k)));
    case P::NFopt: return Real(g.nfMinDb[k]);
    case P::NFZo: return Real(NoiseFigureZ0Db(NoiseParams{g.nfMinDb[k], g.gammaOpt[k], g.rn[k]}));
    case P::rnNorm: return Real(g.rn[k]);
    case P::RnOhms: return Real(g.rn[k] * g.referenceImpedance);
    case P::GammaOpt: return Cx(g.gammaOpt[k]);
    case P::GroupDelay21: return Delay(g, SIndex(2, 1), k);
    case P::GroupDelay12: return Delay(g, SIndex(1, 2), k);
    case P::DiffZ: return Cx(DifferentialImpedance(At(g, k), g.referenceImpedance));
    }
    return Real(kUndefined);
}

std::string TabularHeading(int setNumber, Param p)
{
    const ParamInfo& i = InfoOf(p);
    std::string h(1, 'D');
    h += std::to_string(setNumber);
    h += ' ';
    h += i.name;
    h += i.suffix;
    return h;
}

std::string TabularCellText(Param p, const Cell& c)
{
    if (c.complex) {
        if (IsUndefined(c.z))
            return {};
        // Where the comma is the decimal separator, "0,5000, 45,0" would read as four numbers.
        const char* between = Settings().decimalSeparator == "," ? "; " : ", ";
        // An impedance reads naturally as resistance and reactance, a reflection as
        // magnitude and angle.
        if (p == P::DiffZ)
            return FormatValue(c.z.Re, "##0.00") + between + FormatValue(c.z.Im, "##0.00");
        return FormatValue(CxAbs(c.z), "0.0000") + between + FormatValue(PhaseDeg(c.z), "##0.0");
    }
    if (IsUndefined(c.value))
        return {};
    return FormatValue(c.value, PictureOf(p));
}

TabularText MakeTabular(std::span<const TabularColumnSource> sets, std::span<const Param> params)
{
    TabularText out;
    if (sets.empty())
        return out;
    std::string& t = out.text;
    t = "Frequency (MHz)";
    for (const auto& src : sets)
        for (Param p : params) {
            t += '\t';
            t += TabularHeading(src.setNumber, p);
        }
    t += "\n";
    const GridSet& first = *sets.front().set;
    for (std::size_t k = 0; k < first.Points(); ++k) {
        t += FrequencyText(first.freq[k]);
        for (const auto& src : sets) {
            for (Param p : params) {
                const Cell c = Evaluate(p, *src.set, k);
                if (c.note != Note::None && std::find(out.notes.begin(), out.notes.end(), c.note) == out.notes.end())
                    out.notes.push_back(c.note);
                t += '\t';
                t += TabularCellText(p, c);
            }
        }
        t += '\n';
    }
    return out;
}

} // namespace korvel
