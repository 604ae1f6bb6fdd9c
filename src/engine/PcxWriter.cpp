#include "engine/PcxWriter.h"

#include "engine/ByteSink.h"
#include "engine/VipsBridge.h"

#include <QString>

namespace lumora {

namespace {

constexpr int kMaxSide = 65534;  // corners and line lengths are 16-bit fields

struct Layout {
    int bitsPerPlane = 8;
    int planes = 1;
    int bytesPerLine = 0;  // per plane, always even
};

Layout layoutOf(int width, int bitsPerPlane, int planes)
{
    if (width > kMaxSide)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too wide for a PCX file"));
    Layout l;
    l.bitsPerPlane = bitsPerPlane;
    l.planes = planes;
    l.bytesPerLine = (width * bitsPerPlane + 15) / 16 * 2;
    return l;
}

void writeHeader(ByteSink& out, int width, int height, const Layout& l, const std::vector<Rgb>& headerPalette, bool grey)
{
    if (height > kMaxSide + 1)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too tall for a PCX file"));
    out.u8(0x0A);  // ZSoft
    out.u8(5);     // version 3.0 and later: palette information is valid
    out.u8(1);     // run-length encoding
    out.u8(static_cast<unsigned>(l.bitsPerPlane));
    out.le16(0);
    out.le16(0);
    out.le16(static_cast<unsigned>(width - 1));
    out.le16(static_cast<unsigned>(height - 1));
    out.le16(72);
    out.le16(72);
    for (int i = 0; i < 16; ++i) {
        const Rgb c = i < int(headerPalette.size()) ? headerPalette[size_t(i)] : Rgb{};
        out.u8(c.r);
        out.u8(c.g);
        out.u8(c.b);
    }
    out.u8(0);
    out.u8(static_cast<unsigned>(l.planes));
    out.le16(static_cast<unsigned>(l.bytesPerLine));
    out.le16(grey ? 2 : 1);
    out.zeros(128 - 70);
}

// One plane of one scan line; runs never cross into the next plane, which some readers require.
void encodeLine(QByteArray& out, const std::uint8_t* line, int length)
{
    int i = 0;
    while (i < length) {
        const std::uint8_t v = line[i];
        int run = 1;
        while (i + run < length && run < 63 && line[i + run] == v)
            ++run;
        // A single byte of 0xC0 or above would read as a count: it goes as a run of one.
        if (run > 1 || v >= 0xC0)
            out.append(static_cast<char>(0xC0 | run));
        out.append(static_cast<char>(v));
        i += run;
    }
}

}  // namespace

QByteArray PcxWriter::trueColour(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    QByteArray bytes;
    ByteSink out(bytes);
    const Layout l = layoutOf(width, 8, 3);
    writeHeader(out, width, height, l, {}, false);
    std::vector<std::uint8_t> plane(static_cast<size_t>(l.bytesPerLine), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int band = 0; band < 3; ++band) {
            for (int x = 0; x < width; ++x)
                plane[size_t(x)] = in[3 * x + band];
            encodeLine(bytes, plane.data(), l.bytesPerLine);
        }
    }
    return bytes;
}

QByteArray PcxWriter::indexed(const IndexedImage& image)
{
    QByteArray bytes;
    ByteSink out(bytes);
    const bool grey = image.kind == IndexedImage::Kind::Grey;
    if (image.bits == 8) {
        // One 8-bit plane; the 256-entry palette follows the pixels.
        const Layout l = layoutOf(image.width, 8, 1);
        writeHeader(out, image.width, image.height, l, {}, grey);
        std::vector<std::uint8_t> line(static_cast<size_t>(l.bytesPerLine), 0);
        for (int y = 0; y < image.height; ++y) {
            std::copy(image.row(y), image.row(y) + image.width, line.begin());
            encodeLine(bytes, line.data(), l.bytesPerLine);
        }
        out.u8(0x0C);
        for (size_t i = 0; i < 256; ++i) {
            const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
            out.u8(c.r);
            out.u8(c.g);
            out.u8(c.b);
        }
        return bytes;
    }
    // 16 colours in four 1-bit planes (bit n of the index in plane n), or one plane of black and
    // white; the header holds the palette.
    const int planes = image.bits == 4 ? 4 : 1;
    const Layout l = layoutOf(image.width, 1, planes);
    writeHeader(out, image.width, image.height, l, image.palette, grey);
    std::vector<std::uint8_t> line(static_cast<size_t>(l.bytesPerLine));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* in = image.row(y);
        for (int p = 0; p < planes; ++p) {
            std::fill(line.begin(), line.end(), 0);
            for (int x = 0; x < image.width; ++x) {
                if ((in[x] >> p) & 1)
                    line[size_t(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            encodeLine(bytes, line.data(), l.bytesPerLine);
        }
    }
    return bytes;
}

}  // namespace lumora
