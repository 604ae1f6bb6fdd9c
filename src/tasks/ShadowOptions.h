#pragma once

#include "tasks/TaskOptionPage.h"

class QPainter;

namespace lumora {

class GalleryPicker;

// "Task Option - Shadow": a shadow from the gallery. Shadows are styles 8..15 of the frame
// composer; the task stores the style minus 8.
class ShadowOptions : public TaskOptionPage {
    Q_OBJECT
public:
    explicit ShadowOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    // The frame-composer style of the chosen shadow (8..15).
    int selectedStyle() const;

private:
    GalleryPicker* gallery_;
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawShadowIcon(QPainter& painter);

}  // namespace lumora
