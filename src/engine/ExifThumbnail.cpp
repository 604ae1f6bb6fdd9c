#include "engine/ExifThumbnail.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumora::exifthumbnail {
namespace {

QByteArray jpegOf(const vips::VImage& small)
{
    VipsBlob* saved = small.jpegsave_buffer(vips::VImage::option()->set("Q", 75)->set("strip", true));
    size_t size = 0;
    const void* data = vips_blob_get(saved, &size);
    const QByteArray bytes(static_cast<const char*>(data), qsizetype(size));
    vips_area_unref(VIPS_AREA(saved));
    return bytes;
}

}  // namespace

std::optional<QByteArray> fromMemory(const vips::VImage& image, bool grey)
{
    VipsImage* in = image.get_image();
    const bool inMemory = in->dtype == VIPS_IMAGE_SETBUF || in->dtype == VIPS_IMAGE_SETBUF_FOREIGN;
    const int bands = image.bands();
    if (!inMemory || image.format() != VIPS_FORMAT_UCHAR || bands < 1 || bands > 4)
        return std::nullopt;
    const int width = image.width();
    const int height = image.height();
    const double scale = std::min({1.0, double(kSize) / width, double(kSize) / height});
    const int tw = std::max(1, int(std::lround(width * scale)));
    const int th = std::max(1, int(std::lround(height * scale)));
    const int colours = bands >= 3 ? 3 : 1;  // alpha, if any, is left out as the JPEG leaves it
    // About four samples a side under each thumbnail pixel.
    const int stepX = std::max(1, width / tw / 4);
    const int stepY = std::max(1, height / th / 4);
    const auto* pixels = static_cast<const uchar*>(in->data);
    const size_t rowBytes = size_t(VIPS_IMAGE_SIZEOF_LINE(in));

    std::vector<double> sums(size_t(tw) * th * colours, 0.0);
    std::vector<int> counts(size_t(tw) * th, 0);
    for (int y = stepY / 2; y < height; y += stepY) {
        const int ty = std::min(th - 1, int(qint64(y) * th / height));
        const uchar* row = pixels + size_t(y) * rowBytes;
        for (int x = stepX / 2; x < width; x += stepX) {
            const int tx = std::min(tw - 1, int(qint64(x) * tw / width));
            const size_t cell = size_t(ty) * tw + tx;
            const uchar* p = row + size_t(x) * bands;
            for (int c = 0; c < colours; ++c)
                sums[cell * colours + c] += p[c];
            ++counts[cell];
        }
    }
    const int outBands = grey ? 1 : colours;
    std::vector<uchar> small(size_t(tw) * th * outBands);
    for (size_t cell = 0; cell < counts.size(); ++cell) {
        const double n = std::max(1, counts[cell]);
        const double* s = &sums[cell * colours];
        if (outBands == 1) {
            const double value = colours == 3 ? (0.2126 * s[0] + 0.7152 * s[1] + 0.0722 * s[2]) / n : s[0] / n;
            small[cell] = uchar(std::clamp(std::lround(value), 0L, 255L));
        } else {
            for (int c = 0; c < 3; ++c)
                small[cell * 3 + c] = uchar(std::clamp(std::lround(s[c] / n), 0L, 255L));
        }
    }
    const vips::VImage thumbnail = vips::VImage::new_from_memory(small.data(), small.size(), tw, th, outBands,
                                                                 VIPS_FORMAT_UCHAR);
    return jpegOf(thumbnail.copy(vips::VImage::option()->set(
        "interpretation", outBands == 1 ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB)));
}

QByteArray fromJpeg(const QByteArray& jpeg)
{
    VipsBlob* blob = vips_blob_new(nullptr, jpeg.constData(), size_t(jpeg.size()));
    const vips::VImage small = [&] {
        try {
            return vips::VImage::thumbnail_buffer(
                blob, kSize, vips::VImage::option()->set("height", kSize)->set("size", VIPS_SIZE_DOWN));
        } catch (...) {
            vips_area_unref(VIPS_AREA(blob));
            throw;
        }
    }();
    vips_area_unref(VIPS_AREA(blob));
    return jpegOf(small);
}

}  // namespace lumora::exifthumbnail
