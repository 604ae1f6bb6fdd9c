#pragma once

#include "engine/Picture.h"

#include <QString>

namespace lumora {

// The loader's FreeImage road: content-based type detection, and decoding of what FreeImage
// reads (in the decoder helper).

// FreeImage's file type of the file's content (a FREE_IMAGE_FORMAT number), or -1 when FreeImage
// does not recognise it.
int FreeImageFileType(const QString& path);

// Whether content of this type is what the libvips road is given: the formats the screen
// renderer always read (BMP, icons, JPEG, PNG, GIF, TIFF). Other content under one of their
// extensions goes to FreeImage, which reads it without handing it to libvips' own sniffing.
bool IsCommonPictureType(int freeImageType);

// Decodes a file through FreeImage as `format` (-1: by its file name). 1-bit images are made
// 24-bit and 4-bit images 8-bit before they become an RGB or RGBA picture. Throws LumoraError
// 481 (invalid picture) when FreeImage cannot read the file.
Picture LoadThroughFreeImage(const QString& path, int format);

}  // namespace lumora
