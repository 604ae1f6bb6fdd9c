#pragma once

// The engine's file writers: one image in, the bytes of a file out. Internal to the engine.

#include <QByteArray>
#include <QString>

#include <vips/vips8>

#include <cstdint>

namespace lumora {

struct EncoderOptions {
    int jpegQuality = 80;
    bool jpegProgressive = false;
    int colorDepth = 0;  // 0 true colour, 1 256 colours, 2 256 greys, 3 16 colours, 4 16 greys, 5/6 monochrome
    int tiffCompression = 0;  // 0 none, 1 PackBits, 2 CCITT Group 4
};

class ImageEncoder {
public:
    // Format by lower-case extension without the dot: jpg, jpeg, png, tif, tiff, bmp, gif, pcx,
    // psd, wbmp. Throws EngineError for any other extension or a failing encoder.
    static QByteArray encode(const vips::VImage& image, const QString& extension, const EncoderOptions& options);
    static bool supports(const QString& extension);
    // The extension of an engine format code (0 bmp .. 7 tif); empty for codes without a writer.
    static QString extensionOfFormat(int code);
};

}  // namespace lumora
