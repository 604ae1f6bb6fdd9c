#pragma once

#include "engine/ViewGeometry.h"

#include <QPoint>
#include <QSize>

namespace lumora {

// What an option panel needs to know of the photo on screen. "View" coordinates are pixels of the
// image as drawn (0..viewWidth, 0..viewHeight from its top-left corner); image coordinates are
// pixels of the image itself.
struct TaskViewContext {
    int imageWidth = 0;   // the shown image now (ImageWidth, ImageHeight)
    int imageHeight = 0;
    int startWidth = 0;   // the image when edit mode was entered: the resize fields scale
    int startHeight = 0;  // against it while "Retain Ratio" is ticked
    int viewWidth = 0;    // the image as drawn (ViewWidth, ViewHeight)
    int viewHeight = 0;
    int boxWidth = 0;     // the view box the image is fitted into (engine Width, Height)
    int boxHeight = 0;
    bool scaled = false;  // drawn fitted into the box at another size than its own

    // The context of an image of `image` pixels shown in `view`, edit mode having begun at `start`.
    static TaskViewContext of(QSize image, QSize start, const ViewSettings& view);

    // A view point in image pixels (x * imageWidth / viewWidth, y likewise, rounded half to
    // even); the point itself when the image is not scaled.
    // (Defined in TaskViewContext.cpp, with the headless task code.)
    QPoint toImage(QPoint view) const;
};

}  // namespace lumora
