#include "engine/ImageBox.h"

#include "core/WholeFileWrite.h"

#include "core/Conversions.h"
#include "core/PixelLimit.h"
#include "core/RegularFile.h"
#include "core/UprightPhotos.h"
#include "engine/BoundedGaussian.h"
#include "engine/Compositor.h"
#include "engine/EngineError.h"
#include "engine/EngineMetadata.h"
#include "engine/EngineSettings.h"
#include "engine/EngineSnapshot.h"
#include "engine/ExifDate.h"
#include "engine/ExifThumbnail.h"
#include "engine/Exiv2Runtime.h"
#include "engine/ImageEncoder.h"
#include "engine/IptcFile.h"
#include "engine/MetadataReader.h"
#include "engine/MetadataWriter.h"
#include "engine/PictureFileOpening.h"
#include "engine/TextRenderer.h"
#include "engine/TextStamp.h"
#include "engine/UnsharpKernel.h"
#include "engine/ViewGeometry.h"
#include "engine/VipsBridge.h"
#include "engine/VipsRuntime.h"

#include <QFile>
#include <QFileInfo>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {

using vips::VImage;
using namespace vipsbridge;

namespace {

// A lazy pipeline longer than this is computed once, so that a run of hundreds of small
// overlays (frame pieces) never builds an unbounded chain.
constexpr int kMaxPipelineDepth = 200;
// Text larger than this (in points) or than kMaxTextPixels could not be shown anyway; refusing it
// keeps a bad task from allocating gigabytes.
constexpr int kMaxFontSize = 2000;
constexpr qint64 kMaxTextPixels = 100'000'000;
// The strongest Sharpen drawn with one whole-number mask (the task page's range is 1 to 10).
constexpr int kMaxMaskSharpen = 10;

}  // namespace

struct ImageBox::Impl {
    Mode mode = Mode::Batch;

    std::optional<VImage> image;
    int depth = 0;
    // True while the image is a pipeline fed by a file decoded top to bottom: such a pipeline can
    // be read once, in order, so anything else computes it first.
    bool streamedSource = false;
    int pipelineDepth = 0;
    QString tag;

    EngineSettings settings;

    // EXIF, IPTC and XMP of the loaded file with the edits since; they belong to that file, so
    // a picture from elsewhere comes without them.
    EngineMetadata metadata;

    const VImage& current(const char* operation) const
    {
        if (!image)
            fail(operation, QStringLiteral("no image"));
        return *image;
    }

    // The image as a pipeline that can be read in any order and more than once.
    const VImage& randomAccess(const char* operation)
    {
        current(operation);
        if (streamedSource)
            materialise(operation);
        return *image;
    }

    // The image computed into memory, for reading its pixels.
    const VImage& computed(const char* operation)
    {
        current(operation);
        if (streamedSource || pipelineDepth > 0)
            materialise(operation);
        return *image;
    }

    void materialise(const char* operation)
    {
        image = guarded(operation, [&] { return current(operation).copy_memory(); });
        streamedSource = false;
        pipelineDepth = 0;
    }

    // The colour profile the image carries; empty when none.
    static QByteArray iccProfileOf(const VImage& image)
    {
        if (vips_image_get_typeof(image.get_image(), VIPS_META_ICC_NAME) == 0)
            return {};
        const void* data = nullptr;
        size_t length = 0;
        if (vips_image_get_blob(image.get_image(), VIPS_META_ICC_NAME, &data, &length) != 0)
            return {};
        return QByteArray(static_cast<const char*>(data), qsizetype(length));
    }

    // The bytes of a file of that format. libvips' own copy of the loaded file's metadata stays
    // out: JPEG, TIFF and PSD files get the engine's EXIF, IPTC and XMP through Exiv2; WebP, AVIF
    // and PNG its EXIF and XMP through their writer; other formats the XMP alone, as far as their
    // writer keeps it.
    QByteArray encode(const VImage& in, const QString& extension, const char* operation) const
    {
        VImage bare = guarded(operation, [&] { return withoutMetadataBlocks(in); });
        const bool carries = MetadataWriter::carriesMetadata(extension);
        const std::string& xmp = metadata.xmpPacket();
        if (!carries && !xmp.empty())
            vips_image_set_blob_copy(bare.get_image(), VIPS_META_XMP_NAME, xmp.data(), xmp.size());
        if (MetadataWriter::exifThroughEncoder(extension) && !metadata.exif().empty()) {
            EngineMetadata written = metadata;
            written.setPixelDimensions(bare.width(), bare.height());
            const QByteArray exif = MetadataWriter::exifBlock(written, operation);
            if (!exif.isEmpty())
                vips_image_set_blob_copy(bare.get_image(), VIPS_META_EXIF_NAME, exif.constData(), size_t(exif.size()));
        }
        const QByteArray bytes = ImageEncoder::encode(bare, extension, settings.save);
        // A PSD without metadata needs no second pass (and Exiv2 does not recognise the very
        // smallest PSD files at all).
        const bool nothingToEmbed = metadata.exif().empty() && !metadata.iptc().hasContent() && xmp.empty();
        if (!carries || (extension == u"psd" && nothingToEmbed))
            return bytes;
        // The EXIF says how large the image is: the written one.
        EngineMetadata written = metadata;
        written.setPixelDimensions(bare.width(), bare.height());
        // Photos are read upright when that is on, so what is written stands upright.
        if (UprightPhotos::enabled())
            written.setOrientationUpright();
        // A JPEG's EXIF thumbnail is made from the pixels at hand rather than decoded again.
        const auto thumbnail = [&]() -> QByteArray {
            if (auto fromPixels = exifthumbnail::fromMemory(in, settings.save.colorDepth == 2))
                return *fromPixels;
            return exifthumbnail::fromJpeg(bytes);
        };
        return MetadataWriter::embed(bytes, extension, written, operation, thumbnail, iccProfileOf(bare));
    }

    // Replaces the image by the result of an operation. A result past the pixel limit is an
    // engine failure, so the step is skipped before a pixel of it is made: a basket of a hundred
    // canvas steps or a resize to 32767 x 32767 would take gigabytes.
    void commit(VImage next, const char* operation)
    {
        if (qint64(next.width()) * next.height() > MaxPicturePixels)
            fail(operation, QStringLiteral("the result, %1 x %2 pixels, would be larger than %3 megapixels")
                                .arg(next.width())
                                .arg(next.height())
                                .arg(MaxPicturePixels / 1'000'000));
        image = std::move(next);
        ++pipelineDepth;
        if (mode == Mode::View || pipelineDepth > kMaxPipelineDepth)
            materialise(operation);
    }

    TextStyle textStyle() const
    {
        TextStyle style;
        style.font = settings.font;
        style.color = OleColor::toRgb(settings.textColor);
        style.backColor = OleColor::toRgb(settings.textBackColor);
        style.transparent = settings.textTransparent;
        style.antiAlias = settings.textAntiAlias;
        return style;
    }

    void applyOverlay(const VImage& picture, const char* operation)
    {
        // Pasting a blended piece back combines two reads of the image at different depths of
        // the pipeline, which a photo decoded top to bottom cannot serve.
        const VImage& base = randomAccess(operation);
        commit(guarded(operation, [&] { return Compositor::overlay(base, normalise(picture), settings.overlay); }), operation);
    }

    // The selection clipped to the image; EngineError when there is nothing to work on.
    QRect activeSelection(const char* operation) const
    {
        const VImage& in = current(operation);
        if (!settings.selectionActive || settings.selectionShape == SelectionShape::None)
            fail(operation, QStringLiteral("no active selection"));
        const QRect clipped = settings.selection.intersected(QRect(0, 0, in.width(), in.height()));
        if (clipped.isEmpty())
            fail(operation, QStringLiteral("the selection lies outside the image"));
        return clipped;
    }

    // 1 inside the selected ellipse, 0 outside, over the clipped selection rectangle.
    VImage ellipseMask(const QRect& clipped) const
    {
        const double cx = settings.selection.x() + settings.selection.width() / 2.0;
        const double cy = settings.selection.y() + settings.selection.height() / 2.0;
        const double rx = settings.selection.width() / 2.0;
        const double ry = settings.selection.height() / 2.0;
        const VImage xy = VImage::xyz(clipped.width(), clipped.height()).cast(VIPS_FORMAT_FLOAT);
        const VImage dx = (xy.extract_band(0) + (clipped.x() + 0.5 - cx)) / rx;
        const VImage dy = (xy.extract_band(1) + (clipped.y() + 0.5 - cy)) / ry;
        return (dx * dx + dy * dy) <= 1.0;
    }
};

ImageBox::ImageBox(Mode mode) : d(std::make_unique<Impl>())
{
    ensureVipsStarted();
    ensureExiv2Started();
    d->mode = mode;
}

ImageBox::~ImageBox() = default;

ImageBox::Mode ImageBox::mode() const { return d->mode; }

// --- the image ------------------------------------------------------------------------------

void ImageBox::LoadFromFile(const QString& path, int jpegShrink)
{
    // A batch must not write a cut photo grey-filled as if it were whole; a view shows what there is.
    bool turned = false;
    VImage loaded = PictureFileOpening::openUpright(path, "LoadFromFile", std::max(0, d->settings.tiffPage - 1),
                                                    d->mode == Mode::Batch, &turned, jpegShrink);
    // Exiv2 reads the metadata blocks only; the pixels stay for the pipeline to decode.
    EngineMetadata metadata = MetadataReader::read(path);
    d->depth = loadedDepth(loaded);
    d->image = guarded("LoadFromFile", [&] { return normalise(loaded); });
    d->metadata = std::move(metadata);
    // A turned photo is read in any order already; it is computed once when its pixels are read.
    d->streamedSource = !turned;
    d->pipelineDepth = turned ? 1 : 0;
    if (d->mode == Mode::View)
        d->materialise("LoadFromFile");
}

void ImageBox::SaveToFile(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (!ImageEncoder::supports(extension))
        fail("SaveToFile", QStringLiteral("no writer for \"%1\"").arg(path));
    // The pipeline runs once into memory (decoding, edits and all threads at work), then the
    // encoder writes from there; the engine keeps the computed image for whatever comes next.
    const VImage& ready = d->computed("SaveToFile");
    const QByteArray bytes = d->encode(ready, extension, "SaveToFile");
    if (const std::optional<QString> why = writeWholeFile(path, bytes))
        fail("SaveToFile", QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

namespace {

template <typename Grow>
void appendPage(const QString& path, const QString& reservedText, int reservedNumber, const char* operation, Grow&& grow)
{
    if (!reservedText.isEmpty() || reservedNumber != 0)
        fail(operation, QStringLiteral("no page options are offered"));
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        fail(operation, QStringLiteral("cannot read \"%1\"").arg(path));
    const QByteArray grown = grow(file.readAll());
    file.close();
    if (const std::optional<QString> why = writeWholeFile(path, grown))
        fail(operation, QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

}  // namespace

void ImageBox::AppendTiffPage(const QString& path, const QString& reservedText, int reservedNumber)
{
    const VImage& ready = d->computed("AppendTiffPage");
    const VImage bare = guarded("AppendTiffPage", [&] { return withoutMetadataBlocks(ready); });
    appendPage(path, reservedText, reservedNumber, "AppendTiffPage",
               [&](const QByteArray& base) { return ImageEncoder::appendTiffPage(bare, d->settings.save, base); });
}

void ImageBox::AppendPdfPage(const QString& path, const QString& reservedText, int reservedNumber)
{
    const VImage& ready = d->computed("AppendPdfPage");
    const VImage bare = guarded("AppendPdfPage", [&] { return withoutMetadataBlocks(ready); });
    appendPage(path, reservedText, reservedNumber, "AppendPdfPage",
               [&](const QByteArray& base) { return ImageEncoder::appendPdfPage(bare, d->settings.save, base); });
}

void ImageBox::ClearImage()
{
    d->image.reset();
    d->depth = 0;
    d->streamedSource = false;
    d->pipelineDepth = 0;
    d->settings.selectionShape = SelectionShape::None;
    d->settings.selectionActive = false;
    d->metadata.clear();
}

void ImageBox::CopyImageFrom(const ImageBox& other)
{
    if (&other == this)
        return;
    if (other.d->streamedSource)
        fail("CopyImageFrom", QStringLiteral("the image is read from its file and cannot be shared yet"));
    d->image = other.d->image;
    d->depth = other.d->depth;
    d->metadata = other.d->metadata;
    d->streamedSource = false;
    d->pipelineDepth = other.d->pipelineDepth;
    if (d->image && d->mode == Mode::View && d->pipelineDepth > 0)
        d->materialise("CopyImageFrom");
}

bool ImageBox::HasImage() const { return d->image.has_value(); }
int ImageBox::ImageWidth() const { return d->image ? d->image->width() : 0; }
int ImageBox::ImageHeight() const { return d->image ? d->image->height() : 0; }
int ImageBox::ImageDepth() const { return d->image ? d->depth : 0; }

QString ImageBox::Tag() const { return d->tag; }
void ImageBox::SetTag(const QString& tag) { d->tag = tag; }

std::uint32_t ImageBox::PixelColor(int x, int y) const
{
    const VImage& in = d->computed("PixelColor");
    if (x < 0 || y < 0 || x >= in.width() || y >= in.height())
        fail("PixelColor", QStringLiteral("(%1, %2) lies outside the image").arg(x).arg(y));
    const std::vector<double> p = guarded("PixelColor", [&] { return in.getpoint(x, y); });
    return OleColor::fromRgb(static_cast<std::uint8_t>(p[0]), static_cast<std::uint8_t>(p[1]),
                             static_cast<std::uint8_t>(p[2]));
}

QByteArray ImageBox::SaveToMemory(int format) const
{
    const VImage& in = d->computed("SaveToMemory");
    if (format == SnapshotFormat)
        return guarded("SaveToMemory", [&] { return EngineSnapshot::write(in, d->depth, d->metadata); });
    const QString extension = ImageEncoder::extensionOfFormat(format);
    if (extension.isEmpty())
        fail("SaveToMemory", QStringLiteral("unknown format %1").arg(format));
    return d->encode(in, extension, "SaveToMemory");
}

void ImageBox::LoadFromMemory(int format, const QByteArray& data)
{
    int depth = 0;
    // Only a snapshot brings metadata along: the bytes of a file are pixels from elsewhere.
    EngineMetadata metadata;
    VImage restored = guarded("LoadFromMemory", [&] {
        if (format == SnapshotFormat)
            return EngineSnapshot::read(data, &depth, &metadata);
        ensureVipsReaderFor(data);
        VImage decoded = VImage::new_from_buffer(data.constData(), static_cast<size_t>(data.size()), "");
        if (!RasterFitsLimits(decoded.width(), decoded.height(), data.size()))
            fail("LoadFromMemory", QStringLiteral("a picture of %1 x %2 pixels is too large")
                                       .arg(decoded.width())
                                       .arg(decoded.height()));
        depth = loadedDepth(decoded);
        return normalise(decoded).copy_memory();
    });
    d->image = std::move(restored);
    d->depth = depth;
    d->metadata = std::move(metadata);
    d->streamedSource = false;
    d->pipelineDepth = 0;
}

void ImageBox::SetBitmapHandle(const lumora::Picture& picture)
{
    VImage image = guarded("BitmapHandle", [&] { return fromPicture(picture); });
    d->image = std::move(image);
    d->depth = picture.bands() * 8;
    d->metadata.clear();
    d->streamedSource = false;
    d->pipelineDepth = 0;
}

lumora::Picture ImageBox::Picture() const
{
    const VImage& in = d->computed("Picture");
    return guarded("Picture", [&] { return toPicture(in); });
}

int ImageBox::TiffPageCount(const QString& path) const
{
    ensureVipsStarted();
    if (!IsRegularFile(path))
        return 0;  // finding the loader of a pipe would wait for a writer
    ensureVipsCodecFor(path);
    const QByteArray name = QFile::encodeName(path);
    const char* loader = vips_foreign_find_load(name.constData());
    if (!loader) {
        vips_error_clear();
        return 0;
    }
    if (!QByteArray(loader).startsWith("VipsForeignLoadTiff"))
        return 1;
    try {
        const VImage header = VImage::new_from_file(name.constData());
        return header.get_typeof("n-pages") != 0 ? std::max(1, header.get_int("n-pages")) : 1;
    } catch (const vips::VError&) {
        vips_error_clear();
        return 0;
    }
}

const EngineSettings& ImageBox::Settings() const { return d->settings; }
void ImageBox::SetSettings(const EngineSettings& settings) { d->settings = settings; }

int ImageBox::TiffPage() const { return d->settings.tiffPage; }
void ImageBox::SetTiffPage(int page) { d->settings.tiffPage = std::max(1, page); }

// --- geometry and filters ---------------------------------------------------------------------

std::uint32_t ImageBox::BackColor() const { return d->settings.backColor; }
void ImageBox::SetBackColor(std::uint32_t color)
{
    d->settings.backColor = color;
    d->settings.save.transparentColor = color;  // the colour that SaveTransparent makes transparent
}
bool ImageBox::RotateResample() const { return d->settings.rotateResample; }
void ImageBox::SetRotateResample(bool smooth) { d->settings.rotateResample = smooth; }

void ImageBox::Flip(int direction)
{
    if (direction != 0 && direction != 1)
        fail("Flip", QStringLiteral("unknown direction %1").arg(direction));
    // Mirroring left-right keeps rows in order and can stream; top-bottom reads rows backwards.
    const VImage& in = direction == 0 ? d->current("Flip") : d->randomAccess("Flip");
    d->commit(guarded("Flip", [&] {
                  return in.flip(direction == 0 ? VIPS_DIRECTION_HORIZONTAL : VIPS_DIRECTION_VERTICAL);
              }),
              "Flip");
}

void ImageBox::Rotate(double degrees)
{
    const VImage& in = d->randomAccess("Rotate");
    double turn = std::fmod(degrees, 360.0);
    if (turn < 0)
        turn += 360.0;
    VImage out = guarded("Rotate", [&] {
        if (turn == 0.0)
            return in;
        if (turn == 90.0)
            return in.rot(VIPS_ANGLE_D90);
        if (turn == 180.0)
            return in.rot(VIPS_ANGLE_D180);
        if (turn == 270.0)
            return in.rot(VIPS_ANGLE_D270);
        return in.rotate(turn, VImage::option()
                                   ->set("background", pixelOf(d->settings.backColor, in.bands()))
                                   ->set("interpolate", vips::VInterpolate::new_from_name(
                                                            d->settings.rotateResample ? "bilinear" : "nearest")));
    });
    d->commit(out, "Rotate");
}

namespace {

VImage resizeExactly(const VImage& in, int width, int height, VipsKernel kernel)
{
    VImage out = in.resize(double(width) / in.width(), VImage::option()
                                                           ->set("vscale", double(height) / in.height())
                                                           ->set("kernel", kernel));
    // The resampler rounds its output size; settle the last pixel row or column if it drifted.
    if (out.width() != width || out.height() != height)
        out = out.embed(0, 0, width, height, VImage::option()->set("extend", VIPS_EXTEND_COPY));
    return out;
}

}  // namespace

void ImageBox::ResizeTo(int width, int height)
{
    const VImage& in = d->current("ResizeTo");
    if (width <= 0 || height <= 0)
        fail("ResizeTo", QStringLiteral("invalid size %1 x %2").arg(width).arg(height));
    if (width == in.width() && height == in.height())
        return;
    d->commit(guarded("ResizeTo", [&] { return resizeExactly(in, width, height, VIPS_KERNEL_LINEAR); }), "ResizeTo");
}

void ImageBox::ResampleTo(int width, int height)
{
    const VImage& in = d->current("ResampleTo");
    if (width <= 0 || height <= 0)
        fail("ResampleTo", QStringLiteral("invalid size %1 x %2").arg(width).arg(height));
    if (width == in.width() && height == in.height())
        return;
    d->commit(guarded("ResampleTo", [&] { return resizeExactly(in, width, height, VIPS_KERNEL_LANCZOS3); }),
              "ResampleTo");
}

void ImageBox::Scale(double percent)
{
    const VImage& in = d->current("Scale");
    if (!(percent > 0))
        fail("Scale", QStringLiteral("invalid percentage %1").arg(percent));
    const auto side = [percent](int length) {
        return std::max(1.0, convert::roundHalfEven(length * percent / 100.0));
    };
    const double width = side(in.width());
    const double height = side(in.height());
    if (width > 65535 || height > 65535)
        fail("Scale", QStringLiteral("%1 percent is too large").arg(percent));
    ResampleTo(static_cast<int>(width), static_cast<int>(height));
}

void ImageBox::Crop(int left, int top, int right, int bottom)
{
    const VImage& in = d->current("Crop");
    const qint64 width = qint64(right) - left;
    const qint64 height = qint64(bottom) - top;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        fail("Crop", QStringLiteral("invalid area %1, %2, %3, %4").arg(left).arg(top).arg(right).arg(bottom));
    d->commit(guarded("Crop", [&] {
                  if (left >= 0 && top >= 0 && right <= in.width() && bottom <= in.height())
                      return in.extract_area(left, top, int(width), int(height));
                  return in.embed(-left, -top, int(width), int(height),
                                  VImage::option()
                                      ->set("extend", VIPS_EXTEND_BACKGROUND)
                                      ->set("background", pixelOf(d->settings.backColor, in.bands())));
              }),
              "Crop");
}

void ImageBox::Blur(int n)
{
    const VImage& in = d->current("Blur");
    if (n < 0)
        fail("Blur", QStringLiteral("invalid strength %1").arg(n));
    if (n == 0)
        return;
    d->commit(guarded("Blur", [&] { return BoundedGaussian::blur(in, 0.5 * n); }),
              "Blur");
}

void ImageBox::Sharpen(int n)
{
    d->current("Sharpen");
    if (n < 0)
        fail("Sharpen", QStringLiteral("invalid strength %1").arg(n));
    if (n == 0)
        return;
    // Unsharp mask: the image plus `amount` times its difference to a Gaussian-blurred copy.
    // Radius and amount both grow with n, from a light touch at 1 to a heavy crunch at 10.
    // Up to the strongest setting the task page offers, one whole-number mask does it; its size
    // grows with the square of n, so stronger settings subtract a blur of bounded cost instead.
    const double sigma = 0.5 + 0.1 * n;
    const double amount = 0.4 * n;
    // The blur and the image it is subtracted from read the photo side by side.
    const VImage& in = n <= kMaxMaskSharpen ? d->current("Sharpen") : d->randomAccess("Sharpen");
    d->commit(guarded("Sharpen", [&] {
                  const VImage colour = colourBands(in);
                  const VImage sharp =
                      n <= kMaxMaskSharpen
                          ? colour.conv(UnsharpKernel::make(sigma, amount),
                                        VImage::option()->set("precision", VIPS_PRECISION_INTEGER))
                          : toUchar(colour.cast(VIPS_FORMAT_FLOAT) * (1.0 + amount) -
                                    BoundedGaussian::blur(colour.cast(VIPS_FORMAT_FLOAT), sigma) * amount);
                  return hasAlpha(in) ? sharp.bandjoin(in.extract_band(3)) : sharp;
              }),
              "Sharpen");
}

namespace {

// Per-band straight line a * v + b on the flagged colour channels; alpha passes unchanged.
VImage adjustChannels(const VImage& in, double a, double b, bool red, bool green, bool blue)
{
    std::vector<double> scale{red ? a : 1.0, green ? a : 1.0, blue ? a : 1.0};
    std::vector<double> offset{red ? b : 0.0, green ? b : 0.0, blue ? b : 0.0};
    if (in.bands() == 4) {
        scale.push_back(1.0);
        offset.push_back(0.0);
    }
    return toUchar(in.linear(scale, offset));
}

}  // namespace

void ImageBox::AdjustContrast(int n, bool red, bool green, bool blue)
{
    const VImage& in = d->current("AdjustContrast");
    if (n < 0 || n > 100)
        fail("AdjustContrast", QStringLiteral("invalid amount %1").arg(n));
    if (n == 50 || !(red || green || blue))
        return;
    // The slope about mid-grey runs from 0 (flat grey) through 1 at 50 to a hard threshold at
    // 100: tan maps 0..100 onto 0..infinity with 50 in the middle.
    const double slope = n == 100 ? 1e4 : std::tan(n * M_PI / 200.0);
    d->commit(guarded("AdjustContrast",
                      [&] { return adjustChannels(in, slope, 127.5 * (1.0 - slope), red, green, blue); }),
              "AdjustContrast");
}

void ImageBox::AdjustBrightness(int n, bool red, bool green, bool blue)
{
    const VImage& in = d->current("AdjustBrightness");
    if (n < 0 || n > 100)
        fail("AdjustBrightness", QStringLiteral("invalid amount %1").arg(n));
    if (n == 50 || !(red || green || blue))
        return;
    // 0 is black, 100 is white, each step a fiftieth of the way there.
    const double offset = (n - 50) / 50.0 * 255.0;
    d->commit(guarded("AdjustBrightness", [&] { return adjustChannels(in, 1.0, offset, red, green, blue); }),
              "AdjustBrightness");
}

void ImageBox::Negative()
{
    const VImage& in = d->current("Negative");
    d->commit(guarded("Negative", [&] {
                  const VImage inverted = colourBands(in).invert();
                  return hasAlpha(in) ? inverted.bandjoin(in.extract_band(3)) : inverted;
              }),
              "Negative");
}

// --- overlay ----------------------------------------------------------------------------------

bool ImageBox::OverlayUseTransparentColor() const { return d->settings.overlay.useTransparentColor; }
void ImageBox::SetOverlayUseTransparentColor(bool use) { d->settings.overlay.useTransparentColor = use; }
std::uint32_t ImageBox::OverlayTransparentColor() const { return d->settings.overlay.transparentColor; }
void ImageBox::SetOverlayTransparentColor(std::uint32_t color) { d->settings.overlay.transparentColor = color; }
double ImageBox::OverlayTransparency() const { return d->settings.overlay.transparency; }
void ImageBox::SetOverlayTransparency(double percent) { d->settings.overlay.transparency = std::clamp(percent, 0.0, 100.0); }
int ImageBox::OverlayPlacement() const { return d->settings.overlay.placement; }

void ImageBox::SetOverlayPlacement(int placement)
{
    if (placement < 0 || placement > 3)
        fail("OverlayPlacement", QStringLiteral("unknown placement %1").arg(placement));
    d->settings.overlay.placement = placement;
}

int ImageBox::OverlayX() const { return d->settings.overlay.x; }
void ImageBox::SetOverlayX(int x) { d->settings.overlay.x = x; }
int ImageBox::OverlayY() const { return d->settings.overlay.y; }
void ImageBox::SetOverlayY(int y) { d->settings.overlay.y = y; }

void ImageBox::OverlayFile(const QString& path)
{
    d->current("OverlayFile");
    // A logo goes through the guards of any photo: a pipe or a decompression bomb as a logo
    // would hold or take the whole run.
    const VImage opened = PictureFileOpening::openUpright(path, "OverlayFile");
    const VImage picture = guarded("OverlayFile", [&] { return opened.copy_memory(); });
    d->applyOverlay(picture, "OverlayFile");
}

void ImageBox::OverlayPicture(const lumora::Picture& picture)
{
    d->current("OverlayPicture");
    d->applyOverlay(guarded("OverlayPicture", [&] { return fromPicture(picture); }), "OverlayPicture");
}

// --- text -------------------------------------------------------------------------------------

TextFont ImageBox::Font() const { return d->settings.font; }
void ImageBox::SetFont(const TextFont& font)
{
    if (font.size < 1 || font.size > kMaxFontSize)
        fail("Font", QStringLiteral("invalid font size %1").arg(font.size));
    d->settings.font = font;
}
std::uint32_t ImageBox::TextColor() const { return d->settings.textColor; }
void ImageBox::SetTextColor(std::uint32_t color) { d->settings.textColor = color; }
std::uint32_t ImageBox::TextBackColor() const { return d->settings.textBackColor; }
void ImageBox::SetTextBackColor(std::uint32_t color) { d->settings.textBackColor = color; }
bool ImageBox::TextTransparent() const { return d->settings.textTransparent; }
void ImageBox::SetTextTransparent(bool transparent) { d->settings.textTransparent = transparent; }
bool ImageBox::TextAntiAlias() const { return d->settings.textAntiAlias; }
void ImageBox::SetTextAntiAlias(bool antiAlias) { d->settings.textAntiAlias = antiAlias; }
float ImageBox::TextAngle() const { return d->settings.textAngle; }
void ImageBox::SetTextAngle(float degrees) { d->settings.textAngle = degrees; }
int ImageBox::TextAlignment() const { return d->settings.textAlignment; }

void ImageBox::SetTextAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2)
        fail("TextAlignment", QStringLiteral("unknown alignment %1").arg(alignment));
    d->settings.textAlignment = alignment;
}

int ImageBox::TextWidth(const QString& text) const { return TextRenderer::measure(text, d->textStyle()).width(); }
int ImageBox::TextHeight(const QString& text) const { return TextRenderer::measure(text, d->textStyle()).height(); }

void ImageBox::DrawText(int x, int y, const QString& text)
{
    const VImage& in = d->randomAccess("DrawText");
    const QSize extent = TextRenderer::measure(text, d->textStyle());
    if (qint64(extent.width()) * extent.height() > kMaxTextPixels)
        fail("DrawText", QStringLiteral("the text is too large to draw"));
    const lumora::Picture rendered = TextRenderer::render(text, d->textStyle());
    if (rendered.isNull())
        return;
    d->commit(guarded("DrawText", [&] {
                  const PlacedText placed = TextStamp::place(fromPicture(rendered), x, y, d->settings.textAlignment,
                                                             d->settings.textAngle, d->settings.textAntiAlias);
                  return Compositor::blendAt(in, placed.rgba, placed.left, placed.top);
              }),
              "DrawText");
}

// --- selection --------------------------------------------------------------------------------

bool ImageBox::SelectionActive() const { return d->settings.selectionActive; }
void ImageBox::SetSelectionActive(bool active) { d->settings.selectionActive = active; }

namespace {

QRect normalisedArea(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QSize(std::abs(right - left), std::abs(bottom - top)));
}

}  // namespace

void ImageBox::CropSelectionRect(int left, int top, int right, int bottom)
{
    d->settings.selection = normalisedArea(left, top, right, bottom);
    d->settings.selectionShape = SelectionShape::Rectangle;
}

void ImageBox::CropSelectionEllipse(int left, int top, int right, int bottom)
{
    d->settings.selection = normalisedArea(left, top, right, bottom);
    d->settings.selectionShape = SelectionShape::Ellipse;
}

void ImageBox::CropToSelection()
{
    const QRect area = d->activeSelection("CropToSelection");
    const VImage& in = d->current("CropToSelection");
    d->commit(guarded("CropToSelection", [&] {
                  const VImage cropped = in.extract_area(area.x(), area.y(), area.width(), area.height());
                  if (d->settings.selectionShape != SelectionShape::Ellipse)
                      return cropped;
                  return d->ellipseMask(area).ifthenelse(cropped, pixelOf(d->settings.backColor, in.bands()));
              }),
              "CropToSelection");
    d->settings.selectionShape = SelectionShape::None;
    d->settings.selectionActive = false;
}

void ImageBox::CancelMouseTool()
{
    d->settings.selectionShape = SelectionShape::None;
    d->settings.selectionActive = false;
}

void ImageBox::RemoveRedEye()
{
    const QRect area = d->activeSelection("RemoveRedEye");
    const VImage& in = d->randomAccess("RemoveRedEye");
    d->commit(guarded("RemoveRedEye", [&] {
                  const VImage region = in.extract_area(area.x(), area.y(), area.width(), area.height());
                  const VImage r = region.extract_band(0).cast(VIPS_FORMAT_FLOAT);
                  const VImage g = region.extract_band(1).cast(VIPS_FORMAT_FLOAT);
                  const VImage b = region.extract_band(2).cast(VIPS_FORMAT_FLOAT);
                  // A pupil lit red: red well above both other channels and not dark. Its red
                  // takes the level of green and blue, which keeps the eye's shading.
                  VImage red = (r > g * 1.5) & (r > b * 1.5) & (r > 60.0);
                  if (d->settings.selectionShape == SelectionShape::Ellipse)
                      red = red & d->ellipseMask(area);
                  const VImage fixedRed = toUchar(red.ifthenelse((g + b) / 2.0, r));
                  VImage fixed = fixedRed.bandjoin(region.extract_band(1, VImage::option()->set("n", region.bands() - 1)));
                  return in.insert(fixed, area.x(), area.y());
              }),
              "RemoveRedEye");
}

// --- view geometry ----------------------------------------------------------------------------

int ImageBox::Width() const { return d->settings.viewBoxWidth; }
void ImageBox::SetWidth(int width) { d->settings.viewBoxWidth = std::max(0, width); }
int ImageBox::Height() const { return d->settings.viewBoxHeight; }
void ImageBox::SetHeight(int height) { d->settings.viewBoxHeight = std::max(0, height); }
bool ImageBox::StretchToFit() const { return d->settings.stretchToFit; }
void ImageBox::SetStretchToFit(bool stretch) { d->settings.stretchToFit = stretch; }
double ImageBox::Zoom() const { return d->settings.zoom; }

void ImageBox::SetZoom(double percent)
{
    if (!(percent > 0))
        fail("Zoom", QStringLiteral("invalid zoom %1").arg(percent));
    d->settings.zoom = percent;
}

int ImageBox::ViewWidth() const
{
    return ViewGeometry::shown(QSize(ImageWidth(), ImageHeight()), QSize(d->settings.viewBoxWidth, d->settings.viewBoxHeight),
                               d->settings.stretchToFit, d->settings.zoom)
        .width();
}

int ImageBox::ViewHeight() const
{
    return ViewGeometry::shown(QSize(ImageWidth(), ImageHeight()), QSize(d->settings.viewBoxWidth, d->settings.viewBoxHeight),
                               d->settings.stretchToFit, d->settings.zoom)
        .height();
}

// --- save options -----------------------------------------------------------------------------

int ImageBox::JpegQuality() const { return d->settings.save.jpegQuality; }
void ImageBox::SetJpegQuality(int quality) { d->settings.save.jpegQuality = std::clamp(quality, 1, 100); }
bool ImageBox::JpegProgressive() const { return d->settings.save.jpegProgressive; }
void ImageBox::SetJpegProgressive(bool progressive) { d->settings.save.jpegProgressive = progressive; }
int ImageBox::SaveColorDepth() const { return d->settings.save.colorDepth; }

void ImageBox::SetSaveColorDepth(int code)
{
    if (code < 0 || code > 6)
        fail("SaveColorDepth", QStringLiteral("unknown colour depth %1").arg(code));
    d->settings.save.colorDepth = code;
}

int ImageBox::TiffCompression() const { return d->settings.save.tiffCompression; }

void ImageBox::SetTiffCompression(int code)
{
    if (code < 0 || code > 2)
        fail("TiffCompression", QStringLiteral("unknown compression %1").arg(code));
    d->settings.save.tiffCompression = code;
}

bool ImageBox::GifLzw() const { return d->settings.save.gifLzw; }
void ImageBox::SetGifLzw(bool lzw) { d->settings.save.gifLzw = lzw; }
bool ImageBox::SaveTransparent() const { return d->settings.save.saveTransparent; }
void ImageBox::SetSaveTransparent(bool transparent) { d->settings.save.saveTransparent = transparent; }

qint64 ImageBox::EstimatedFileSize(int formatCode) const
{
    const QString extension = ImageEncoder::extensionOfFormat(formatCode);
    if (extension.isEmpty())
        fail("EstimatedFileSize", QStringLiteral("unknown format %1").arg(formatCode));
    // The very bytes SaveToFile would write, metadata included, only counted.
    const VImage& ready = d->computed("EstimatedFileSize");
    return d->encode(ready, extension, "EstimatedFileSize").size();
}

// --- EXIF -------------------------------------------------------------------------------------

int ImageBox::ExifCount() const { return d->metadata.exifCount(); }
QString ImageBox::ExifNameAt(int index) const { return d->metadata.exifNameAt(index); }
QString ImageBox::ExifValueAt(int index) const { return d->metadata.exifValueAt(index); }
QString ImageBox::ExifValueByName(const QString& name) const { return d->metadata.exifValueByName(name); }

bool ImageBox::SetExifAttribute(const QString& name, const QString& value)
{
    return d->metadata.setExifAttribute(name, value);
}

bool ImageBox::DeleteExifAttribute(const QString& name) { return d->metadata.deleteExifAttribute(name); }
void ImageBox::ClearExif() { d->metadata.clearExif(); }
QDateTime ImageBox::ExifDateToDate(const QString& text) { return exifdate::fromText(text); }
QString ImageBox::DateToExifDate(const QDateTime& date) { return exifdate::toText(date); }
QDateTime ImageBox::ZeroDate() { return exifdate::zeroDate(); }

// --- IPTC -------------------------------------------------------------------------------------

namespace {

IptcField checkedField(IptcField field, const char* operation)
{
    if (int(field) < 0 || int(field) >= kIptcFieldCount)
        fail(operation, QStringLiteral("unknown IPTC field %1").arg(int(field)));
    return field;
}

}  // namespace

QString ImageBox::IptcText(IptcField field) const { return d->metadata.iptc().text(checkedField(field, "IptcText")); }

void ImageBox::SetIptcText(IptcField field, const QString& text)
{
    d->metadata.iptc().setText(checkedField(field, "IptcText"), text);
}

QDateTime ImageBox::IptcDate(IptcField field) const { return d->metadata.iptc().date(checkedField(field, "IptcDate")); }

void ImageBox::SetIptcDate(IptcField field, const QDateTime& date)
{
    d->metadata.iptc().setDate(checkedField(field, "IptcDate"), date);
}

namespace {

int datasetOf(IptcField field) { return IptcFieldInfoOf(field).dataset; }

}  // namespace

int ImageBox::KeywordCount() const { return int(d->metadata.iptc().list(datasetOf(IptcField::Keywords)).size()); }
QString ImageBox::Keyword(int index) const
{
    return d->metadata.iptc().list(datasetOf(IptcField::Keywords)).value(index);
}
void ImageBox::ClearKeywords() { d->metadata.iptc().removeAll(datasetOf(IptcField::Keywords)); }
void ImageBox::AddKeyword(const QString& keyword) { d->metadata.iptc().add(datasetOf(IptcField::Keywords), keyword); }

int ImageBox::SupplementalCategoryCount() const
{
    return int(d->metadata.iptc().list(datasetOf(IptcField::SupplementalCategories)).size());
}
QString ImageBox::SupplementalCategory(int index) const
{
    return d->metadata.iptc().list(datasetOf(IptcField::SupplementalCategories)).value(index);
}
void ImageBox::ClearSupplementalCategories()
{
    d->metadata.iptc().removeAll(datasetOf(IptcField::SupplementalCategories));
}
void ImageBox::AddSupplementalCategory(const QString& category)
{
    d->metadata.iptc().add(datasetOf(IptcField::SupplementalCategories), category);
}

int ImageBox::IptcUrgency() const { return d->metadata.iptc().urgency(); }

void ImageBox::SetIptcUrgency(int urgency)
{
    if (urgency < 0 || urgency > 8)
        fail("IptcUrgency", QStringLiteral("invalid urgency %1").arg(urgency));
    d->metadata.iptc().setUrgency(urgency);
}

bool ImageBox::HasIptc() const { return d->metadata.iptc().hasContent(); }
void ImageBox::ClearIptc() { d->metadata.iptc().clear(); }
void ImageBox::LoadIptcFromFile(const QString& path) { d->metadata.iptc().replace(iptcfile::load(path)); }
void ImageBox::SaveIptcToFile(const QString& path) { iptcfile::save(path, d->metadata.iptc()); }

void ImageBox::WriteMetadataToFile(const QString& path) { MetadataWriter::writeIntoFile(path, d->metadata); }

void ImageBox::LoadMetadataFromFile(const QString& path) { d->metadata = MetadataReader::read(path); }

}  // namespace lumora
