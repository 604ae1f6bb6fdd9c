#pragma once

#include <QByteArray>
#include <QString>

namespace lumora {

// Starts the image library once per process; every engine entry point calls it, so callers never
// have to. Safe to call from any thread.
void ensureVipsStarted();

// Whether the photo at `path` is, by its first bytes, one whose reader is a libvips module left
// closed at start-up: HEIF (HEIC and AVIF) or JPEG XL.
bool needsVipsCodecModule(const QString& path);

// Starts the image library and opens the module that reads the photo at `path`, the first time a
// photo of its kind is met: HEIF, JPEG XL, or ImageMagick's for content libvips does not read by
// itself (BMP, PCX, PSD). False only when the photo needs a module this installation lacks;
// libvips then has no reader for it, and reading it fails as for any unreadable file.
bool ensureVipsCodecFor(const QString& path);

// Starts the image library and opens its PDF reader (the poppler module) the first time a PDF is
// read back; false when this installation lacks it.
bool ensureVipsPdfReader();

// The same for a picture in memory (ImageMagick's module only).
void ensureVipsReaderFor(const QByteArray& bytes);

// Opens ImageMagick's module (WBMP is written through it), once.
void ensureVipsMagickModule();

// Starts the image library and opens its HEIF module, which writes AVIF files (AV1 through
// libheif). False when this installation lacks it.
bool ensureVipsHeifSaver();
// The file name of the module that reads the photo at `path` ("vips-heif.so"), for messages;
// empty for photos that need none.
QString vipsCodecModuleName(const QString& path);

}  // namespace lumora
