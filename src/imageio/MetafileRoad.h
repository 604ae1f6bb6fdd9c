#pragma once

#include "engine/Picture.h"

#include <QString>

#include <cstdint>

namespace lumora {

// The loader's metafile road: a Windows metafile (libwmf) or an enhanced metafile (emf2svg) is
// converted to SVG in the decoder helper, and libvips draws that SVG (through librsvg) straight
// at the size the mode asks for, on the background colour.

// "wmf" and "emf".
bool IsMetafileExtension(const QString& ext);

// Null when the file is no metafile the converters can read, or its drawing is larger than
// MaxLoadPixels. sourceWidth/sourceHeight receive the metafile's size in pixels at 96 dpi.
Picture LoadMetafile(const QString& path, const QString& ext, int mode, int width, int height,
                     std::uint32_t backColor, int& sourceWidth, int& sourceHeight);

}  // namespace lumora
