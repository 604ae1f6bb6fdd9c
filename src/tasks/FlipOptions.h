#pragma once

#include "tasks/TaskOptionPage.h"

class QRadioButton;

class QPainter;

namespace lumora {

// "Task Option - Flip": mirror left-right or top-bottom.
class FlipOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit FlipOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

private:
    int direction() const;

    QRadioButton* horizontal_;
    QRadioButton* vertical_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawFlipIcon(QPainter& painter);

}  // namespace lumora
