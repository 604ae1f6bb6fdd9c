#pragma once

// How the engine opens a picture file. Internal to the engine.

#include <QString>

#include <vips/vips8>

namespace lumora {

class PictureFileOpening {
public:
    // Opens a picture file at its header, nothing decoded yet (tiffPage: the 0-based page of a
    // TIFF; refuseCut: decoding fails on a file cut short instead of filling the rest grey). The
    // content decides how it is read, never the name, and the engine reads raster formats only:
    // a drawing (an SVG named .jpg, say) would be drawn at whatever size it asks for. Throws
    // EngineError, naming the operation and the file, for what is no regular file, content the
    // engine does not read or whose library module is missing, and headers past the pixel limit
    // or claiming more pixels than the file can hold.
    // anyOrder: the pixels will be read out of order (decoded whole on first use) rather than
    // top to bottom. jpegShrink (1, 2, 4 or 8) has a JPEG decoded at that fraction of its size
    // (the limits are checked on its whole size); other content opens at its own size.
    static vips::VImage open(const QString& path, const char* operation, int tiffPage = 0, bool refuseCut = false,
                             bool anyOrder = false, int jpegShrink = 1);

    // open, then the turn upright by the file's EXIF orientation (UprightTurn) when photos are
    // turned upright. The two steps stay apart: whatever reduces the photo as it is opened
    // (jpegShrink) belongs to the first, and the turn applies to what it gives. turned (optional)
    // tells whether the pixels were turned.
    static vips::VImage openUpright(const QString& path, const char* operation, int tiffPage = 0,
                                    bool refuseCut = false, bool* turned = nullptr, int jpegShrink = 1);
};

}  // namespace lumora
