#include "output/PrintLayout.h"

#include "output/PrintedPhoto.h"

#include <QFont>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace lumora {
namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double CaptionHeight = 16.0;  // points: one line of 9-point text and a gap
constexpr double CaptionFontSize = 9.0;

}  // namespace

QPageLayout printPageLayout(const PrintOptions& options, QSize imagePixels, const QPageSize& printerPaper,
                            const QMarginsF& leastMargins)
{
    const QPageSize paper = options.paperSize >= 0 ? QPageSize(static_cast<QPageSize::PageSizeId>(options.paperSize))
                                                   : (printerPaper.isValid() ? printerPaper : QPageSize(QPageSize::A4));
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    if (options.orientation == PrintOptions::Landscape
        || (options.orientation == PrintOptions::FollowImage && imagePixels.width() > imagePixels.height()))
        orientation = QPageLayout::Landscape;
    const double x = options.marginXMm * PointsPerMm;
    const double y = options.marginYMm * PointsPerMm;
    const QMarginsF margins(std::max(x, leastMargins.left()), std::max(y, leastMargins.top()),
                            std::max(x, leastMargins.right()), std::max(y, leastMargins.bottom()));
    return QPageLayout(paper, orientation, margins, QPageLayout::Point);
}

PhotoPlacement placePhoto(const PrintOptions& options, QSizeF printable, QSize imagePixels, double dpi)
{
    PhotoPlacement placement;
    if (imagePixels.isEmpty() || printable.isEmpty())
        return placement;
    const double captionHeight = options.printFileName ? std::min(CaptionHeight, printable.height() / 2) : 0.0;
    const QSizeF area(printable.width(), printable.height() - captionHeight);

    QSizeF size = QSizeF(imagePixels) * (72.0 / std::max(dpi, 1.0));
    if (options.size == PrintOptions::FitPage)
        size = QSizeF(imagePixels).scaled(area, Qt::KeepAspectRatio);
    else if (options.size == PrintOptions::Scaled)
        size *= options.scalePercent / 100.0;

    QPointF topLeft(0, 0);
    if (options.placement == PrintOptions::Centred)
        topLeft = QPointF((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    placement.image = QRectF(topLeft, size);
    if (options.printFileName) {
        const double top = std::min(placement.image.bottom(), area.height());
        placement.caption = QRectF(0, top, printable.width(), captionHeight);
    }
    return placement;
}

void paintPhotoInPoints(QPainter& painter, QSizeF printable, const PrintedPhoto& photo, const PrintOptions& options)
{
    const PhotoPlacement placement = placePhoto(options, printable, photo.image.size(), photo.dpi);
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), printable));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(placement.image, photo.image);
    if (!placement.caption.isEmpty()) {
        // A font's point size is resolved at the device's resolution, and the painter already
        // scales points to the device: the size is given so that the two meet at 9 points.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(CaptionFontSize * 72.0 / painter.device()->logicalDpiY());
        painter.setFont(font);
        painter.setPen(Qt::black);
        const Qt::Alignment across = options.placement == PrintOptions::Centred ? Qt::AlignHCenter : Qt::AlignLeft;
        painter.drawText(placement.caption, across | Qt::AlignVCenter, photo.fileName);
    }
    painter.restore();
}

void paintPhotoPage(QPainter& painter, const QPagedPaintDevice& device, const PrintedPhoto& photo,
                    const PrintOptions& options)
{
    const QPageLayout layout = device.pageLayout();
    const double dotsPerPoint = device.logicalDpiX() / 72.0;
    painter.save();
    painter.scale(dotsPerPoint, device.logicalDpiY() / 72.0);
    paintPhotoInPoints(painter, layout.paintRect(QPageLayout::Point).size(), photo, options);
    painter.restore();
}

}  // namespace lumora
