// Time of one Calculate press of each planar line window's formulas: the whole analysis
// (impedance, permittivity, wave values, warnings), and of one width synthesis (the search
// alone, without the analysis the window runs after it), averaged over many calls with inputs
// that vary from call to call. Prints microseconds per call; it asserts nothing and no test
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

// A target impedance that walks from 20 to 120 ohm and back.
double Target(int i)
{
    return 20.0 + double(i % 1001) * 0.1;
}

template <typename Body>
double MicrosecondsPerCall(Body&& body, int calls = kCalls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        body(i);
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

// Synthesis time per call, with the mean number of analyses it took; every target must be met.
template <typename Synthesise>
void ReportSynthesis(const char* name, Synthesise&& synthesise, double& sum)
{
    constexpr int kSyntheses = 20'000;
    long analyses = 0;
    int missed = 0;
    const double us = MicrosecondsPerCall(
        [&](int i) {
            const DimensionSynthesis s = synthesise(i);
            analyses += s.evaluations;
            missed += s.solved ? 0 : 1;
            sum += s.value_m;
        },
        kSyntheses);
    std::printf("%-30s %8.3f us per synthesis, %.1f analyses", name, us, double(analyses) / kSyntheses);
    std::printf(missed ? ", %d targets MISSED\n" : "\n", missed);
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

    ReportSynthesis("Microstrip width:", [](int i) {
        return SynthesiseMicrostripWidth(Target(i), {0.0, 12.5 * kMil, 1.4 * kMil, 1000 * kMil, 1e9 + i, 4.6});
    }, sum);
    ReportSynthesis("Stripline width:", [](int i) {
        return SynthesiseStriplineWidth(Target(i), {0.0, 62.0 * kMil, 1.4 * kMil, 1000 * kMil, 1e9 + i, 4.6});
    }, sum);
    ReportSynthesis("CPW width, no ground plane:", [](int i) {
        return SynthesiseCpwWidth(Target(i) + 20.0, {0.0, 5 * kMil, 0.1 * kMil, 25 * kMil, 1000 * kMil, 1e9, 4.4, false});
    }, sum);
    ReportSynthesis("CPW gap, with ground plane:", [](int i) {
        return SynthesiseCpwGap(Target(i) * 0.5 + 30.0, {10 * kMil, 0.0, 0.1 * kMil, 25 * kMil, 1000 * kMil, 1e9, 4.4, true});
    }, sum);
    // Printing the accumulated results keeps the optimiser from dropping the calls.
    std::printf("(checksum %g)\n", sum);
    return 0;
}
