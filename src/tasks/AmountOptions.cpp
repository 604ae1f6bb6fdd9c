#include "tasks/AmountOptions.h"

#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QSlider>
#include <QtMath>

#include <cmath>
#include <stdexcept>

namespace lumora {
namespace {

struct AmountPage {
    const char* name;          // the slider's name without "sld"
    const char* channelNames;  // prefix of the channel boxes, none for blur and sharpen
    int minimum;
    int maximum;
    int formDefault;
};

AmountPage pageOf(TaskKind kind)
{
    switch (kind) {
    case TaskKind::Blur:
        return {"Blur", nullptr, 1, 10, 1};
    case TaskKind::Sharpen:
        return {"Sharpen", nullptr, 1, 10, 1};
    case TaskKind::Contrast:
        return {"Contrast", "chkCon", 0, 100, 50};
    case TaskKind::Brightness:
        return {"Brightness", "chkBr", 0, 100, 50};
    default:
        throw std::invalid_argument("AmountOptions: not a one-amount filter");
    }
}

}  // namespace

AmountOptions::AmountOptions(const TaskKindInfo& info, QWidget* parent) : TaskOptionPage(info, parent)
{
    const AmountPage page = pageOf(info.kind);
    QGridLayout* grid = pageGrid();
    amount_ = sliderRow(grid, 0, QString(), QStringLiteral("sld") + QLatin1String(page.name), page.minimum,
                        page.maximum);
    amount_->setValue(page.formDefault);
    watch(amount_);
    if (page.channelNames) {
        const QString prefix = QString::fromLatin1(page.channelNames);
        auto channel = [&](const QString& caption) {
            auto* box = new QCheckBox(caption, this);
            box->setObjectName(prefix + caption);
            box->setChecked(true);
            watch(box);
            return box;
        };
        red_ = channel(QStringLiteral("Red"));
        green_ = channel(QStringLiteral("Green"));
        blue_ = channel(QStringLiteral("Blue"));
        auto* channels = new QHBoxLayout;
        channels->addWidget(red_);
        channels->addWidget(green_);
        channels->addWidget(blue_);
        channels->addStretch(1);
        grid->addLayout(channels, 1, 0, 1, 4);
    }
    grid->setRowStretch(2, 1);
}

void AmountOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    taskdefaults::Amount v;
    switch (kind()) {
    case TaskKind::Blur: v = taskdefaults::blur(defaults); break;
    case TaskKind::Sharpen: v = taskdefaults::sharpen(defaults); break;
    case TaskKind::Contrast: v = taskdefaults::contrast(defaults); break;
    default: v = taskdefaults::brightness(defaults); break;
    }
    amount_->setValue(v.amount);
    if (hasChannels()) {
        red_->setChecked(v.red);
        green_->setChecked(v.green);
        blue_->setChecked(v.blue);
    }
}

void AmountOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::Amount v;
    v.amount = amount_->value();
    if (hasChannels()) {
        v.red = red_->isChecked();
        v.green = green_->isChecked();
        v.blue = blue_->isChecked();
    }
    switch (kind()) {
    case TaskKind::Blur: taskdefaults::storeBlur(defaults, v); break;
    case TaskKind::Sharpen: taskdefaults::storeSharpen(defaults, v); break;
    case TaskKind::Contrast: taskdefaults::storeContrast(defaults, v); break;
    default: taskdefaults::storeBrightness(defaults, v); break;
    }
}

TaskRecord AmountOptions::record(const TaskViewContext&) const
{
    const TaskKind k = kind();
    if (!hasChannels())
        return TaskRecord(k, key(), {QString::number(amount_->value())});
    return TaskRecord(k, key(),
                      {QString::number(amount_->value()), bitText(red_->isChecked()), bitText(green_->isChecked()),
                       bitText(blue_->isChecked())});
}


// The task icons of the page's kinds, on the 24 x 24 grid of every task icon.
void drawContrastIcon(QPainter& p)
{
    using namespace iconpaint;
    const QRectF circle(2.5, 2.5, 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(circle);
    p.setBrush(Ink);
    p.drawPie(circle, 90 * 16, 180 * 16);
    p.setPen(pen(Ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
}

void drawSharpenIcon(QPainter& p)
{
    using namespace iconpaint;
    QLinearGradient fill(QPointF(4, 20), QPointF(20, 4));
    fill.setColorAt(0, Highlight);
    fill.setColorAt(1, Sky);
    p.setPen(pen(Ink, 1.2));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({QPointF(12, 2), QPointF(21.5, 21), QPointF(2.5, 21)}));
    p.setPen(pen(Paper, 1.2));
    p.drawLine(QPointF(12, 6.5), QPointF(7.5, 16));
}

void drawBlurIcon(QPainter& p)
{
    using namespace iconpaint;
    QRadialGradient glow(QPointF(12, 12), 11);
    glow.setColorAt(0, Highlight);
    glow.setColorAt(0.45, QColor(Highlight.red(), Highlight.green(), Highlight.blue(), 150));
    glow.setColorAt(1, QColor(Highlight.red(), Highlight.green(), Highlight.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(12, 12), 11, 11);
}

void drawBrightnessIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(Gold, 1.8));
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(45.0 * i);
        p.drawLine(QPointF(12 + 7.5 * std::cos(a), 12 + 7.5 * std::sin(a)),
                   QPointF(12 + 10.5 * std::cos(a), 12 + 10.5 * std::sin(a)));
    }
    p.setPen(pen(Gold, 1));
    p.setBrush(Sun);
    p.drawEllipse(QPointF(12, 12), 5, 5);
}

}  // namespace lumora
