// libFuzzer target over the Touchstone loader, the interpolation of what it loads and its
// Tabular display. Built and run by bench/fuzz_touchstone.sh (clang, with address and
// undefined-behaviour sanitizers). The first input byte picks the file name (and so the
// number of ports) and, with its top bit, the parser for large files, which reads the text in
// two halves at once; the rest is the file's text. A refused file must carry one of the
// loader's messages; a loaded one is interpolated onto grids inside and outside its range,
// every parameter evaluated, and its table must hold plain numbers in rows and columns.
#include "sparam/columns.h"
#include "sparam/interpolation.h"
#include "sparam/tabular.h"
#include "sparam/touchstone.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// The size from which the loader splits a text in two halves (see the build script).
std::size_t korvelFuzzTwoHalvesFrom = 0;

using namespace korvel;

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "%s: [%s]\n", what, text.c_str());
    std::abort();
}

// A number as a table shows it: an optional minus, digits, an optional point and digits, and
// no minus in front of a value that reads as zero.
bool PlainNumber(std::string_view s)
{
    const bool minus = !s.empty() && s[0] == '-';
    if (minus)
        s.remove_prefix(1);
    bool point = false;
    bool digit = false;
    bool nonZero = false;
    for (const char c : s) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
            nonZero = nonZero || c != '0';
        } else {
            return false;
        }
    }
    return digit && s.back() != '.' && (!minus || nonZero);
}

// An empty cell, one number, or two numbers after one another (magnitude and angle,
// resistance and reactance).
bool PlainCell(std::string_view s)
{
    if (s.empty())
        return true;
    const auto comma = s.find(", ");
    if (comma == std::string_view::npos)
        return PlainNumber(s);
    return PlainNumber(s.substr(0, comma)) && PlainNumber(s.substr(comma + 2));
}

// The table: a heading line, then one line per grid point of a frequency and one cell per
// parameter, each line ending in a line break.
void CheckTable(const std::string& text, std::size_t points, std::size_t columns)
{
    std::size_t lines = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto eol = text.find('\n', at);
        if (eol == std::string::npos)
            Fail("table line without a line break", text.substr(at));
        const std::string_view line(text.data() + at, eol - at);
        std::size_t cells = 0;
        for (std::size_t from = 0; from != std::string_view::npos; ++cells) {
            const auto tab = line.find('\t', from);
            const std::string_view cell = line.substr(from, tab == std::string_view::npos ? tab : tab - from);
            if (lines > 0 && !(cells == 0 ? PlainNumber(cell) : PlainCell(cell)))
                Fail("not a plain number in the table", std::string(line));
            from = tab == std::string_view::npos ? tab : tab + 1;
        }
        if (cells != columns)
            Fail("table row of the wrong width", std::string(line));
        ++lines;
        at = eol + 1;
    }
    if (lines != points + 1)
        Fail("table of the wrong length", std::to_string(lines));
}

bool KnownMessage(const std::string& text)
{
    constexpr std::string_view prefix = "File load error";
    if (text.rfind(prefix, 0) != 0)
        return false;
    std::string_view rest = std::string_view(text).substr(prefix.size());
    static const std::string_view whole[] = {
        ": file extension does not conform to SnP convention",
        ": SnP files currently limited to 1-port and 2-port devices ",
        ": misssing header (#) line in SnP file.",
        " in S data section of SnP file.",
        " in noise data section of SnP file.",
    };
    for (std::string_view w : whole)
        if (rest == w)
            return true;
    constexpr std::string_view line = " in line number: ";
    if (rest.rfind(line, 0) != 0)
        return false;
    rest.remove_prefix(line.size());
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    if (digits == 0)
        return false;
    rest.remove_prefix(digits);
    static const std::string_view specific[] = {
        ".  Check frequency units for proper format",
        ".   Missing parameter type (e.g., S, Y, Z, G, H)",
        ".   Check for proper parameter type format",
        ".   Check for proper S-parameter MA/DB/RI complex number format.",
        ".  Check characteristic impedance for proper numeric format",
        " in S data section of SnP file.",
        " in noise data section of SnP file.",
        ":  S-parameter format only - this is a G-parameter file type",
        ":  S-parameter format only - this is a H-parameter file type",
        ":  S-parameter format only - this is a Y-parameter file type",
        ":  S-parameter format only - this is a Z-parameter file type",
    };
    for (std::string_view s : specific)
        if (rest == s)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char* const names[] = {"fuzz.s2p", "fuzz.s1p", "fuzz.S2P", "fuzz.s3p", "fuzz.txt", "f.s12"};
    const char* name = names[(data[0] & 0x7F) % 6];
    korvelFuzzTwoHalvesFrom = (data[0] & 0x80) ? 0 : std::size_t{4} << 20;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    DataSet set;
    const LoadResult r = LoadSnpText(name, name, text, set);
    if (!r.ok) {
        if (r.title != kSnpErrorTitle || !KnownMessage(r.text) || set.loaded || !set.loadFailed) {
            std::fprintf(stderr, "unexpected refusal: [%s] %s\n", r.title.c_str(), r.text.c_str());
            std::abort();
        }
        return 0;
    }
    if (set.Points() == 0 || set.parameterType != "S")
        std::abort();

    // Grids below, across and beyond the data, and the file's own frequencies.
    const float lo = set.freq.front();
    const float hi = set.freq.back();
    std::vector<float> grid;
    for (int i = -2; i <= 12; ++i)
        grid.push_back(lo + (hi - lo) * static_cast<float>(i) / 10.0f);
    grid.insert(grid.end(), set.freq.begin(), set.freq.begin() + static_cast<long>(std::min<std::size_t>(set.Points(), 64)));
    const GridSet g = InterpolateDataSet(set, grid);
    if (!g.fault.empty())
        return 0;
    for (std::size_t k = 0; k < g.Points(); ++k)
        for (const ParamInfo& p : AllParams())
            (void)TabularCellText(p.id, Evaluate(p.id, g, k));
    // Whole curves of every parameter: the block loops must stay within the grid whatever its
    // length and values.
    std::vector<Param> all;
    for (const ParamInfo& p : AllParams())
        all.push_back(p.id);
    std::vector<std::vector<double>> curves(all.size(), std::vector<double>(g.Points()));
    std::vector<double*> columns;
    for (auto& c : curves)
        columns.push_back(c.data());
    (void)EvaluateColumns(g, all, columns);
    // The whole table of every parameter, twice over as two data sets side by side.
    const TabularColumnSource src[2] = {{1, &g}, {2, &g}};
    CheckTable(MakeTabular(src, all).text, g.Points(), 1 + 2 * all.size());
    return 0;
}
