#include "tasks/MaskOptions.h"

#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/TaskDefaultsBinding.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSlider>

namespace lumora {

MaskOptions::MaskOptions(QWidget* parent)
    : TaskOptionPage(static_cast<int>(TaskKind::Mask), QStringLiteral("mask"), QStringLiteral("Task Option - Mask"),
                     parent),
      gallery_(new GalleryPicker(QStringLiteral("OptMask"), [](int i) { return maskThumbnail(i); }, this)),
      transparent_(new QCheckBox(QStringLiteral("Transparent"), this))
{
    transparent_->setObjectName(QStringLiteral("chkMaskTransparent"));
    transparent_->setChecked(true);

    QGridLayout* grid = pageGrid();
    grid->addWidget(gallery_, 0, 0, 1, 4);
    grid->addWidget(transparent_, 1, 0, 1, 4);
    transparency_ = sliderRow(grid, 2, QStringLiteral("Transparency"), QStringLiteral("sldMask"), 0, 100);
    transparency_->setValue(50);
    grid->setRowStretch(3, 1);

    connect(gallery_, &GalleryPicker::chosen, this, [this] { userChanged(); });
    watch(transparent_);
    watch(transparency_);
}

int MaskOptions::selectedMask() const { return gallery_->currentIndex(); }

void MaskOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Mask v = taskdefaults::mask(defaults);
    gallery_->setCurrentIndex(v.gallery);
    transparent_->setChecked(v.transparent);
    transparency_->setValue(v.transparency);
}

void MaskOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults,
                        taskdefaults::Mask{selectedMask(), transparent_->isChecked(), transparency_->value()});
}

TaskRecord MaskOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Mask, key(),
                      {flagText(transparent_->isChecked()), QString::number(transparency_->value()),
                       QString::number(selectedMask())});
}

}  // namespace lumora
