#pragma once

#include "tasks/TaskOptionPage.h"

class QPainter;

namespace lumora {

// A page without controls, only a text: "Invert", which has no options, and the page shown while
// no task is chosen (kind None, key "nothing", title "Options").
class NoteOptions : public TaskOptionPage {
    Q_OBJECT
public:
    // The page of a kind without options.
    explicit NoteOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    static NoteOptions* nothing(QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

private:
    // The page shown while no task is chosen.
    explicit NoteOptions(QWidget* parent);
    void showNote(const QString& text);
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawInvertIcon(QPainter& painter);

}  // namespace lumora
