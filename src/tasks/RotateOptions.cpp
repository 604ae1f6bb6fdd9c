#include "tasks/RotateOptions.h"

#include "controls/NumericField.h"
#include "tasks/BackColorPicker.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace lumora {
namespace {

const NumericFieldSpec DegreesSpec{QStringLiteral("45"), 0, 360, true};
constexpr int PresetAngles[] = {-15, 15, 45, -45};

}  // namespace

RotateOptions::RotateOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      degrees_(numericField(DegreesSpec, QStringLiteral("txtDegrees"))),
      // The presets turn both ways, so the arrows reach below the field's own limits; a typed
      // angle is still held to 0..360 when the field is left.
      degreesArrows_(spinArrows(degrees_, QStringLiteral("sbDegrees"), -360, 360)),
      resample_(new QCheckBox(QStringLiteral("Resample"), this)),
      backColor_(backColorPicker())
{
    resample_->setObjectName(QStringLiteral("chkRotateResample"));

    QGridLayout* grid = pageGrid();
    grid->addWidget(new QLabel(QStringLiteral("Degrees"), this), 0, 0);
    auto* angleRow = new QHBoxLayout;
    angleRow->setSpacing(1);
    angleRow->addWidget(degrees_);
    angleRow->addWidget(degreesArrows_);
    angleRow->addStretch(1);
    grid->addLayout(angleRow, 0, 1);

    auto* presets = new QHBoxLayout;
    presets->setSpacing(3);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::number(PresetAngles[i]), this);
        button->setObjectName(QStringLiteral("cmdAngle%1").arg(i));
        button->setMaximumWidth(44);
        connect(button, &QPushButton::clicked, this, [this, i] { degreesArrows_->setValue(PresetAngles[i]); });
        presets->addWidget(button);
    }
    presets->addStretch(1);
    grid->addLayout(presets, 1, 0, 1, 2);
    grid->addWidget(resample_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), 3, 0);
    grid->addWidget(backColor_, 3, 1);
    grid->addWidget(note(QStringLiteral("Note: Canvas will be resized")), 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);

    watch(degrees_);
    watch(resample_);
}

void RotateOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Rotate v = taskdefaults::rotate(defaults);
    degrees_->setText(v.degrees == 0 ? DegreesSpec.defaultText : QString::number(v.degrees));
    degreesArrows_->setValue(degrees_->value());
    resample_->setChecked(v.resample);
    backColor_->setColor(v.backColor);
}

void RotateOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Rotate{degrees_->value(), resample_->isChecked(), backColor_->color()});
}

TaskRecord RotateOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Rotate, key(),
                      {flagText(resample_->isChecked()), degrees_->text(), colorText(backColor_->color())});
}

TaskOptionPanel::MouseTool RotateOptions::mouseTool() const
{
    return backColor_->picking() ? MouseTool::PickColor : MouseTool::None;
}

void RotateOptions::colorPicked(std::uint32_t oleColor) { takePickedColor(backColor_, oleColor); }
void RotateOptions::mouseReleased() { backColor_->setPicking(false); }
void RotateOptions::cancelMouseTool() { backColor_->setPicking(false); }


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawRotateIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(Highlight, 2.5));
    p.setBrush(Qt::NoBrush);
    const QRectF circle(4, 4, 16, 16);
    p.drawArc(circle, 100 * 16, 280 * 16);
    p.setBrush(Highlight);
    arrowHead(p, QPointF(11, 2.2), 190, 6);
}

}  // namespace lumora
