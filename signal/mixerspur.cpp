#include "mixerspur.h"

#include <cmath>

namespace korvel {

int HarmonicLimit(double typed) { return static_cast<int>(std::trunc(std::fabs(typed))); }

MixerSpurResult FindMixerSpurs(const MixerSpurInputs& in)
{
    // A fixed frequency is a range that starts and ends at its one value.
    const bool rfFixed = in.scheme == MixerScheme::FixedRfRange || in.scheme == MixerScheme::FixedFixed;
    const bool loFixed = in.scheme == MixerScheme::RangeFixedLo || in.scheme == MixerScheme::FixedFixed;
    const float rfMin = in.rfMin;
    const float rfMax = rfFixed ? in.rfMin : in.rfMax;
    const float loMin = in.loMin;
    const float loMax = loFixed ? in.loMin : in.loMax;
    const float ifMin = in.ifMin;
    const float ifMax = in.ifMax;
    const int M = in.maxRfHarmonic;
    const int N = in.maxLoHarmonic;

    MixerSpurResult r;
    // m RF + n LO = IF gives RF/LO = -n/m + IF/(m LO): the pair is a spur when s = -n/m lies
    // strictly between the least and the greatest value of (RF - IF/m)/LO over the ranges.
    for (int m = -M; m <= M; ++m) {
        if (m == 0)
            continue;
        const float a = ifMax / static_cast<float>(m);
        const float b = ifMin / static_cast<float>(m);
        float lower = 0.0f;
        float upper = 0.0f;
        if (m < 0) {
            // IF/m is negative here, so IFmax gives the largest RF - IF/m and IFmin the least.
            upper = (rfMax - a) / loMin;
            lower = (rfMin - b) / loMax;
        } else {
            lower = a > rfMin ? (rfMin - a) / loMin : (rfMin - a) / loMax;
            upper = b > rfMax ? (rfMax - b) / loMax : (rfMax - b) / loMin;
        }
        for (int n = -N; n <= N; ++n) {
            const double s = -static_cast<double>(n) / m;
            if (!(lower < s && s < upper))
                continue;
            if (static_cast<int>(r.spurs.size()) == kMaxMixerSpurs) {
                r.overflow = true;
                r.spurs.clear();
                r.negativeFrequencies = false;
                return r;
            }
            MixerSpur spur;
            spur.n = n;
            spur.m = m;
            if (s >= 0.0 || m < 0) {
                spur.rfLimit1 = s * loMax + b;
                spur.rfLimit2 = s * loMin + a;
            } else {
                spur.rfLimit1 = s * loMin + a;
                spur.rfLimit2 = s * loMax + b;
            }
            if (spur.rfLimit1 < 0.0 || spur.rfLimit2 < 0.0)
                r.negativeFrequencies = true;
            r.spurs.push_back(spur);
        }
    }
    return r;
}

} // namespace korvel
