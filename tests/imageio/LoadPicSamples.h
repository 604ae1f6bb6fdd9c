#pragma once

#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Sample files for the loader and the header reader. Formats no tool here writes, and files whose
// bytes are what a test is about, are written byte by byte from their format descriptions; the
// others are made by the formats' own tools.
namespace lumora::test::samples {

// Numbers as their bytes, little- and big-endian.
QByteArray le16(int v);
QByteArray le32(std::uint32_t v);
QByteArray be16(int v);
QByteArray be32(std::uint32_t v);

// A PNG chunk: length, type, data and CRC.
QByteArray pngChunk(const char* type, const QByteArray& data);

// The picture in `format`, made from a PNG of it: "JP2" by OpenJPEG's own encoder (lossless, four
// resolution levels), anything else by ImageMagick ("BMP3", "PGM", "GIF", ...). Empty if the tool
// failed.
QByteArray encoded(const Picture& picture, const QString& format, const QString& scratchFolder);

// ImageMagick's convert on space-separated arguments, the last naming the file it makes in
// `folder` (behind a coder, maybe: "PNG32:a.png"); the file's path. A failure fails the test.
QString magick(const QString& arguments, const QString& folder);

// Alias/Wavefront PIX: 24-bit, one run per pixel. DevIL reads it; FreeImage does not know it.
QByteArray pix(const Picture& picture);

// C64 Koala Painter, 320 x 200: the upper 96 rows white, the rest black. FreeImage reads it as a
// 4-bit image; libvips has no reader for it.
QByteArray koala();

// A placeable Windows metafile of `width` x `height` units at 96 units an inch (so as many
// pixels), holding one rectangle filled with `fill` and outlined by the default black pen, or by
// a solid pen 4 units wide of colour `pen`.
QByteArray placeableWmf(int width, int height, int left, int top, int right, int bottom, Rgb fill,
                        std::optional<Rgb> pen = std::nullopt);

// An enhanced metafile: bounds (0, 0, width, height), a solid brush, the rectangle, the end.
QByteArray emf(int width, int height, int left, int top, int right, int bottom, Rgb fill);

// A PNG whose header claims width x height, with one tiny compressed row of data.
QByteArray pngHeader(std::uint32_t width, std::uint32_t height);

// A little-endian TIFF of one 8 x 8 grey page followed by `extraPages` directories, each
// pointing at the next; with `loop` the last one points back at the first.
QByteArray tiffChain(int extraPages, bool loop);

// The JP2 file with its signature box in the long form (length 1, then a 64-bit length), allowed
// for any box: OpenJPEG reads it, FreeImage's detection (of the first twelve bytes) does not.
QByteArray withLongSignatureBox(const QByteArray& jp2);

}  // namespace lumora::test::samples
