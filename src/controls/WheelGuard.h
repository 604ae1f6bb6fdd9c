#pragma once

#include <QObject>

namespace lumora {

// Keeps the mouse wheel for scrolling: a combo box, spin box or slider takes the wheel only while
// it has the keyboard focus. Without the focus the wheel goes to the panes around it, so turning
// the wheel over the task pane scrolls it instead of changing the font or an amount on the way.
// Those controls no longer take the focus from the wheel (Qt::StrongFocus): a click or Tab does.
//
// Installed once on the application (QApplication::installEventFilter), it sees every widget as
// it is polished and every wheel event.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lumora
