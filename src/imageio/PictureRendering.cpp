#include "imageio/PictureRendering.h"

#include "core/Conversions.h"
#include "engine/PngChunkCheck.h"
#include "engine/UprightTurn.h"
#include "engine/VipsBridge.h"
#include "engine/VipsRuntime.h"
#include "imageio/LoadPic.h"

#include <QFile>
#include <QFileInfo>

#include <vips/vips8>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace lumora {
namespace {

using vips::VImage;
namespace vb = vipsbridge;

int roundToInt(double value) { return static_cast<int>(convert::roundHalfEven(value)); }

// Where the renderer puts an image: the size of the picture it returns and the rectangle the
// image is drawn into.
struct Layout {
    int targetWidth = 0;
    int targetHeight = 0;
    QRect drawn;
};

// The layout of an sw x sh image under a size mode; nothing for a mode or box that cannot give a
// picture.
std::optional<Layout> layoutFor(int sw, int sh, int mode, int width, int height, bool keepAspect)
{
    Layout layout;
    switch (mode) {
    case NaturalSize:
        layout.targetWidth = sw;
        layout.targetHeight = sh;
        break;
    case ShrinkToFit:
        if (width <= 0 || height <= 0)
            return std::nullopt;
        FitInside(sw, sh, width, height, layout.targetWidth, layout.targetHeight);
        // A sliver (5000 x 1 into 100 x 100) rounds to no height at all; a picture has at least
        // one pixel each way, as a bitmap of the screen does.
        layout.targetWidth = std::max(1, layout.targetWidth);
        layout.targetHeight = std::max(1, layout.targetHeight);
        break;
    case FixedBox:
        if (width <= 0 || height <= 0)
            return std::nullopt;
        layout.targetWidth = width;
        layout.targetHeight = height;
        break;
    default:
        return std::nullopt;
    }
    // A box absurdly larger than any photo would only exhaust memory.
    if (static_cast<qint64>(layout.targetWidth) * layout.targetHeight > MaxLoadPixels)
        return std::nullopt;
    const QRect whole(0, 0, layout.targetWidth, layout.targetHeight);
    layout.drawn = keepAspect ? AspectPlacement(sw, sh, layout.targetWidth, layout.targetHeight) : whole;
    // A fitted target already has the image's shape; only the one-pixel sliver above can round
    // the drawn side to nothing, and the sliver is the image, not a margin.
    if (mode == ShrinkToFit && layout.drawn.isEmpty())
        layout.drawn = whole;
    return layout;
}

// Resamples to exactly width x height with a bicubic kernel. libvips box-shrinks by the integer
// part of a large reduction first, so the cost follows the output more than the input.
VImage resizeExactly(const VImage& in, int width, int height)
{
    if (in.width() == width && in.height() == height)
        return in;
    VImage out = in.resize(static_cast<double>(width) / in.width(),
                           VImage::option()
                               ->set("vscale", static_cast<double>(height) / in.height())
                               ->set("kernel", VIPS_KERNEL_CUBIC));
    // The scale is a ratio of whole numbers, so libvips lands on the size; should its rounding
    // ever differ by a pixel, the edge is trimmed or repeated rather than the picture resized.
    if (out.width() != width || out.height() != height)
        out = out.embed(0, 0, width, height, VImage::option()->set("extend", VIPS_EXTEND_COPY));
    return out;
}

// Draws an image into its layout on a ground of backColor. Transparency is flattened onto the
// background before resampling: the kernel's weights sum to one, so this equals drawing the
// resampled image over the background, at the cost of three bands instead of four.
VImage renderInto(VImage image, const Layout& layout, std::uint32_t backColor)
{
    const std::vector<double> ground = vb::pixelOf(backColor, 3);
    image = vb::normalise(image);
    if (vb::hasAlpha(image))
        image = vb::toUchar(image.flatten(VImage::option()->set("background", ground)));
    const QRect& drawn = layout.drawn;
    if (drawn.isEmpty())
        return VImage::black(layout.targetWidth, layout.targetHeight, VImage::option()->set("bands", 3))
            .new_from_image(ground)
            .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    image = resizeExactly(image, drawn.width(), drawn.height());
    if (drawn == QRect(0, 0, layout.targetWidth, layout.targetHeight))
        return image;
    return image.embed(drawn.x(), drawn.y(), layout.targetWidth, layout.targetHeight,
                       VImage::option()->set("extend", VIPS_EXTEND_BACKGROUND)->set("background", ground));
}

// The file opened for drawing at drawnWidth x drawnHeight. libjpeg can decode at 1/2, 1/4 and
// 1/8 of the size for a fraction of the work of a full decode; the largest reduction that still
// leaves at least the drawn size is taken, so the resampling after it only ever shrinks. Other
// formats decode at their own size (sequentially, so a large PNG streams through in strips).
VImage openForDrawing(const QByteArray& name, const VImage& header, int drawnWidth, int drawnHeight)
{
    if (header.get_typeof("vips-loader") == 0 || std::string(header.get_string("vips-loader")) != "jpegload")
        return header;
    for (const int shrink : {8, 4, 2}) {
        if (header.width() < static_cast<qint64>(drawnWidth) * shrink ||
            header.height() < static_cast<qint64>(drawnHeight) * shrink)
            continue;
        // The loader is known by now: straight to it, without sniffing the file's type again.
        return VImage::jpegload(name.constData(),
                                VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL)->set("shrink", shrink));
    }
    return header;
}

// The header of a file (nothing decoded yet), or nothing when libvips cannot read it or the file
// is too small to hold the pixels it claims. Multi-page files open at their first page. Whether
// the pixels may be decoded depends on the size they are decoded at (decodable below).
std::optional<VImage> openHeader(const QByteArray& name)
{
    const QString path = QFile::decodeName(name);
    if (!PngChunksFitTheFile(path))
        return std::nullopt;
    VImage header =
        VImage::new_from_file(name.constData(), VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    if (!FileCanHoldRaster(header.width(), header.height(), QFileInfo(path).size()))
        return std::nullopt;
    return header;
}

// Whether an opened file may be decoded: at most MaxLoadPixels at the size it decodes to (a JPEG
// reduced on load counts at its reduced size).
bool decodable(const VImage& opened) { return static_cast<qint64>(opened.width()) * opened.height() <= MaxLoadPixels; }

// Runs a rendering step; libvips failures, exhausted memory and the like become a null result,
// since the renderer's callers treat "no picture" as "this road cannot read the file".
template <typename F>
auto orNothing(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const vips::VError&) {
        vips_error_clear();
    } catch (const std::exception&) {
        vips_error_clear();
    }
    return {};
}

// A stored image resampled to the size it is drawn at (still lying as stored), computed, and
// turned upright: the turn reads rows out of order, which a file decoded top to bottom cannot
// serve, and at the drawn size the computed copy is small.
VImage turnedAtSize(const VImage& source, QSize stored, int orientation, std::uint32_t backColor)
{
    Layout whole;
    whole.targetWidth = stored.width();
    whole.targetHeight = stored.height();
    whole.drawn = QRect(QPoint(0, 0), stored);
    return UprightTurn::turn(renderInto(source, whole, backColor).copy_memory(), orientation);
}

}  // namespace

void FitInside(int sw, int sh, int mw, int mh, int& width, int& height)
{
    if (sw <= mw && sh <= mh) {
        width = sw;
        height = sh;
        return;
    }
    if (sw <= 0 || sh <= 0) {
        width = 0;
        height = 0;
        return;
    }
    // The ratios are kept in single precision and the products taken in double, which decides
    // how near-halves round.
    const float rw = static_cast<float>(static_cast<double>(mw) / sw);
    const float rh = static_cast<float>(static_cast<double>(mh) / sh);
    if (rw < rh) {
        width = mw;
        height = roundToInt(static_cast<double>(rw) * sh);
    } else {
        height = mh;
        width = roundToInt(static_cast<double>(rh) * sw);
    }
}

QRect AspectPlacement(int sw, int sh, int tw, int th)
{
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
        return QRect();
    const double rs = static_cast<double>(sw) / sh;
    const double rd = static_cast<double>(tw) / th;
    int drawnWidth = 0;
    int drawnHeight = 0;
    if (rd < rs) {
        drawnWidth = tw;
        drawnHeight = roundToInt(tw / rs);
    } else {
        drawnWidth = roundToInt(th * rs);
        drawnHeight = th;
    }
    return QRect(roundToInt((tw - drawnWidth) / 2.0), roundToInt((th - drawnHeight) / 2.0), drawnWidth,
                 drawnHeight);
}

Picture RenderWithGdiPlus(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                          bool keepAspect, int& sourceWidth, int& sourceHeight)
{
    return orNothing([&]() -> Picture {
        ensureVipsCodecFor(path);
        const QByteArray name = QFile::encodeName(path);
        const std::optional<VImage> header = openHeader(name);
        if (!header)
            return {};
        // The size reported and laid out is the upright one, as the engine reads the photo.
        const int orientation = UprightTurn::orientationToApply(*header);
        const QSize upright = UprightTurn::uprightSize(QSize(header->width(), header->height()), orientation);
        sourceWidth = upright.width();
        sourceHeight = upright.height();
        const std::optional<Layout> layout = layoutFor(sourceWidth, sourceHeight, mode, width, height, keepAspect);
        if (!layout)
            return {};
        if (layout->drawn.isEmpty())
            return vb::toPicture(renderInto(*header, *layout, backColor));  // margins only, nothing decoded
        const QSize stored = UprightTurn::uprightSize(layout->drawn.size(), orientation);
        VImage source = openForDrawing(name, *header, stored.width(), stored.height());
        if (!decodable(source))
            return {};
        if (orientation != 1)
            source = turnedAtSize(source, stored, orientation, backColor);
        return vb::toPicture(renderInto(source, *layout, backColor));
    });
}

Picture PictureFromHandle(const Picture& picture, int width, int height, int mode, std::uint32_t backColor,
                          bool keepAspect)
{
    if (picture.isNull())
        return {};
    if (mode == NaturalSize)
        return picture;
    return orNothing([&]() -> Picture {
        ensureVipsStarted();
        const std::optional<Layout> layout =
            layoutFor(picture.width(), picture.height(), mode, width, height, keepAspect);
        if (!layout)
            return {};
        return vb::toPicture(renderInto(vb::fromPicture(picture), *layout, backColor));
    });
}

Picture ResizePicture(const Picture& picture, int mode, int width, int height, std::uint32_t backColor)
{
    return PictureFromHandle(picture, width, height, mode, backColor, true);
}

QSize RenderDecodeSize(const QString& path, int drawnWidth, int drawnHeight)
{
    return orNothing([&]() -> QSize {
        ensureVipsCodecFor(path);
        const QByteArray name = QFile::encodeName(path);
        const std::optional<VImage> header = openHeader(name);
        if (!header || drawnWidth <= 0 || drawnHeight <= 0)
            return {};
        // Sizes on both sides are upright ones, as RenderWithGdiPlus draws.
        const int orientation = UprightTurn::orientationToApply(*header);
        const QSize stored = UprightTurn::uprightSize(QSize(drawnWidth, drawnHeight), orientation);
        const VImage opened = openForDrawing(name, *header, stored.width(), stored.height());
        if (!decodable(opened))
            return {};
        return UprightTurn::uprightSize(QSize(opened.width(), opened.height()), orientation);
    });
}

}  // namespace lumora
