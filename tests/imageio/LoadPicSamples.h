#pragma once

#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Small files in the formats the loader's roads exist for, written byte by byte from their
// format descriptions so that each test knows exactly what the file holds.
namespace lumora::test::samples {

// Numbers as their bytes, little- and big-endian.
QByteArray le16(int v);
QByteArray le32(std::uint32_t v);
QByteArray be16(int v);
QByteArray be32(std::uint32_t v);

// A PNG chunk: length, type, data and CRC.
QByteArray pngChunk(const char* type, const QByteArray& data);

// Portable grey map (P5) and bit map (P4, 1 = black).
QByteArray pgm(const Picture& picture);  // the red channel as grey
QByteArray pbm(int width, int height, bool (*black)(int x, int y));

// Alias/Wavefront PIX: 24-bit, one run per pixel. DevIL reads it; FreeImage does not know it.
QByteArray pix(const Picture& picture);

// C64 Koala Painter, 320 x 200: the upper 96 rows white, the rest black. FreeImage reads it as a
// 4-bit image; libvips has no reader for it.
QByteArray koala();

// A bottom-up 24-bit BMP whose file-size field says `sizeField` (0: the true size).
QByteArray bmp(const Picture& picture, std::uint32_t sizeField = 0);

// A placeable Windows metafile of `width` x `height` units at 96 units an inch (so as many
// pixels), holding one rectangle filled with `fill` and outlined by the default black pen.
QByteArray placeableWmf(int width, int height, int left, int top, int right, int bottom, Rgb fill);

// An enhanced metafile: header with bounds (0, 0, width, height), a solid brush, the rectangle,
// end of file.
QByteArray emf(int width, int height, int left, int top, int right, int bottom, Rgb fill);

// A PNG whose header claims width x height, with one tiny compressed row of data.
QByteArray pngHeader(std::uint32_t width, std::uint32_t height);

// A little-endian TIFF of one 8 x 8 grey page followed by `extraPages` directories, each
// pointing at the next; with `loop` the last one points back at the first.
QByteArray tiffChain(int extraPages, bool loop);

// A lossless JP2 file made by OpenJPEG's own encoder (opj_compress); empty if it failed.
QByteArray jp2(const Picture& picture, const QString& scratchFolder);

// The same JP2 file with its signature box written in the long form (a length of 1 followed by
// a 64-bit length), which the JPEG 2000 standard allows for any box: OpenJPEG reads it,
// FreeImage's content detection (which compares the first twelve bytes) does not recognise it.
QByteArray withLongSignatureBox(const QByteArray& jp2);

}  // namespace lumora::test::samples
