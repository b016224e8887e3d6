// Time of one cascade calculation at the largest stage count the noise window starts with
// (50 stages): temperature correction, the cascade itself, the system figures and the
// sensitivity analysis of every stage, which is what each edit of the window recalculates.
// Inputs vary from call to call. Prints microseconds per calculation; it asserts nothing and
// no test runs it. The window's recalculation should stay well under 50 microseconds.
#include "signal/cascade.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace korvel;

namespace {

constexpr int kCalls = 20'000;

CascadeInputs Chain(int stages, int call)
{
    CascadeInputs in;
    in.inputPower_dbm = -60.0 + call % 7;
    in.analysisTemp_degC = 85.0 - call % 13;
    in.noiseBandwidth_hz = 1.5e6;
    in.requiredSnr_db = 5.92;
    for (int k = 0; k < stages; ++k) {
        CascadeStage s;
        s.nf_db = 0.5 + (k * 7 + call) % 12;
        s.gain_db = (k % 3 == 0) ? -3.0 - k % 4 : 6.0 + (k + call) % 9;
        s.ip3_dbm = 10.0 + (k * 5 + call) % 30;
        s.nfTempco_dbPerC = 0.01;
        s.gainTempco_dbPerC = -0.015;
        in.stages.push_back(s);
    }
    return in;
}

} // namespace

int main(int argc, char** argv)
{
    const int stages = argc > 1 ? std::atoi(argv[1]) : 50;
    // The inputs are built beforehand so that only the calculation is timed.
    std::vector<CascadeInputs> inputs;
    for (int i = 0; i < 64; ++i)
        inputs.push_back(Chain(stages, i));
    double sum = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i) {
        const CascadeResult r = AnalyseCascade(inputs[std::size_t(i % 64)]);
        sum += r.nf_db + r.stages.back().ip3Sensitivity;
    }
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("cascade of %d stages with sensitivity analysis: %.2f us per calculation (checksum %.6g)\n",
                stages, elapsed.count() / kCalls, sum);
    return 0;
}
