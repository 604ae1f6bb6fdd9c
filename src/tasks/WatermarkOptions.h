#pragma once

#include "tasks/TaskOptionPage.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

class QPainter;

namespace lumora {

class ColorButton;
class LogoThumbnail;

// "Task Option - Watermark/merge": a logo picture laid over the photo, centred, at a clicked
// point, tiled or stretched, with a see-through colour and a transparency.
class WatermarkOptions : public TaskOptionPage {
    Q_OBJECT
public:
    // The logo dialog's file types.
    static const QString LogoFilter;

    explicit WatermarkOptions(const TaskKindInfo& info, QWidget* parent = nullptr);

    void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) override;
    void storeOptions(SetupRecord::TaskDefaults& defaults) const override;
    TaskRecord record(const TaskViewContext& view) const override;

    MouseTool mouseTool() const override;
    void pointPicked(QPoint view) override;
    void mouseReleased() override;
    void cancelMouseTool() override;

    // The logo the task will use: the last one chosen.
    const QString& logoPath() const { return logoPath_; }

private:
    int placement() const;  // 0 Centre, 1 Single, 2 Tile, 3 Wrap
    void chooseLogo();
    void showLogo();
    void updateEnabled();

    QPushButton* select_;
    LogoThumbnail* thumbnail_;
    QCheckBox* transparent_;
    ColorButton* transparentColor_;
    QCheckBox* pickTransparentColor_;
    QSlider* transparency_;
    QComboBox* style_;
    QCheckBox* selectLocation_;
    QLabel* locationLabel_;

    QString logoPath_;
    std::optional<QPoint> point_;  // the clicked point, view coordinates
};

// Draws the task icon on a 24 x 24 grid (TaskKindTable.h).
void drawWatermarkIcon(QPainter& painter);

}  // namespace lumora
