#pragma once

#include <libwmf/ipa.h>
#include <libwmf/types.h>

#include <cstddef>
#include <optional>
#include <string>

namespace lumora::decoder {

// libwmf's SVG device writes every colour as the nearest of the 147 SVG colour names, so a
// chart's (37,99,141) is drawn teal. This keeps what the device writes and, after each drawing
// call, gives the element that call wrote the exact colours of the call's brush, pen, text or
// pixel. Install it after wmf_api_create with the SVG device, and hand stream() to the device.
class ExactSvgColours {
public:
    explicit ExactSvgColours(wmfAPI* api);
    ExactSvgColours(const ExactSvgColours&) = delete;
    ExactSvgColours& operator=(const ExactSvgColours&) = delete;

    wmfStream* stream() { return &stream_; }
    const std::string& svg() const { return svg_; }

    // The colours one drawing call paints with; the style's other colours stay as written.
    struct Paint {
        std::optional<wmfRGB> fill;
        std::optional<wmfRGB> stroke;
    };

    // Gives the first style attribute written from `start` on the colours of `paint`.
    void recolour(std::size_t start, const Paint& paint);

    // The device's own drawing functions, called by the wrappers installed in their place.
    wmfFunctionReference device;

private:
    static int put(char* text, void* context);
    static int reset(void* context);

    std::string svg_;
    wmfStream stream_{};
};

}  // namespace lumora::decoder
