#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace lumora {

// Gives a picture that was decoded smaller than its image (a JPEG 2000 resolution level, a
// metafile drawn at a scale) the size and placement that the size mode gives the whole
// fullWidth x fullHeight image, so that the reduced decode makes the picture a full one would.
// NaturalSize returns the picture as it is.
Picture PlaceReducedPicture(const Picture& decoded, int fullWidth, int fullHeight, int mode, int width, int height,
                            std::uint32_t backColor);

}  // namespace lumora
