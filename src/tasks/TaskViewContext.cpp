#include "tasks/TaskViewContext.h"

#include "core/Conversions.h"

namespace lumora {

QPoint TaskViewContext::toImage(QPoint view) const
{
    if (!scaled || viewWidth <= 0 || viewHeight <= 0)
        return view;
    const double x = convert::roundHalfEven(static_cast<double>(view.x()) * imageWidth / viewWidth);
    const double y = convert::roundHalfEven(static_cast<double>(view.y()) * imageHeight / viewHeight);
    return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace lumora
