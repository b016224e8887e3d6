// The session's shared settings. They start from the defaults below at every program start,
// the preferences window changes them, and nothing is ever written to disk.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

// Colours are 0xBBGGRR numbers, as the colour tables give them.
struct WebLinkSettings {
    float intervalMs = 1000.0f;
    std::string caption;
    std::uint32_t labelColour = 0x000000;
    std::uint32_t pictureColour = 0xFFFFFF;
};

struct SharedSettings {
    int componentTolerance = 5;      // percent; 0 stands for the 0.1 % series
    bool useStandardValues = true;
    bool soundEnabled = true;
    bool intelligentFormat = true;
    int significantFigures = 3;
    int bypassRatio = 200;           // Z0 : Xc = ratio : 1
    double maxJunctionTempC = 150.0;
    bool mathErrorFlag = false;
    bool quietMathErrors = false;
    std::string lastMathError;
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";  // between thousands, where a picture asks for grouping
    WebLinkSettings webLink;
    std::string webAddress = "https://korvel.example.org/";
};

SharedSettings& Settings();

// Back to the start-up defaults (the web link is left uninitialised; see InitWebLink).
void ResetSettings();

} // namespace korvel
