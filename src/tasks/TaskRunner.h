#pragma once

#include "tasks/TaskRecord.h"

#include <QList>

#include <functional>

namespace lumora {

class Gallery;
class ImageBox;
class TaskBasket;

// How a run of the Task Basket goes.
struct TaskRunOptions {
    // Apply every task (a batch), or stop after the task selected in the list on screen (a
    // preview of the photo as it stands after that task).
    bool applyAll = true;
    // Which list is on screen: 0 the explorer view's, 1 the edit mode's. Any other value never
    // stops early.
    int viewMode = 0;
    // The selected row (0-based, -1 for none) of the explorer view's and the edit mode's list.
    int explorerSelectedRow = -1;
    int editSelectedRow = -1;
    // Stock pictures for frames, shadows and masks; the built-in gallery when null.
    const Gallery* gallery = nullptr;
    // Called once before each task, so a window can handle its events between tasks.
    std::function<void()> yield;
    // Called with true when the run starts working and false when it ends (busy pointer).
    std::function<void(bool)> busy;
};

// Applies the tasks, in order, to the engine's image. Never throws: an engine step that fails
// with the engine failure code is skipped and the run goes on; any other failure (a parameter
// that is not a number, an overflow, another error) is reported under "subProcessPages" and ends
// the run, leaving the image as it stood. The engine keeps its colour, overlay, text and view
// settings from one task to the next, so a task that sets only some of them inherits the rest.
void subProcessPages(const QList<TaskRecord>& tasks, ImageBox& engine, const TaskRunOptions& options = {});
void subProcessPages(const TaskBasket& basket, ImageBox& engine, const TaskRunOptions& options = {});

// Sets the engine's text settings (font, colours, angle, alignment ...) from a Text task's slots
// as a run does, without drawing: for the editing panel, which places its text itself. A slot
// that is not a number throws; an engine step that fails is skipped.
void ApplyTextStyle(ImageBox& engine, const TaskRecord& task);

}  // namespace lumora
