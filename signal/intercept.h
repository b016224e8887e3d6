// Two-tone third-order intermodulation. For a device of gain G driven by two tones, each
// third-order product rises 3 dB for every 1 dB of tone level, so on a dB scale the products
// and the tones are straight lines of slope 3 and 1 that meet at the third-order intercept
// point (IP3). Any two of intercept, tone level and product level give the third:
//     IM = 3 Psig - 2 IP3,   Psig = (2 IP3 + IM) / 3,   IP3 = (3 Psig - IM) / 2   (dBm).
// Each level may be stated at the device input or output; the two differ by G.
#pragma once

#include <string>
#include <vector>

namespace korvel {

// The product level, output-referred unless `resultAtInput`. The tones and the intercept are
// moved to the output first when given at the input. Only equal tones have a defined
// product level here; unequal tones give 0.
double IMlarge(bool resultAtInput, double p1, double p2, bool tonesAtInput, double ip3, bool ip3AtInput, double g);

// The tone level that gives the product level IM1 with that intercept.
double SigLarge(bool resultAtInput, double ip3, bool ip3AtInput, double im1, double im2, bool imsAtInput, double g);

// The intercept from the tone and product levels. Unequal tones are reduced to an effective
// equal-tone level one third of the way down from the stronger tone, and the products are
// referred to it; with equal tones and unequal products the stronger product is taken, which
// gives the lower (safer) intercept.
double IP3(bool resultAtInput, double p1, double p2, bool tonesAtInput, double im1, double im2, bool imsAtInput,
           double g);

enum class IP3Unknown { ProductLevel, ToneLevel, InterceptPoint };

struct IP3Inputs {
    IP3Unknown unknown = IP3Unknown::ProductLevel;
    double gainDb = 0.0;
    // The known quantities, each as given and where it is given.
    double ip3Dbm = 0.0;
    bool ip3AtInput = false;
    double toneDbm = 0.0;
    bool toneAtInput = false;
    double imDbm = 0.0;
    bool imAtInput = false;
    // Where the diagram values are referred.
    bool graphAtInput = false;
};

struct IP3Result {
    double ip3In = 0.0, ip3Out = 0.0;
    double toneIn = 0.0, toneOut = 0.0;
    double imIn = 0.0, imOut = 0.0;
    // The diagram: intercept, tone, product (dBm) and tone above product (dBc).
    double graphIp3 = 0.0, graphTone = 0.0, graphImDbm = 0.0, graphImDbc = 0.0;
    // The status texts in the order they apply; the last one stays shown.
    std::vector<std::string> warnings;
};

inline constexpr const char* kToneAboveInterceptText = "Math correct but Signal level is > Intercept Point.";
inline constexpr const char* kProductAboveToneText = "Math correct but IM level > Signal level.";

// The unknown quantity from the two known ones, with every level at both input and output.
IP3Result CalcIntermods(const IP3Inputs& in);

} // namespace korvel
