#include "LoadPicSamples.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QDir>

#include <array>
#include <tuple>

namespace lumora::test::samples {

QByteArray le16(int v) { return QByteArray(1, char(v)) + char(v >> 8); }
QByteArray le32(std::uint32_t v) { return le16(int(v & 0xFFFF)) + le16(int(v >> 16)); }
QByteArray be16(int v) { return QByteArray(1, char(v >> 8)) + char(v); }
QByteArray be32(std::uint32_t v) { return be16(int(v >> 16)) + be16(int(v & 0xFFFF)); }

namespace {

std::uint32_t crc32(const QByteArray& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

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

// The pixels row by row, each as the bytes `pixel` gives.
template <typename Pixel>
QByteArray rows(const Picture& picture, Pixel pixel)
{
    QByteArray b;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            b += pixel(picture.rgbAt(x, y));
    return b;
}

}  // namespace

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    return be32(std::uint32_t(data.size())) + type + data + be32(crc32(type + data));
}

QByteArray pgm(const Picture& picture)
{
    return QStringLiteral("P5\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1() +
           rows(picture, [](Rgb c) { return QByteArray(1, char(c.r)); });
}

QByteArray pbm(int width, int height, bool (*black)(int x, int y))
{
    QByteArray b = QStringLiteral("P4\n%1 %2\n").arg(width).arg(height).toLatin1();
    for (int y = 0; y < height; ++y)
        for (int x0 = 0; x0 < width; x0 += 8) {
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (x0 + bit < width && black(x0 + bit, y))
                    byte |= 0x80 >> bit;
            b += char(byte);
        }
    return b;
}

QByteArray pix(const Picture& picture)
{
    // A run of one pixel each, in blue, green, red order.
    return be16(picture.width()) + be16(picture.height()) + be16(0) + be16(0) + be16(24) +
           rows(picture, [](Rgb c) { return QByteArray(1, '\x01') + char(c.b) + char(c.g) + char(c.r); });
}

QByteArray koala()
{
    // Load address, 40 x 25 cells of eight bitmap bytes, screen colours, colour RAM, background.
    // Bit pairs 01 take the screen colour's upper nibble (1, white); 00 the background (0, black).
    return QByteArray("\x00\x60", 2) + QByteArray(12 * 40 * 8, '\x55') + QByteArray(13 * 40 * 8, '\x00') +
           QByteArray(1000, '\x10') + QByteArray(1001, '\x00');
}

QByteArray bmp(const Picture& picture, std::uint32_t sizeField)
{
    const int padding = (4 - picture.width() * 3 % 4) % 4;
    const std::uint32_t pixelBytes = std::uint32_t((picture.width() * 3 + padding) * picture.height());
    QByteArray b = "BM" + le32(sizeField != 0 ? sizeField : 54 + pixelBytes) + le32(0) + le32(54) + le32(40) +
                   le32(std::uint32_t(picture.width())) + le32(std::uint32_t(picture.height())) + le16(1) + le16(24) +
                   le32(0) + le32(pixelBytes) + le32(2835) + le32(2835) + le32(0) + le32(0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            b += QByteArray(1, char(c.b)) + char(c.g) + char(c.r);
        }
        b += QByteArray(padding, '\0');
    }
    return b;
}

QByteArray placeableWmf(int width, int height, int left, int top, int right, int bottom, Rgb fill)
{
    const std::uint32_t colour = colorRef(fill);
    const QByteArray records = wmfRecord(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0})  // brush
                               + wmfRecord(0x012D, {0})                                          // select
                               + wmfRecord(0x041B, {bottom, right, top, left})                   // rectangle
                               + wmfRecord(0x0000, {});                                          // end
    const QByteArray placeable = le32(0x9AC6CDD7u) + le16(0) + le16(0) + le16(0) + le16(width) + le16(height) +
                                 le16(96) + le32(0);
    int checksum = 0;
    for (int i = 0; i < placeable.size(); i += 2)
        checksum ^= uchar(placeable[i]) | uchar(placeable[i + 1]) << 8;
    // On disk, 9 header words, version 3, the size in words, one object, the largest record.
    const QByteArray header = le16(1) + le16(9) + le16(0x0300) + le32(std::uint32_t(9 + records.size() / 2)) + le16(1) +
                              le32(7) + le16(0);
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

QByteArray jp2(const Picture& picture, const QString& scratchFolder)
{
    const QString in = QDir(scratchFolder).filePath("opj-source.ppm");
    const QString out = QDir(scratchFolder).filePath("opj-output.jp2");
    writeBytes(in, QStringLiteral("P6\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1() +
                       rows(picture, [](Rgb c) { return QByteArray(1, char(c.r)) + char(c.g) + char(c.b); }));
    const ToolResult made = runTool("opj_compress", {"-i", in, "-o", out, "-n", "4"});
    const QByteArray bytes = made.exitCode == 0 ? readBytes(out) : QByteArray();
    QFile::remove(in);
    QFile::remove(out);
    return bytes;
}

QByteArray withLongSignatureBox(const QByteArray& jp2)
{
    const QByteArray shortForm("\x00\x00\x00\x0C\x6A\x50\x20\x20\x0D\x0A\x87\x0A", 12);
    if (!jp2.startsWith(shortForm))
        return {};
    return QByteArray("\x00\x00\x00\x01\x6A\x50\x20\x20\x00\x00\x00\x00\x00\x00\x00\x14\x0D\x0A\x87\x0A", 20) + jp2.mid(12);
}

}  // namespace lumora::test::samples
