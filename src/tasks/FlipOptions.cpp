#include "tasks/FlipOptions.h"

#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QGridLayout>
#include <QPainter>
#include <QRadioButton>

namespace lumora {

FlipOptions::FlipOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      horizontal_(new QRadioButton(QStringLiteral("Flip Horizontal"), this)),
      vertical_(new QRadioButton(QStringLiteral("Flip Vertical"), this))
{
    horizontal_->setObjectName(QStringLiteral("optFlip0"));
    vertical_->setObjectName(QStringLiteral("optFlip1"));
    horizontal_->setChecked(true);
    QGridLayout* grid = pageGrid();
    grid->addWidget(horizontal_, 0, 0);
    grid->addWidget(vertical_, 1, 0);
    grid->setRowStretch(2, 1);
    watch(horizontal_);
    watch(vertical_);
}

int FlipOptions::direction() const { return vertical_->isChecked() ? 1 : 0; }

void FlipOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    (taskdefaults::flip(defaults).direction == 0 ? horizontal_ : vertical_)->setChecked(true);
}

void FlipOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Flip{direction()});
}

TaskRecord FlipOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Orientation, key(), {QString::number(direction())});
}


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawFlipIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(QPen(DarkShadow, 1, Qt::DashLine));
    p.drawLine(QPointF(12, 1), QPointF(12, 23));
    p.setPen(pen(Highlight, 1));
    p.setBrush(Highlight);
    p.drawPolygon(QPolygonF({QPointF(2.5, 19), QPointF(10, 19), QPointF(10, 5)}));
    p.setBrush(LightBlue);
    p.drawPolygon(QPolygonF({QPointF(21.5, 19), QPointF(14, 19), QPointF(14, 5)}));
}

}  // namespace lumora
