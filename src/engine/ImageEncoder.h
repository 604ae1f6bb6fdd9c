#pragma once

// The engine's file writers: one image in, the bytes of a file out. Internal to the engine.

#include "engine/EngineSettings.h"

#include <QByteArray>
#include <QString>

#include <vips/vips8>

#include <cstdint>

namespace lumora {

class ImageEncoder {
public:
    // Format by lower-case extension without the dot: jpg, jpeg, jpe, png, tif, tiff, bmp, gif, pcx,
    // psd, wbmp, pdf, webp, avif. WebP and AVIF are lossy at the JPEG quality and true colour
    // always; AVIF opens the image library's HEIF module the first time. Which colour depths each
    // format takes:
    //   bmp, pcx, tif, pdf  all seven (palette and bilevel files at 8, 4 and 1 bits per pixel)
    //   gif                 1..6; true colour is written with 256 colours
    //   jpg                 0, and 2 as an 8-bit grey JPEG; the others are written as 0
    //   png                 0, and 1 as a palette PNG; the others are written as 0
    //   wbmp                always black and white at a threshold; psd always 24 bit
    // TIFF Group 4 always writes a black-and-white image (dithered unless the depth is 6).
    // Out-of-range option values are clamped. Throws EngineError for any other extension or a
    // failing encoder.
    static QByteArray encode(const vips::VImage& image, const QString& extension, const EncoderOptions& options);
    static bool supports(const QString& extension);
    // The whole file `base` (a TIFF, or a PDF as Lumora writes them) grown by the image as its last
    // page, written with the options as SaveToFile would write a one-page file. A PDF's earlier
    // pages are read back at one pixel per point and written again (cairo cannot add to a
    // document), so they keep their pixels. Throws EngineError when `base` is not such a file.
    static QByteArray appendTiffPage(const vips::VImage& image, const EncoderOptions& options, const QByteArray& base);
    static QByteArray appendPdfPage(const vips::VImage& image, const EncoderOptions& options, const QByteArray& base);
    // The extension of an engine format code (0 bmp, 1 gif, 2 jpg, 3 pcx, 4 png, 5 wbmp, 6 psd, 7 tif,
    // 8 pdf); empty for any other code.
    static QString extensionOfFormat(int code);
};

}  // namespace lumora
