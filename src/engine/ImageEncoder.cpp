#include "engine/ImageEncoder.h"

#include "engine/VipsBridge.h"

#include <QStringList>

#include <algorithm>

namespace lumora {

using vips::VImage;
using vipsbridge::fail;

namespace {

QByteArray takeBlob(VipsBlob* blob)
{
    size_t length = 0;
    const void* data = vips_blob_get(blob, &length);
    QByteArray bytes(static_cast<const char*>(data), static_cast<qsizetype>(length));
    vips_area_unref(VIPS_AREA(blob));
    return bytes;
}

bool greyDepth(int code) { return code == 2 || code == 4 || code == 5 || code == 6; }

// The image in the colour depth the options ask for, as far as the format's writer cannot do it
// itself: greys and black-and-white become one-band images.
VImage inDepth(const VImage& image, int code)
{
    if (!greyDepth(code))
        return image;
    VImage grey = vipsbridge::colourBands(image).colourspace(VIPS_INTERPRETATION_B_W);
    if (code == 5 || code == 6)
        grey = (grey > 127.0).ifthenelse(255.0, 0.0).cast(VIPS_FORMAT_UCHAR);
    return grey;
}

int bitDepthOf(int code)
{
    switch (code) {
    case 3:
    case 4:
        return 4;
    case 5:
    case 6:
        return 1;
    default:
        return 8;
    }
}

QByteArray viaMagick(const VImage& image, const char* format)
{
    return takeBlob(image.magicksave_buffer(VImage::option()->set("format", format)));
}

}  // namespace

bool ImageEncoder::supports(const QString& extension)
{
    static const QStringList known = {"jpg", "jpeg", "png", "tif", "tiff", "bmp", "gif", "pcx", "psd", "wbmp"};
    return known.contains(extension);
}

QString ImageEncoder::extensionOfFormat(int code)
{
    static const char* const byCode[] = {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif"};
    if (code < 0 || code >= int(std::size(byCode)))
        return {};
    return QString::fromLatin1(byCode[code]);
}

QByteArray ImageEncoder::encode(const VImage& image, const QString& extension, const EncoderOptions& o)
{
    const QString ext = extension.toLower();
    if (!supports(ext))
        fail("SaveToFile", QStringLiteral("no writer for \".%1\" files").arg(ext));
    return vipsbridge::guarded("SaveToFile", [&] {
        if (ext == u"jpg" || ext == u"jpeg") {
            // JPEG has no alpha: transparent parts come out as they are stored (no matting).
            VImage ready = inDepth(vipsbridge::colourBands(image), o.colorDepth == 2 ? 2 : 0);
            return takeBlob(ready.jpegsave_buffer(
                VImage::option()->set("Q", std::clamp(o.jpegQuality, 1, 100))->set("interlace", o.jpegProgressive)));
        }
        if (ext == u"png") {
            VImage ready = inDepth(image, o.colorDepth);
            auto* options = VImage::option()->set("compression", 6);
            if (o.colorDepth == 1 || o.colorDepth == 3)
                options->set("palette", true)->set("bitdepth", bitDepthOf(o.colorDepth));
            else if (greyDepth(o.colorDepth))
                options->set("bitdepth", bitDepthOf(o.colorDepth));
            return takeBlob(ready.pngsave_buffer(options));
        }
        if (ext == u"tif" || ext == u"tiff") {
            VImage ready = inDepth(image, o.tiffCompression == 2 ? 6 : o.colorDepth);
            auto* options = VImage::option();
            switch (o.tiffCompression) {
            case 1:
                options->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_PACKBITS);
                break;
            case 2:
                // Group 4 fax coding exists only for one-bit images.
                options->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_CCITTFAX4)->set("bitdepth", 1);
                break;
            default:
                options->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_NONE);
            }
            if (o.tiffCompression != 2 && greyDepth(o.colorDepth))
                options->set("bitdepth", bitDepthOf(o.colorDepth));
            return takeBlob(ready.tiffsave_buffer(options));
        }
        if (ext == u"gif") {
            const int bits = o.colorDepth == 3 || o.colorDepth == 4 ? 4 : 8;
            return takeBlob(image.gifsave_buffer(VImage::option()->set("bitdepth", bits)));
        }
        if (ext == u"bmp")
            return viaMagick(inDepth(image, o.colorDepth), "BMP");
        if (ext == u"pcx")
            return viaMagick(inDepth(image, o.colorDepth), "PCX");
        if (ext == u"psd")
            return viaMagick(image, "PSD");
        return viaMagick(inDepth(image, 6), "WBMP");
    });
}

}  // namespace lumora
