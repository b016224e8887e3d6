#include "weblink.h"

#include "cxmath.h"
#include "settings.h"

namespace korvel {
namespace {

constexpr const char* kWebLinkCaption =
    "Click for Web: APPLICATION NOTES - MODELS - DESIGN TIPS - DATA SHEETS - S-PARAMETERS ... ";

// Label colours on a white (r1 = 1) or yellow (r1 = 2) picture, by r2.
constexpr std::uint32_t kLabelOnWhite[6] = {0xFF8000, 0xC080FF, 0x404080, 0xFF8080, 0x8000FF, 0x008000};
constexpr std::uint32_t kLabelOnYellow[6] = {0xC080FF, 0x404080, 0x808000, 0xFF8080, 0x000000, 0x808040};
// Picture colours behind a white label (r1 = 3 or 4), by r2.
constexpr std::uint32_t kPictureBehindWhite[6] = {0xC08000, 0x404080, 0x808000, 0xA00000, 0x808040, 0xC08080};

} // namespace

WebLinkColours WebLinkColoursFor(int r1, int r2)
{
    WebLinkColours c;
    // Draws outside the tables keep the plain black-on-white look.
    c.label = 0x000000;
    c.picture = 0xFFFFFF;
    if (r2 < 1 || r2 > 6)
        return c;
    const int i = r2 - 1;
    switch (r1) {
    case 1:
        c.picture = 0xFFFFFF;
        c.label = kLabelOnWhite[i];
        break;
    case 2:
        c.picture = 0x00FFFF;
        c.label = kLabelOnYellow[i];
        break;
    case 3:
    case 4:
        c.label = 0xFFFFFF;
        c.picture = kPictureBehindWhite[i];
        break;
    default:
        break;
    }
    return c;
}

void InitWebLink()
{
    WebLinkSettings& w = Settings().webLink;
    w.intervalMs = 1000.0f;
    w.caption = kWebLinkCaption;
    // Two draws in this order: the scheme first, then the colour within it.
    const int r1 = RandomInt(1, 4);
    const int r2 = RandomInt(1, 6);
    const WebLinkColours c = WebLinkColoursFor(r1, r2);
    w.labelColour = c.label;
    w.pictureColour = c.picture;
}

} // namespace korvel
