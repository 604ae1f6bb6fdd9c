#pragma once

#include <QString>

#include <memory>

namespace lumora {

class ImageBox;

// Reads a photo for the preview into a view engine of its own: the engine reads JPEG, TIFF (page
// 1) and PSD itself (a PSD's IPTC block must reach the engine, which a picture from the universal
// loader does not carry); everything else, and a PSD the engine refuses, goes through LoadPic.
// Null when nothing could read the file: that is expected, not an error. Other failures throw.
std::unique_ptr<ImageBox> ReadForPreview(const QString& path);

// The pages of the file for the status bar: counted for TIFF files, 1 for anything else.
int PreviewPageCount(const QString& path);

}  // namespace lumora
