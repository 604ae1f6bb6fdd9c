#include "tasks/RedEyeOptions.h"

#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lumora {

RedEyeOptions::RedEyeOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
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


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawRedEyeIcon(QPainter& p)
{
    using namespace iconpaint;
    QPainterPath eye;
    eye.moveTo(1.5, 12);
    eye.quadTo(12, 1, 22.5, 12);
    eye.quadTo(12, 23, 1.5, 12);
    p.setPen(pen(Ink, 1.3));
    p.setBrush(Paper);
    p.drawPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawEllipse(QPointF(12, 12), 5, 5);
    p.setBrush(QColor(110, 0, 0));
    p.drawEllipse(QPointF(12, 12), 2.3, 2.3);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(13.6, 10.4), 1.1, 1.1);
}

}  // namespace lumora
