#pragma once

#include "tasks/TaskRecord.h"

#include <QList>

#include <stop_token>

namespace lumora {

class Gallery;
class ImageBox;
class TaskBasket;

// How a run of the Task Basket goes.
struct TaskRunOptions {
    // The last task to run (0-based): a preview of the photo as it stands after the task selected
    // in a list. Negative: every task (a batch).
    int lastRow = -1;
    // Stock pictures for frames, shadows and masks; the built-in gallery when null.
    const Gallery* gallery = nullptr;
    // Asked before each task: a stopped run leaves the image as the tasks before left it.
    std::stop_token stop;
};

enum class TaskRunOutcome {
    Completed,  // every task asked for ran (an engine step that failed was skipped)
    Stopped,    // the stop token ended it between two tasks
    Failed,     // an error ended it; it was reported under "subProcessPages"
};

// Applies the tasks, in order, to the engine's image, through each kind's steps (kinds/). Never
// throws: an engine step that fails with the engine failure code is skipped and the run goes on;
// any other failure (a parameter that is not a number, an overflow, another error) is reported
// under "subProcessPages" and ends the run, leaving the image as it stood. The engine keeps its
// colour, overlay, text and view settings from one task to the next, so a task that sets only some
// of them inherits the rest.
TaskRunOutcome subProcessPages(const QList<TaskRecord>& tasks, ImageBox& engine, const TaskRunOptions& options = {});
TaskRunOutcome subProcessPages(const TaskBasket& basket, ImageBox& engine, const TaskRunOptions& options = {});

// Sets the engine's text settings (font, colours, angle, alignment ...) from a Text task's slots
// as a run does, without drawing. A slot that is not a number throws; an engine step that fails
// is skipped.
void ApplyTextStyle(ImageBox& engine, const TaskRecord& task);

}  // namespace lumora
