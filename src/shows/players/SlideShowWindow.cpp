#include "SlideShowWindow.h"

#include <QKeyEvent>
#include <QPainter>

namespace lumora::players {

SlideShowWindow::SlideShowWindow(const PlayerSession& session)
    : session_(session), options_(session.package().slideShowOptions())
{
    setWindowTitle(QStringLiteral("Slide show"));
    setCursor(Qt::BlankCursor);
    timer_.setInterval(options_.intervalSeconds * 1000);
    connect(&timer_, &QTimer::timeout, this, [this] { step(1); });
    timer_.start();
}

void SlideShowWindow::step(int delta)
{
    const int count = int(session_.package().pictures().size());
    current_ = ((current_ + delta) % count + count) % count;
    load();
    timer_.start();  // the new picture gets its whole interval
    update();
}

void SlideShowWindow::load()
{
    image_ = session_.picture(current_, size());
}

void SlideShowWindow::resizeEvent(QResizeEvent*)
{
    load();
}

void SlideShowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), options_.background);
    if (image_.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fittedRect(image_.size(), rect()), image_);
    painter.end();
    PlayerSession::pictureShown(*this);
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Q:
        close();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        step(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        step(1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SlideShowWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

}  // namespace lumora::players
