#pragma once

#include "output/PrintOptions.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSize>

class QPageSize;
class QPainter;
class QPagedPaintDevice;

namespace lumora {

struct PrintedPhoto;

// Where a photo goes on its page, in points relative to the top-left corner of the page's
// printable area (inside the margins).
struct PhotoPlacement {
    QRectF image;
    QRectF caption;  // empty unless the file name is printed
};

// The page a photo of imagePixels is printed on: the options' paper (or printerPaper for the
// printer's default), turned as the options say (or as the photo is), with the options' margins
// but never less than the printer's least (leastMargins, in points). In points.
QPageLayout printPageLayout(const PrintOptions& options, QSize imagePixels, const QPageSize& printerPaper,
                            const QMarginsF& leastMargins = {});

// Where the photo goes inside a printable area of printable points: fitted keeping its shape,
// at its actual size at dpi, or at scalePercent of that; centred or at the top-left; a line
// for the file name under it when asked for. A photo larger than the area is cut at its edges.
PhotoPlacement placePhoto(const PrintOptions& options, QSizeF printable, QSize imagePixels, double dpi);

// Paints the photo on the current page of device (a printer, a PDF writer) whose page layout
// came from printPageLayout; painter is active on device.
void paintPhotoPage(QPainter& painter, const QPagedPaintDevice& device, const PrintedPhoto& photo,
                    const PrintOptions& options);

// Paints the photo onto painter, whose coordinates are points with the origin at the top-left
// of the printable area (used by the above and by the print dialog's page preview).
void paintPhotoInPoints(QPainter& painter, QSizeF printable, const PrintedPhoto& photo, const PrintOptions& options);

}  // namespace lumora
