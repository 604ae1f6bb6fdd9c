#include "engine/ViewGeometry.h"

#include "core/Conversions.h"

#include <algorithm>

namespace lumora {
namespace {

int side(double value) { return std::max(1, static_cast<int>(convert::roundHalfEven(value))); }

}  // namespace

QSize ViewGeometry::shown(QSize image, QSize box, bool stretchToFit, double zoomPercent)
{
    if (image.isEmpty())
        return {0, 0};
    if (!stretchToFit)
        return {side(image.width() * zoomPercent / 100.0), side(image.height() * zoomPercent / 100.0)};
    if (box.isEmpty() || (image.width() <= box.width() && image.height() <= box.height()))
        return image;
    // Compare the aspect ratios in whole numbers so that equal shapes fill the box exactly.
    const qint64 imageWide = qint64(image.width()) * box.height();
    const qint64 boxWide = qint64(box.width()) * image.height();
    if (imageWide >= boxWide)
        return {box.width(), side(double(image.height()) * box.width() / image.width())};
    return {side(double(image.width()) * box.height() / image.height()), box.height()};
}

}  // namespace lumora
