#include "tasks/CropOptions.h"

#include "controls/NumericField.h"
#include "tasks/BackColorPicker.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace lumora {
namespace {

const NumericFieldSpec EdgeSpec{QStringLiteral("0")};

NumericFieldSpec topSpec(int imageHeight)
{
    NumericFieldSpec spec{QStringLiteral("0"), 0};
    spec.upper = static_cast<std::int16_t>(std::clamp(imageHeight, 0, int(std::numeric_limits<std::int16_t>::max())));
    return spec;
}

}  // namespace

CropOptions::CropOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      mouseOption_(new QRadioButton(QStringLiteral("Mouse"), this)),
      keyInOption_(new QRadioButton(QStringLiteral("Key-in"), this)),
      drawBox_(new QCheckBox(QStringLiteral("Draw on the picture"), this)),
      startLabel_(new QLabel(this)),
      endLabel_(new QLabel(this)),
      left_(numericField(EdgeSpec, QStringLiteral("txtCropLeft"))),
      top_(numericField(topSpec(0), QStringLiteral("txtCropTop"))),
      right_(numericField(EdgeSpec, QStringLiteral("txtCropRight"))),
      bottom_(numericField(EdgeSpec, QStringLiteral("txtCropBot"))),
      shape_(new QComboBox(this)),
      backColor_(backColorPicker())
{
    mouseOption_->setObjectName(QStringLiteral("optCropSelect0"));
    keyInOption_->setObjectName(QStringLiteral("optCropSelect1"));
    drawBox_->setObjectName(QStringLiteral("chkCropMouse"));
    drawBox_->setToolTip(QStringLiteral("Drag a rectangle on the picture"));
    startLabel_->setObjectName(QStringLiteral("lblCropStart"));
    endLabel_->setObjectName(QStringLiteral("lblCropEnd"));
    shape_->setObjectName(QStringLiteral("cmbCrop"));
    shape_->addItems({QStringLiteral("Rectangle"), QStringLiteral("Ellipse")});
    mouseOption_->setChecked(true);

    QGridLayout* grid = pageGrid();
    grid->addWidget(mouseOption_, 0, 0, 1, 5);
    grid->addWidget(drawBox_, 1, 1, 1, 4);
    grid->addWidget(startLabel_, 2, 1, 1, 2);
    grid->addWidget(endLabel_, 2, 3, 1, 2);
    grid->addWidget(keyInOption_, 3, 0, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Left"), this), 4, 1);
    grid->addWidget(left_, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Top"), this), 4, 3);
    grid->addWidget(top_, 4, 4);
    grid->addWidget(new QLabel(QStringLiteral("Right"), this), 5, 1);
    grid->addWidget(right_, 5, 2);
    grid->addWidget(new QLabel(QStringLiteral("Bottom"), this), 5, 3);
    grid->addWidget(bottom_, 5, 4);
    grid->addWidget(new QLabel(QStringLiteral("Shape"), this), 6, 1);
    grid->addWidget(shape_, 6, 2, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), 7, 1);
    grid->addWidget(backColor_, 7, 2, 1, 3);
    grid->setColumnMinimumWidth(0, 14);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(8, 1);

    watch(mouseOption_);
    watch(keyInOption_);
    for (NumericField* field : {left_, top_, right_, bottom_})
        watch(field);
    watch(shape_);
    connect(keyInOption_, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading())
            fillFromImage();
        if (on)
            drawBox_->setChecked(false);
        updateEnabled();
    });
    connect(shape_, &QComboBox::currentIndexChanged, this, &CropOptions::updateEnabled);
    // One mouse tool at a time: drawing the rectangle or picking the fill colour.
    // Drawing on the picture is the mouse crop, whichever option was chosen before.
    connect(drawBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            backColor_->setPicking(false);
            mouseOption_->setChecked(true);
        }
        Q_EMIT mouseToolChanged();
    });
    connect(backColor_, &BackColorPicker::pickingChanged, this, [this](bool on) {
        if (on)
            drawBox_->setChecked(false);
    });
    updateEnabled();
}

bool CropOptions::keyIn() const { return keyInOption_->isChecked(); }

void CropOptions::fillFromImage()
{
    left_->setText(QStringLiteral("0"));
    top_->setText(QStringLiteral("0"));
    right_->setText(QString::number(imageWidth_));
    bottom_->setText(QString::number(imageHeight_));
}

void CropOptions::updateEnabled()
{
    const bool keyed = keyIn();
    for (NumericField* field : {left_, top_, right_, bottom_})
        field->setEnabled(keyed);
    shape_->setEnabled(keyed);
    const bool ellipse = keyed && shape_->currentIndex() != 0;
    backColor_->setEnabled(ellipse);
    if (!ellipse)
        backColor_->setPicking(false);
}

QString CropOptions::pointText(QPoint point)
{
    return QStringLiteral("X : ") + QString::number(point.x()) + QStringLiteral(" ; ") + QStringLiteral("Y : ") +
           QString::number(point.y());
}

void CropOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view)
{
    Loading loading(*this);
    const taskdefaults::Crop v = taskdefaults::crop(defaults);
    imageWidth_ = view.imageWidth;
    imageHeight_ = view.imageHeight;
    top_->setSpec(topSpec(view.imageHeight));
    (v.byMouse ? mouseOption_ : keyInOption_)->setChecked(true);
    shape_->setCurrentIndex(std::clamp(v.shape, 0, shape_->count() - 1));
    backColor_->setColor(v.backColor);
    fillFromImage();
    end_.reset();
    startLabel_->clear();
    endLabel_->clear();
    updateEnabled();
}

void CropOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Crop{!keyIn(), shape_->currentIndex(), backColor_->color()});
}

TaskRecord CropOptions::record(const TaskViewContext& view) const
{
    if (keyIn()) {
        const bool ellipse = shape_->currentIndex() != 0;
        return TaskRecord(TaskKind::Crop, key(),
                          {flagText(true), QString::number(shape_->currentIndex()), left_->text(), top_->text(),
                           right_->text(), bottom_->text(), ellipse ? colorText(backColor_->color()) : QString()});
    }
    const QRect area = markedArea();
    QPoint topLeft = area.topLeft();
    QPoint bottomRight(area.x() + area.width(), area.y() + area.height());
    QString boxWidth;
    QString boxHeight;
    if (view.scaled) {
        // Kept in view coordinates with the box they were drawn in; the task maps them for
        // each photo.
        boxWidth = QString::number(view.boxWidth);
        boxHeight = QString::number(view.boxHeight);
    } else {
        topLeft = view.toImage(topLeft);
        bottomRight = view.toImage(bottomRight);
    }
    return TaskRecord(TaskKind::Crop, key(),
                      {flagText(false), QString::number(topLeft.x()), QString::number(topLeft.y()),
                       QString::number(bottomRight.x()), QString::number(bottomRight.y()), boxWidth, boxHeight});
}

bool CropOptions::needsMarkedArea() const { return !keyIn(); }

QRect CropOptions::markedArea() const
{
    if (!end_)
        return {};
    const int left = std::min(start_.x(), end_->x());
    const int top = std::min(start_.y(), end_->y());
    const int right = std::max(start_.x(), end_->x());
    const int bottom = std::max(start_.y(), end_->y());
    return QRect(left, top, right - left, bottom - top);
}

TaskOptionPanel::MouseTool CropOptions::mouseTool() const
{
    if (!keyIn() && drawBox_->isChecked())
        return MouseTool::DragRectangle;
    if (backColor_->picking())
        return MouseTool::PickColor;
    return MouseTool::None;
}

void CropOptions::colorPicked(std::uint32_t oleColor) { takePickedColor(backColor_, oleColor); }

void CropOptions::rectanglePressed(QPoint view)
{
    if (mouseTool() != MouseTool::DragRectangle)
        return;
    start_ = view;
    startLabel_->setText(pointText(view));
}

void CropOptions::rectangleReleased(QPoint start, QPoint end)
{
    if (mouseTool() != MouseTool::DragRectangle)
        return;
    start_ = start;
    end_ = end;
    startLabel_->setText(pointText(start));
    endLabel_->setText(pointText(end));
    userChanged();
}

void CropOptions::mouseReleased() { backColor_->setPicking(false); }

void CropOptions::cancelMouseTool()
{
    drawBox_->setChecked(false);
    backColor_->setPicking(false);
}


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawCropIcon(QPainter& p)
{
    using namespace iconpaint;
    picture(p, QRectF(7, 7, 10, 10));
    p.setPen(pen(DarkShadow, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(6, 1.5), QPointF(6, 18), QPointF(22.5, 18)}));
    p.drawPolyline(QPolygonF({QPointF(1.5, 6), QPointF(18, 6), QPointF(18, 22.5)}));
}

}  // namespace lumora
