#include "LoadPicSamples.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>

#include <gtest/gtest.h>

#include <zlib.h>

#include <tuple>

namespace lumora::test::samples {

QByteArray le16(int v) { return QByteArray(1, char(v)) + char(v >> 8); }
QByteArray le32(std::uint32_t v) { return le16(int(v & 0xFFFF)) + le16(int(v >> 16)); }
QByteArray be16(int v) { return QByteArray(1, char(v >> 8)) + char(v); }
QByteArray be32(std::uint32_t v) { return be16(int(v >> 16)) + be16(int(v & 0xFFFF)); }

namespace {

// Metafile records: a WMF one is its size in 16-bit words, the function, the parameters; an EMF
// one its type, its size in bytes and 32-bit values.
QByteArray wmfRecord(int function, std::initializer_list<int> parameters)
{
    QByteArray r = le32(std::uint32_t(3 + parameters.size())) + le16(function);
    for (const int p : parameters)
        r += le16(p);
    return r;
}
QByteArray emfRecord(std::uint32_t type, std::initializer_list<std::int32_t> values)
{
    QByteArray r = le32(type) + le32(std::uint32_t(8 + 4 * values.size()));
    for (const std::int32_t v : values)
        r += le32(std::uint32_t(v));
    return r;
}

std::uint32_t colorRef(Rgb c) { return c.r | (c.g << 8) | (std::uint32_t(c.b) << 16); }

}  // namespace

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = type + data;
    return be32(std::uint32_t(data.size())) + typed +
           be32(std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

QByteArray pix(const Picture& picture)
{
    // A run of one pixel each, in blue, green, red order.
    QByteArray b = be16(picture.width()) + be16(picture.height()) + be16(0) + be16(0) + be16(24);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            b += QByteArray(1, '\x01') + char(c.b) + char(c.g) + char(c.r);
        }
    return b;
}

QByteArray koala()
{
    // Load address, 40 x 25 cells of eight bitmap bytes, screen colours, colour RAM, background.
    // Bit pairs 01 take the screen colour's upper nibble (1, white); 00 the background (0, black).
    return QByteArray("\x00\x60", 2) + QByteArray(12 * 40 * 8, '\x55') + QByteArray(13 * 40 * 8, '\x00') +
           QByteArray(1000, '\x10') + QByteArray(1001, '\x00');
}

QByteArray placeableWmf(int width, int height, int left, int top, int right, int bottom, Rgb fill,
                       std::optional<Rgb> pen)
{
    const std::uint32_t colour = colorRef(fill);
    QByteArray records = wmfRecord(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0})  // brush
                         + wmfRecord(0x012D, {0});                                          // select
    if (pen) {
        const std::uint32_t line = colorRef(*pen);
        records += wmfRecord(0x02FA, {0, 4, 0, int(line & 0xFFFF), int(line >> 16)})  // solid, 4 wide
                   + wmfRecord(0x012D, {1});
    }
    records += wmfRecord(0x041B, {bottom, right, top, left})  // rectangle
               + wmfRecord(0x0000, {});                       // end
    const QByteArray placeable = le32(0x9AC6CDD7u) + le16(0) + le16(0) + le16(0) + le16(width) + le16(height) +
                                 le16(96) + le32(0);
    int checksum = 0;
    for (int i = 0; i < placeable.size(); i += 2)
        checksum ^= uchar(placeable[i]) | uchar(placeable[i + 1]) << 8;
    // On disk, 9 header words, version 3, the size in words, one object, the largest record.
    const QByteArray header = le16(1) + le16(9) + le16(0x0300) + le32(std::uint32_t(9 + records.size() / 2)) +
                              le16(pen ? 2 : 1) + le32(7) + le16(0);
    return placeable + le16(checksum) + header + records;
}

QByteArray emf(int width, int height, int left, int top, int right, int bottom, Rgb fill)
{
    const QByteArray records = emfRecord(39, {1, 0, std::int32_t(colorRef(fill)), 0})  // brush
                               + emfRecord(37, {1})                                  // select
                               + emfRecord(43, {left, top, right, bottom})           // rectangle
                               + emfRecord(14, {0, 16, 20});                         // end
    // Type, size, bounds in device pixels, frame in 0.01 mm, signature, version, bytes, records,
    // handles, no description, no palette, the reference device in pixels and millimetres.
    QByteArray header = le32(1) + le32(88);
    for (const int v : {0, 0, width, height, 0, 0, width * 2540 / 96, height * 2540 / 96})
        header += le32(std::uint32_t(v));
    header += le32(0x464D4520u) + le32(0x10000u) + le32(std::uint32_t(88 + records.size())) + le32(5) + le16(2) +
              le16(0) + le32(0) + le32(0) + le32(0);
    for (const int v : {1024, 768, 271, 203})
        header += le32(std::uint32_t(v));
    return header + records;
}

QByteArray pngHeader(std::uint32_t width, std::uint32_t height)
{
    const QByteArray greyEightBit("\x08\x00\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", be32(width) + be32(height) + greyEightBit) +
           pngChunk("IDAT", qCompress(QByteArray(64, '\0')).mid(4)) + pngChunk("IEND", {});
}

QByteArray tiffChain(int extraPages, bool loop)
{
    // Every directory describes the same 8 x 8 grey strip.
    constexpr int kEntries = 9;
    constexpr int kDirectoryBytes = 2 + kEntries * 12 + 4;
    const int pages = 1 + extraPages;
    const std::uint32_t strip = 8 + std::uint32_t(pages * kDirectoryBytes);
    QByteArray b = QByteArray("II*\0", 4) + le32(8);
    for (int page = 0; page < pages; ++page) {
        b += le16(kEntries);
        // Width, height, bits per sample, no compression, black is zero, strip offset, samples
        // per pixel, rows per strip, strip bytes.
        const std::tuple<int, int, std::uint32_t> entries[kEntries] = {
            {256, 3, 8}, {257, 3, 8},     {258, 3, 8}, {259, 3, 1}, {262, 3, 1},
            {273, 4, strip}, {277, 3, 1}, {278, 3, 8}, {279, 4, 64}};
        for (const auto& [tag, type, value] : entries)
            b += le16(tag) + le16(type) + le32(1) + le32(value);
        const bool last = page == pages - 1;
        b += le32(last ? (loop ? 8u : 0u) : std::uint32_t(8 + (page + 1) * kDirectoryBytes));
    }
    for (int i = 0; i < 64; ++i)
        b += char(i * 4);
    return b;
}

QByteArray encoded(const Picture& picture, const QString& format, const QString& scratchFolder)
{
    const QString in = writePng(picture, QDir(scratchFolder).filePath("encoder-source.png"));
    const QString out = QDir(scratchFolder).filePath("encoder-output." + format.toLower());
    const ToolResult made = format == "JP2" ? runTool("opj_compress", {"-i", in, "-o", out, "-n", "4"})
                                            : runTool("convert", {in, format + ':' + out});
    const QByteArray bytes = made.exitCode == 0 ? readBytes(out) : QByteArray();
    QFile::remove(in);
    QFile::remove(out);
    return bytes;
}

QString magick(const QString& arguments, const QString& folder)
{
    QStringList list = arguments.split(u' ');
    QString target = list.takeLast();
    const QString file = QDir(folder).filePath(target.section(u':', -1));
    const ToolResult made = runTool("convert", list << target.replace(target.section(u':', -1), file));
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return file;
}

QByteArray withLongSignatureBox(const QByteArray& jp2)
{
    const QByteArray shortForm("\x00\x00\x00\x0C\x6A\x50\x20\x20\x0D\x0A\x87\x0A", 12);
    if (!jp2.startsWith(shortForm))
        return {};
    return QByteArray("\x00\x00\x00\x01\x6A\x50\x20\x20\x00\x00\x00\x00\x00\x00\x00\x14\x0D\x0A\x87\x0A", 20) + jp2.mid(12);
}

}  // namespace lumora::test::samples
