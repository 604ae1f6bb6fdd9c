#pragma once

// Photoshop files: one flattened 8-bit RGB image, no layers. Internal to the engine.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumora {

class PsdWriter {
public:
    // Packed 8-bit RGB pixels, rows top to bottom. The image resources hold only the resolution;
    // the metadata is added afterwards.
    static QByteArray write(const std::vector<std::uint8_t>& rgb, int width, int height);
};

}  // namespace lumora
