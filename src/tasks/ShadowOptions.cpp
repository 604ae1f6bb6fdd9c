#include "tasks/ShadowOptions.h"

#include "tasks/Gallery.h"
#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QGridLayout>
#include <QPainter>

namespace lumora {

ShadowOptions::ShadowOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
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


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawShadowIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(DarkShadow.red(), DarkShadow.green(), DarkShadow.blue(), 170));
    p.drawRect(QRectF(7, 7, 15, 15));
    p.setBrush(Paper);
    p.drawRect(QRectF(2, 2, 15, 15));
    picture(p, QRectF(4, 4, 11, 11));
}

}  // namespace lumora
