#include "core/OleColor.h"

#include <array>

namespace lumora {
namespace {

// The classic desktop scheme, indexed by system colour number (0 scroll bar .. 30 menu bar).
constexpr std::array<std::uint32_t, 31> kSystemPalette = {
    OleColor::fromRgb(200, 200, 200),  // 0 scroll bar
    OleColor::fromRgb(58, 110, 165),   // 1 desktop
    OleColor::fromRgb(0, 84, 227),     // 2 active caption
    OleColor::fromRgb(122, 150, 223),  // 3 inactive caption
    OleColor::fromRgb(255, 255, 255),  // 4 menu
    OleColor::fromRgb(255, 255, 255),  // 5 window background
    OleColor::fromRgb(0, 0, 0),        // 6 window frame
    OleColor::fromRgb(0, 0, 0),        // 7 menu text
    OleColor::fromRgb(0, 0, 0),        // 8 window text
    OleColor::fromRgb(255, 255, 255),  // 9 caption text
    OleColor::fromRgb(212, 208, 200),  // 10 active border
    OleColor::fromRgb(212, 208, 200),  // 11 inactive border
    OleColor::fromRgb(128, 128, 128),  // 12 application workspace
    OleColor::fromRgb(49, 106, 197),   // 13 highlight
    OleColor::fromRgb(255, 255, 255),  // 14 highlight text
    OleColor::fromRgb(236, 233, 216),  // 15 button face
    OleColor::fromRgb(172, 168, 153),  // 16 button shadow
    OleColor::fromRgb(172, 168, 153),  // 17 grey text
    OleColor::fromRgb(0, 0, 0),        // 18 button text
    OleColor::fromRgb(216, 228, 248),  // 19 inactive caption text
    OleColor::fromRgb(255, 255, 255),  // 20 button highlight
    OleColor::fromRgb(113, 111, 100),  // 21 3D dark shadow
    OleColor::fromRgb(241, 239, 226),  // 22 3D light
    OleColor::fromRgb(0, 0, 0),        // 23 tool-tip text
    OleColor::fromRgb(255, 255, 225),  // 24 tool-tip background
    OleColor::fromRgb(181, 181, 181),  // 25 unused
    OleColor::fromRgb(0, 0, 128),      // 26 hot light
    OleColor::fromRgb(61, 149, 255),   // 27 gradient active caption
    OleColor::fromRgb(157, 185, 235),  // 28 gradient inactive caption
    OleColor::fromRgb(49, 106, 197),   // 29 menu highlight
    OleColor::fromRgb(236, 233, 216),  // 30 menu bar
};

}  // namespace

Rgb OleColor::toRgb(std::uint32_t ole)
{
    if (isSystemColor(ole)) {
        const std::uint32_t index = ole & 0xFFu;
        ole = index < kSystemPalette.size() ? kSystemPalette[index] : 0u;
    }
    return Rgb{static_cast<std::uint8_t>(ole & 0xFFu), static_cast<std::uint8_t>((ole >> 8) & 0xFFu),
               static_cast<std::uint8_t>((ole >> 16) & 0xFFu)};
}

}  // namespace lumora
