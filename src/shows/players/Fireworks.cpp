#include "Fireworks.h"

#include <QPainter>
#include <QtMath>

namespace lumora::players {

namespace {

constexpr double kGravity = 0.06;  // pixels per frame², at 600 pixels of height
constexpr double kDrag = 0.985;
constexpr int kMaxSparks = 4000;

}  // namespace

void Fireworks::advance()
{
    // About one rocket in 15 frames, more on a wide screen.
    if (random_.bounded(100) < 6 + int(area_.width() / 800))
        launch();
    const double scale = area_.height() / 600.0;
    for (qsizetype i = rockets_.size() - 1; i >= 0; --i) {
        Particle& rocket = rockets_[i];
        rocket.position += rocket.velocity;
        rocket.velocity.ry() += kGravity * scale;
        if (++rocket.age >= rocket.life || rocket.velocity.y() >= 0) {
            const Particle done = rocket;
            rockets_.removeAt(i);
            burst(done);
        }
    }
    for (qsizetype i = sparks_.size() - 1; i >= 0; --i) {
        Particle& spark = sparks_[i];
        spark.position += spark.velocity;
        spark.velocity *= kDrag;
        spark.velocity.ry() += kGravity * scale * 0.5;
        if (++spark.age >= spark.life)
            sparks_.removeAt(i);
    }
}

void Fireworks::launch()
{
    const double scale = area_.height() / 600.0;
    Particle rocket;
    rocket.position = QPointF(uniform(0.1, 0.9) * area_.width(), area_.height());
    // Fast enough to reach the upper half of the screen before it slows to a stop.
    rocket.velocity = QPointF(uniform(-1.0, 1.0) * scale, -uniform(7.5, 10.0) * scale);
    rocket.colour = QColor::fromHsv(int(random_.bounded(360)), 160, 255);
    rocket.life = int(uniform(35, 60));
    rockets_.append(rocket);
}

void Fireworks::burst(const Particle& rocket)
{
    const double scale = area_.height() / 600.0;
    const int count = qMin(int(uniform(120, 200)), kMaxSparks - int(sparks_.size()));
    const int hue = int(random_.bounded(360));
    const double speed = uniform(2.5, 4.5) * scale;
    for (int i = 0; i < count; ++i) {
        Particle spark;
        spark.position = rocket.position;
        const double angle = uniform(0, 2 * M_PI);
        // The square root spreads the sparks evenly over a disc rather than a ring.
        const double v = speed * qSqrt(random_.generateDouble());
        spark.velocity = QPointF(v * qCos(angle), v * qSin(angle));
        spark.colour = QColor::fromHsv((hue + int(random_.bounded(40))) % 360, int(uniform(120, 255)), 255);
        spark.life = int(uniform(60, 100));
        sparks_.append(spark);
    }
}

void Fireworks::paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    const double width = qMax(2.0, area_.height() / 300.0);
    for (const Particle& rocket : rockets_) {
        painter.setPen(QPen(rocket.colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(rocket.position, rocket.position - rocket.velocity * 3);
    }
    for (const Particle& spark : sparks_) {
        QColor colour = spark.colour;
        // Bright at first, then fading out; a short tail along the way it flies.
        colour.setAlphaF(float(1.0 - double(spark.age) / spark.life));
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(spark.position, spark.position - spark.velocity * 2.5);
    }
    painter.restore();
}

}  // namespace lumora::players
