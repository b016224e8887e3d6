// Mixer spur finder: every pair of an RF harmonic m and an LO harmonic n whose product
// m RF + n LO can land in the IF band for some RF, LO and IF inside their ranges, with the RF
// range over which each such spur occurs.
//
// The search works in whatever frequency unit the ranges are given in (it only forms ratios
// and sums of them), in single precision as the ranges are held, so that a spur that sits
// exactly on the edge of a range typed in that unit is decided the same way every time.
#pragma once

#include <vector>

namespace korvel {

// Which of RF and LO sweep a range and which stay fixed (a fixed one takes its minimum).
enum class MixerScheme { RangeRange = 0, RangeFixedLo = 1, FixedRfRange = 2, FixedFixed = 3 };

struct MixerSpurInputs {
    float rfMin = 0.0f;
    float rfMax = 0.0f;
    float loMin = 0.0f;   // greater than 0: the search divides by the LO limits
    float loMax = 0.0f;
    float ifMin = 0.0f;
    float ifMax = 0.0f;
    int maxRfHarmonic = 0;   // M: m runs over -M .. -1 and 1 .. M
    int maxLoHarmonic = 0;   // N: n runs over -N .. N
    MixerScheme scheme = MixerScheme::RangeRange;
};

struct MixerSpur {
    int n = 0;
    int m = 0;
    double rfLimit1 = 0.0;
    double rfLimit2 = 0.0;
};

// The most spurs the finder lists; a search that finds more stops and lists none.
inline constexpr int kMaxMixerSpurs = 400;

struct MixerSpurResult {
    std::vector<MixerSpur> spurs;      // in the order found: m from -M up, n from -N up
    bool overflow = false;             // more than kMaxMixerSpurs: spurs is empty
    bool negativeFrequencies = false;  // some listed RF limit lies below zero
};

// The highest harmonic a box asks for: the magnitude, truncated.
int HarmonicLimit(double typed);

MixerSpurResult FindMixerSpurs(const MixerSpurInputs& in);

} // namespace korvel
