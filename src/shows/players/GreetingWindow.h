#pragma once

#include "PlayerSession.h"

#include <QImage>
#include <QWidget>

namespace lumora::players {

// The greeting: its single picture at the picture's own size; "F" toggles full screen, where the
// picture is fitted to the screen. Esc or Q ends it.
class GreetingWindow : public QWidget {
    Q_OBJECT
public:
    explicit GreetingWindow(const PlayerSession& session);

    bool hasPicture() const { return !image_.isNull(); }
    // Shows the window at the picture's own size (or the screen's, for a larger picture).
    void showOwnSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage image_;
};

}  // namespace lumora::players
