// libFuzzer target over the Touchstone loader and the interpolation of what it loads.
// Built and run by bench/fuzz_touchstone.sh (clang, with address and undefined-behaviour
// sanitizers). The first input byte picks the file name (and so the number of ports), the
// rest is the file's text. A refused file must carry one of the loader's messages; a loaded
// one is interpolated onto grids inside and outside its range and every parameter evaluated.
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

using namespace korvel;

namespace {

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
    const char* name = names[data[0] % 6];
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
    const TabularColumnSource src{1, &g};
    const Param some[] = {Param::K, Param::MAG, Param::GroupDelay21, Param::NFZo, Param::VSWRIn};
    (void)MakeTabular(std::span<const TabularColumnSource>(&src, 1), some);
    return 0;
}
