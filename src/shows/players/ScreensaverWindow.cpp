#include "ScreensaverWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lumora::players {

namespace {

constexpr int kFrameMs = 30;
constexpr int kFadeFrames = 60;
constexpr int kPhotoFrames = 300;  // about nine seconds per photo
constexpr int kSnapshotFrame = 90; // the first photo is in and the first rockets have burst
constexpr int kPrerollFrames = 70;
constexpr int kMouseSlack = 8;     // pixels the pointer may drift before the show ends

}  // namespace

ScreensaverWindow::ScreensaverWindow(const PlayerSession& session, bool endsOnInput)
    : session_(session), endsOnInput_(endsOnInput), restingMouse_(QCursor::pos())
{
    setWindowTitle(QStringLiteral("Screensaver"));
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, &ScreensaverWindow::tick);
    timer_.start();
}

QImage ScreensaverWindow::fitted(int i) const
{
    const QImage image = session_.picture(i, size());
    if (image.isNull())
        return image;
    const QRect target = fittedRect(image.size(), rect());
    return image.size() == target.size()
        ? image
        : image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ScreensaverWindow::resizeEvent(QResizeEvent*)
{
    fireworks_.setArea(size());
    // The show opens with the sky already alight.
    while (!prerolled_ && frame_ == 0 && fireworksFrames_++ < kPrerollFrames)
        fireworks_.advance();
    prerolled_ = true;
    photo_ = fitted(current_);
    previous_ = QImage();
}

void ScreensaverWindow::tick()
{
    fireworks_.advance();
    if (++frame_ >= kPhotoFrames && session_.package().pictures().size() > 1) {
        current_ = (current_ + 1) % int(session_.package().pictures().size());
        previous_ = photo_;
        photo_ = fitted(current_);
        frame_ = 0;
    }
    update();
}

void ScreensaverWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const double fade = qMin(1.0, double(frame_) / kFadeFrames);
    if (!previous_.isNull() && fade < 1.0) {
        painter.setOpacity(1.0 - fade);
        painter.drawImage(fittedRect(previous_.size(), rect()), previous_);
    }
    if (!photo_.isNull()) {
        painter.setOpacity(fade);
        painter.drawImage(fittedRect(photo_.size(), rect()), photo_);
    }
    painter.setOpacity(1.0);
    fireworks_.paint(painter);
    painter.end();
    static int shownFrames = 0;
    if (++shownFrames >= kSnapshotFrame && !fireworks_.isEmpty())
        PlayerSession::pictureShown(*this);
}

void ScreensaverWindow::keyPressEvent(QKeyEvent* event)
{
    if (endsOnInput_)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ScreensaverWindow::mousePressEvent(QMouseEvent*)
{
    if (endsOnInput_)
        close();
}

void ScreensaverWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Measured from where the pointer rested when the show began, so that the window appearing
    // under a still pointer does not end it.
    const QPoint at = event->globalPosition().toPoint();
    if (endsOnInput_ && (at - restingMouse_).manhattanLength() > kMouseSlack)
        close();
}

}  // namespace lumora::players
