// korvel-sparam: the S-parameter tool's Tabular display for designers who script.
//
//   korvel-sparam FILE [FILE [FILE]] --grid START:STOP:STEP --params NAME,NAME...
//   korvel-sparam FILE ... --center C --span BW --points N --params ...
//   korvel-sparam FILE ... --freq F --params ...
//   korvel-sparam --list-params | --help | --version
//
// Frequencies are in MHz. The table goes to standard output; a file that does not load
// prints the loader's message to standard error and exits 1; bad arguments exit 2.
#include "core/units.h"
#include "core/version.h"
#include "sparam/interpolation.h"
#include "sparam/tabular.h"
#include "sparam/touchstone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace korvel;

constexpr const char* kUsage =
    "usage: korvel-sparam FILE [FILE [FILE]] (--grid START:STOP:STEP | --center C --span BW --points N | "
    "--freq F) --params NAME[,NAME...]   |   korvel-sparam --list-params | --help | --version\n";

constexpr const char* kHelp =
    "Prints S-parameter files' quantities on a frequency grid, as the S-parameter tool's\n"
    "Tabular display shows them. Frequencies are in MHz.\n"
    "\n"
    "  FILE                    one to three Touchstone files (.s1p, .s2p): regular files\n"
    "                          of at most 4 GiB\n"
    "  --grid START:STOP:STEP  a grid from START to STOP in steps of STEP\n"
    "  --center C --span BW --points N\n"
    "                          N points spread over BW around C\n"
    "  --freq F                the one frequency F\n"
    "  --params NAME,...       the quantities to print (see --list-params)\n"
    "  --list-params           list the quantities' names and exit\n"
    "  -h, --help              show this help and exit\n"
    "  --version               show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 a file did not load or the table could not be made, 2 bad arguments.\n";

int Usage(const std::string& why)
{
    if (!why.empty())
        std::fprintf(stderr, "korvel-sparam: %s\n", why.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

// A frequency argument: numeric, and finite also in the single precision of the grid.
bool Number(std::string_view text, double& v)
{
    if (!IsNumericText(text))
        return false;
    v = NumberFromText(text);
    return std::isfinite(v) && std::isfinite(static_cast<float>(v));
}

std::vector<std::string_view> Split(std::string_view text, char sep)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(sep);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

int ListParams()
{
    std::string out;
    for (const ParamInfo& p : AllParams()) {
        out += p.cliName;
        out += '\t';
        out += p.name;
        out += p.suffix;
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int Run(int argc, char** argv);

} // namespace

int main(int argc, char** argv)
{
    // A grid or a file too large for memory is a message and exit status 1, never an abort.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("korvel-sparam: not enough memory; try a coarser grid\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvel-sparam: %s\n", e.what());
    }
    return 1;
}

namespace {

int Run(int argc, char** argv)
{
    std::vector<std::string> files;
    std::string grid, center, span, points, freq, params;
    bool listParams = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("korvel-sparam %s\n", KORVEL_VERSION);
            return 0;
        }
        if (a == "--list-params")
            listParams = true;
        else if (a == "--grid")
            ok = value(grid);
        else if (a == "--center")
            ok = value(center);
        else if (a == "--span")
            ok = value(span);
        else if (a == "--points")
            ok = value(points);
        else if (a == "--freq")
            ok = value(freq);
        else if (a == "--params")
            ok = value(params);
        else if (a.size() > 1 && a[0] == '-')
            return Usage("unknown option " + std::string(a));
        else
            files.emplace_back(a);
        if (!ok)
            return Usage("option " + std::string(a) + " needs a value");
    }
    if (listParams)
        return ListParams();

    if (files.empty() || files.size() > 3)
        return Usage("give one to three S-parameter files");

    // ---- The grid ----
    const int modes = (!grid.empty() ? 1 : 0) + (!center.empty() || !span.empty() || !points.empty() ? 1 : 0) +
                      (!freq.empty() ? 1 : 0);
    if (modes != 1)
        return Usage("choose one grid: --grid, --center/--span/--points, or --freq");
    std::vector<float> frequencies;
    if (!grid.empty()) {
        const auto parts = Split(grid, ':');
        double start = 0, stop = 0, step = 0;
        if (parts.size() != 3 || !Number(parts[0], start) || !Number(parts[1], stop) || !Number(parts[2], step))
            return Usage("--grid needs three numbers START:STOP:STEP");
        if (!(step > 0.0) || stop < start)
            return Usage("--grid needs STOP not below START and a positive STEP");
        frequencies = StartStopGrid(static_cast<float>(start), static_cast<float>(stop), static_cast<float>(step));
    } else if (!freq.empty()) {
        double f = 0;
        if (!Number(freq, f))
            return Usage("--freq needs a number");
        frequencies.push_back(static_cast<float>(f));
    } else {
        double c = 0, bw = 0, n = 0;
        if (!Number(center, c) || !Number(span, bw) || !Number(points, n))
            return Usage("--center, --span and --points each need a number");
        if (bw < 0.0 || n < 1.0 || n != std::floor(n) || n > static_cast<double>(kMaxGridPoints))
            return Usage("--span must not be negative and --points must be a whole number from 1");
        frequencies = MakeCenterSpanGrid(static_cast<float>(c), static_cast<float>(bw), static_cast<int>(n)).freq;
    }
    if (frequencies.empty())
        return Usage("the grid has no points");
    // Center and span can each be finite and the grid's ends not.
    if (!std::all_of(frequencies.begin(), frequencies.end(), [](float f) { return std::isfinite(f); }))
        return Usage("the grid's frequencies must be finite");

    // ---- The parameters ----
    std::vector<Param> chosen;
    for (std::string_view name : Split(params, ',')) {
        if (name.empty())
            continue;
        const auto p = ParamFromCliName(name);
        if (!p)
            return Usage("unknown parameter " + std::string(name) + " (see --list-params)");
        chosen.push_back(*p);
    }
    if (chosen.empty())
        return Usage("--params needs at least one parameter name");

    // ---- The data sets ----
    DataSetSlots sets;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        const LoadResult r = GetSnpFile(FileNameOfPath(files[i]), slot, files[i], sets);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.text.c_str());
            return 1;
        }
    }
    if (files.size() * chosen.size() > 60) {
        std::fputs("Maximum number of (Data Sets) x (Parameters) is 60.   Please deselect some Data Sets or Parameters.\n",
                   stderr);
        return 1;
    }
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (sets[static_cast<int>(i) + 1].referenceImpedance != sets[1].referenceImpedance) {
            std::fputs("Cannot compare SnP files with mixed characteristic impedances \n", stderr);
            return 1;
        }
    }

    std::vector<GridSet> onGrid;
    onGrid.reserve(files.size());
    std::vector<TabularColumnSource> sources;
    for (std::size_t i = 0; i < files.size(); ++i) {
        onGrid.push_back(InterpolateDataSet(sets[static_cast<int>(i) + 1], frequencies));
        if (!onGrid.back().fault.empty()) {
            std::fprintf(stderr, "%s\n", onGrid.back().fault.c_str());
            return 1;
        }
    }
    for (std::size_t i = 0; i < onGrid.size(); ++i)
        sources.push_back({static_cast<int>(i) + 1, &onGrid[i]});

    const TabularText table = MakeTabular(sources, chosen);
    std::fwrite(table.text.data(), 1, table.text.size(), stdout);
    for (Note n : table.notes)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(NoteText(n).size()), NoteText(n).data());
    return 0;
}

} // namespace
