#include "tasks/FrameOptions.h"

#include "controls/NumericField.h"
#include "tasks/BackColorPicker.h"
#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

namespace lumora {
namespace {

const NumericFieldSpec FrameSizeSpec{QStringLiteral("0"), 0, 800};

}  // namespace

FrameOptions::FrameOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      imageOption_(new QRadioButton(QStringLiteral("Image"), this)),
      colorOption_(new QRadioButton(QStringLiteral("Color"), this)),
      gallery_(new GalleryPicker(QStringLiteral("OptFrameImage"), [](int i) { return frameThumbnail(i); }, this)),
      useCanvas_(new QCheckBox(QStringLiteral("Use canvas space"), this)),
      size_(numericField(FrameSizeSpec, QStringLiteral("txtFrameSize"))),
      sizeArrows_(spinArrows(size_, QStringLiteral("vsFrameSize"), 0, 800)),
      backColor_(backColorPicker())
{
    imageOption_->setObjectName(QStringLiteral("OptFrameStyle0"));
    colorOption_->setObjectName(QStringLiteral("OptFrameStyle1"));
    useCanvas_->setObjectName(QStringLiteral("chkFrameImageResizeCanvas"));
    imageOption_->setChecked(true);
    useCanvas_->setChecked(true);

    QGridLayout* grid = pageGrid();
    grid->addWidget(imageOption_, 0, 0, 1, 3);
    grid->addWidget(gallery_, 1, 0, 1, 4);
    grid->addWidget(useCanvas_, 2, 1, 1, 3);
    grid->addWidget(colorOption_, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Frame Size"), this), 4, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(1);
    sizeRow->addWidget(size_);
    sizeRow->addWidget(sizeArrows_);
    sizeRow->addStretch(1);
    grid->addLayout(sizeRow, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), 5, 1);
    grid->addWidget(backColor_, 5, 2);
    grid->setColumnMinimumWidth(0, 14);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);

    watch(imageOption_);
    watch(colorOption_);
    watch(useCanvas_);
    watch(size_);
    connect(gallery_, &GalleryPicker::chosen, this, [this] { userChanged(); });
    connect(colorOption_, &QRadioButton::toggled, this, &FrameOptions::updateEnabled);
    updateEnabled();
}

bool FrameOptions::plainBorder() const { return colorOption_->isChecked(); }
int FrameOptions::selectedStyle() const { return gallery_->currentIndex(); }

void FrameOptions::updateEnabled()
{
    const bool plain = plainBorder();
    gallery_->setEnabled(!plain);
    useCanvas_->setEnabled(!plain);
    size_->setEnabled(plain);
    sizeArrows_->setEnabled(plain);
}

void FrameOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Frame v = taskdefaults::frame(defaults);
    (v.style == 0 ? imageOption_ : colorOption_)->setChecked(true);
    gallery_->setCurrentIndex(v.gallery);
    useCanvas_->setChecked(v.useCanvasSpace);
    size_->setText(QString::number(v.size));
    sizeArrows_->setValue(size_->value());
    backColor_->setColor(v.color);
    updateEnabled();
}

void FrameOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Frame{plainBorder() ? 1 : 0, size_->value(), backColor_->color(),
                                                      selectedStyle(), useCanvas_->isChecked()});
}

TaskRecord FrameOptions::record(const TaskViewContext&) const
{
    if (plainBorder())
        return TaskRecord(TaskKind::Frame, key(), {colorText(backColor_->color()), bitText(true), size_->text()});
    return TaskRecord(TaskKind::Frame, key(),
                      {colorText(backColor_->color()), bitText(false), QString::number(selectedStyle()),
                       bitText(useCanvas_->isChecked())});
}

TaskOptionPanel::MouseTool FrameOptions::mouseTool() const
{
    return backColor_->picking() ? MouseTool::PickColor : MouseTool::None;
}

void FrameOptions::colorPicked(std::uint32_t oleColor) { takePickedColor(backColor_, oleColor); }
void FrameOptions::mouseReleased() { backColor_->setPicking(false); }
void FrameOptions::cancelMouseTool() { backColor_->setPicking(false); }


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawFrameIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(QColor(120, 85, 20), 1));
    p.setBrush(Gold);
    p.drawRect(QRectF(1.5, 1.5, 21, 21));
    picture(p, QRectF(5.5, 5.5, 13, 13));
}

}  // namespace lumora
