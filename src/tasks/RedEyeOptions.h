#pragma once

#include "tasks/TaskOptionPage.h"

#include <optional>

class QCheckBox;
class QLabel;

class QPainter;

namespace lumora {

// "Red-Eye Correction": the eye area is marked on the preview with the mouse, and the correction
// acts on the photo at once; it is never a task of the Task Basket.
class RedEyeOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit RedEyeOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    // Kind 16 with no slots: the correction needs only the marked area.
    TaskRecord record(const TaskViewContext& view) const override;

    bool needsMarkedArea() const override { return true; }
    QRect markedArea() const override;
    MouseTool mouseTool() const override;
    void rectanglePressed(QPoint view) override;
    // Taken while the box is ticked, or when the drag began with it ticked (the release may untick
    // it first).
    void rectangleReleased(QPoint start, QPoint end) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

private:
    QCheckBox* mark_;
    QLabel* areaLabel_;
    std::optional<QRect> area_;
    bool dragging_ = false;  // a drag began while the box was ticked
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawRedEyeIcon(QPainter& painter);

}  // namespace lumora
