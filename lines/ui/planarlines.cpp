// What makes the planar line window a microstrip, a stripline or a coplanar waveguide: its
// boxes with their defaults and limits, its ratio checks, its result formats, and the call
// into its formulas.
#include "planarwindow.h"

#include "lines/cpw.h"
#include "lines/microstrip.h"
#include "lines/stripline.h"
#include "shell/registry.h"

#include <cmath>

namespace korvel::ui {
namespace {

constexpr double kTiny = 1e-300;
constexpr double kHuge = 1e+300;

const QString kWidthTip = "Enter line width in user-selected Length units";
const QString kHeightTip = "Enter substrate height in user-selected Length units";
const QString kLengthTip = "Enter physical length of line in user-selected Length units";
const QString kFreqTip = "Enter frequency in user-selected Frequency Units";

PlanarInput Positive(PlanarBox box, const char* name, const char* caption, const char* text, const QString& tip)
{
    return {box, name, caption, text, tip, kTiny, kHuge, false};
}

// A strip may be drawn with no thickness at all; only a negative one is refused.
PlanarInput ThicknessOrZero(const char* text, const QString& tip)
{
    return {PlanarBox::Thickness, "txtThickness", "Thickness (T) =", text, tip, 0.0, kHuge, true};
}

MicrostripInputs MicrostripFrom(const PlanarReading& r)
{
    MicrostripInputs in;
    in.w_m = r.Si(PlanarBox::Width);
    in.h_m = r.Si(PlanarBox::Height);
    in.t_m = r.Si(PlanarBox::Thickness);
    in.length_m = r.Si(PlanarBox::Length);
    in.freq_hz = r.Si(PlanarBox::Freq);
    in.er = r.er;
    in.shownWH = r.Typed(PlanarBox::Width) / r.Typed(PlanarBox::Height);
    return in;
}

PlanarOutcome AnalyseMicrostripWindow(const PlanarReading& r, const PlanarKept& kept)
{
    MicrostripInputs in = MicrostripFrom(r);
    in.keptEeff = kept.eeff;
    const MicrostripResult m = AnalyseMicrostrip(in);
    PlanarOutcome out;
    out.z0_ohm = m.z0_ohm;
    out.eeff = m.eeff;
    out.whRatio = m.whRatio;
    out.wave = m.wave;
    out.fault = m.fault;
    out.warnings = m.warnings;
    return out;
}

StriplineInputs StriplineFrom(const PlanarReading& r)
{
    StriplineInputs in;
    in.w_m = r.Si(PlanarBox::Width);
    in.h_m = r.Si(PlanarBox::Height);
    in.t_m = r.Si(PlanarBox::Thickness);
    in.length_m = r.Si(PlanarBox::Length);
    in.freq_hz = r.Si(PlanarBox::Freq);
    in.er = r.er;
    in.shownWH = r.Typed(PlanarBox::Width) / r.Typed(PlanarBox::Height);
    in.shownTH = r.Typed(PlanarBox::Thickness) / r.Typed(PlanarBox::Height);
    return in;
}

PlanarOutcome AnalyseStriplineWindow(const PlanarReading& r, const PlanarKept&)
{
    const StriplineResult s = AnalyseStripline(StriplineFrom(r));
    PlanarOutcome out;
    out.z0_ohm = s.z0_ohm;
    out.eeff = s.eeff;
    out.whRatio = s.whRatio;
    out.wave = s.wave;
    out.fault = s.fault;
    out.warnings = s.warnings;
    return out;
}

CpwInputs CpwFrom(const PlanarReading& r)
{
    CpwInputs in;
    in.w_m = r.Si(PlanarBox::Width);
    in.g_m = r.Si(PlanarBox::Gap);
    in.t_m = r.Si(PlanarBox::Thickness);
    in.h_m = r.Si(PlanarBox::Height);
    in.length_m = r.Si(PlanarBox::Length);
    in.freq_hz = r.Si(PlanarBox::Freq);
    in.er = r.er;
    in.groundPlane = r.groundPlane;
    return in;
}

PlanarOutcome AnalyseCpwWindow(const PlanarReading& r, const PlanarKept& kept)
{
    CpwInputs in = CpwFrom(r);
    in.keptEeff = kept.eeff;
    in.keptKe = kept.shapeFactor;
    const CpwResult c = AnalyseCpw(in);
    PlanarOutcome out;
    out.z0_ohm = c.z0_ohm;
    out.eeff = c.eeff;
    out.shapeFactor = c.ke;
    out.wave = c.wave;
    out.fault = c.fault;
    out.rangeFailed = c.range.raised;
    out.rangeTitle = QString::fromUtf8(c.range.title);
    out.rangeText = QString::fromUtf8(c.range.text);
    return out;
}

DimensionSynthesis SynthesiseMicrostripWindow(double z0, const PlanarReading& r, PlanarBox)
{
    return SynthesiseMicrostripWidth(z0, MicrostripFrom(r));
}

DimensionSynthesis SynthesiseStriplineWindow(double z0, const PlanarReading& r, PlanarBox)
{
    return SynthesiseStriplineWidth(z0, StriplineFrom(r));
}

DimensionSynthesis SynthesiseCpwWindow(double z0, const PlanarReading& r, PlanarBox solved)
{
    return solved == PlanarBox::Gap ? SynthesiseCpwGap(z0, CpwFrom(r)) : SynthesiseCpwWidth(z0, CpwFrom(r));
}

} // namespace

const PlanarWindowDescription& MicrostripDescription()
{
    static const PlanarWindowDescription d = [] {
        PlanarWindowDescription d;
        d.identity = {"frmMicrostrip", "Microstrip", 2, "Microstrip &Help"};
        d.inputs = {
            Positive(PlanarBox::Width, "txtWidth", "Width (W) =", "12", kWidthTip),
            Positive(PlanarBox::Height, "txtHeight", "Height (H) =", "6", kHeightTip),
            ThicknessOrZero("2.1", "Enter thickness of microstrip"),
            Positive(PlanarBox::Length, "txtLength", "Length =", "1000", kLengthTip),
            Positive(PlanarBox::Freq, "txtFreq", "Freq =", "1", kFreqTip),
        };
        d.erMax = 1000.0;
        // The closed forms are fitted for W/H over six decades; beyond them nothing is computed.
        d.ratios = {{PlanarBox::Width, PlanarBox::Height, kPlanarRatioMin, kPlanarRatioMax, PlanarBox::Width}};
        d.typing = {{PlanarBox::Width, {PlanarBox::Width, PlanarBox::Height}},
                    {PlanarBox::Height, {PlanarBox::Height, PlanarBox::Width}}};
        d.section = LineSectionKind::Microstrip;
        d.sectionName = "imgMicrostrip";
        d.showsWH = true;
        d.z0Picture = "  0.00";
        d.keffPicture = "  0.000";
        d.keffCaption = "Eeff =";
        d.analyse = &AnalyseMicrostripWindow;
        d.synthesise = &SynthesiseMicrostripWindow;
        return d;
    }();
    return d;
}

const PlanarWindowDescription& StriplineDescription()
{
    static const PlanarWindowDescription d = [] {
        PlanarWindowDescription d;
        d.identity = {"frmStripline", "Stripline", 11, "Stripline &Help"};
        d.inputs = {
            Positive(PlanarBox::Width, "txtWidth", "Width (W) =", "3", kWidthTip),
            Positive(PlanarBox::Height, "txtHeight", "Height (H) =", "7", kHeightTip),
            ThicknessOrZero("0.01", "Enter thickness of strip"),
            Positive(PlanarBox::Length, "txtLength", "Length =", "1000", kLengthTip),
            Positive(PlanarBox::Freq, "txtFreq", "Freq =", "1", kFreqTip),
        };
        d.erMax = 1000.0;
        // The strip must fit between the planes with room to spare: the thickness correction
        // divides by 1 - T/H, so T/H of 0.99 itself is already refused (the limit is the double
        // just below it, which the message still writes as 0.99).
        d.ratios = {{PlanarBox::Width, PlanarBox::Height, kPlanarRatioMin, kPlanarRatioMax, PlanarBox::Width},
                    {PlanarBox::Thickness, PlanarBox::Height, 0.0, std::nextafter(0.99, 0.0), PlanarBox::Thickness}};
        d.typing = {{PlanarBox::Width, {PlanarBox::Width, PlanarBox::Height}},
                    {PlanarBox::Thickness, {PlanarBox::Thickness, PlanarBox::Height}},
                    {PlanarBox::Height, {PlanarBox::Height, PlanarBox::Width}}};
        d.section = LineSectionKind::Stripline;
        d.sectionName = "imgStripline";
        d.showsWH = true;
        d.z0Picture = "  0.0";
        // A TEM line: the effective permittivity is Er itself.
        d.keffPicture = "  0.00";
        d.keffCaption = "Eeff =";
        d.analyse = &AnalyseStriplineWindow;
        d.synthesise = &SynthesiseStriplineWindow;
        return d;
    }();
    return d;
}

const PlanarWindowDescription& CpwDescription()
{
    static const PlanarWindowDescription d = [] {
        PlanarWindowDescription d;
        d.identity = {"frmCPW", "Coplanar Waveguide", 7, "Coplanar Waveguide &Help"};
        // Every dimension must be above zero: the thickness correction takes ln(4 pi W / T).
        d.inputs = {
            Positive(PlanarBox::Gap, "txtGap", "Gap (G) =", "5", "Enter spacing between center line and grounds"),
            Positive(PlanarBox::Width, "txtWidth", "Width (W) =", "10", kWidthTip),
            Positive(PlanarBox::Thickness, "txtThickness", "Thickness (T) =", "0.1", "Enter conductor thickness"),
            Positive(PlanarBox::Height, "txtHeight", "Height (H) =", "25", kHeightTip),
            Positive(PlanarBox::Length, "txtLength", "Length =", "1000",
                     "Enter physical length of line in user-selected Length Units"),
            Positive(PlanarBox::Freq, "txtFreq", "Freq =", "1", kFreqTip),
        };
        d.erMax = 1000.0;
        d.section = LineSectionKind::CpwGround;
        d.sectionName = "imgCpwGnd";
        d.groundPlaneChoice = true;
        d.showsWH = false;
        d.showsShapeFactor = true;
        d.z0Picture = "  0.0";
        d.keffPicture = "  0.00";
        d.keffCaption = "Eeff =";
        d.analyse = &AnalyseCpwWindow;
        d.synthesise = &SynthesiseCpwWindow;
        d.gapSynthesis = true;
        return d;
    }();
    return d;
}

void RegisterPlanarLineWindows()
{
    RegisterWindow("frmMicrostrip", [](QWidget* parent) -> QWidget* {
        return new PlanarLineWindow(MicrostripDescription(), parent);
    });
    RegisterWindow("frmStripline", [](QWidget* parent) -> QWidget* {
        return new PlanarLineWindow(StriplineDescription(), parent);
    });
    RegisterWindow("frmCPW", [](QWidget* parent) -> QWidget* {
        return new PlanarLineWindow(CpwDescription(), parent);
    });
}

} // namespace korvel::ui
