// Time of one Calculate press of each planar line window's formulas: the whole analysis
// (impedance, permittivity, wave values, warnings), averaged over many calls with inputs that
// vary from call to call. Prints microseconds per calculation; it asserts nothing and no test
// runs it.
#include "lines/cpw.h"
#include "lines/microstrip.h"
#include "lines/stripline.h"

#include <chrono>
#include <cstdio>

using namespace korvel;

namespace {

constexpr int kCalls = 200'000;
constexpr double kMil = 2.54e-5;

// A width that walks over two decades and back, so no call repeats the previous one.
double Width(int i)
{
    return (1.0 + double(i % 997) * 0.1) * kMil;
}

template <typename Body>
double MicrosecondsPerCall(Body&& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i)
        body(i);
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / kCalls;
}

} // namespace

int main()
{
    double sum = 0.0;
    const double microstrip = MicrosecondsPerCall([&](int i) {
        const MicrostripResult r =
            AnalyseMicrostrip({Width(i), 12.5 * kMil, 1.4 * kMil, 1000 * kMil, 1e9 + i, 4.6});
        sum += r.z0_ohm + r.eeff + r.wave.electricalLength_rad;
    });
    const double stripline = MicrosecondsPerCall([&](int i) {
        const StriplineResult r =
            AnalyseStripline({Width(i), 62.0 * kMil, 1.4 * kMil, 1000 * kMil, 1e9 + i, 4.6});
        sum += r.z0_ohm + r.wave.electricalLength_rad;
    });
    const double cpwOpen = MicrosecondsPerCall([&](int i) {
        const CpwResult r = AnalyseCpw({Width(i), 5 * kMil, 0.1 * kMil, 25 * kMil, 1000 * kMil, 1e9 + i, 4.4, false});
        sum += r.z0_ohm + r.eeff + r.ke;
    });
    const double cpwGround = MicrosecondsPerCall([&](int i) {
        const CpwResult r = AnalyseCpw({Width(i), 5 * kMil, 0.1 * kMil, 25 * kMil, 1000 * kMil, 1e9 + i, 4.4, true});
        sum += r.z0_ohm + r.eeff + r.ke;
    });

    std::printf("Microstrip:            %8.3f us per calculation\n", microstrip);
    std::printf("Stripline:             %8.3f us per calculation\n", stripline);
    std::printf("CPW, no ground plane:  %8.3f us per calculation\n", cpwOpen);
    std::printf("CPW, with ground plane: %7.3f us per calculation\n", cpwGround);
    // Printing the accumulated results keeps the optimiser from dropping the calls.
    std::printf("(checksum %g)\n", sum);
    return 0;
}
