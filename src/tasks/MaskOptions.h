#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QSlider;

namespace lumora {

class GalleryPicker;

// "Task Option - Mask": a mask from the gallery laid over the photo, its black optionally
// see-through, at a chosen transparency.
class MaskOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit MaskOptions(QWidget* parent = nullptr);

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

}  // namespace lumora
