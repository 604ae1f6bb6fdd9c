#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

class QPainter;

namespace lumora {

class NumericField;

// "Task Option - Resize": an exact size (optionally keeping the shape the photo had when edit
// mode began) or a percentage. The "Resample" box and the filter list are remembered with the
// options but are not part of the task.
class ResizeOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit ResizeOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

private:
    bool exactSize() const;
    void updateEnabled();
    // With "Retain Ratio" ticked, a change of one size sets the other to
    // changed * numerator / denominator.
    void followRatio(const NumericField* changed, NumericField* other, int numerator, int denominator);

    QRadioButton* resizeOption_;
    QRadioButton* scaleOption_;
    NumericField* width_;
    NumericField* height_;
    QCheckBox* ratio_;
    QLineEdit* scale_;
    QCheckBox* resample_;
    QComboBox* filter_;
    int startWidth_ = 0;   // W0 x H0: the photo when edit mode began
    int startHeight_ = 0;
    bool followingRatio_ = false;  // one size is being set from the other
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawResizeIcon(QPainter& painter);

}  // namespace lumora
