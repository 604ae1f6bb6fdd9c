#include "tasks/FitOptions.h"

#include "controls/NumericField.h"
#include "tasks/TaskIconPainting.h"
#include "tasks/TaskViewContext.h"
#include "tasks/kinds/FitTask.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace lumora {
namespace {

// A box side of at least one pixel; the engine's sizes are 16-bit.
const NumericFieldSpec WidthSpec{QStringLiteral("1280"), 1, 32767};
const NumericFieldSpec HeightSpec{QStringLiteral("960"), 1, 32767};

}  // namespace

FitOptions::FitOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      width_(numericField(WidthSpec, QStringLiteral("txtFitWidth"))),
      height_(numericField(HeightSpec, QStringLiteral("txtFitHeight"))),
      enlarge_(new QCheckBox(QStringLiteral("Enlarge small photos"), this)),
      result_(note(QString(), QStringLiteral("lblFitResult")))
{
    enlarge_->setObjectName(QStringLiteral("chkFitEnlarge"));

    QGridLayout* grid = pageGrid();
    grid->addWidget(note(QStringLiteral("Scales the photo to fit the box, keeping its shape.")), 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Width"), this), 1, 0);
    grid->addWidget(width_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height"), this), 2, 0);
    grid->addWidget(height_, 2, 1);
    grid->addWidget(enlarge_, 3, 0, 1, 3);
    grid->addWidget(result_, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);

    watch(width_);
    watch(height_);
    watch(enlarge_);
    for (NumericField* field : {width_, height_})
        connect(field, &QLineEdit::textChanged, this, &FitOptions::showResult);
    connect(enlarge_, &QCheckBox::toggled, this, &FitOptions::showResult);
}

void FitOptions::loadOptions(const SetupRecord::TaskDefaults&, const TaskViewContext& view)
{
    Loading loading(*this);
    photo_ = QSize(view.imageWidth, view.imageHeight);
    showResult();
}

void FitOptions::storeOptions(SetupRecord::TaskDefaults&) const {}

TaskRecord FitOptions::record(const TaskViewContext&) const
{
    return TaskRecord(TaskKind::Fit, key(),
                      {QString::number(width_->value()), QString::number(height_->value()),
                       flagText(enlarge_->isChecked())});
}

void FitOptions::showResult()
{
    if (photo_.isEmpty()) {
        result_->clear();
        return;
    }
    const QSize size = FitTask::fittedSize(photo_, QSize(width_->value(), height_->value()), enlarge_->isChecked());
    result_->setText(QStringLiteral("This photo: %1 x %2 becomes %3 x %4")
                         .arg(photo_.width())
                         .arg(photo_.height())
                         .arg(size.width())
                         .arg(size.height()));
}

// The page's task icon, on the 24 x 24 grid of every task icon: a wide picture drawn into a
// dashed box, arrows pointing in from the box's corners.
void drawFitIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(QPen(Shadow, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    picture(p, QRectF(4.5, 8.5, 15, 8));
    p.setPen(pen(Highlight, 1.5));
    p.drawLine(QPointF(3.5, 3.5), QPointF(6.5, 6.5));
    p.drawLine(QPointF(20.5, 20.5), QPointF(17.5, 17.5));
    p.setBrush(Highlight);
    arrowHead(p, QPointF(7.5, 7.5), 45, 3.5);
    arrowHead(p, QPointF(16.5, 16.5), -135, 3.5);
}

}  // namespace lumora
