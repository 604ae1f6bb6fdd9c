#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QLabel;
class QPainter;

namespace lumora {

class NumericField;

// "Task Option - Fit": the box the photo is scaled into, keeping its shape, and whether a photo
// smaller than the box is enlarged. The settings record has no place for them, so the page keeps
// what was typed for as long as the window is open.
class FitOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit FitOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

private:
    // Shows the size the photo in edit mode would get.
    void showResult();

    NumericField* width_;
    NumericField* height_;
    QCheckBox* enlarge_;
    QLabel* result_;
    QSize photo_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawFitIcon(QPainter& painter);

}  // namespace lumora
