#include "tasks/AmountOptions.h"

#include "tasks/TaskDefaultsBinding.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSlider>

#include <stdexcept>

namespace lumora {
namespace {

struct AmountPage {
    const char* key;
    const char* title;
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
        return {"blur", "Task Option - Blur", "Blur", nullptr, 1, 10, 1};
    case TaskKind::Sharpen:
        return {"sharpen", "Task Option - Sharpen", "Sharpen", nullptr, 1, 10, 1};
    case TaskKind::Contrast:
        return {"contrast", "Task Option - Contrast", "Contrast", "chkCon", 0, 100, 50};
    case TaskKind::Brightness:
        return {"brightness", "Task Option - Brightness", "Brightness", "chkBr", 0, 100, 50};
    default:
        throw std::invalid_argument("AmountOptions: not a one-amount filter");
    }
}

}  // namespace

AmountOptions::AmountOptions(TaskKind kind, QWidget* parent)
    : TaskOptionPage(static_cast<int>(kind), QString::fromLatin1(pageOf(kind).key),
                     QString::fromLatin1(pageOf(kind).title), parent)
{
    const AmountPage page = pageOf(kind);
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
    switch (static_cast<TaskKind>(kind())) {
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
    switch (static_cast<TaskKind>(kind())) {
    case TaskKind::Blur: taskdefaults::storeBlur(defaults, v); break;
    case TaskKind::Sharpen: taskdefaults::storeSharpen(defaults, v); break;
    case TaskKind::Contrast: taskdefaults::storeContrast(defaults, v); break;
    default: taskdefaults::storeBrightness(defaults, v); break;
    }
}

TaskRecord AmountOptions::record(const TaskViewContext&) const
{
    const TaskKind k = static_cast<TaskKind>(kind());
    if (!hasChannels())
        return TaskRecord(k, key(), {QString::number(amount_->value())});
    return TaskRecord(k, key(),
                      {QString::number(amount_->value()), bitText(red_->isChecked()), bitText(green_->isChecked()),
                       bitText(blue_->isChecked())});
}

}  // namespace lumora
