#pragma once

#include "PlayerSession.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace lumora::players {

// The slide show: every picture in index order, full screen, centred and fitted (never
// enlarged) over the show's background colour, each for the show's interval, round and round.
// Esc, Q or a click ends it; the arrow keys step back and forth.
class SlideShowWindow : public QWidget {
    Q_OBJECT
public:
    explicit SlideShowWindow(const PlayerSession& session);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    void load();

    const PlayerSession& session_;
    SlideShowOptions options_;
    QTimer timer_;
    int current_ = 0;
    QImage image_;
};

}  // namespace lumora::players
