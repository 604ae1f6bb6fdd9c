#pragma once

#include "tasks/TaskOptionPage.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

class QPainter;

namespace lumora {

class BackColorPicker;
class NumericField;

// "Task Option - Crop": a rectangle drawn on the preview with the mouse, or edges keyed in (a
// rectangle, or an ellipse whose outside takes the fill colour).
class CropOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit CropOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    bool needsMarkedArea() const override;
    QRect markedArea() const override;
    MouseTool mouseTool() const override;
    void colorPicked(std::uint32_t oleColor) override;
    void rectanglePressed(QPoint view) override;
    void rectangleReleased(QPoint start, QPoint end) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

private:
    bool keyIn() const;
    void fillFromImage();
    void updateEnabled();
    static QString pointText(QPoint point);

    QRadioButton* mouseOption_;
    QRadioButton* keyInOption_;
    QCheckBox* drawBox_;
    QLabel* startLabel_;
    QLabel* endLabel_;
    NumericField* left_;
    NumericField* top_;
    NumericField* right_;
    NumericField* bottom_;
    QComboBox* shape_;
    BackColorPicker* backColor_;

    int imageWidth_ = 0;
    int imageHeight_ = 0;
    QPoint start_;
    std::optional<QPoint> end_;  // set once a rectangle has been drawn
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawCropIcon(QPainter& painter);

}  // namespace lumora
