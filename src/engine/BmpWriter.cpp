#include "engine/BmpWriter.h"

#include "engine/ByteSink.h"
#include "engine/VipsBridge.h"

#include <QString>

namespace lumora {

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

// Bytes of one stored row: rows are padded to whole 32-bit words.
quint64 strideOf(int width, int bits) { return (static_cast<quint64>(width) * static_cast<quint64>(bits) + 31) / 32 * 4; }

void writeHeaders(ByteSink& out, int width, int height, int bits, std::uint32_t paletteEntries)
{
    const quint64 pixelBytes = strideOf(width, bits) * static_cast<quint64>(height);
    const quint64 offset = kHeadersSize + 4ull * paletteEntries;
    // The file records its size and offsets in 32 bits.
    if (offset + pixelBytes > 0xFFFFFFFFull)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too large for a bitmap file"));
    out.text("BM");
    out.le32(static_cast<std::uint32_t>(offset + pixelBytes));
    out.le32(0);
    out.le32(static_cast<std::uint32_t>(offset));
    out.le32(40);
    out.le32(static_cast<std::uint32_t>(width));
    out.le32(static_cast<std::uint32_t>(height));  // positive: rows stored bottom up
    out.le16(1);
    out.le16(static_cast<unsigned>(bits));
    out.le32(0);  // uncompressed
    out.le32(static_cast<std::uint32_t>(pixelBytes));
    out.le32(kPixelsPerMetre);
    out.le32(kPixelsPerMetre);
    out.le32(paletteEntries);
    out.le32(0);
}

}  // namespace

QByteArray BmpWriter::trueColour(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    QByteArray bytes;
    ByteSink out(bytes);
    writeHeaders(out, width, height, 24, 0);
    const auto stride = static_cast<qsizetype>(strideOf(width, 24));
    bytes.reserve(bytes.size() + stride * height);
    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* in = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(in[3 * x + 2]);
            row[3 * x + 1] = static_cast<char>(in[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(in[3 * x]);
        }
        bytes.append(row);
    }
    return bytes;
}

QByteArray BmpWriter::indexed(const IndexedImage& image)
{
    const int bits = image.bits;
    const std::uint32_t entries = 1u << bits;
    QByteArray bytes;
    ByteSink out(bytes);
    writeHeaders(out, image.width, image.height, bits, entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    const auto stride = static_cast<qsizetype>(strideOf(image.width, bits));
    bytes.reserve(bytes.size() + stride * image.height);
    const int perByte = 8 / bits;
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const std::uint8_t* in = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            // The leftmost pixel sits in the high bits of its byte.
            const int shift = (perByte - 1 - x % perByte) * bits;
            row[x / perByte] = static_cast<char>(static_cast<std::uint8_t>(row[x / perByte]) | (in[x] << shift));
        }
        bytes.append(row);
    }
    return bytes;
}

}  // namespace lumora
