#include "tasks/CanvasOptions.h"

#include "controls/NumericField.h"
#include "tasks/BackColorPicker.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace lumora {
namespace {

const NumericFieldSpec MarginSpec{QStringLiteral("0"), 0, 800};
enum Side { Top = 0, Left = 1, Right = 2, Bottom = 3 };

}  // namespace

CanvasOptions::CanvasOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent)
{
    for (int i = 0; i < 4; ++i) {
        margins_[static_cast<size_t>(i)] = numericField(MarginSpec, QStringLiteral("txtCanvasCustom%1").arg(i));
        watch(margins_[static_cast<size_t>(i)]);
    }
    backColor_ = backColorPicker();

    // The fields sit where their sides are: top above, bottom below, left and right between.
    QGridLayout* grid = pageGrid();
    auto place = [&](Side side, const QString& caption, int row, int column) {
        auto* label = new QLabel(caption, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, column);
        grid->addWidget(margins_[side], row, column + 1);
    };
    place(Top, QStringLiteral("Top"), 0, 1);
    place(Left, QStringLiteral("Left"), 1, 0);
    place(Right, QStringLiteral("Right"), 1, 2);
    place(Bottom, QStringLiteral("Bottom"), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), 3, 0);
    grid->addWidget(backColor_, 3, 1, 1, 3);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);
}

void CanvasOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Canvas v = taskdefaults::canvas(defaults);
    for (size_t i = 0; i < margins_.size(); ++i)
        margins_[i]->setText(QString::number(v.margins[i]));
    backColor_->setColor(v.backColor);
}

void CanvasOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::Canvas v;
    for (size_t i = 0; i < margins_.size(); ++i)
        v.margins[i] = margins_[i]->value();
    v.backColor = backColor_->color();
    taskdefaults::store(defaults, v);
}

TaskRecord CanvasOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Canvas, key(),
                      {colorText(backColor_->color()), margins_[Left]->text(), margins_[Top]->text(),
                       margins_[Right]->text(), margins_[Bottom]->text()});
}

TaskOptionPanel::MouseTool CanvasOptions::mouseTool() const
{
    return backColor_->picking() ? MouseTool::PickColor : MouseTool::None;
}

void CanvasOptions::colorPicked(std::uint32_t oleColor) { takePickedColor(backColor_, oleColor); }
void CanvasOptions::mouseReleased() { backColor_->setPicking(false); }
void CanvasOptions::cancelMouseTool() { backColor_->setPicking(false); }


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawCanvasIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(ButtonFace);
    p.drawRect(QRectF(1.5, 1.5, 21, 21));
    picture(p, QRectF(6.5, 6.5, 11, 11));
}

}  // namespace lumora
