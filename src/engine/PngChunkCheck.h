#pragma once

#include <QString>

namespace lumora {

// libpng believes a chunk's length field: a damaged text chunk that claims gigabytes makes it
// allocate and read for seconds before it gives up. Lumora walks the chunk headers up to the
// image data first (seeks only, no chunk is read) and hands a PNG to libvips only when every
// chunk before the image data fits inside the file.
//
// True for a PNG whose chunks before the image data all fit in the file, and for anything that is
// not a PNG (other checks apply to those); false for a PNG with an impossible chunk.
bool PngChunksFitTheFile(const QString& path);

}  // namespace lumora
