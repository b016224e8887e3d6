// What every part of the Python module shares: the exceptions and the warning category the
// program's faults and notes become, the loop that runs a one-point formula over broadcast
// numpy arrays, and the small helpers that bind the formula libraries' records.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace korvel::python {

namespace py = pybind11;

// korvel.KorvelError and its kinds, and korvel.KorvelWarning; created once by the module.
struct Errors {
    py::handle base, fault, input, load, warning;
};
Errors& ModuleErrors();

// Raises `type` with the program's text.
[[noreturn]] inline void Raise(py::handle type, const std::string& text)
{
    PyErr_SetString(type.ptr(), text.c_str());
    throw py::error_already_set();
}

// A note of the program (an accuracy caution, a warning in the status bar) as a Python warning.
inline void Warn(const std::string& text)
{
    if (PyErr_WarnEx(ModuleErrors().warning.ptr(), text.c_str(), 2) < 0)
        throw py::error_already_set();
}

// An instance of one of korvel._result's classes from keyword values.
inline py::object MakeResult(const char* cls, const py::dict& values)
{
    return py::module_::import("korvel._result").attr(cls)(**values);
}

// ---- One formula over broadcast arrays ------------------------------------------------------

// What went wrong at one point: a fault of the arithmetic (FaultError) or an input the model
// refuses (InputError), with the program's text, and the notes it made.
struct PointOutcome {
    enum class Kind { None, Fault, Refused } kind = Kind::None;
    std::string text;
    std::vector<std::string> warnings;
    void Fail(Kind k, std::string t)
    {
        kind = k;
        text = std::move(t);
    }
};

inline bool RaisesOnFault(const std::string& errors)
{
    if (errors != "raise" && errors != "nan")
        throw py::value_error("errors must be 'raise' or 'nan'");
    return errors == "raise";
}

// Runs `point(in, out, outcome)` at every element of the inputs broadcast against each other,
// with the interpreter free for other threads. Returns a dict of the outputs by name: floats
// when every input is a scalar, arrays of the broadcast shape otherwise. Each distinct note
// becomes one Python warning; the first failure is raised (errors="raise") or, with
// errors="nan", its point is NaN and its text a warning.
template <std::size_t NIn, std::size_t NOut, class F>
py::dict Vectorised(const std::array<py::object, NIn>& inputs, const std::array<const char*, NOut>& names,
                    bool raise, const F& point)
{
    py::module_ np = py::module_::import("numpy");
    py::tuple args(NIn);
    for (std::size_t i = 0; i < NIn; ++i)
        args[i] = np.attr("asarray")(inputs[i], "float64");
    py::list broadcast = np.attr("broadcast_arrays")(*args);
    using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;
    std::array<Array, NIn> in;
    for (std::size_t i = 0; i < NIn; ++i)
        in[i] = Array::ensure(broadcast[i]);   // a contiguous copy of each broadcast view
    const std::vector<py::ssize_t> shape(in[0].shape(), in[0].shape() + in[0].ndim());
    const bool scalar = shape.empty();
    std::array<Array, NOut> out;
    for (auto& o : out)
        o = Array(shape);

    std::array<const double*, NIn> src{};
    std::array<double*, NOut> dst{};
    for (std::size_t i = 0; i < NIn; ++i)
        src[i] = in[i].data();
    for (std::size_t i = 0; i < NOut; ++i)
        dst[i] = out[i].mutable_data();
    const std::size_t n = static_cast<std::size_t>(in[0].size());
    std::vector<std::string> notes;
    PointOutcome first;
    {
        py::gil_scoped_release free;
        std::array<double, NIn> x{};
        std::array<double, NOut> y{};
        for (std::size_t k = 0; k < n; ++k) {
            for (std::size_t i = 0; i < NIn; ++i)
                x[i] = src[i][k];
            PointOutcome o;
            point(x, y, o);
            for (auto& w : o.warnings)
                if (std::find(notes.begin(), notes.end(), w) == notes.end())
                    notes.push_back(std::move(w));
            if (o.kind != PointOutcome::Kind::None) {
                y.fill(std::numeric_limits<double>::quiet_NaN());
                if (first.kind == PointOutcome::Kind::None)
                    first = std::move(o);
                if (raise)
                    break;
            }
            for (std::size_t i = 0; i < NOut; ++i)
                dst[i][k] = y[i];
        }
    }
    if (first.kind != PointOutcome::Kind::None) {
        if (raise)
            Raise(first.kind == PointOutcome::Kind::Fault ? ModuleErrors().fault : ModuleErrors().input, first.text);
        notes.push_back(first.text);
    }
    for (const auto& w : notes)
        Warn(w);
    py::dict result;
    for (std::size_t i = 0; i < NOut; ++i)
        result[names[i]] = scalar ? py::object(py::float_(out[i].data()[0])) : py::object(out[i]);
    return result;
}

// ---- Binding the libraries' records ----------------------------------------------------------

// A record built with keyword arguments for any of its fields, the rest keeping their defaults.
template <class T>
void KeywordInit(py::class_<T>& cls)
{
    cls.def(py::init([](const py::kwargs& kw) {
        T value{};
        py::object o = py::cast(&value, py::return_value_policy::reference);
        for (auto item : kw)
            py::setattr(o, item.first, item.second);
        return value;
    }));
}

#define KORVEL_RW(cls, field) .def_readwrite(#field, &cls::field)
#define KORVEL_RO(cls, field) .def_readonly(#field, &cls::field)

void BindLines(py::module_& m);
void BindSparam(py::module_& m);
void BindActive(py::module_& m);
void BindSignal(py::module_& m);
void BindTools(py::module_& m);

} // namespace korvel::python
