// korvel.sparam: Touchstone data sets as numpy arrays, interpolation onto any frequencies and
// every two-port quantity of the tool as a whole curve, all by the engine the S-parameter
// window and korvel-sparam use, with the interpreter released while it works.
#include "common.h"

#include "core/parallel.h"
#include "sparam/columns.h"
#include "sparam/interpolation.h"
#include "sparam/tabular.h"
#include "sparam/touchstone.h"
#include "sparam/twoport.h"

#include <complex>
#include <memory>
#include <optional>
#include <strings.h>

namespace korvel::python {

namespace {

static_assert(sizeof(Complex) == sizeof(std::complex<double>), "numpy reads the engine's complex values in place");
using CArray = py::array_t<std::complex<double>, py::array::c_style | py::array::forcecast>;
using DArray = py::array_t<double, py::array::c_style | py::array::forcecast>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Below this many points a second thread costs more than it saves.
constexpr std::size_t kPointsPerRange = 1 << 16;

// One data set: a file as loaded (or arrays given as one), which interpolation starts from,
// and the set on a grid, which the quantities are computed over. A loaded set's grid is its
// own frequencies, made when it is first asked for; an interpolated set has only its grid.
class PySet {
public:
    std::shared_ptr<const DataSet> raw;
    std::string path;

    const GridSet& Grid()
    {
        if (!grid_) {
            py::gil_scoped_release free;
            grid_ = std::make_shared<GridSet>(InterpolateDataSet(*raw, raw->freq));
        }
        return *grid_;
    }
    void SetGrid(GridSet g) { grid_ = std::make_shared<GridSet>(std::move(g)); }
    int Ports() const { return raw ? raw->ports : grid_->ports; }
    double Z0() const { return raw ? raw->referenceImpedance : grid_->referenceImpedance; }
    std::size_t Points() const { return raw ? raw->Points() : grid_->Points(); }

private:
    std::shared_ptr<GridSet> grid_;
};

DArray HzOf(const float* mhz, std::size_t n)
{
    DArray out(static_cast<py::ssize_t>(n));
    double* d = out.mutable_data();
    for (std::size_t k = 0; k < n; ++k)
        d[k] = static_cast<double>(mhz[k]) * 1e6;
    return out;
}

std::vector<float> MHzOf(const py::object& hz)
{
    DArray a = DArray::ensure(py::module_::import("numpy").attr("ravel")(hz));
    if (!a)
        throw py::error_already_set();
    std::vector<float> grid(static_cast<std::size_t>(a.size()));
    for (std::size_t k = 0; k < grid.size(); ++k)
        grid[k] = static_cast<float>(a.data()[k] / 1e6);
    return grid;
}

// A read-only view of one column of the engine's memory, kept alive by the set's Python object.
py::array View(const Column<Complex>& c, py::handle owner)
{
    py::array a(py::dtype::of<std::complex<double>>(), {static_cast<py::ssize_t>(c.size())}, {},
                reinterpret_cast<const std::complex<double>*>(c.data()), owner);
    a.attr("setflags")(py::arg("write") = false);
    return a;
}

std::optional<Param> ParamNamed(const std::string& name)
{
    for (const ParamInfo& i : AllParams())
        if (i.cliName == name)
            return i.id;
    return ParamFromCliName(name);
}

Param NeedParam(const std::string& name)
{
    if (auto p = ParamNamed(name))
        return *p;
    std::string known;
    for (const ParamInfo& i : AllParams())
        known += (known.empty() ? "" : ", ") + std::string(i.cliName);
    throw py::value_error("unknown quantity '" + name + "'; known: " + known);
}

// The quantities shown as complex numbers come out as complex arrays, point by point.
bool IsComplexParam(Param p)
{
    static const GridSet probe = [] {
        GridSet g;
        g.ports = 2;
        g.referenceImpedance = 50.0f;
        g.hasNoise = true;
        g.freq = {1.0f, 2.0f};
        for (auto& s : g.s)
            s.assign(2, Complex{0.5, 0.1});
        g.nfMinDb.assign(2, 1.0f);
        g.gammaOpt.assign(2, Complex{0.3, 0.2});
        g.rn.assign(2, 0.2f);
        return g;
    }();
    return Evaluate(p, probe, 0).complex;
}

py::dict Quantities(PySet& set, const std::vector<std::string>& names)
{
    std::vector<Param> params;
    for (const auto& n : names)
        params.push_back(NeedParam(n));
    const GridSet& g = set.Grid();
    const std::size_t n = g.Points();
    std::vector<Param> real;
    std::vector<py::array> arrays;
    std::vector<double*> realOut;
    for (Param p : params) {
        if (IsComplexParam(p)) {
            arrays.push_back(CArray(static_cast<py::ssize_t>(n)));
        } else {
            DArray a(static_cast<py::ssize_t>(n));
            real.push_back(p);
            realOut.push_back(a.mutable_data());
            arrays.push_back(a);
        }
    }
    std::vector<std::complex<double>*> complexOut;
    for (std::size_t i = 0; i < params.size(); ++i)
        if (IsComplexParam(params[i]))
            complexOut.push_back(static_cast<std::complex<double>*>(arrays[i].mutable_data()));
    {
        py::gil_scoped_release free;
        EvaluateColumns(g, real, realOut);
        // The undefined marker becomes NaN on every core, as the columns were made.
        ForEachRange(n, RangesFor(n, kPointsPerRange), 1, [&](std::size_t, std::size_t from, std::size_t to) {
            for (double* column : realOut)
                std::replace(column + from, column + to, kUndefined, kNaN);
        });
        std::size_t c = 0;
        for (Param p : params) {
            if (!IsComplexParam(p))
                continue;
            std::complex<double>* out = complexOut[c++];
            for (std::size_t k = 0; k < n; ++k) {
                const Cell cell = Evaluate(p, g, k);
                out[k] = IsUndefined(cell.z) ? std::complex<double>(kNaN, kNaN) : std::complex<double>(cell.z.Re, cell.z.Im);
            }
        }
    }
    py::dict out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out[py::str(names[i])] = arrays[i];
    return out;
}

// A data set from arrays, as a Touchstone file in real-imaginary form would give it.
PySet FromArrays(const py::object& freqHz, const py::object& s, double z0, const py::object& noise)
{
    auto set = std::make_shared<DataSet>();
    const std::vector<float> f = MHzOf(freqHz);
    const std::size_t n = f.size();
    CArray a = CArray::ensure(s);
    if (!a)
        throw py::error_already_set();
    const bool twoPort = a.ndim() == 3 && a.shape(1) == 2 && a.shape(2) == 2;
    if (!(twoPort || a.ndim() == 1 || (a.ndim() == 3 && a.shape(1) == 1 && a.shape(2) == 1)) ||
        static_cast<std::size_t>(a.shape(0)) != n)
        throw py::value_error("s must have shape (N,), (N, 1, 1) or (N, 2, 2) for N frequencies");
    set->numberFormat = "RI";
    set->frequencyUnit = "HZ";
    set->parameterType = "S";
    set->loaded = true;
    set->ports = twoPort ? 2 : 1;
    set->referenceImpedance = static_cast<float>(z0);
    set->freq.assign(f.begin(), f.end());
    const std::complex<double>* d = a.data();
    for (int i = 1; i <= set->ports; ++i)
        for (int j = 1; j <= set->ports; ++j) {
            auto& re = set->first[static_cast<std::size_t>(SIndex(i, j))];
            auto& im = set->second[static_cast<std::size_t>(SIndex(i, j))];
            re.resize(n);
            im.resize(n);
            const std::size_t step = twoPort ? 4 : 1, at = twoPort ? static_cast<std::size_t>(SIndex(i, j)) : 0;
            for (std::size_t k = 0; k < n; ++k) {
                re[k] = static_cast<float>(d[k * step + at].real());
                im[k] = static_cast<float>(d[k * step + at].imag());
            }
        }
    if (!noise.is_none()) {
        auto [nf, nfMin, gOpt, rn] = noise.cast<std::tuple<py::object, DArray, CArray, DArray>>();
        const std::vector<float> nfreq = MHzOf(nf);
        const std::size_t m = nfreq.size();
        if (static_cast<std::size_t>(nfMin.size()) != m || static_cast<std::size_t>(gOpt.size()) != m ||
            static_cast<std::size_t>(rn.size()) != m)
            throw py::value_error("noise needs four arrays of one length: frequencies, nfmin_db, gamma_opt, rn");
        set->hasNoise = m > 0;
        set->noiseFreq.assign(nfreq.begin(), nfreq.end());
        for (std::size_t k = 0; k < m; ++k) {
            set->nfMinDb.push_back(static_cast<float>(nfMin.data()[k]));
            set->gammaOptMag.push_back(static_cast<float>(std::abs(gOpt.data()[k])));
            set->gammaOptAng.push_back(static_cast<float>(std::arg(gOpt.data()[k]) * 180.0 / M_PI));
            set->rn.push_back(static_cast<float>(rn.data()[k]));
        }
    }
    PySet out;
    out.raw = std::move(set);
    return out;
}

py::object Noise(PySet& set)
{
    py::dict d;
    if (set.raw) {
        const DataSet& r = *set.raw;
        if (!r.hasNoise || r.NoisePoints() == 0)
            return py::none();
        const std::size_t m = r.NoisePoints();
        CArray g(static_cast<py::ssize_t>(m));
        DArray nf(static_cast<py::ssize_t>(m)), rn(static_cast<py::ssize_t>(m));
        for (std::size_t k = 0; k < m; ++k) {
            g.mutable_data()[k] = std::polar<double>(r.gammaOptMag[k], r.gammaOptAng[k] * M_PI / 180.0);
            nf.mutable_data()[k] = r.nfMinDb[k];
            rn.mutable_data()[k] = r.rn[k];
        }
        d["frequencies"] = HzOf(r.noiseFreq.data(), m);
        d["nfmin_db"] = nf, d["gamma_opt"] = g, d["rn"] = rn;
    } else {
        const GridSet& r = set.Grid();
        if (!r.hasNoise)
            return py::none();
        const std::size_t m = r.Points();
        CArray g(static_cast<py::ssize_t>(m));
        DArray nf(static_cast<py::ssize_t>(m)), rn(static_cast<py::ssize_t>(m));
        for (std::size_t k = 0; k < m; ++k) {
            g.mutable_data()[k] = {r.gammaOpt[k].Re, r.gammaOpt[k].Im};
            nf.mutable_data()[k] = r.nfMinDb[k];
            rn.mutable_data()[k] = r.rn[k];
        }
        d["frequencies"] = HzOf(r.freq.data(), m);
        d["nfmin_db"] = nf, d["gamma_opt"] = g, d["rn"] = rn;
    }
    return MakeResult("NoiseData", d);
}

} // namespace

void BindSparam(py::module_& m)
{
    py::class_<PySet> cls(m, "DataSet", R"(A one- or two-port S-parameter data set.

Made by load() from a Touchstone file, by interpolate() on new frequencies, or by
DataSet.from_arrays(). The engine keeps frequencies in MHz and file values in single
precision, as the program does.

Attributes
----------
frequencies : ndarray of float64, shape (N,)
    Hz.
s : ndarray of complex128, shape (N, 2, 2) for a two-port, (N,) for a one-port
s11, s21, s12, s22 : ndarray of complex128, shape (N,)
    Read-only views of the engine's own memory (no copy).
noise : NoiseData or None
    The file's noise parameters at its own noise frequencies.
z0 : float
    Reference impedance, ohms.
ports, format, frequency_unit, file_name, path
    As the file declared them ("RI", "MA" or "DB"; "HZ" .. "GHZ").
)");
    cls.def_static("from_arrays", &FromArrays, py::arg("frequencies"), py::arg("s"), py::arg("z0") = 50.0,
                    py::arg("noise") = py::none(), R"(A data set from arrays.

Parameters
----------
frequencies : array_like of float, shape (N,)
    Ascending, in Hz.
s : array_like of complex, shape (N,), (N, 1, 1) or (N, 2, 2)
z0 : float
    Reference impedance, ohms.
noise : tuple (frequencies, nfmin_db, gamma_opt, rn), optional
    Noise parameters; rn normalised to z0.
)")
        .def_property_readonly("frequencies",
                               [](PySet& s) {
                                   if (s.raw)
                                       return HzOf(s.raw->freq.data(), s.raw->Points());
                                   return HzOf(s.Grid().freq.data(), s.Grid().Points());
                               })
        .def_property_readonly("s",
                               [](PySet& s) -> py::array {
                                   const GridSet& g = s.Grid();
                                   const auto n = static_cast<py::ssize_t>(g.Points());
                                   if (g.ports != 2) {
                                       CArray one(n);
                                       for (py::ssize_t k = 0; k < n; ++k)
                                           one.mutable_data()[k] = {g.s[0][k].Re, g.s[0][k].Im};
                                       return one;
                                   }
                                   CArray out({n, py::ssize_t(2), py::ssize_t(2)});
                                   auto* d = out.mutable_data();
                                   for (py::ssize_t k = 0; k < n; ++k)
                                       for (int e = 0; e < 4; ++e)
                                           d[k * 4 + e] = {g.s[e][k].Re, g.s[e][k].Im};
                                   return out;
                               })
        .def_property_readonly("noise", &Noise)
        .def_property_readonly("z0", &PySet::Z0)
        .def_property_readonly("ports", &PySet::Ports)
        .def_property_readonly("format", [](PySet& s) { return s.raw ? s.raw->numberFormat : std::string("RI"); })
        .def_property_readonly("frequency_unit", [](PySet& s) { return s.raw ? s.raw->frequencyUnit : std::string("HZ"); })
        .def_property_readonly("file_name", [](PySet& s) { return s.raw ? s.raw->fileName : std::string(); })
        .def_property_readonly("path", [](PySet& s) { return s.path; })
        .def("__len__", &PySet::Points)
        .def("quantity",
             [](PySet& s, const std::string& name) -> py::object { return Quantities(s, {name})[py::str(name)]; },
             py::arg("name"), R"(One quantity of the tool at every frequency of the set.

Parameters
----------
name : str
    The command-line name: "K", "MAG", "MSG", "Gt", "Mu1", "VSWRIn", "RLIn", "NFZo",
    "GroupDelay21", "S21dB", "GammaMs", "DiffZ" ... (korvel.sparam.PARAMETERS lists them).

Returns
-------
ndarray, shape (N,)
    float64 in the tool's units (dB, degrees, ps, ohms), complex128 for the quantities the
    tool shows as magnitude and angle. NaN where the quantity is undefined (a gain through a
    dead path, noise without noise data, a two-port quantity of a one-port set); an
    infinite K is 20, as the tool shows it.
)")
        .def("quantities", &Quantities, py::arg("names"),
             "Several quantities at once (their shared terms formed once): a dict of name -> array, as quantity().")
        .def("__repr__", [](PySet& s) {
            return "<korvel.sparam.DataSet " + (s.raw && !s.raw->fileName.empty() ? "'" + s.raw->fileName + "' " : "") +
                   std::to_string(s.Ports()) + "-port, " + std::to_string(s.Points()) + " points, z0=" +
                   std::to_string(s.Z0()) + ">";
        });

    const std::pair<const char*, int> elements[] = {{"s11", SIndex(1, 1)}, {"s21", SIndex(2, 1)},
                                                    {"s12", SIndex(1, 2)}, {"s22", SIndex(2, 2)}};
    for (const auto& [name, e] : elements)
        cls.def_property_readonly(name, [e = e](const py::object& self) {
            const GridSet& g = self.cast<PySet&>().Grid();
            if (g.s[static_cast<std::size_t>(e)].size() != g.Points())
                throw py::attribute_error("a one-port data set has s11 only");
            return View(g.s[static_cast<std::size_t>(e)], self);
        });

    m.def(
        "load",
        [](const py::object& file) {
            const std::string path = py::str(py::module_::import("os").attr("fspath")(file));
            DataSetSlots slots;
            LoadResult r;
            {
                py::gil_scoped_release free;
                r = GetSnpFile(FileNameOfPath(path), 1, path, slots);
            }
            if (!r.ok)
                Raise(ModuleErrors().load, r.text);
            PySet set;
            set.raw = std::make_shared<DataSet>(std::move(slots[1]));
            set.path = path;
            return set;
        },
        py::arg("path"), R"(Load a Touchstone .s1p or .s2p file.

Returns
-------
DataSet

Raises
------
LoadError
    The program's message for a file it refuses.
)");
    m.def(
        "interpolate",
        [](const py::object& ds, const py::object& freqs) {
            PySet& set = ds.cast<PySet&>();
            const std::vector<float> grid = MHzOf(freqs);
            if (grid.size() > kMaxGridPoints)
                throw py::value_error("more than " + std::to_string(kMaxGridPoints) + " frequencies");
            // A set that is itself interpolated starts again from its grid values.
            std::shared_ptr<const DataSet> raw = set.raw;
            if (!raw) {
                py::object noise = ds.attr("noise");
                if (!noise.is_none())
                    noise = py::make_tuple(noise.attr("frequencies"), noise.attr("nfmin_db"), noise.attr("gamma_opt"),
                                           noise.attr("rn"));
                raw = FromArrays(ds.attr("frequencies"), ds.attr("s"), set.Z0(), noise).raw;
            }
            PySet out;
            {
                py::gil_scoped_release free;
                out.SetGrid(InterpolateDataSet(*raw, grid));
            }
            if (!out.Grid().fault.empty())
                Warn(out.Grid().fault);
            return out;
        },
        py::arg("ds"), py::arg("frequencies"), R"(The data set at other frequencies.

Magnitude and angle are interpolated separately for files written that way, as the tool
does; outside the file's range the end values are held.

Parameters
----------
ds : DataSet
frequencies : array_like of float
    Hz.

Returns
-------
DataSet
)");
    py::dict params;
    for (const ParamInfo& i : AllParams())
        params[py::str(std::string(i.cliName))] = py::str(std::string(i.suffix));
    m.attr("PARAMETERS") = params;
}

} // namespace korvel::python
