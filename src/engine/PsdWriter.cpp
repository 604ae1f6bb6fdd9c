#include "engine/PsdWriter.h"

#include "engine/VipsBridge.h"

#include <QString>

namespace lumora {

namespace {

constexpr int kMaxSide = 30000;  // larger images need the big-document variant, which few programs read

void be16(QByteArray& out, unsigned v)
{
    out.append(static_cast<char>((v >> 8) & 0xFFu));
    out.append(static_cast<char>(v & 0xFFu));
}

void be32(QByteArray& out, std::uint32_t v)
{
    be16(out, v >> 16);
    be16(out, v & 0xFFFFu);
}

}  // namespace

QByteArray PsdWriter::write(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    if (width > kMaxSide || height > kMaxSide)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too large for a Photoshop file"));
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(26 + 4 * 3 + 28 + 2 + 3 * pixels));
    out.append("8BPS");
    be16(out, 1);         // version
    out.append(6, '\0');  // reserved
    be16(out, 3);         // channels
    be32(out, static_cast<std::uint32_t>(height));
    be32(out, static_cast<std::uint32_t>(width));
    be16(out, 8);  // bits per channel
    be16(out, 3);  // RGB
    be32(out, 0);  // colour mode data
    // Image resources: the resolution, 72 dots per inch as in Lumora's other files. (Photoshop
    // expects it; the EXIF and IPTC are added to this section afterwards.)
    be32(out, 28);
    out.append("8BIM");
    be16(out, 0x03ED);  // resolution info
    be16(out, 0);       // empty name, padded to an even length
    be32(out, 16);
    for (int axis = 0; axis < 2; ++axis) {
        be32(out, 72u << 16);  // 16.16 fixed point
        be16(out, 1);          // pixels per inch
        be16(out, 1);          // shown in inches
    }
    be32(out, 0);  // layers and masks
    be16(out, 0);  // raw image data, one channel after the other
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(3 * pixels));
    char* planes = out.data() + start;
    for (size_t i = 0; i < pixels; ++i) {
        planes[i] = static_cast<char>(rgb[3 * i]);
        planes[pixels + i] = static_cast<char>(rgb[3 * i + 1]);
        planes[2 * pixels + i] = static_cast<char>(rgb[3 * i + 2]);
    }
    return out;
}

}  // namespace lumora
