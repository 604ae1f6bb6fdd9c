#include "GreetingWindow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace lumora::players {

GreetingWindow::GreetingWindow(const PlayerSession& session) : image_(session.picture(0))
{
    setWindowTitle(session.package().pictures().constFirst().name);
}

void GreetingWindow::showOwnSize()
{
    const QRect available = screen()->availableGeometry();
    const QRect own = fittedRect(image_.size(), available);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showNormal();
    setFixedSize(own.size());
    move(own.topLeft());
}

void GreetingWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Full screen shows the picture as large as the screen allows; its own size needs no scaling.
    const QSize shown = image_.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), shown);
    target.moveCenter(rect().center());
    painter.drawImage(target, image_);
    painter.end();
    PlayerSession::pictureShown(*this);
}

void GreetingWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F:
        if (isFullScreen()) {
            showOwnSize();
        } else {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            players::showFullScreen(*this);
        }
        break;
    case Qt::Key_Escape:
    case Qt::Key_Q:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

}  // namespace lumora::players
