// korvel.lines: every line type's analysis and synthesis over scalars or numpy arrays, in SI
// units, returning a LineResult whose values are the program's; its accuracy notes become
// Python warnings and its faults exceptions, with the program's texts.
#include "common.h"

#include "lines/coax.h"
#include "lines/cpw.h"
#include "lines/microstrip.h"
#include "lines/slabline.h"
#include "lines/sqrcoax.h"
#include "lines/stripline.h"
#include "lines/troughline.h"
#include "lines/wirelines.h"

namespace korvel::python {

namespace {

using Kind = PointOutcome::Kind;

// The wave values every result carries, after the line's own ones.
constexpr std::size_t kWaveCount = 5;
void PutWave(const LineWave& w, double* out)
{
    out[0] = w.velocityFactor;
    out[1] = w.velocityFactor * kC0;
    out[2] = w.wavelength_m;
    out[3] = w.electricalLength_rad;
    out[4] = w.fractionOfWavelength;
}

template <std::size_t N>
constexpr std::array<const char*, N + kWaveCount> WithWave(const std::array<const char*, N>& own)
{
    std::array<const char*, N + kWaveCount> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = own[i];
    const char* wave[] = {"velocity_factor", "velocity", "wavelength", "electrical_length", "fraction_of_wavelength"};
    for (std::size_t i = 0; i < kWaveCount; ++i)
        all[N + i] = wave[i];
    return all;
}

void Notes(const std::vector<LineWarning>& warnings, PointOutcome& o)
{
    for (const auto& w : warnings)
        o.warnings.push_back(w.text);
}

py::object Finish(const char* cls, py::dict values) { return MakeResult(cls, values); }

// ---- The coax family ------------------------------------------------------------------------

struct CoaxMember {
    const char* name;
    const CoaxFamilyModel& (*model)();
    const char* outer;    // the argument names, and the dimension synthesis solves
    const char* inner;
    const char* what;
};

const CoaxFamilyModel& CoaxModel() { return RndCoaxModel(); }

constexpr CoaxMember kCoaxFamily[] = {
    {"coax", CoaxModel, "outer", "inner", "round coaxial line (outer and inner diameters)"},
    {"square_coax", SqrCoaxModel, "outer", "inner", "round conductor in a square screen (inside width, rod diameter)"},
    {"slab_line", SlabLineModel, "outer", "inner", "round conductor between two planes (plane spacing, rod diameter)"},
    {"trough_line", TroughLineModel, "outer", "inner", "round conductor in a trough (trough width, rod diameter)"},
    {"parallel_wires", ParallelWiresModel, "spacing", "diameter", "balanced pair of round wires (centre spacing, wire diameter)"},
    {"wire_over_ground", WireOverGroundModel, "height", "diameter", "round wire over a ground plane (centre height, wire diameter)"},
};

void BindCoaxMember(py::module_& m, const CoaxMember& c)
{
    const CoaxFamilyModel& model = c.model();
    const std::string analysisDoc = std::string("Analyse a ") + c.what +
        ".\n\nParameters\n----------\n" + c.outer + ", " + c.inner +
        " : float or array_like\n    Dimensions in metres (only their ratio matters).\n"
        "er : float or array_like\n    Relative permittivity of the filling.\n"
        "length : float or array_like\n    Physical length in metres, for the electrical length.\n"
        "freq : float or array_like\n    Frequency in hertz.\nerrors : {'raise', 'nan'}\n"
        "    What a fault does: raise FaultError, or give NaN at that point with a warning.\n\n"
        "Returns\n-------\nLineResult\n    ratio, z0, eeff, velocity_factor, velocity, wavelength,\n"
        "    electrical_length (rad), fraction_of_wavelength.\n";
    m.def(
        c.name,
        [&model](py::object outer, py::object inner, py::object er, py::object length, py::object freq,
                 const std::string& errors) {
            auto values = Vectorised<5, 3 + kWaveCount>(
                {outer, inner, er, length, freq}, WithWave<3>({"ratio", "z0", "eeff"}), RaisesOnFault(errors),
                [&model](const std::array<double, 5>& x, auto& y, PointOutcome& o) {
                    const LineAnalysis a = AnalyseCoaxFamily(model, {x[0], x[1], x[3], x[4], x[2]});
                    if (a.fault.raised)
                        return o.Fail(Kind::Fault, a.fault.text);
                    Notes(a.warnings, o);
                    y[0] = a.ratio;
                    y[1] = a.z0_ohm;
                    y[2] = x[2];
                    PutWave(a.wave, &y[3]);
                });
            return Finish("LineResult", values);
        },
        py::arg(c.outer), py::arg(c.inner), py::arg("er") = 1.0, py::arg("length") = 0.0, py::arg("freq") = 0.0,
        py::kw_only(), py::arg("errors") = "raise", analysisDoc.c_str());

    const char* solved = model.solvesOuter ? c.outer : c.inner;
    const char* fixed = model.solvesOuter ? c.inner : c.outer;
    const std::string synthesisDoc = std::string("The ") + solved + " of a " + c.what + " for a wanted Z0 (exact inverse).\n\n"
        "Parameters\n----------\nz0 : float or array_like\n    Wanted impedance in ohms.\n" + fixed +
        " : float or array_like\n    The dimension kept, in metres.\ner, length, freq, errors\n    As for " + c.name +
        "().\n\nReturns\n-------\nLineResult\n    " + solved + " (metres), ratio, z0, eeff and the wave values.\n";
    m.def(
        (std::string(c.name) + "_synthesis").c_str(),
        [&model, solved](py::object z0, py::object fixed, py::object er, py::object length, py::object freq,
                         const std::string& errors) {
            auto values = Vectorised<5, 4 + kWaveCount>(
                {z0, fixed, er, length, freq}, WithWave<4>({solved, "ratio", "z0", "eeff"}), RaisesOnFault(errors),
                [&model](const std::array<double, 5>& x, auto& y, PointOutcome& o) {
                    const LineSynthesis s = SynthesiseCoaxFamily(model, {x[0], x[1], x[3], x[4], x[2]});
                    if (s.fault.raised)
                        return o.Fail(Kind::Fault, s.fault.text);
                    Notes(s.warnings, o);
                    y[0] = s.solved_m;
                    y[1] = s.ratio;
                    y[2] = s.z0_ohm;
                    y[3] = x[2];
                    PutWave(s.wave, &y[4]);
                });
            return Finish("LineResult", values);
        },
        py::arg("z0"), py::arg(fixed), py::arg("er") = 1.0, py::arg("length") = 0.0, py::arg("freq") = 0.0,
        py::kw_only(), py::arg("errors") = "raise", synthesisDoc.c_str());
}

// ---- Planar lines ---------------------------------------------------------------------------

// A planar synthesis: the dimension found, then the line's whole analysis there.
bool Solved(const DimensionSynthesis& s, PointOutcome& o)
{
    if (!s.solved)
        o.Fail(Kind::Refused, s.message);
    return s.solved;
}

void MicrostripOut(const MicrostripResult& r, PointOutcome& o, double* y)
{
    if (r.fault.raised)
        return o.Fail(Kind::Fault, r.fault.text);
    Notes(r.warnings, o);
    y[0] = r.z0_ohm;
    y[1] = r.eeff;
    y[2] = r.z0Static;
    y[3] = r.eeStatic;
    PutWave(r.wave, y + 4);
}

void StriplineOut(const StriplineResult& r, PointOutcome& o, double* y)
{
    if (r.fault.raised)
        return o.Fail(Kind::Fault, r.fault.text);
    Notes(r.warnings, o);
    y[0] = r.z0_ohm;
    y[1] = r.eeff;
    PutWave(r.wave, y + 2);
}

void CpwOut(const CpwResult& r, PointOutcome& o, double* y)
{
    if (r.range.raised)
        return o.Fail(Kind::Refused, r.range.text);
    if (r.fault.raised)
        return o.Fail(Kind::Fault, r.fault.text);
    y[0] = r.z0_ohm;
    y[1] = r.eeff;
    y[2] = r.ke;
    PutWave(r.wave, y + 3);
}

constexpr const char* kPlanarArgs =
    "er : float or array_like\n    Relative permittivity of the substrate.\n"
    "length : float or array_like\n    Physical length in metres, for the electrical length.\n"
    "freq : float or array_like\n    Frequency in hertz (microstrip disperses with it).\n"
    "errors : {'raise', 'nan'}\n    What a fault or an unreachable target does: raise, or give NaN there with a warning.\n";

void BindPlanar(py::module_& m)
{
    const auto msNames = WithWave<4>({"z0", "eeff", "z0_static", "eeff_static"});
    m.def(
        "microstrip",
        [msNames](py::object w, py::object h, py::object t, py::object er, py::object length, py::object freq,
                  const std::string& errors) {
            return Finish("LineResult", Vectorised<6, 4 + kWaveCount>(
                {w, h, t, er, length, freq}, msNames, RaisesOnFault(errors),
                [](const std::array<double, 6>& x, auto& y, PointOutcome& o) {
                    MicrostripInputs in;
                    in.w_m = x[0], in.h_m = x[1], in.t_m = x[2], in.er = x[3], in.length_m = x[4], in.freq_hz = x[5];
                    MicrostripOut(AnalyseMicrostrip(in), o, y.data());
                }));
        },
        py::arg("w"), py::arg("h"), py::arg("t") = 0.0, py::arg("er") = 1.0, py::arg("length") = 0.0,
        py::arg("freq") = 0.0, py::kw_only(), py::arg("errors") = "raise",
        (std::string("Analyse a microstrip (Hammerstad-Jensen with Kirschning-Jansen dispersion).\n\n"
                     "Parameters\n----------\nw, h, t : float or array_like\n    Strip width, substrate height, strip "
                     "thickness (metres).\n") + kPlanarArgs +
         "\nReturns\n-------\nLineResult\n    z0, eeff at the frequency, z0_static, eeff_static and the wave values.\n")
            .c_str());
    m.def(
        "microstrip_width",
        [](py::object z0, py::object h, py::object t, py::object er, py::object length, py::object freq,
           const std::string& errors) {
            return Finish("LineResult", Vectorised<6, 5 + kWaveCount>(
                {z0, h, t, er, length, freq}, WithWave<5>({"width", "z0", "eeff", "z0_static", "eeff_static"}),
                RaisesOnFault(errors), [](const std::array<double, 6>& x, auto& y, PointOutcome& o) {
                    MicrostripInputs in;
                    in.h_m = x[1], in.t_m = x[2], in.er = x[3], in.length_m = x[4], in.freq_hz = x[5];
                    const DimensionSynthesis s = SynthesiseMicrostripWidth(x[0], in);
                    if (!Solved(s, o))
                        return;
                    in.w_m = y[0] = s.value_m;
                    MicrostripOut(AnalyseMicrostrip(in), o, y.data() + 1);
                }));
        },
        py::arg("z0"), py::arg("h"), py::arg("t") = 0.0, py::arg("er") = 1.0, py::arg("length") = 0.0,
        py::arg("freq") = 0.0, py::kw_only(), py::arg("errors") = "raise",
        (std::string("The microstrip width for a wanted Z0 at the frequency (W/H from 0.001 to 1000).\n\n"
                     "Parameters\n----------\nz0 : float or array_like\n    Wanted impedance in ohms.\n"
                     "h, t : float or array_like\n    Substrate height and strip thickness (metres).\n") + kPlanarArgs +
         "\nReturns\n-------\nLineResult\n    width (metres) and microstrip()'s values there.\n\n"
         "Raises\n------\nInputError\n    The target is out of reach, with the range of Z0 the line reaches.\n")
            .c_str());

    const auto slNames = WithWave<2>({"z0", "eeff"});
    m.def(
        "stripline",
        [slNames](py::object w, py::object h, py::object t, py::object er, py::object length, py::object freq,
                  const std::string& errors) {
            return Finish("LineResult", Vectorised<6, 2 + kWaveCount>(
                {w, h, t, er, length, freq}, slNames, RaisesOnFault(errors),
                [](const std::array<double, 6>& x, auto& y, PointOutcome& o) {
                    StriplineInputs in;
                    in.w_m = x[0], in.h_m = x[1], in.t_m = x[2], in.er = x[3], in.length_m = x[4], in.freq_hz = x[5];
                    StriplineOut(AnalyseStripline(in), o, y.data());
                }));
        },
        py::arg("w"), py::arg("h"), py::arg("t") = 0.0, py::arg("er") = 1.0, py::arg("length") = 0.0,
        py::arg("freq") = 0.0, py::kw_only(), py::arg("errors") = "raise",
        (std::string("Analyse a stripline (Wheeler, with his thickness correction).\n\n"
                     "Parameters\n----------\nw, h, t : float or array_like\n    Strip width, ground-plane spacing, "
                     "strip thickness (metres).\n") + kPlanarArgs +
         "\nReturns\n-------\nLineResult\n    z0, eeff (= er) and the wave values.\n")
            .c_str());
    m.def(
        "stripline_width",
        [](py::object z0, py::object h, py::object t, py::object er, py::object length, py::object freq,
           const std::string& errors) {
            return Finish("LineResult", Vectorised<6, 3 + kWaveCount>(
                {z0, h, t, er, length, freq}, WithWave<3>({"width", "z0", "eeff"}), RaisesOnFault(errors),
                [](const std::array<double, 6>& x, auto& y, PointOutcome& o) {
                    StriplineInputs in;
                    in.h_m = x[1], in.t_m = x[2], in.er = x[3], in.length_m = x[4], in.freq_hz = x[5];
                    const DimensionSynthesis s = SynthesiseStriplineWidth(x[0], in);
                    if (!Solved(s, o))
                        return;
                    in.w_m = y[0] = s.value_m;
                    StriplineOut(AnalyseStripline(in), o, y.data() + 1);
                }));
        },
        py::arg("z0"), py::arg("h"), py::arg("t") = 0.0, py::arg("er") = 1.0, py::arg("length") = 0.0,
        py::arg("freq") = 0.0, py::kw_only(), py::arg("errors") = "raise",
        (std::string("The stripline width for a wanted Z0.\n\nParameters\n----------\nz0 : float or array_like\n"
                     "    Wanted impedance in ohms.\nh, t : float or array_like\n    Ground-plane spacing and strip "
                     "thickness (metres).\n") + kPlanarArgs +
         "\nReturns\n-------\nLineResult\n    width (metres) and stripline()'s values there.\n")
            .c_str());

    const char* cpwArgs = "ground_plane : bool\n    A ground plane under the substrate.\n";
    m.def(
        "cpw",
        [](py::object w, py::object g, py::object t, py::object h, py::object er, py::object length,
           py::object freq, bool ground, const std::string& errors) {
            return Finish("LineResult", Vectorised<7, 3 + kWaveCount>(
                {w, g, t, h, er, length, freq}, WithWave<3>({"z0", "eeff", "ke"}), RaisesOnFault(errors),
                [ground](const std::array<double, 7>& x, auto& y, PointOutcome& o) {
                    CpwInputs in;
                    in.w_m = x[0], in.g_m = x[1], in.t_m = x[2], in.h_m = x[3], in.er = x[4], in.length_m = x[5];
                    in.freq_hz = x[6], in.groundPlane = ground;
                    CpwOut(AnalyseCpw(in), o, y.data());
                }));
        },
        py::arg("w"), py::arg("g"), py::arg("t"), py::arg("h"), py::arg("er") = 1.0, py::arg("length") = 0.0,
        py::arg("freq") = 0.0, py::arg("ground_plane") = true, py::kw_only(), py::arg("errors") = "raise",
        (std::string("Analyse a coplanar waveguide (conformal maps, Hilberg's elliptic-integral ratios).\n\n"
                     "Parameters\n----------\nw, g, t, h : float or array_like\n    Centre strip width, gap, conductor "
                     "thickness (above 0), substrate height (metres).\n") + kPlanarArgs + cpwArgs +
         "\nReturns\n-------\nLineResult\n    z0, eeff, ke (the shape factor) and the wave values.\n\n"
         "Raises\n------\nInputError\n    Inputs outside the model's range, with the program's text.\n")
            .c_str());
    for (const bool gap : {false, true}) {
        const char* solved = gap ? "gap" : "width";
        m.def(
            gap ? "cpw_gap" : "cpw_width",
            [gap, solved](py::object z0, py::object other, py::object t, py::object h, py::object er,
                          py::object length, py::object freq, bool ground, const std::string& errors) {
                return Finish("LineResult", Vectorised<7, 4 + kWaveCount>(
                    {z0, other, t, h, er, length, freq}, WithWave<4>({solved, "z0", "eeff", "ke"}),
                    RaisesOnFault(errors), [gap, ground](const std::array<double, 7>& x, auto& y, PointOutcome& o) {
                        CpwInputs in;
                        (gap ? in.w_m : in.g_m) = x[1];
                        in.t_m = x[2], in.h_m = x[3], in.er = x[4], in.length_m = x[5], in.freq_hz = x[6];
                        in.groundPlane = ground;
                        const DimensionSynthesis s = gap ? SynthesiseCpwGap(x[0], in) : SynthesiseCpwWidth(x[0], in);
                        if (!Solved(s, o))
                            return;
                        (gap ? in.g_m : in.w_m) = y[0] = s.value_m;
                        CpwOut(AnalyseCpw(in), o, y.data() + 1);
                    }));
            },
            py::arg("z0"), py::arg(gap ? "w" : "g"), py::arg("t"), py::arg("h"), py::arg("er") = 1.0,
            py::arg("length") = 0.0, py::arg("freq") = 0.0, py::arg("ground_plane") = true, py::kw_only(),
            py::arg("errors") = "raise",
            (std::string("The CPW ") + solved + " for a wanted Z0, the " + (gap ? "width" : "gap") +
             " kept.\n\nParameters\n----------\nz0 : float or array_like\n    Wanted impedance in ohms.\n" +
             (gap ? "w" : "g") + ", t, h : float or array_like\n    The kept dimension, thickness and height (metres).\n" +
             kPlanarArgs + cpwArgs + "\nReturns\n-------\nLineResult\n    " + solved + " (metres) and cpw()'s values there.\n")
                .c_str());
    }
}

} // namespace

void BindLines(py::module_& m)
{
    for (const CoaxMember& c : kCoaxFamily)
        BindCoaxMember(m, c);
    BindPlanar(m);
    m.attr("C0") = kC0;
}

} // namespace korvel::python
