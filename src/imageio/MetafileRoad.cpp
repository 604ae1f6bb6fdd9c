#include "imageio/MetafileRoad.h"

#include "engine/VipsBridge.h"
#include "engine/VipsRuntime.h"
#include "imageio/DecoderProcess.h"
#include "imageio/DecoderProtocol.h"
#include "imageio/LoadPic.h"
#include "imageio/PictureRendering.h"
#include "imageio/ReducedPicture.h"

#include <QRect>

#include <vips/vips8>

#include <algorithm>

namespace lumora {
namespace {

using vips::VImage;

// A metafile's SVG is larger than the metafile by a small factor; more than this is refused.
constexpr qint64 kMaxSvgBytes = 64 << 20;

// The size, in pixels, at which the image must be drawn for the mode: its own size, the fitted
// size, or the rectangle it covers in the box.
QSize drawnSize(int sourceWidth, int sourceHeight, int mode, int width, int height)
{
    switch (mode) {
    case NaturalSize:
        return QSize(sourceWidth, sourceHeight);
    case ShrinkToFit: {
        int w = 0;
        int h = 0;
        FitInside(sourceWidth, sourceHeight, width, height, w, h);
        return QSize(std::max(1, w), std::max(1, h));
    }
    case FixedBox:
        return AspectPlacement(sourceWidth, sourceHeight, width, height).size();
    default:
        return {};
    }
}

// The SVG of a metafile, read by libvips through librsvg. libvips keeps reading the text while
// it draws, so it must outlive every image made from it.
class SvgDrawing {
public:
    explicit SvgDrawing(QByteArray svg) : svg_(std::move(svg)), blob_(vips_blob_new(nullptr, svg_.constData(), svg_.size()))
    {
    }
    ~SvgDrawing() { vips_area_unref(VIPS_AREA(blob_)); }
    SvgDrawing(const SvgDrawing&) = delete;
    SvgDrawing& operator=(const SvgDrawing&) = delete;

    // The drawing at `scale` (1: its own size); nothing is drawn until the pixels are asked for.
    VImage at(double scale) const
    {
        return VImage::svgload_buffer(blob_, VImage::option()->set("scale", scale));
    }

private:
    QByteArray svg_;
    VipsBlob* blob_;
};

// Draws the SVG so that it covers `size`: vector drawing at the scale the size needs, rather
// than a raster scaled afterwards.
Picture drawAt(const SvgDrawing& drawing, int sourceWidth, const QSize& size)
{
    const double scale = static_cast<double>(size.width()) / sourceWidth;
    return vipsbridge::toPicture(drawing.at(scale));
}

// The metafile's SVG from the helper; empty when it could not convert the file.
QByteArray convertToSvg(const QString& path, const QString& ext)
{
    DecoderProcess helper({QString::fromLatin1(ext == QLatin1String("wmf") ? decoder::kWmfCommand
                                                                             : decoder::kEmfCommand),
                           QString::number(MaxLoadPixels), path});
    QByteArray svg;
    if (!helper.readRest(svg, kMaxSvgBytes) || helper.finish() != decoder::Decoded)
        return {};
    return svg;
}

}  // namespace

bool IsMetafileExtension(const QString& ext)
{
    return ext == QLatin1String("wmf") || ext == QLatin1String("emf");
}

Picture LoadMetafile(const QString& path, const QString& ext, int mode, int width, int height,
                     std::uint32_t backColor, int& sourceWidth, int& sourceHeight)
{
    QByteArray svg = convertToSvg(path, ext);
    if (svg.isEmpty())
        return {};
    ensureVipsStarted();
    try {
        const SvgDrawing drawing(std::move(svg));
        const VImage own = drawing.at(1.0);
        if (own.width() <= 0 || own.height() <= 0 ||
            static_cast<qint64>(own.width()) * own.height() > MaxLoadPixels)
            return {};
        sourceWidth = own.width();
        sourceHeight = own.height();
        const QSize size = drawnSize(sourceWidth, sourceHeight, mode, width, height);
        if (size.isEmpty() || static_cast<qint64>(size.width()) * size.height() > MaxLoadPixels)
            return {};
        const Picture drawn = drawAt(drawing, sourceWidth, size);
        // The metafile is drawn over the background, as on a screen bitmap filled with it.
        if (mode == NaturalSize)
            return PictureFromHandle(drawn, sourceWidth, sourceHeight, FixedBox, backColor, false);
        return PlaceReducedPicture(drawn, sourceWidth, sourceHeight, mode, width, height, backColor);
    } catch (const vips::VError&) {
        // librsvg could not read what the converter wrote: no picture, as for any unreadable file.
        vips_error_clear();
    }
    return {};
}

}  // namespace lumora
