#include "tasks/TaskOptionPage.h"

#include "controls/NumericField.h"
#include "core/Conversions.h"
#include "tasks/BackColorPicker.h"
#include "tasks/ColorButton.h"
#include "tasks/SpinArrows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace lumora {

void TaskOptionPage::userChanged()
{
    if (!loading_)
        Q_EMIT optionsChanged();
}

void TaskOptionPage::watch(QAbstractButton* button)
{
    const bool option = qobject_cast<QRadioButton*>(button) != nullptr;
    connect(button, &QAbstractButton::toggled, this, [this, option](bool on) {
        if (on || !option)
            userChanged();
    });
}

void TaskOptionPage::watch(QAbstractSlider* slider)
{
    connect(slider, &QAbstractSlider::valueChanged, this, &TaskOptionPage::userChanged);
}

void TaskOptionPage::watch(QLineEdit* edit)
{
    connect(edit, &QLineEdit::textChanged, this, &TaskOptionPage::userChanged);
}

void TaskOptionPage::watch(QComboBox* combo)
{
    connect(combo, &QComboBox::currentIndexChanged, this, &TaskOptionPage::userChanged);
    if (combo->isEditable())
        connect(combo, &QComboBox::editTextChanged, this, &TaskOptionPage::userChanged);
}

void TaskOptionPage::watch(ColorButton* button)
{
    connect(button, &ColorButton::colorChosen, this, &TaskOptionPage::userChanged);
}

QGridLayout* TaskOptionPage::pageGrid()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return grid;
}

QLabel* TaskOptionPage::note(const QString& text, const QString& name)
{
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QSlider* TaskOptionPage::sliderRow(QGridLayout* grid, int row, const QString& caption, const QString& name,
                                   int minimum, int maximum)
{
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setPageStep(std::max(1, (maximum - minimum) / 10));
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(std::max(1, (maximum - minimum) / 10));
    // The value beside it, named after the slider ("sldBlur" -> "lblBlur").
    auto* value = new QLabel(QString::number(minimum), this);
    value->setObjectName(QStringLiteral("lbl") + name.mid(3));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("1000")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
    int column = 0;
    if (!caption.isEmpty())
        grid->addWidget(new QLabel(caption, this), row, column++);
    grid->addWidget(slider, row, column, 1, caption.isEmpty() ? 3 : 2);
    grid->addWidget(value, row, 3);
    return slider;
}

NumericField* TaskOptionPage::numericField(const NumericFieldSpec& spec, const QString& name)
{
    auto* field = new NumericField(spec, this);
    field->setObjectName(name);
    field->setMaximumWidth(64);
    field->setAlignment(Qt::AlignRight);
    return field;
}

SpinArrows* TaskOptionPage::spinArrows(NumericField* field, const QString& name, int minimum, int maximum)
{
    auto* arrows = new SpinArrows(this);
    arrows->setObjectName(name);
    arrows->setRange(minimum, maximum);
    arrows->setValue(field->value());
    field->setCompanion(arrows);
    return arrows;
}

BackColorPicker* TaskOptionPage::backColorPicker()
{
    auto* picker = new BackColorPicker(this);
    connect(picker, &BackColorPicker::colorChosen, this, [this](std::uint32_t colour) {
        Q_EMIT backColorChosen(colour);
        userChanged();
    });
    connect(picker, &BackColorPicker::pickingChanged, this, &TaskOptionPanel::mouseToolChanged);
    return picker;
}

void TaskOptionPage::takePickedColor(BackColorPicker* picker, std::uint32_t oleColor)
{
    if (!picker->picking())
        return;
    picker->setColor(oleColor);
    Q_EMIT backColorChosen(oleColor);
    userChanged();
}

void TaskOptionPage::takePickedPoint(QAbstractButton* arm, QLabel* label, std::optional<QPoint>& point, QPoint view)
{
    if (!arm->isChecked())
        return;
    point = view;
    label->setText(QStringLiteral("X-") + QString::number(view.x()) + QStringLiteral("; Y-") + QString::number(view.y()));
    userChanged();
    arm->setChecked(false);
}

QString TaskOptionPage::colorText(std::uint32_t oleColor)
{
    return QString::number(static_cast<std::int32_t>(oleColor));
}

QString TaskOptionPage::flagText(bool value) { return convert::flagText(value); }
QString TaskOptionPage::bitText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace lumora
