#pragma once

#include "engine/Picture.h"

#include <QString>

#include <cstdint>

namespace lumora {

// The loader's road for HEIF (HEIC, AVIF) and JPEG XL photos, known by their content whatever
// their name: libvips reads them in this process, as the engine reads them in a batch, through
// its HEIF and JPEG XL modules, which are opened only when the first such photo is met.

bool IsHeifOrJxlPhoto(const QString& path);

// The photo rendered as the libvips road renders any file; null when it cannot be read, also
// when the module for it is not installed.
Picture LoadHeifOrJxl(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                      int& sourceWidth, int& sourceHeight);

}  // namespace lumora
