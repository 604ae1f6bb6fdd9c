#pragma once

#include "engine/Picture.h"

#include <QString>

#include <cstdint>

namespace lumora {

// The loader's DevIL road, for files of DevIL's formats whose content FreeImage does not
// recognise: DevIL loads the file in the decoder helper and saves it as this thread's temporary
// BMP, which libvips then renders in the size mode. The temporary file is always deleted.

// The extensions DevIL is asked about: "psp", "pic", "pix", "pxr", "raw", "dcx", "lif", "wal",
// "mdl", "oil", "lmp", "sgi", "bw", "rgb", "rgba", "act", "pal", "pbm", "pgm", "ppm", "mng".
bool IsDevilExtension(const QString& ext);

// Null when DevIL cannot read the file (or crashed, or hung, on it). sourceWidth/sourceHeight
// receive the size libvips rendered from.
Picture LoadThroughDevil(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                         int& sourceWidth, int& sourceHeight);

}  // namespace lumora
