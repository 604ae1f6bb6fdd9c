#include "tasks/TaskViewContext.h"

#include "core/Conversions.h"

namespace lumora {

TaskViewContext TaskViewContext::of(QSize image, QSize start, const ViewSettings& view)
{
    const QSize shown = ViewGeometry::shown(image, view);
    TaskViewContext c;
    c.imageWidth = image.width();
    c.imageHeight = image.height();
    c.startWidth = start.width();
    c.startHeight = start.height();
    c.viewWidth = shown.width();
    c.viewHeight = shown.height();
    c.boxWidth = view.box.width();
    c.boxHeight = view.box.height();
    c.scaled = view.stretchToFit && shown != image;
    return c;
}

QPoint TaskViewContext::toImage(QPoint view) const
{
    if (!scaled || viewWidth <= 0 || viewHeight <= 0)
        return view;
    const double x = convert::roundHalfEven(static_cast<double>(view.x()) * imageWidth / viewWidth);
    const double y = convert::roundHalfEven(static_cast<double>(view.y()) * imageHeight / viewHeight);
    return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace lumora
