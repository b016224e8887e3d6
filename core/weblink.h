// The web link shown in every calculator window once it has been open for a moment.
#pragma once

#include <cstdint>

namespace korvel {

struct WebLinkColours {
    std::uint32_t label = 0;    // 0xBBGGRR
    std::uint32_t picture = 0;  // 0xBBGGRR
};

// The colour pair for the two random draws r1 in 1..4 and r2 in 1..6.
WebLinkColours WebLinkColoursFor(int r1, int r2);

// Interval 1000 ms, the caption, and colours drawn at random; stored in the shared settings.
void InitWebLink();

} // namespace korvel
