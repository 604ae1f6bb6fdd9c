#include "tasks/SpinArrows.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace lumora {
namespace {

// How long an arrow must be held before it repeats, and how fast it repeats then (ms).
constexpr int RepeatDelay = 400;
constexpr int RepeatInterval = 50;

}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QAbstractSlider(parent)
{
    setOrientation(Qt::Vertical);
    setFocusPolicy(Qt::NoFocus);
    setSingleStep(1);
    setPageStep(10);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SpinArrows::sizeHint() const { return {16, 22}; }
QSize SpinArrows::minimumSizeHint() const { return {12, 16}; }

SpinArrows::Arrow SpinArrows::arrowAt(QPoint point) const
{
    if (!rect().contains(point))
        return Arrow::None;
    return point.y() < height() / 2 ? Arrow::Up : Arrow::Down;
}

void SpinArrows::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        const Arrow arrow = i == 0 ? Arrow::Up : Arrow::Down;
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        if (pressed_ == arrow)
            button.state |= QStyle::State_Sunken;
        else
            button.state |= QStyle::State_Raised;
        painter.drawPrimitive(QStyle::PE_PanelButtonBevel, button);
        QStyleOption indicator = button;
        indicator.rect = halves[i].adjusted(3, 2, -3, -2);
        painter.drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                              indicator);
    }
}

void SpinArrows::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    pressed_ = arrowAt(event->position().toPoint());
    if (pressed_ == Arrow::None)
        return;
    const SliderAction action = pressed_ == Arrow::Up ? SliderSingleStepAdd : SliderSingleStepSub;
    triggerAction(action);
    setRepeatAction(action, RepeatDelay, RepeatInterval);
    update();
}

void SpinArrows::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = Arrow::None;
    setRepeatAction(SliderNoAction);
    update();
}

}  // namespace lumora
