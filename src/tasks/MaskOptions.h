#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QSlider;

class QPainter;

namespace lumora {

class GalleryPicker;

// "Task Option - Mask": a mask from the gallery laid over the photo, its black optionally
// see-through, at a chosen transparency.
class MaskOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit MaskOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    // The mask chosen in the gallery (0..7).
    int selectedMask() const;

private:
    GalleryPicker* gallery_;
    QCheckBox* transparent_;
    QSlider* transparency_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawMaskIcon(QPainter& painter);

}  // namespace lumora
