#include "controls/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QSlider>
#include <QWheelEvent>

namespace lumora {
namespace {

// The controls whose value a stray turn of the wheel would change.
bool isGuarded(const QObject* object)
{
    return qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractSpinBox*>(object)
        || qobject_cast<const QSlider*>(object);
}

// An editable combo box keeps the focus in its line edit.
bool hasFocusWithin(const QWidget* widget)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

// Offers the wheel to the control's parents, nearest first, as the application does with a wheel
// event a widget leaves alone, until one takes it (a scroll area, the task pane).
void passToParents(QWidget* control, const QWheelEvent* wheel)
{
    const QPointF global = wheel->globalPosition();
    for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
        QWheelEvent offered(parent->mapFromGlobal(global), global, wheel->pixelDelta(), wheel->angleDelta(),
                            wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                            wheel->source());
        QCoreApplication::sendEvent(parent, &offered);
        if (offered.isAccepted() || parent->isWindow())
            return;
    }
}

}  // namespace

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish:
        if (isGuarded(watched)) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->focusPolicy() == Qt::WheelFocus)
                widget->setFocusPolicy(Qt::StrongFocus);
        }
        break;
    case QEvent::Wheel:
        if (isGuarded(watched) && !hasFocusWithin(static_cast<QWidget*>(watched))) {
            passToParents(static_cast<QWidget*>(watched), static_cast<QWheelEvent*>(event));
            event->accept();  // taken care of: the application offers it to no other parent
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lumora
