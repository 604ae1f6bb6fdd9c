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
    return takeBlob(ready.pngsave_buffer(VImage::option()->set("compression", 6)));
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
                                      "gif", "pcx",  "psd", "wbmp", "pdf"};
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
