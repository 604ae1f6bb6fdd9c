#include "tasks/ShadowOptions.h"

#include "tasks/Gallery.h"
#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/TaskDefaultsBinding.h"

#include <QGridLayout>

namespace lumora {

ShadowOptions::ShadowOptions(QWidget* parent)
    : TaskOptionPage(static_cast<int>(TaskKind::Shadow), QStringLiteral("shadow"),
                     QStringLiteral("Task Option - Shadow"), parent),
      gallery_(new GalleryPicker(QStringLiteral("OptShadow"),
                                 [](int i) { return frameThumbnail(i + Gallery::FrameStyleCount); }, this))
{
    QGridLayout* grid = pageGrid();
    grid->addWidget(gallery_, 0, 0);
    grid->setRowStretch(1, 1);
    connect(gallery_, &GalleryPicker::chosen, this, [this] { userChanged(); });
}

int ShadowOptions::selectedStyle() const { return gallery_->currentIndex() + Gallery::FrameStyleCount; }

void ShadowOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    gallery_->setCurrentIndex(taskdefaults::shadow(defaults).gallery);
}

void ShadowOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Shadow{selectedStyle() - Gallery::FrameStyleCount});
}

TaskRecord ShadowOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Shadow, key(), {QString::number(selectedStyle() - Gallery::FrameStyleCount)});
}

}  // namespace lumora
