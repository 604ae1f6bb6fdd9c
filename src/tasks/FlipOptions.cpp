#include "tasks/FlipOptions.h"

#include "tasks/TaskDefaultsBinding.h"

#include <QGridLayout>
#include <QRadioButton>

namespace lumora {

FlipOptions::FlipOptions(QWidget* parent)
    : TaskOptionPage(static_cast<int>(TaskKind::Orientation), QStringLiteral("flip"),
                     QStringLiteral("Task Option - Flip"), parent),
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

}  // namespace lumora
