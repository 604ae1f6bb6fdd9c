#pragma once

#include "Fireworks.h"
#include "PlayerSession.h"

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace lumora::players {

// The screensaver: the photos fade in one after the other, fitted to the screen, while
// fireworks burst over them. Any key, click or mouse movement ends it, unless it draws into
// another program's window (xscreensaver's -root and -window-id), which ends it by itself.
class ScreensaverWindow : public QWidget {
    Q_OBJECT
public:
    ScreensaverWindow(const PlayerSession& session, bool endsOnInput);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void tick();
    QImage fitted(int i) const;

    const PlayerSession& session_;
    const bool endsOnInput_;
    const QPoint restingMouse_;
    Fireworks fireworks_;
    QTimer timer_;
    int frame_ = 0;      // frames since the current photo began to fade in
    int current_ = 0;
    int fireworksFrames_ = 0;
    bool prerolled_ = false;
    QImage photo_;
    QImage previous_;
};

}  // namespace lumora::players
