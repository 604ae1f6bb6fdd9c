#pragma once

#include <QColor>
#include <QIcon>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <functional>

class QPainter;

// What the task icons share: they are drawn on a 24 x 24 grid, in the colours of the classic
// desktop scheme the rest of the window follows, most of them around a small landscape.
namespace lumora::iconpaint {

inline const QColor Highlight(49, 106, 197);
inline const QColor LightBlue(157, 185, 235);
inline const QColor Sky(61, 149, 255);
inline const QColor ButtonFace(236, 233, 216);
inline const QColor Shadow(172, 168, 153);
inline const QColor DarkShadow(113, 111, 100);
inline const QColor Ink(0, 0, 0);
inline const QColor Paper(255, 255, 255);
inline const QColor Meadow(92, 160, 72);
inline const QColor Gold(196, 150, 48);
inline const QColor Sun(255, 190, 30);
inline const QColor Red(210, 30, 30);

// A round-capped pen.
QPen pen(const QColor& colour, double width = 1.5);
// A small landscape: the picture every picture-editing icon shows.
void picture(QPainter& p, const QRectF& r);
// A filled arrow head with its tip at `tip`, pointing along the angle.
void arrowHead(QPainter& p, QPointF tip, double angleDegrees, double size = 4.5);
// An icon of the drawing at 16, 24 and 32 pixels, the grid scaled to each.
QIcon iconOf(const std::function<void(QPainter&)>& draw);

}  // namespace lumora::iconpaint
