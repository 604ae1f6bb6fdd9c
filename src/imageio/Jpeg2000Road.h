#pragma once

#include "engine/Picture.h"

#include <QString>

#include <cstdint>

namespace lumora {

// The loader's JPEG 2000 road, for JPEG 2000 files whose content FreeImage does not recognise:
// OpenJPEG decodes them in the decoder helper.

// "jp2", "j2k" and "jpc".
bool IsJpeg2000Extension(const QString& ext);

// The picture of a JPEG 2000 file (ext tells a JP2 file from a bare codestream) in the size mode:
// with NaturalSize the decoded picture itself; with the other modes the picture sized from the
// smallest resolution level of the file that covers the box, so that no temporary file and no
// full-size decode is needed. Throws LumoraError 481 when the file cannot be decoded.
Picture LoadJpeg2000(const QString& path, const QString& ext, int mode, int width, int height,
                     std::uint32_t backColor);

}  // namespace lumora
