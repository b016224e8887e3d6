// korvel.tools: standard component values (vectorised), the lattice balun, equivalent
// circuits of an impedance, and the table of constants.
#include "common.h"

#include "core/stdvalues.h"
#include "tools/balun.h"
#include "tools/constants.h"
#include "tools/equivcircuit.h"
#include "tools/stdvaluecalc.h"

#include <complex>

namespace korvel::python {

namespace {

Complex Cx(std::complex<double> z) { return {z.real(), z.imag()}; }
std::complex<double> Std(Complex z) { return {z.Re, z.Im}; }

} // namespace

void BindTools(py::module_& m)
{
    py::class_<StandardValueInputs> svi(m, "StandardValueInputs",
                                        "value in the base unit, baseUnit 'Ohm', 'F' or 'H', tolerance in percent.");
    KeywordInit(svi);
    svi KORVEL_RW(StandardValueInputs, value) KORVEL_RW(StandardValueInputs, baseUnit)
        KORVEL_RW(StandardValueInputs, tolerance);
    py::class_<StandardValueResult>(m, "StandardValueResult")
        KORVEL_RO(StandardValueResult, mantissa) KORVEL_RO(StandardValueResult, unit)
        KORVEL_RO(StandardValueResult, unitName) KORVEL_RO(StandardValueResult, standard)
        KORVEL_RO(StandardValueResult, delta) KORVEL_RO(StandardValueResult, deltaFraction);
    m.def(
        "standard_value_calc",
        [](const StandardValueInputs& in) {
            const StandardValueResult r = CalcStandardValue(in);
            if (r.fault)
                Raise(ModuleErrors().input, "no standard value for this value and tolerance");
            return r;
        },
        py::arg("inputs"), "The standard value calculator: the nearest standard value, its engineering form and the error.");
    m.def(
        "standard_value",
        [](py::object value, double tolerance) -> py::object {
            if (StandardSeries(tolerance).empty())
                throw py::value_error("tolerance must be 0, 1, 5, 10 or 20 (percent)");
            return Vectorised<1, 1>({value}, {"value"}, true,
                                    [tolerance](const std::array<double, 1>& x, auto& y, PointOutcome&) {
                                        y[0] = StandardValue(x[0], tolerance);
                                    })["value"];
        },
        py::arg("value"), py::arg("tolerance") = 5.0, R"(The nearest IEC 60063 standard value.

Parameters
----------
value : float or array_like
tolerance : float
    Percent: 0 (E192), 1 (E96), 5 (E24), 10 (E12) or 20 (E6).

Returns
-------
float or ndarray
)");
    m.def(
        "standard_series",
        [](double tolerance) {
            const auto s = StandardSeries(tolerance);
            return py::array_t<double>(static_cast<py::ssize_t>(s.size()), s.data());
        },
        py::arg("tolerance"), "One decade of the series a tolerance selects, the closing 10 included (empty for others).");

    py::enum_<ElementKind>(m, "ElementKind")
        .value("None_", ElementKind::None)
        .value("Inductor", ElementKind::Inductor)
        .value("Capacitor", ElementKind::Capacitor);
    py::class_<BalunInputs> bi(m, "BalunInputs", "rg_ohm, f_hz, rload_ohm, xload_ohm, cstray_f.");
    KeywordInit(bi);
    bi KORVEL_RW(BalunInputs, rg_ohm) KORVEL_RW(BalunInputs, f_hz) KORVEL_RW(BalunInputs, rload_ohm)
        KORVEL_RW(BalunInputs, xload_ohm) KORVEL_RW(BalunInputs, cstray_f);
    py::class_<BalunElement>(m, "BalunElement", "kind and value (henries or farads).")
        KORVEL_RO(BalunElement, kind) KORVEL_RO(BalunElement, value);
    py::class_<BalunResult>(m, "BalunResult")
        KORVEL_RO(BalunResult, rp_ohm) KORVEL_RO(BalunResult, load) KORVEL_RO(BalunResult, resonant)
        KORVEL_RO(BalunResult, zm_ohm) KORVEL_RO(BalunResult, l_h) KORVEL_RO(BalunResult, c_f);
    m.def("balun", &CalcBalun, py::arg("inputs"),
          "The lumped-element lattice balun from an unbalanced Rg to a balanced Rload + jXload.\n\n"
          "Returns\n-------\nBalunResult\n    l_h (L1 = L2), c_f (C1 .. C4), the image impedance and the resonating element.\n");

    py::enum_<CircuitKind>(m, "CircuitKind")
        .value("None_", CircuitKind::None)
        .value("R", CircuitKind::R)
        .value("SeriesRL", CircuitKind::SeriesRL)
        .value("SeriesRC", CircuitKind::SeriesRC)
        .value("ParallelRL", CircuitKind::ParallelRL)
        .value("ParallelRC", CircuitKind::ParallelRC);
    py::class_<EquivalentCircuit>(m, "EquivalentCircuit")
        KORVEL_RO(EquivalentCircuit, kind) KORVEL_RO(EquivalentCircuit, r_ohm) KORVEL_RO(EquivalentCircuit, rInfinite)
        KORVEL_RO(EquivalentCircuit, l_h) KORVEL_RO(EquivalentCircuit, c_f);
    m.def("series_circuit", [](std::complex<double> z, double f) { return SeriesCircuitOfZ(Cx(z), f); }, py::arg("z"),
          py::arg("f_hz"), "z = R + jX as R in series with an inductor or capacitor at f_hz.");
    m.def("parallel_circuit", [](std::complex<double> y, double f) { return ParallelCircuitOfY(Cx(y), f); }, py::arg("y"),
          py::arg("f_hz"), "y = G + jB as R = 1/G in parallel with a capacitor or inductor at f_hz.");
    m.def("circuit_impedance",
          [](CircuitKind k, double r, double reactive, double f) { return Std(ImpedanceOfCircuit(k, r, reactive, f)); },
          py::arg("kind"), py::arg("r_ohm"), py::arg("reactive"), py::arg("f_hz"),
          "The impedance of a circuit; reactive is its inductance (H) or capacitance (F).");

    py::list constants;
    for (const EngineeringConstant& c : EngineeringConstants())
        constants.append(py::make_tuple(std::string(c.name), c.value, std::string(c.unit), std::string(c.symbol)));
    m.attr("CONSTANTS") = constants;
}

} // namespace korvel::python
