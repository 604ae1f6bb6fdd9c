#pragma once

// GIF files (GIF89a, one image, global palette) from palette images. Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

namespace lumora {

class GifWriter {
public:
    // With lzw, the pixels are LZW compressed as usual. Without, every pixel goes out as a code of
    // its own and the decoder's table is cleared before it would widen the codes: the file is larger
    // but needs no compression, and every GIF reader decodes it. The image's transparent index, if
    // any, is declared in a graphic control extension.
    static QByteArray write(const IndexedImage& image, bool lzw);
};

}  // namespace lumora
