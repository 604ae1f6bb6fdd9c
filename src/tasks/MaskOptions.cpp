#include "tasks/MaskOptions.h"

#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>

namespace lumora {

MaskOptions::MaskOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
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


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawMaskIcon(QPainter& p)
{
    using namespace iconpaint;
    picture(p, QRectF(2.5, 2.5, 19, 19));
    QPainterPath veil;
    veil.setFillRule(Qt::OddEvenFill);
    veil.addRect(QRectF(2.5, 2.5, 19, 19));
    veil.addEllipse(QRectF(6, 5, 12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40, 210));
    p.drawPath(veil);
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
}

}  // namespace lumora
