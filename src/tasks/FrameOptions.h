#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QRadioButton;

class QPainter;

namespace lumora {

class BackColorPicker;
class GalleryPicker;
class NumericField;
class SpinArrows;

// "Task Option - Frame": a picture frame from the gallery, or a plain border of one colour.
class FrameOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit FrameOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    MouseTool mouseTool() const override;
    void colorPicked(std::uint32_t oleColor) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

    // The frame style chosen in the gallery (0..7).
    int selectedStyle() const;

private:
    bool plainBorder() const;
    void updateEnabled();

    QRadioButton* imageOption_;
    QRadioButton* colorOption_;
    GalleryPicker* gallery_;
    QCheckBox* useCanvas_;
    NumericField* size_;
    SpinArrows* sizeArrows_;
    BackColorPicker* backColor_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawFrameIcon(QPainter& painter);

}  // namespace lumora
