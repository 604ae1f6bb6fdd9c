#pragma once

#include "tasks/TaskOptionPage.h"

#include <array>

class QPainter;

namespace lumora {

class BackColorPicker;
class NumericField;

// "Task Option - Canvas": pixels added on each side, in one colour.
class CanvasOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit CanvasOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    MouseTool mouseTool() const override;
    void colorPicked(std::uint32_t oleColor) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

private:
    std::array<NumericField*, 4> margins_{};  // txtCanvasCustom0..3: top, left, right, bottom
    BackColorPicker* backColor_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawCanvasIcon(QPainter& painter);

}  // namespace lumora
