#pragma once

#include "tasks/TaskOptionPage.h"

namespace lumora {

// A page without controls, only a text: "Invert", which has no options, and the page shown while
// no task is chosen (kind 0, key "nothing", title "Options").
class NoteOptions : public TaskOptionPage {
    Q_OBJECT
public:
    NoteOptions(int kind, const QString& key, const QString& title, const QString& text, QWidget* parent = nullptr);

    static NoteOptions* invert(QWidget* parent = nullptr);
    static NoteOptions* nothing(QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;
};

}  // namespace lumora
