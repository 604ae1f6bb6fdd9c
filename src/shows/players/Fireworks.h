#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRandomGenerator>
#include <QSizeF>

class QPainter;

namespace lumora::players {

// The screensaver's "Fireworks!": rockets climb from the bottom edge and burst into sparks that
// fall under gravity, slow in the air and fade, drawn additively so that they glow over the
// photos. It advances in frames, so the same seed always gives the same show.
class Fireworks {
public:
    explicit Fireworks(quint32 seed = 1) : random_(seed) {}

    void setArea(QSizeF area) { area_ = area; }
    // One frame further: launches, moves, bursts and retires.
    void advance();
    void paint(QPainter& painter) const;
    bool isEmpty() const { return rockets_.isEmpty() && sparks_.isEmpty(); }

private:
    struct Particle {
        QPointF position;
        QPointF velocity;
        QColor colour;
        int age = 0;
        int life = 0;
    };

    void launch();
    void burst(const Particle& rocket);
    double uniform(double low, double high) { return low + (high - low) * random_.generateDouble(); }

    QRandomGenerator random_;
    QSizeF area_{800, 600};
    QList<Particle> rockets_;
    QList<Particle> sparks_;
};

}  // namespace lumora::players
