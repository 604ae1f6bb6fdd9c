#include "tasks/ResizeOptions.h"

#include "controls/NumericField.h"
#include "core/Conversions.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora {
namespace {

const NumericFieldSpec SizeSpec{QStringLiteral("0")};

}  // namespace

ResizeOptions::ResizeOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      resizeOption_(new QRadioButton(QStringLiteral("Resize"), this)),
      scaleOption_(new QRadioButton(QStringLiteral("Scale"), this)),
      width_(numericField(SizeSpec, QStringLiteral("txtResizeWidth"))),
      height_(numericField(SizeSpec, QStringLiteral("txtResizeHeight"))),
      ratio_(new QCheckBox(QStringLiteral("Retain Ratio"), this)),
      scale_(new QLineEdit(QStringLiteral("50"), this)),
      resample_(new QCheckBox(QStringLiteral("Resample"), this)),
      filter_(new QComboBox(this))
{
    resizeOption_->setObjectName(QStringLiteral("optResize0"));
    scaleOption_->setObjectName(QStringLiteral("optResize1"));
    ratio_->setObjectName(QStringLiteral("chkResizeRatio"));
    scale_->setObjectName(QStringLiteral("txtScale"));
    resample_->setObjectName(QStringLiteral("chkResizeResample"));
    filter_->setObjectName(QStringLiteral("ComboFilter"));
    filter_->addItems({QStringLiteral("Bilinear"), QStringLiteral("Hermite"), QStringLiteral("Bell"),
                       QStringLiteral("B-Spline"), QStringLiteral("Lanczos"), QStringLiteral("Mitchell")});
    resizeOption_->setChecked(true);
    ratio_->setChecked(true);
    // A percentage may have a fraction: it reaches the engine without rounding.
    scale_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}(\\.\\d{0,4})?")),
                                                         scale_));
    scale_->setMaximumWidth(64);
    scale_->setAlignment(Qt::AlignRight);

    QGridLayout* grid = pageGrid();
    grid->addWidget(resizeOption_, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Width"), this), 1, 1);
    grid->addWidget(width_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Height"), this), 2, 1);
    grid->addWidget(height_, 2, 2);
    grid->addWidget(ratio_, 3, 1, 1, 2);
    grid->addWidget(scaleOption_, 4, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Enter percentage"), this), 5, 1);
    grid->addWidget(scale_, 5, 2);
    grid->addWidget(resample_, 6, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Filter"), this), 7, 0, 1, 2);
    grid->addWidget(filter_, 7, 2, 1, 2);
    grid->setColumnMinimumWidth(0, 14);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(8, 1);

    for (QRadioButton* option : {resizeOption_, scaleOption_}) {
        watch(option);
        connect(option, &QRadioButton::toggled, this, &ResizeOptions::updateEnabled);
    }
    watch(width_);
    watch(height_);
    watch(ratio_);
    watch(scale_);
    watch(resample_);
    watch(filter_);
    connect(width_, &QLineEdit::textChanged, this,
            [this] { followRatio(width_, height_, startHeight_, startWidth_); });
    connect(height_, &QLineEdit::textChanged, this,
            [this] { followRatio(height_, width_, startWidth_, startHeight_); });
    updateEnabled();
}

bool ResizeOptions::exactSize() const { return !scaleOption_->isChecked(); }

void ResizeOptions::updateEnabled()
{
    const bool exact = exactSize();
    width_->setEnabled(exact);
    height_->setEnabled(exact);
    ratio_->setEnabled(exact);
    scale_->setEnabled(!exact);
}

void ResizeOptions::followRatio(const NumericField* changed, NumericField* other, int numerator, int denominator)
{
    if (loading() || followingRatio_ || !ratio_->isChecked() || denominator <= 0)
        return;
    followingRatio_ = true;
    const double exact = static_cast<double>(changed->value()) * numerator / denominator;
    const double limited = std::clamp(convert::roundHalfEven(exact), double(std::numeric_limits<std::int16_t>::min()),
                                      double(std::numeric_limits<std::int16_t>::max()));
    other->setText(QString::number(static_cast<int>(limited)));
    followingRatio_ = false;
}

void ResizeOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view)
{
    Loading loading(*this);
    const taskdefaults::Resize v = taskdefaults::resize(defaults);
    startWidth_ = view.startWidth;
    startHeight_ = view.startHeight;
    resizeOption_->setChecked(true);
    ratio_->setChecked(v.retainRatio);
    resample_->setChecked(v.resample);
    filter_->setCurrentIndex(std::clamp(v.filter, 0, filter_->count() - 1));
    scale_->setText(QString::number(v.scalePercent));
    width_->setText(QString::number(view.imageWidth));
    height_->setText(QString::number(view.imageHeight));
    updateEnabled();
}

void ResizeOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::Resize v;
    v.retainRatio = ratio_->isChecked();
    v.resample = resample_->isChecked();
    v.filter = filter_->currentIndex();
    bool ok = false;
    const double percent = scale_->text().toDouble(&ok);
    v.scalePercent = ok ? static_cast<int>(std::clamp(convert::roundHalfEven(percent), 0.0, 32767.0)) : 0;
    taskdefaults::store(defaults, v);
}

TaskRecord ResizeOptions::record(const TaskViewContext&) const
{
    if (exactSize())
        return TaskRecord(TaskKind::Resize, key(), {flagText(true), width_->text(), height_->text()});
    return TaskRecord(TaskKind::Resize, key(), {flagText(false), scale_->text(), QString()});
}


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawResizeIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(QPen(Shadow, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    picture(p, QRectF(2.5, 11.5, 10, 10));
    p.setPen(pen(Highlight, 2));
    p.drawLine(QPointF(10, 14), QPointF(18, 6));
    p.setBrush(Highlight);
    arrowHead(p, QPointF(20.5, 3.5), -45);
}

}  // namespace lumora
