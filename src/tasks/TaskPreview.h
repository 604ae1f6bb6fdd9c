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

// Applies the task being edited to the previewed photo, as the editing panel's Preview does. It
// differs from a run of the Task Basket where the photo on screen is at hand:
// - an exact resize is the fast ResizeTo, and a scale takes the typed percentage unrounded;
// - a watermark placed at a point uses the point as recorded (image pixels of this photo), and
//   a missing or unchosen logo is said rather than silently skipped;
// - a text's anchor is worked out on this photo and written into the task (P15, P16); at a
//   clicked point (position 9) it is raised by half the font size, so the text is centred on
//   the click;
// - red-eye works on `redEyeArea` (view coordinates) and is never recorded.
// Everything else runs as a run of that one task would.
// Whether a task's logo can be drawn: Applied for a watermark whose logo is there (and for any
// other task), else why not. Cheap: for the window, which says so before any work starts.
TaskPreviewResult CheckWatermarkLogo(const TaskRecord& task);

TaskPreviewResult PreviewTask(ImageBox& engine, TaskRecord& task, const TaskViewContext& view,
                              QRect redEyeArea = {});

}  // namespace lumora
