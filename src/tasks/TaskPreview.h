#pragma once

#include "tasks/TaskRecord.h"
#include "tasks/TaskViewContext.h"

#include <QRect>

namespace lumora {

class ImageBox;

// What previewing a pending task came to.
enum class TaskPreviewResult {
    Applied,
    NoLogoChosen,  // a watermark without a logo: nothing drawn
    LogoMissing,   // the logo file has gone: nothing drawn
    Failed,        // an error, already reported; the image is as the failure left it
};

// What a kind's preview step works with: the engine holding the base image with the preview's
// view box, the pending task (a step may fill in slots it works out on this photo), what the
// option pages know of the view, and the area marked with the mouse (view coordinates).
class TaskPreviewContext {
public:
    ImageBox& engine;
    TaskRecord& task;
    const TaskViewContext& view;
    QRect area;
};

// Applies the task being edited to the previewed photo, as the editing panel's Preview does. It
// differs from a run of the Task Basket where the photo on screen is at hand (the kinds' own
// preview steps say how: resize, watermark, text, red-eye); every other kind runs as a run of
// that one task would. Failures are reported under the Preview command's routine.
TaskPreviewResult PreviewTask(ImageBox& engine, TaskRecord& task, const TaskViewContext& view, QRect area = {});

// Whether a task's logo can be drawn: Applied for a watermark whose logo is there (and for any
// other task), else why not. Cheap: for the window, which says so before any work starts.
TaskPreviewResult CheckWatermarkLogo(const TaskRecord& task);

}  // namespace lumora
