#pragma once

#include "tasks/TaskOptionPage.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

class QPainter;

namespace lumora {

class ColorButton;
class NumericField;
class SpinArrows;

// "Task Option - Add Text": a line of text in a font and colours, placed at one of nine positions
// of the photo (horizontal or vertical, aligned about its anchor) or at a clicked point at any
// angle.
class TextOptions : public TaskOptionPage {
    Q_OBJECT
public:
    static constexpr int MouseClickPosition = 9;

    explicit TextOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    // The anchor (P15, P16) is the clicked point in image pixels for the clicked position; for the
    // nine fixed positions it is left empty for the preview to compute.
    TaskRecord record(const TaskViewContext& view) const override;

    MouseTool mouseTool() const override;
    void pointPicked(QPoint view) override;
    void cancelMouseTool() override;

private:
    int position() const;
    bool vertical() const;
    void updateVisible();

    QLineEdit* text_;
    QComboBox* family_;
    QComboBox* size_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QCheckBox* antiAlias_;
    QCheckBox* transparent_;
    ColorButton* color_;
    ColorButton* background_;
    QComboBox* position_;
    QWidget* placement_;  // orientation and alignment, for the nine fixed positions
    QButtonGroup* orientation_;
    QButtonGroup* alignment_;
    QWidget* clicked_;  // angle and location, for the clicked position
    NumericField* angle_;
    SpinArrows* angleArrows_;
    QCheckBox* selectLocation_;
    QLabel* locationLabel_;

    std::optional<QPoint> point_;  // the clicked point, view coordinates
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawTextIcon(QPainter& painter);

}  // namespace lumora
