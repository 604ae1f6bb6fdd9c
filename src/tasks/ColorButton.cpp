#include "tasks/ColorButton.h"

#include "core/OleColor.h"
#include "shell/ColorDialogs.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace lumora {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QPushButton::clicked, this, &ColorButton::choose);
}

void ColorButton::setColor(std::uint32_t oleColor)
{
    if (color_ == oleColor)
        return;
    color_ = oleColor;
    update();
}

QSize ColorButton::sizeHint() const { return {44, 22}; }

void ColorButton::choose()
{
    if (const std::optional<std::uint32_t> chosen = ui::ChooseColor(this, color_)) {
        setColor(*chosen);
        Q_EMIT colorChosen(*chosen);
    }
}

void ColorButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const Rgb rgb = OleColor::toRgb(color_);
    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Mid));
    painter.setBrush(isEnabled() ? QColor(rgb.r, rgb.g, rgb.b) : palette().color(QPalette::Button));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

}  // namespace lumora
