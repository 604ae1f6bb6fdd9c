#include "engine/VipsBridge.h"

#include "engine/EngineError.h"

#include <cstring>

namespace lumora::vipsbridge {

using vips::VImage;

void fail(const char* operation, const QString& detail)
{
    QString text = QString::fromLatin1(operation);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    throw EngineError(text);
}

bool hasAlpha(const VImage& image) { return image.bands() == 2 || image.bands() == 4; }

VImage colourBands(const VImage& image) { return image.bands() > 3 ? image.extract_band(0, VImage::option()->set("n", 3)) : image; }

VImage withAlpha(const VImage& image)
{
    if (image.bands() == 4)
        return image;
    return image.bandjoin_const({255.0});
}

VImage toUchar(const VImage& image)
{
    if (image.format() == VIPS_FORMAT_UCHAR)
        return image;
    // cast truncates toward zero; rint first so that 127.5 and up become 128.
    return image.rint().cast(VIPS_FORMAT_UCHAR);
}

VImage normalise(VImage in)
{
    if (in.coding() == VIPS_CODING_LABQ)
        in = in.LabQ2Lab();
    else if (in.coding() == VIPS_CODING_RAD)
        in = in.rad2float();
    const VipsInterpretation interpretation = in.interpretation();
    const bool alreadySrgb8 = interpretation == VIPS_INTERPRETATION_sRGB && in.format() == VIPS_FORMAT_UCHAR &&
                              (in.bands() == 3 || in.bands() == 4);
    if (!alreadySrgb8) {
        if (in.bands() <= 2 && interpretation != VIPS_INTERPRETATION_GREY16 && interpretation != VIPS_INTERPRETATION_B_W)
            in = in.copy(VImage::option()->set("interpretation",
                                                in.format() == VIPS_FORMAT_USHORT ? VIPS_INTERPRETATION_GREY16
                                                                                  : VIPS_INTERPRETATION_B_W));
        else if (in.bands() >= 3 && interpretation == VIPS_INTERPRETATION_MULTIBAND)
            in = in.copy(VImage::option()->set("interpretation", in.format() == VIPS_FORMAT_USHORT
                                                                      ? VIPS_INTERPRETATION_RGB16
                                                                      : VIPS_INTERPRETATION_sRGB));
        in = in.colourspace(VIPS_INTERPRETATION_sRGB);
        if (in.format() != VIPS_FORMAT_UCHAR)
            in = toUchar(in);
    }
    if (in.bands() > 4)
        in = in.extract_band(0, VImage::option()->set("n", 4));
    return in;
}

int loadedDepth(const VImage& in)
{
    if (in.get_typeof("palette-bit-depth") != 0)
        return in.get_int("palette-bit-depth") == 1 ? 1 : 8;
    switch (in.bands()) {
    case 1:
        return 8;
    case 3:
        return 24;
    default:
        return 32;
    }
}

VImage fromPixels(const void* data, size_t size, int width, int height, int bands)
{
    VipsImage* raw = vips_image_new_from_memory_copy(data, size, width, height, bands, VIPS_FORMAT_UCHAR);
    if (!raw)
        throw vips::VError();
    return VImage(raw).copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

VImage fromPicture(const Picture& picture)
{
    if (picture.isNull())
        fail("BitmapHandle", QStringLiteral("empty picture"));
    return fromPixels(picture.pixels().constData(), static_cast<size_t>(picture.pixels().size()), picture.width(),
                      picture.height(), picture.bands());
}

std::vector<std::uint8_t> packedBytes(const VImage& image)
{
    size_t size = 0;
    void* data = image.write_to_memory(&size);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> bytes(begin, begin + size);
    g_free(data);
    return bytes;
}

Picture toPicture(const VImage& image)
{
    const VImage ready = normalise(image);
    VipsImage* source = ready.get_image();
    const size_t size = VIPS_IMAGE_SIZEOF_IMAGE(source);
    // The pixels go straight into the picture's own bytes: a photo of many megapixels is copied
    // once, not into a libvips buffer first and from there into the picture.
    QByteArray pixels(static_cast<qsizetype>(size), Qt::Uninitialized);
    const bool inMemory = (source->dtype == VIPS_IMAGE_SETBUF || source->dtype == VIPS_IMAGE_SETBUF_FOREIGN ||
                           source->dtype == VIPS_IMAGE_MMAPIN) &&
                          source->data != nullptr;
    if (inMemory) {
        // An image already computed (a view engine's always is) lies packed row after row.
        std::memcpy(pixels.data(), VIPS_IMAGE_ADDR(source, 0, 0), size);
    } else {
        // A pipeline is computed into those bytes, as libvips' write_to_memory would into its own.
        VipsImage* target = vips_image_new_from_memory(pixels.data(), size, ready.width(), ready.height(),
                                                       ready.bands(), ready.format());
        if (!target)
            throw vips::VError();
        const int failed = vips_image_write(source, target);
        g_object_unref(target);
        if (failed)
            throw vips::VError();
    }
    return Picture(ready.width(), ready.height(), ready.bands(), std::move(pixels));
}

VImage withoutMetadataBlocks(const VImage& image)
{
    VImage bare = image.copy();
    gchar** fields = vips_image_get_fields(bare.get_image());
    for (gchar** field = fields; *field; ++field) {
        const QByteArray name(*field);
        if (name == VIPS_META_EXIF_NAME || name == VIPS_META_IPTC_NAME || name == VIPS_META_XMP_NAME ||
            name.startsWith("exif-ifd"))
            vips_image_remove(bare.get_image(), *field);
    }
    g_strfreev(fields);
    return bare;
}

std::vector<double> pixelOf(std::uint32_t oleColor, int bands)
{
    const Rgb c = OleColor::toRgb(oleColor);
    std::vector<double> v{static_cast<double>(c.r), static_cast<double>(c.g), static_cast<double>(c.b)};
    if (bands == 4)
        v.push_back(255.0);
    return v;
}

}  // namespace lumora::vipsbridge
