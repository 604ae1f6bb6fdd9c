#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;

class QPainter;

namespace lumora {

class BackColorPicker;
class NumericField;
class SpinArrows;

// "Task Option - Rotate": the angle with its arrows and presets, smooth turning, and the colour
// of the corners the turn uncovers (which the preview's colour picker can take from the photo).
class RotateOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit RotateOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    MouseTool mouseTool() const override;
    void colorPicked(std::uint32_t oleColor) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

private:
    NumericField* degrees_;
    SpinArrows* degreesArrows_;
    QCheckBox* resample_;
    BackColorPicker* backColor_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawRotateIcon(QPainter& painter);

}  // namespace lumora
