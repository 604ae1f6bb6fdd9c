#include "engine/ImageEncoder.h"

#include "core/OleColor.h"
#include "engine/BmpWriter.h"
#include "engine/GifWriter.h"
#include "engine/PaletteQuantizer.h"
#include "engine/PcxWriter.h"
#include "engine/PdfWriter.h"
#include "engine/PngPaletteWriter.h"
#include "engine/PsdWriter.h"
#include "engine/TiffWriter.h"
#include "engine/VipsBridge.h"
#include "engine/VipsRuntime.h"

#include <QStringList>

#include <glib.h>

#include <algorithm>
#include <new>
#include <optional>

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

VImage greyOf(const VImage& image)
{
    return vipsbridge::colourBands(image).colourspace(VIPS_INTERPRETATION_B_W).cast(VIPS_FORMAT_UCHAR);
}

QByteArray viaMagick(const VImage& image, const char* format)
{
    ensureVipsMagickModule();
    return takeBlob(image.magicksave_buffer(VImage::option()->set("format", format)));
}

std::optional<Rgb> transparentColour(const EncoderOptions& o)
{
    if (!o.saveTransparent)
        return std::nullopt;
    return OleColor::toRgb(o.transparentColor);
}

QByteArray jpeg(const VImage& image, const EncoderOptions& o)
{
    // JPEG has no alpha: transparent parts come out as they are stored (no matting).
    const VImage ready = o.colorDepth == 2 ? greyOf(image) : vipsbridge::colourBands(image);
    return takeBlob(ready.jpegsave_buffer(
        VImage::option()->set("Q", std::clamp(o.jpegQuality, 1, 100))->set("interlace", o.jpegProgressive)));
}

// libpng writes an eXIf chunk a second time after the image data, where a PNG may not hold one
// (one eXIf, before the image data); the late copies go. A PNG whose chunks do not line up is
// left as it is.
QByteArray withoutLateExif(const QByteArray& png)
{
    const auto readLength = [&png](qsizetype at) {
        return (quint32{uchar(png[at])} << 24) | (quint32{uchar(png[at + 1])} << 16) |
               (quint32{uchar(png[at + 2])} << 8) | quint32{uchar(png[at + 3])};
    };
    QByteArray kept = png.left(8);
    bool imageDataSeen = false;
    for (qsizetype at = 8; at < png.size();) {
        if (png.size() - at < 12 || readLength(at) > quint32(png.size() - at - 12))
            return png;
        const qsizetype end = at + 12 + qsizetype(readLength(at));
        const QByteArray type = png.mid(at + 4, 4);
        imageDataSeen = imageDataSeen || type == "IDAT";
        if (!(imageDataSeen && type == "eXIf"))
            kept.append(png.constData() + at, end - at);
        at = end;
    }
    return kept;
}

QByteArray png(const VImage& image, int depth, std::optional<Rgb> transparent)
{
    if (depth == 1)
        return PngPaletteWriter::write(PaletteQuantizer::reduce(image, 1, transparent));
    VImage ready = image;
    if (transparent) {
        // The transparent colour goes into the alpha band; pixels that were already (partly)
        // transparent stay so.
        const VImage colours = vipsbridge::colourBands(image);
        const VImage isTransparent =
            (colours == std::vector<double>{double(transparent->r), double(transparent->g), double(transparent->b)})
                .bandand();
        const VImage opacity = vipsbridge::hasAlpha(image) ? image[3] : colours.new_from_image(255.0);
        ready = colours.bandjoin(isTransparent.ifthenelse(0.0, opacity).cast(VIPS_FORMAT_UCHAR));
        ready = ready.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    }
    QByteArray bytes = takeBlob(ready.pngsave_buffer(VImage::option()->set("compression", 6)));
    return vips_image_get_typeof(ready.get_image(), VIPS_META_EXIF_NAME) != 0 ? withoutLateExif(bytes) : bytes;
}

// A WebP's EXIF chunk holds the TIFF structure itself; libvips puts the "Exif\0\0" of a JPEG
// segment before it, which readers other than exiftool miss. The prefix goes, and the sizes of
// the chunk and the file shrink with it. A WebP whose chunks do not line up is left as it is.
QByteArray withBareWebpExif(const QByteArray& webp)
{
    const QByteArray prefix("Exif\0\0", 6);
    const auto readSize = [&webp](qsizetype at) {
        return quint32{uchar(webp[at])} | (quint32{uchar(webp[at + 1])} << 8) | (quint32{uchar(webp[at + 2])} << 16) |
               (quint32{uchar(webp[at + 3])} << 24);
    };
    const auto writeSize = [](QByteArray& bytes, qsizetype at, quint32 size) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((size >> (8 * i)) & 0xFF);
    };
    if (webp.size() < 12 || !webp.startsWith("RIFF") || webp.mid(8, 4) != "WEBP")
        return webp;
    for (qsizetype at = 12; webp.size() - at >= 8;) {
        const quint32 size = readSize(at + 4);
        if (size > quint32(webp.size() - at - 8))
            return webp;
        if (webp.mid(at, 4) == "EXIF" && webp.mid(at + 8, prefix.size()) == prefix) {
            QByteArray bare = webp;
            bare.remove(at + 8, prefix.size());
            writeSize(bare, at + 4, size - quint32(prefix.size()));
            writeSize(bare, 4, readSize(4) - quint32(prefix.size()));
            return bare;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return webp;
}

// WebP and AVIF take the JPEG quality as theirs. What metadata the image holds (colour profile,
// EXIF, XMP) goes in with the pixels; an alpha band is kept.
QByteArray webp(const VImage& image, const EncoderOptions& o)
{
    return withBareWebpExif(
        takeBlob(image.webpsave_buffer(VImage::option()->set("Q", std::clamp(o.jpegQuality, 1, 100)))));
}

// AV1 at the encoder's fastest setting: on 8-megapixel photos the default effort took 16 to 28
// seconds a photo where this takes under one, for about 1 dB less at the same size.
QByteArray avif(const VImage& image, const EncoderOptions& o)
{
    if (!ensureVipsHeifSaver())
        fail("SaveToFile", QStringLiteral("AVIF files need the image library's vips-heif.so module, which is missing"));
    return takeBlob(image.heifsave_buffer(VImage::option()
                                              ->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_AV1)
                                              ->set("Q", std::clamp(o.jpegQuality, 1, 100))
                                              ->set("bitdepth", 8)
                                              ->set("effort", 0)));
}

QByteArray tiff(const VImage& image, int depth, int compression, const QByteArray& base = {})
{
    using C = TiffWriter::Compression;
    if (compression == 2) {
        // Group 4 codes black and white only: a threshold when that is the depth, else dithered.
        return TiffWriter::indexed(PaletteQuantizer::reduce(image, depth == 6 ? 6 : 5), C::Group4, base);
    }
    const C c = compression == 1 ? C::PackBits : C::None;
    if (depth == 0)
        return TiffWriter::trueColour(vipsbridge::packedBytes(image), image.width(), image.height(), image.bands(), c,
                                      base);
    return TiffWriter::indexed(PaletteQuantizer::reduce(image, depth), c, base);
}

QByteArray bmp(const VImage& image, int depth)
{
    if (depth == 0)
        return BmpWriter::trueColour(vipsbridge::packedBytes(vipsbridge::colourBands(image)), image.width(), image.height());
    return BmpWriter::indexed(PaletteQuantizer::reduce(image, depth));
}

QByteArray pcx(const VImage& image, int depth)
{
    if (depth == 0)
        return PcxWriter::trueColour(vipsbridge::packedBytes(vipsbridge::colourBands(image)), image.width(), image.height());
    return PcxWriter::indexed(PaletteQuantizer::reduce(image, depth));
}

void addPdfPage(PdfWriter::Pages& pages, const VImage& image, int depth)
{
    if (depth == 0)
        pages.addTrueColour(vipsbridge::packedBytes(image), image.width(), image.height(), image.bands());
    else
        pages.addIndexed(PaletteQuantizer::reduce(image, depth));
}

QByteArray pdf(const VImage& image, int depth)
{
    PdfWriter::Pages pages;
    addPdfPage(pages, image, depth);
    return pages.document();
}

// The depth that writes a page read back from a PDF without changing a pixel: black and white and
// grey pages were stored with one component, and stay so.
int depthKeeping(const VImage& page)
{
    const VImage rgb = vipsbridge::colourBands(page);
    if ((rgb[0] == rgb[1]).min() < 255 || (rgb[1] == rgb[2]).min() < 255)
        return 0;
    return ((rgb[0] == 0.0) | (rgb[0] == 255.0)).min() == 255 ? 6 : 2;
}

// The pages of a PDF at one pixel per point, opaque RGB.
std::vector<VImage> pdfPages(const QByteArray& pdf)
{
    if (!pdf.startsWith("%PDF-"))
        fail("SaveToFile", QStringLiteral("the file is not a PDF"));
    if (!ensureVipsPdfReader())
        fail("SaveToFile", QStringLiteral("this installation cannot read PDF files"));
    const auto open = [&](int page) {
        VipsBlob* blob = vips_blob_new(nullptr, pdf.constData(), static_cast<size_t>(pdf.size()));
        VImage image = VImage::pdfload_buffer(blob, VImage::option()->set("page", page)->set("dpi", 72.0));
        vips_area_unref(VIPS_AREA(blob));
        return image;
    };
    const VImage first = open(0);
    const int count = first.get_typeof(VIPS_META_N_PAGES) ? first.get_int(VIPS_META_N_PAGES) : 1;
    std::vector<VImage> pages;
    for (int page = 0; page < count; ++page) {
        VImage image = page == 0 ? first : open(page);
        if (vipsbridge::hasAlpha(image))
            image = image.flatten(VImage::option()->set("background", std::vector<double>{255.0, 255.0, 255.0}));
        pages.push_back(vipsbridge::toUchar(image).copy_memory());
    }
    return pages;
}

QByteArray encodeAs(const VImage& image, const QString& ext, const EncoderOptions& o)
{
    const int depth = std::clamp(o.colorDepth, 0, 6);
    if (ext == u"jpg" || ext == u"jpeg" || ext == u"jpe")
        return jpeg(image, o);
    if (ext == u"webp")
        return webp(image, o);
    if (ext == u"avif")
        return avif(image, o);
    if (ext == u"png")
        return png(image, depth == 1 ? 1 : 0, transparentColour(o));
    if (ext == u"tif" || ext == u"tiff")
        return tiff(image, depth, std::clamp(o.tiffCompression, 0, 2));
    if (ext == u"gif")
        return GifWriter::write(PaletteQuantizer::reduce(image, depth == 0 ? 1 : depth, transparentColour(o)), o.gifLzw);
    if (ext == u"bmp")
        return bmp(image, depth);
    if (ext == u"pcx")
        return pcx(image, depth);
    if (ext == u"pdf")
        return pdf(image, depth);
    if (ext == u"psd")
        return PsdWriter::write(vipsbridge::packedBytes(vipsbridge::colourBands(image)), image.width(), image.height());
    return viaMagick((greyOf(image) >= 128.0).ifthenelse(255.0, 0.0).cast(VIPS_FORMAT_UCHAR), "WBMP");
}

}  // namespace

bool ImageEncoder::supports(const QString& extension)
{
    static const QStringList known = {"jpg", "jpeg", "jpe", "png", "tif",  "tiff", "bmp",
                                      "gif", "pcx",  "psd", "wbmp", "pdf", "webp", "avif"};
    return known.contains(extension);
}

QString ImageEncoder::extensionOfFormat(int code)
{
    static const char* const byCode[] = {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif", "pdf"};
    if (code < 0 || code >= int(std::size(byCode)))
        return {};
    return QString::fromLatin1(byCode[code]);
}

QByteArray ImageEncoder::appendTiffPage(const VImage& image, const EncoderOptions& o, const QByteArray& base)
{
    // An empty base would make the writer start a new file.
    if (base.isEmpty())
        fail("SaveToFile", QStringLiteral("the file is not a TIFF"));
    return vipsbridge::guarded("SaveToFile",
                               [&] { return tiff(image, std::clamp(o.colorDepth, 0, 6), std::clamp(o.tiffCompression, 0, 2), base); });
}

QByteArray ImageEncoder::appendPdfPage(const VImage& image, const EncoderOptions& o, const QByteArray& base)
{
    return vipsbridge::guarded("SaveToFile", [&] {
        PdfWriter::Pages pages;
        for (const VImage& page : pdfPages(base))
            addPdfPage(pages, page, depthKeeping(page));
        addPdfPage(pages, image, std::clamp(o.colorDepth, 0, 6));
        return pages.document();
    });
}

QByteArray ImageEncoder::encode(const VImage& image, const QString& extension, const EncoderOptions& o)
{
    const QString ext = extension.toLower();
    if (!supports(ext))
        fail("SaveToFile", QStringLiteral("no writer for \".%1\" files").arg(ext));
    return vipsbridge::guarded("SaveToFile", [&] {
        try {
            return encodeAs(image, ext, o);
        } catch (const std::bad_alloc&) {
            fail("SaveToFile", QStringLiteral("not enough memory to write the \".%1\" file").arg(ext));
        }
    });
}

}  // namespace lumora
