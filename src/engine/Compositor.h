#pragma once

// Blending of overlays (logos, frame pieces, masks, text) onto the engine's image. Internal to
// the engine.

#include "engine/EngineSettings.h"

#include <vips/vips8>

#include <cstdint>
#include <optional>

namespace lumora {

class Compositor {
public:
    // The overlay drawn onto base as the settings say. base keeps its band count.
    static vips::VImage overlay(const vips::VImage& base, const vips::VImage& overlay, const OverlaySettings& s);

    // Blends an RGBA image onto base with its top-left corner at (x, y), scaling its alpha by
    // opacity (0..1). Parts outside base are dropped.
    static vips::VImage blendAt(const vips::VImage& base, const vips::VImage& rgba, int x, int y,
                                double opacity = 1.0);

private:
    static vips::VImage blendPlaced(const vips::VImage& base, const vips::VImage& rgba, const vips::VImage& alpha,
                                    int x, int y);
    static vips::VImage effectiveAlpha(const vips::VImage& rgba, const OverlaySettings& s);
};

}  // namespace lumora
