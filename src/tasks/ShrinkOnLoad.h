#pragma once

#include "tasks/TaskRecord.h"

#include <QList>

namespace lumora {

// How much smaller a batch may decode a JPEG before the Task Basket runs on it. libjpeg decodes
// at 1/2, 1/4 or 1/8 of the size for a fraction of the work of a full decode; that is worth it
// when the Task Basket's first step that changes the size resamples the photo down, and every
// step before it works on each pixel alone (Flip, Invert, Contrast, Brightness), so that the
// result only ever sees the pixels that step would make.
struct ShrinkOnLoad {
    // 1 (decode in full), 2, 4 or 8: the largest reduction whose decoded size is still at least
    // the resampling step's target in both directions.
    int factor = 1;
    // The tasks to run on the photo decoded at that factor: the resampling step becomes a Resize
    // to the exact size it makes of the whole photo, so the result has the size of a full decode.
    QList<TaskRecord> tasks;

    // The plan for a photo of width x height (as the engine opened it, turned upright where it is
    // turned) under the tasks. Never throws: a step whose slots are no numbers, or that the engine
    // would skip, means a full decode, and the run then reports or skips it as always.
    static ShrinkOnLoad plan(const QList<TaskRecord>& tasks, int width, int height);
};

}  // namespace lumora
