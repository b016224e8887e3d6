// Speed of the notation calls every calculator makes for each result it shows: formatting
// with a numeric picture, unit conversion and rounding to a standard value. Prints calls per
// second; it asserts nothing and no test runs it.
#include "core/stdvalues.h"
#include "core/units.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

using namespace korvel;

namespace {

constexpr int kCalls = 1'000'000;
constexpr std::size_t kValueCount = 4096; // a power of two, indexed with a mask

// Positive values spread over the magnitudes the calculators see (1e-12 .. 1e10), from a
// fixed-seed generator so every run measures the same work.
std::vector<double> MakeValues()
{
    std::vector<double> values(kValueCount);
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    for (double& v : values) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = double(state >> 11) / double(1ULL << 53); // [0, 1)
        const int decade = int((state >> 3) % 23) - 12;
        v = (1.0 + 9.0 * unit) * std::pow(10.0, decade);
    }
    return values;
}

template <typename Body>
double CallsPerSecond(Body&& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i)
        body(i);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return kCalls / elapsed.count();
}

} // namespace

int main()
{
    const std::vector<double> values = MakeValues();
    const auto value = [&](int i) { return values[std::size_t(i) & (kValueCount - 1)]; };

    constexpr std::string_view patterns[] = {"0.",     "0.0",  "  0.0",  "  0.00", "  0.000",
                                             "0.00",   "##0.00", "#0.###", "0.0%",  "0.00E+00"};
    std::size_t textLength = 0;
    const double formatRate = CallsPerSecond([&](int i) {
        textLength += FormatValue(value(i), patterns[i % std::size(patterns)]).size();
    });

    // Positive values only, so the logarithmic codes never fault in the from-base direction.
    constexpr std::string_view codes[] = {"MHz", "GHz", "mil", "mm", "dBm", "degC",
                                          "pF",  "nH",  "kOhm", "dB", "ft", "uA"};
    double convertSum = 0.0;
    const double convertRate = CallsPerSecond([&](int i) {
        const std::string_view code = codes[i % std::size(codes)];
        // dBm and dB to base take the value as a level; keep those levels modest.
        const bool level = code == "dBm" || code == "dB";
        const double v = level ? std::fmod(value(i) * 1e6, 60.0) : value(i);
        convertSum += ConvertUnit(v, code, (i & 1) != 0);
    });

    constexpr double tolerances[] = {0, 1, 5, 10, 20};
    double standardSum = 0.0;
    const double standardRate = CallsPerSecond([&](int i) {
        standardSum += StandardValue(value(i), tolerances[i % std::size(tolerances)]);
    });

    std::printf("FormatValue:   %12.0f calls/s\n", formatRate);
    std::printf("ConvertUnit:   %12.0f calls/s\n", convertRate);
    std::printf("StandardValue: %12.0f calls/s\n", standardRate);
    // Printing the accumulated results keeps the optimiser from dropping the calls.
    std::printf("(checksums %zu %g %g)\n", textLength, convertSum, standardSum);
    return 0;
}
