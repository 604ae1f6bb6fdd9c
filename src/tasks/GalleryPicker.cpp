#include "tasks/GalleryPicker.h"

#include "tasks/GalleryThumbnails.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>

namespace lumora {
namespace {
constexpr int Columns = 4;
}

GalleryPicker::GalleryPicker(const QString& name, std::function<QImage(int)> picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), group_(new QButtonGroup(this))
{
    setObjectName(name);
    group_->setExclusive(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int i = 0; i < Count; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(name + QString::number(i));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIconSize(QSize(GalleryThumbnailWidth, GalleryThumbnailHeight));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(QStringLiteral("Style %1").arg(i + 1));
        grid->addWidget(button, i / Columns, i % Columns);
        group_->addButton(button, i);
        buttons_.append(button);
    }
    buttons_.first()->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, &GalleryPicker::chosen);
}

int GalleryPicker::currentIndex() const { return std::max(0, group_->checkedId()); }

void GalleryPicker::setCurrentIndex(int index)
{
    buttons_.at(std::clamp(index, 0, Count - 1))->setChecked(true);
}

void GalleryPicker::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!picturesLoaded_)
        loadPictures();
}

void GalleryPicker::loadPictures()
{
    picturesLoaded_ = true;
    for (int i = 0; i < Count; ++i)
        buttons_.at(i)->setIcon(QIcon(QPixmap::fromImage(picture_(i))));
}

}  // namespace lumora
