#include "tasks/RedEyeOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace lumora {

RedEyeOptions::RedEyeOptions(QWidget* parent)
    : TaskOptionPage(static_cast<int>(TaskKind::RedEye), QStringLiteral("redeye"),
                     QStringLiteral("Red-Eye Correction"), parent),
      mark_(new QCheckBox(QStringLiteral("Mark the eye area with the mouse"), this)),
      areaLabel_(new QLabel(this))
{
    mark_->setObjectName(QStringLiteral("chkRedEye"));
    areaLabel_->setObjectName(QStringLiteral("lblRedEyeArea"));
    QGridLayout* grid = pageGrid();
    grid->addWidget(mark_, 0, 0);
    grid->addWidget(areaLabel_, 1, 0);
    grid->setRowStretch(2, 1);
    connect(mark_, &QCheckBox::toggled, this, &TaskOptionPanel::mouseToolChanged);
}

void RedEyeOptions::loadOptions(const SetupRecord::TaskDefaults&, const TaskViewContext&)
{
    Loading loading(*this);
    area_.reset();
    dragging_ = false;
    areaLabel_->clear();
}

void RedEyeOptions::storeOptions(SetupRecord::TaskDefaults&) const {}

TaskRecord RedEyeOptions::record(const TaskViewContext&) const { return TaskRecord(TaskKind::RedEye, key()); }

QRect RedEyeOptions::markedArea() const { return area_.value_or(QRect()); }

TaskOptionPanel::MouseTool RedEyeOptions::mouseTool() const
{
    return mark_->isChecked() ? MouseTool::DragRectangle : MouseTool::None;
}

void RedEyeOptions::rectanglePressed(QPoint) { dragging_ = mark_->isChecked(); }

void RedEyeOptions::rectangleReleased(QPoint start, QPoint end)
{
    const bool armed = mark_->isChecked() || dragging_;
    dragging_ = false;
    if (!armed)
        return;
    const int left = std::min(start.x(), end.x());
    const int top = std::min(start.y(), end.y());
    area_ = QRect(left, top, std::max(start.x(), end.x()) - left, std::max(start.y(), end.y()) - top);
    areaLabel_->setText(QStringLiteral("%1 x %2 at X : %3 ; Y : %4")
                            .arg(area_->width())
                            .arg(area_->height())
                            .arg(area_->x())
                            .arg(area_->y()));
    userChanged();
}

void RedEyeOptions::mouseReleased() { mark_->setChecked(false); }
void RedEyeOptions::cancelMouseTool() { mark_->setChecked(false); }

}  // namespace lumora
