// The compiled half of the `korvel` package: one extension with a submodule per calculator
// family; korvel/__init__.py and the family modules beside it re-export them.
#include "common.h"

#include "core/version.h"

namespace korvel::python {

Errors& ModuleErrors()
{
    static Errors errors;
    return errors;
}

namespace {

py::handle NewException(const char* name, py::handle bases, const char* doc)
{
    PyObject* type = PyErr_NewExceptionWithDoc(name, doc, bases.ptr(), nullptr);
    if (type == nullptr)
        throw py::error_already_set();
    return type;   // kept for the life of the process, like the module
}

} // namespace

} // namespace korvel::python

PYBIND11_MODULE(_korvel, m)
{
    using namespace korvel::python;
    m.doc() = "Korvel's RF formula libraries and S-parameter engine (compiled part of the korvel package).";
    m.attr("__version__") = KORVEL_VERSION;
    Errors& e = ModuleErrors();
    e.base = NewException("korvel.KorvelError", PyExc_Exception, "Base of every error the korvel module raises.");
    e.fault = NewException("korvel.FaultError", py::make_tuple(e.base, py::handle(PyExc_ArithmeticError)),
                           "A run-time fault of a formula (division by zero, overflow, an invalid argument), "
                           "with the program's text.");
    e.input = NewException("korvel.InputError", py::make_tuple(e.base, py::handle(PyExc_ValueError)),
                           "Inputs the model refuses or a target it cannot reach, with the program's text.");
    e.load = NewException("korvel.LoadError", py::make_tuple(e.base, py::handle(PyExc_OSError)),
                          "A Touchstone file that could not be loaded, with the program's message.");
    e.warning = NewException("korvel.KorvelWarning", PyExc_UserWarning,
                             "A note of the program: an accuracy caution or a result to be checked.");
    m.attr("KorvelError") = e.base;
    m.attr("FaultError") = e.fault;
    m.attr("InputError") = e.input;
    m.attr("LoadError") = e.load;
    m.attr("KorvelWarning") = e.warning;

    auto lines = m.def_submodule("lines", "Transmission lines: analysis and synthesis.");
    BindLines(lines);
    auto sparam = m.def_submodule("sparam", "Touchstone data sets and two-port quantities.");
    BindSparam(sparam);
    auto active = m.def_submodule("active", "Bias networks, detectors, efficiency and thermal.");
    BindActive(active);
    auto signal = m.def_submodule("signal", "Reflection, cascades, intermodulation and mixer spurs.");
    BindSignal(signal);
    auto tools = m.def_submodule("tools", "Standard values, the balun and equivalent circuits.");
    BindTools(tools);
}
