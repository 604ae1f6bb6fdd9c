#pragma once

#include <cstdint>

namespace lumora {

// An 8-bit RGB triple.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours travel through settings, task records and the engine as 32-bit OLE colours:
// 0x00BBGGRR, or, with the high bit set, the index of a system colour in the low byte.
class OleColor {
public:
    static constexpr std::uint32_t SystemFlag = 0x80000000u;

    static constexpr std::uint32_t fromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
               (static_cast<std::uint32_t>(b) << 16);
    }
    static constexpr std::uint32_t fromRgb(Rgb c) { return fromRgb(c.r, c.g, c.b); }

    static constexpr bool isSystemColor(std::uint32_t ole) { return (ole & SystemFlag) != 0; }

    // The RGB value of an OLE colour. System colours resolve through Lumora's fixed palette of the
    // classic desktop scheme (window white, button face grey, highlight blue ...), since there is
    // no system theme to ask where pixels are written.
    static Rgb toRgb(std::uint32_t ole);
};

}  // namespace lumora
