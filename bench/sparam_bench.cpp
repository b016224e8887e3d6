// Times the S-parameter engine on one file:  sparam_bench [--repeat N] FILE
//
// Three stages, each timed alone as the fastest of N runs (3 by default): loading the file,
// interpolating it onto a grid of the same number of points, and deriving K, μ1, MAG/MSG,
// Gt, VSWR, return loss and group delay at every grid point. Prints the time and points per second of each stage and the peak
// resident memory of the process.
#include "sparam/columns.h"
#include "sparam/interpolation.h"
#include "sparam/touchstone.h"
#include "sparam/twoport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double PeakMiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;   // kilobytes on Linux
}

void Report(const char* stage, double s, std::size_t points)
{
    std::printf("%-12s %9.4f s  %12.0f points/s\n", stage, s, static_cast<double>(points) / s);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace korvel;
    // Each stage runs `repeat` times from the same starting point and the fastest run counts,
    // as a shared machine slows single runs at random; the previous run's results are freed
    // before the next starts, so peak memory is that of one run.
    // Every large block comes fresh from the system and goes back when freed, so that a
    // repeated run pays for new memory as the first one does (by default the C library would
    // keep freed blocks and hand them out again already in place).
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    int repeat = 3;
    if (argc == 4 && std::string(argv[1]) == "--repeat")
        repeat = std::max(1, std::atoi(argv[2]));
    if (argc != 2 && argc != 4) {
        std::fputs("usage: sparam_bench [--repeat N] FILE\n", stderr);
        return 2;
    }
    const std::string path = argv[argc - 1];
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        std::perror(path.c_str());
        return 1;
    }

    DataSetSlots sets;
    double load = 1e300;
    for (int run = 0; run < repeat; ++run) {
        sets[1] = DataSet{};
        const auto t0 = Clock::now();
        const LoadResult r = GetSnpFile(FileNameOfPath(path), 1, path, sets);
        load = std::min(load, Seconds(t0, Clock::now()));
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.text.c_str());
            return 1;
        }
    }
    const double peakAfterLoad = PeakMiB();
    const DataSet& set = sets[1];
    const std::size_t n = set.Points();

    // A grid of the same size over the same range, offset by half a step so that every
    // point really interpolates.
    std::vector<float> grid(n);
    const double lo = set.freq.front(), hi = set.freq.back();
    for (std::size_t k = 0; k < n; ++k)
        grid[k] = static_cast<float>(lo + (hi - lo) * (static_cast<double>(k) + 0.5) / static_cast<double>(n));

    GridSet g;
    double interpolate = 1e300;
    for (int run = 0; run < repeat; ++run) {
        g = GridSet{};
        const auto t0 = Clock::now();
        g = InterpolateDataSet(set, grid);
        interpolate = std::min(interpolate, Seconds(t0, Clock::now()));
    }
    const double peakAfterInterpolation = PeakMiB();
    std::vector<float>().swap(grid);   // the grid set keeps its own copy of the frequencies

    // The curves a chart of these quantities asks for, kept in single precision as a caller
    // holding whole curves of a large file does; fresh memory each run, as a first chart has.
    const Param params[] = {Param::K, Param::Mu1, Param::MAG, Param::MSG, Param::Gt, Param::VSWRIn, Param::RLIn,
                            Param::GroupDelay21};
    std::vector<std::unique_ptr<float[]>> curves;
    double derive = 1e300;
    for (int run = 0; run < repeat; ++run) {
        curves.clear();
        const auto t0 = Clock::now();
        std::vector<float*> columns;
        for (std::size_t c = 0; c < std::size(params); ++c)
            columns.push_back(curves.emplace_back(std::make_unique_for_overwrite<float[]>(n)).get());
        EvaluateColumns(g, params, columns);
        derive = std::min(derive, Seconds(t0, Clock::now()));
    }

    // Something of every result is printed so that no stage can be optimised away.
    const std::size_t mid = n / 2;
    std::printf("file         %s  %.1f MB  %zu points, %zu noise points; fastest of %d runs\n", path.c_str(),
                static_cast<double>(st.st_size) / 1e6, n, set.NoisePoints(), repeat);
    Report("load", load, n);
    Report("interpolate", interpolate, n);
    Report("derive", derive, n);
    std::printf("peak memory  %.1f MiB  (%.2f x file size); after loading %.1f MiB, after interpolating %.1f MiB\n",
                PeakMiB(), PeakMiB() * 1048576.0 / static_cast<double>(st.st_size), peakAfterLoad,
                peakAfterInterpolation);
    std::printf("mid point    f=%.3f MHz K=%.4f mu1=%.4f MAG=%.3f MSG=%.3f Gt=%.3f VSWR=%.4f RL=%.3f tau=%.1f ps\n",
                g.freq[mid], curves[0][mid], curves[1][mid], curves[2][mid], curves[3][mid], curves[4][mid],
                curves[5][mid], curves[6][mid], curves[7][mid]);
    return 0;
}
