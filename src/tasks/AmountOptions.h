#pragma once

#include "tasks/TaskOptionPage.h"

class QCheckBox;
class QSlider;

class QPainter;

namespace lumora {

// The pages of the one-amount filters: "Task Option - Blur" and "- Sharpen" (strength 1..10),
// "- Contrast" and "- Brightness" (amount 0..100, 50 leaves the photo as it is, with the colour
// channels it applies to).
class AmountOptions : public TaskOptionPage {
    Q_OBJECT
public:
    // info: Blur, Contrast, Brightness or Sharpen.
    explicit AmountOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

private:
    bool hasChannels() const { return red_ != nullptr; }

    QSlider* amount_;
    QCheckBox* red_ = nullptr;
    QCheckBox* green_ = nullptr;
    QCheckBox* blue_ = nullptr;
};

// Draw the task icons of these kinds on a 24 x 24 grid (TaskKindTable.h).
void drawContrastIcon(QPainter& painter);
void drawSharpenIcon(QPainter& painter);
void drawBlurIcon(QPainter& painter);
void drawBrightnessIcon(QPainter& painter);

}  // namespace lumora
