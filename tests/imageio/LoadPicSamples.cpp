#include "LoadPicSamples.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QDir>
#include <QtEndian>

#include <array>

namespace lumora::test::samples {
namespace {

void putLe16(QByteArray& b, int v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}
void putLe32(QByteArray& b, std::uint32_t v)
{
    putLe16(b, static_cast<int>(v & 0xFFFF));
    putLe16(b, static_cast<int>(v >> 16));
}
void putBe16(QByteArray& b, int v)
{
    b.append(static_cast<char>((v >> 8) & 0xFF));
    b.append(static_cast<char>(v & 0xFF));
}
void putBe32(QByteArray& b, std::uint32_t v)
{
    putBe16(b, static_cast<int>(v >> 16));
    putBe16(b, static_cast<int>(v & 0xFFFF));
}

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

void pngChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    putBe32(png, static_cast<std::uint32_t>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png.append(typed);
    putBe32(png, crc32(typed));
}

// A metafile record: its size in 16-bit words, the function number, the parameters.
QByteArray wmfRecord(int function, std::initializer_list<int> parameters)
{
    QByteArray r;
    putLe32(r, static_cast<std::uint32_t>(3 + parameters.size()));
    putLe16(r, function);
    for (const int p : parameters)
        putLe16(r, p);
    return r;
}

QByteArray emfRecord(std::uint32_t type, std::initializer_list<std::int32_t> values)
{
    QByteArray r;
    putLe32(r, type);
    putLe32(r, static_cast<std::uint32_t>(8 + 4 * values.size()));
    for (const std::int32_t v : values)
        putLe32(r, static_cast<std::uint32_t>(v));
    return r;
}

std::uint32_t colorRef(Rgb c) { return c.r | (c.g << 8) | (static_cast<std::uint32_t>(c.b) << 16); }

}  // namespace

QByteArray pgm(const Picture& picture)
{
    QByteArray b = QStringLiteral("P5\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            b.append(static_cast<char>(picture.rgbAt(x, y).r));
    return b;
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
            b.append(static_cast<char>(byte));
        }
    return b;
}

QByteArray pix(const Picture& picture)
{
    QByteArray b;
    putBe16(b, picture.width());
    putBe16(b, picture.height());
    putBe16(b, 0);
    putBe16(b, 0);
    putBe16(b, 24);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            b.append('\x01');  // a run of one pixel, in blue, green, red order
            b.append(static_cast<char>(c.b));
            b.append(static_cast<char>(c.g));
            b.append(static_cast<char>(c.r));
        }
    return b;
}

QByteArray koala()
{
    // Load address, 40 x 25 cells of eight bitmap bytes, screen colours, colour RAM, background.
    // Bit pairs 01 take the screen colour's upper nibble (1, white); 00 the background (0, black).
    QByteArray b("\x00\x60", 2);
    for (int cellRow = 0; cellRow < 25; ++cellRow)
        b.append(QByteArray(40 * 8, cellRow < 12 ? '\x55' : '\x00'));
    b.append(QByteArray(1000, '\x10'));
    b.append(QByteArray(1000, '\x00'));
    b.append('\x00');
    return b;
}

QByteArray bmp(const Picture& picture, std::uint32_t sizeField)
{
    const int rowBytes = (picture.width() * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * picture.height());
    QByteArray b("BM");
    putLe32(b, sizeField != 0 ? sizeField : 54 + pixelBytes);
    putLe32(b, 0);
    putLe32(b, 54);
    putLe32(b, 40);
    putLe32(b, static_cast<std::uint32_t>(picture.width()));
    putLe32(b, static_cast<std::uint32_t>(picture.height()));
    putLe16(b, 1);
    putLe16(b, 24);
    putLe32(b, 0);
    putLe32(b, pixelBytes);
    putLe32(b, 2835);
    putLe32(b, 2835);
    putLe32(b, 0);
    putLe32(b, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            b.append(static_cast<char>(c.b));
            b.append(static_cast<char>(c.g));
            b.append(static_cast<char>(c.r));
        }
        b.append(QByteArray(rowBytes - picture.width() * 3, '\0'));
    }
    return b;
}

QByteArray placeableWmf(int width, int height, int left, int top, int right, int bottom, Rgb fill)
{
    const std::uint32_t colour = colorRef(fill);
    const QByteArray records =
        wmfRecord(0x02FC, {0, static_cast<int>(colour & 0xFFFF), static_cast<int>(colour >> 16), 0})  // brush
        + wmfRecord(0x012D, {0})                                                                  // select
        + wmfRecord(0x041B, {bottom, right, top, left})                                           // rectangle
        + wmfRecord(0x0000, {});                                                                  // end
    QByteArray placeable;
    putLe32(placeable, 0x9AC6CDD7u);
    putLe16(placeable, 0);
    putLe16(placeable, 0);
    putLe16(placeable, 0);
    putLe16(placeable, width);
    putLe16(placeable, height);
    putLe16(placeable, 96);
    putLe32(placeable, 0);
    int checksum = 0;
    for (int i = 0; i < placeable.size(); i += 2)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + i);
    putLe16(placeable, checksum);
    QByteArray header;
    putLe16(header, 1);     // on disk
    putLe16(header, 9);     // header words
    putLe16(header, 0x0300);
    putLe32(header, static_cast<std::uint32_t>(9 + records.size() / 2));
    putLe16(header, 1);     // objects
    putLe32(header, 7);     // largest record
    putLe16(header, 0);
    return placeable + header + records;
}

QByteArray emf(int width, int height, int left, int top, int right, int bottom, Rgb fill)
{
    const QByteArray records = emfRecord(39, {1, 0, static_cast<std::int32_t>(colorRef(fill)), 0})  // brush
                               + emfRecord(37, {1})                                              // select
                               + emfRecord(43, {left, top, right, bottom})                       // rectangle
                               + emfRecord(14, {0, 16, 20});                                     // end
    QByteArray header;
    putLe32(header, 1);
    putLe32(header, 88);
    for (const int v : {0, 0, width, height})  // bounds, device pixels
        putLe32(header, static_cast<std::uint32_t>(v));
    for (const int v : {0, 0, width * 2540 / 96, height * 2540 / 96})  // frame, 0.01 mm
        putLe32(header, static_cast<std::uint32_t>(v));
    putLe32(header, 0x464D4520u);
    putLe32(header, 0x10000u);
    putLe32(header, static_cast<std::uint32_t>(88 + records.size()));
    putLe32(header, 5);  // records
    putLe16(header, 2);  // handles
    putLe16(header, 0);
    putLe32(header, 0);  // no description
    putLe32(header, 0);
    putLe32(header, 0);  // no palette
    for (const int v : {1024, 768, 271, 203})  // reference device: pixels and millimetres
        putLe32(header, static_cast<std::uint32_t>(v));
    return header + records;
}

QByteArray pngHeader(std::uint32_t width, std::uint32_t height)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    putBe32(ihdr, width);
    putBe32(ihdr, height);
    ihdr.append("\x08\x00\x00\x00\x00", 5);  // 8-bit grey, no interlace
    pngChunk(png, "IHDR", ihdr);
    pngChunk(png, "IDAT", qCompress(QByteArray(64, '\0')).mid(4));
    pngChunk(png, "IEND", {});
    return png;
}

QByteArray tiffChain(int extraPages, bool loop)
{
    // Every directory describes the same 8 x 8 grey strip.
    constexpr int kEntries = 9;
    constexpr int kDirectoryBytes = 2 + kEntries * 12 + 4;
    const int pages = 1 + extraPages;
    const std::uint32_t strip = 8 + static_cast<std::uint32_t>(pages * kDirectoryBytes);
    QByteArray b("II*\0", 4);
    putLe32(b, 8);
    for (int page = 0; page < pages; ++page) {
        putLe16(b, kEntries);
        const auto entry = [&b](int tag, int type, std::uint32_t value) {
            putLe16(b, tag);
            putLe16(b, type);
            putLe32(b, 1);
            putLe32(b, value);
        };
        entry(256, 3, 8);       // width
        entry(257, 3, 8);       // height
        entry(258, 3, 8);       // bits per sample
        entry(259, 3, 1);       // no compression
        entry(262, 3, 1);       // black is zero
        entry(273, 4, strip);   // strip offset
        entry(277, 3, 1);       // samples per pixel
        entry(278, 3, 8);       // rows per strip
        entry(279, 4, 64);      // strip bytes
        const bool last = page == pages - 1;
        putLe32(b, last ? (loop ? 8u : 0u) : static_cast<std::uint32_t>(8 + (page + 1) * kDirectoryBytes));
    }
    for (int i = 0; i < 64; ++i)
        b.append(static_cast<char>(i * 4));
    return b;
}

QByteArray jp2(const Picture& picture, const QString& scratchFolder)
{
    QByteArray ppm = QStringLiteral("P6\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            ppm.append(static_cast<char>(c.r));
            ppm.append(static_cast<char>(c.g));
            ppm.append(static_cast<char>(c.b));
        }
    const QString in = QDir(scratchFolder).filePath(QStringLiteral("opj-source.ppm"));
    const QString out = QDir(scratchFolder).filePath(QStringLiteral("opj-output.jp2"));
    writeBytes(in, ppm);
    const ToolResult made =
        runTool(QStringLiteral("opj_compress"), {QStringLiteral("-i"), in, QStringLiteral("-o"), out,
                                                 QStringLiteral("-n"), QStringLiteral("4")});
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
    QByteArray longForm("\x00\x00\x00\x01\x6A\x50\x20\x20\x00\x00\x00\x00\x00\x00\x00\x14\x0D\x0A\x87\x0A", 20);
    return longForm + jp2.mid(12);
}

}  // namespace lumora::test::samples
