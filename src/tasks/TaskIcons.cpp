#include "tasks/TaskIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>
#include <functional>

namespace lumora {
namespace {

// Colours of the classic desktop scheme the rest of the window follows.
const QColor Highlight(49, 106, 197);
const QColor LightBlue(157, 185, 235);
const QColor Sky(61, 149, 255);
const QColor ButtonFace(236, 233, 216);
const QColor Shadow(172, 168, 153);
const QColor DarkShadow(113, 111, 100);
const QColor Ink(0, 0, 0);
const QColor Paper(255, 255, 255);
const QColor Meadow(92, 160, 72);
const QColor Gold(196, 150, 48);
const QColor Sun(255, 190, 30);
const QColor Red(210, 30, 30);

// Every icon is drawn on a 24 x 24 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

QPen pen(const QColor& colour, double width = 1.5)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A small landscape: the picture every picture-editing icon shows.
void picture(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(LightBlue);
    p.drawRect(r);
    p.setBrush(Meadow);
    QPainterPath hill;
    hill.moveTo(r.left(), r.bottom());
    hill.lineTo(r.left(), r.top() + r.height() * 0.7);
    hill.quadTo(r.center().x(), r.top() + r.height() * 0.35, r.right(), r.top() + r.height() * 0.75);
    hill.lineTo(r.right(), r.bottom());
    hill.closeSubpath();
    p.drawPath(hill);
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void arrowHead(QPainter& p, QPointF tip, double angleDegrees, double size = 4.5)
{
    const double a = qDegreesToRadians(angleDegrees);
    const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
    const QPointF side(-size * 0.55 * std::sin(a), size * 0.55 * std::cos(a));
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(back + side);
    head.lineTo(back - side);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(head);
}

void drawResize(QPainter& p)
{
    p.setPen(QPen(Shadow, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    picture(p, QRectF(2.5, 11.5, 10, 10));
    p.setPen(pen(Highlight, 2));
    p.drawLine(QPointF(10, 14), QPointF(18, 6));
    p.setBrush(Highlight);
    arrowHead(p, QPointF(20.5, 3.5), -45);
}

void drawCanvas(QPainter& p)
{
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(ButtonFace);
    p.drawRect(QRectF(1.5, 1.5, 21, 21));
    picture(p, QRectF(6.5, 6.5, 11, 11));
}

void drawCrop(QPainter& p)
{
    picture(p, QRectF(7, 7, 10, 10));
    p.setPen(pen(DarkShadow, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(6, 1.5), QPointF(6, 18), QPointF(22.5, 18)}));
    p.drawPolyline(QPolygonF({QPointF(1.5, 6), QPointF(18, 6), QPointF(18, 22.5)}));
}

void drawRotate(QPainter& p)
{
    p.setPen(pen(Highlight, 2.5));
    p.setBrush(Qt::NoBrush);
    const QRectF circle(4, 4, 16, 16);
    p.drawArc(circle, 100 * 16, 280 * 16);
    p.setBrush(Highlight);
    arrowHead(p, QPointF(11, 2.2), 190, 6);
}

void drawFlip(QPainter& p)
{
    p.setPen(QPen(DarkShadow, 1, Qt::DashLine));
    p.drawLine(QPointF(12, 1), QPointF(12, 23));
    p.setPen(pen(Highlight, 1));
    p.setBrush(Highlight);
    p.drawPolygon(QPolygonF({QPointF(2.5, 19), QPointF(10, 19), QPointF(10, 5)}));
    p.setBrush(LightBlue);
    p.drawPolygon(QPolygonF({QPointF(21.5, 19), QPointF(14, 19), QPointF(14, 5)}));
}

void drawInvert(QPainter& p)
{
    p.setPen(pen(Ink, 1));
    p.setBrush(Ink);
    p.drawRect(QRectF(2.5, 2.5, 12, 12));
    p.setBrush(Paper);
    p.drawRect(QRectF(9.5, 9.5, 12, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(7, 7), 2.5, 2.5);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(17, 17), 2.5, 2.5);
}

void drawContrast(QPainter& p)
{
    const QRectF circle(2.5, 2.5, 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(circle);
    p.setBrush(Ink);
    p.drawPie(circle, 90 * 16, 180 * 16);
    p.setPen(pen(Ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
}

void drawSharpen(QPainter& p)
{
    QLinearGradient fill(QPointF(4, 20), QPointF(20, 4));
    fill.setColorAt(0, Highlight);
    fill.setColorAt(1, Sky);
    p.setPen(pen(Ink, 1.2));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({QPointF(12, 2), QPointF(21.5, 21), QPointF(2.5, 21)}));
    p.setPen(pen(Paper, 1.2));
    p.drawLine(QPointF(12, 6.5), QPointF(7.5, 16));
}

void drawBlur(QPainter& p)
{
    QRadialGradient glow(QPointF(12, 12), 11);
    glow.setColorAt(0, Highlight);
    glow.setColorAt(0.45, QColor(Highlight.red(), Highlight.green(), Highlight.blue(), 150));
    glow.setColorAt(1, QColor(Highlight.red(), Highlight.green(), Highlight.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(12, 12), 11, 11);
}

void drawBrightness(QPainter& p)
{
    p.setPen(pen(Gold, 1.8));
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(45.0 * i);
        p.drawLine(QPointF(12 + 7.5 * std::cos(a), 12 + 7.5 * std::sin(a)),
                   QPointF(12 + 10.5 * std::cos(a), 12 + 10.5 * std::sin(a)));
    }
    p.setPen(pen(Gold, 1));
    p.setBrush(Sun);
    p.drawEllipse(QPointF(12, 12), 5, 5);
}

void drawText(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(4, 3, 16, 3.5));
    p.drawRect(QRectF(10.2, 3, 3.6, 17));
    p.drawRect(QRectF(7.5, 18.5, 9, 2.5));
    p.setBrush(Highlight);
    p.drawRect(QRectF(3, 22, 18, 1.5));
}

void drawWatermark(QPainter& p)
{
    QPainterPath drop;
    drop.moveTo(12, 2);
    drop.cubicTo(14, 7, 19, 10, 19, 15);
    drop.arcTo(QRectF(5, 8, 14, 14), 0, -180);
    drop.cubicTo(5, 10, 10, 7, 12, 2);
    QColor water = Sky;
    water.setAlpha(140);
    p.setPen(pen(Highlight, 1.3));
    p.setBrush(water);
    p.drawPath(drop);
    p.setPen(pen(Paper, 1.5));
    p.drawArc(QRectF(8, 12, 6, 6), 180 * 16, 90 * 16);
}

void drawMask(QPainter& p)
{
    picture(p, QRectF(2.5, 2.5, 19, 19));
    QPainterPath veil;
    veil.setFillRule(Qt::OddEvenFill);
    veil.addRect(QRectF(2.5, 2.5, 19, 19));
    veil.addEllipse(QRectF(6, 5, 12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40, 210));
    p.drawPath(veil);
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
}

void drawShadow(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(DarkShadow.red(), DarkShadow.green(), DarkShadow.blue(), 170));
    p.drawRect(QRectF(7, 7, 15, 15));
    p.setBrush(Paper);
    p.drawRect(QRectF(2, 2, 15, 15));
    picture(p, QRectF(4, 4, 11, 11));
}

void drawFrame(QPainter& p)
{
    p.setPen(pen(QColor(120, 85, 20), 1));
    p.setBrush(Gold);
    p.drawRect(QRectF(1.5, 1.5, 21, 21));
    picture(p, QRectF(5.5, 5.5, 13, 13));
}

void drawRedEye(QPainter& p)
{
    QPainterPath eye;
    eye.moveTo(1.5, 12);
    eye.quadTo(12, 1, 22.5, 12);
    eye.quadTo(12, 23, 1.5, 12);
    p.setPen(pen(Ink, 1.3));
    p.setBrush(Paper);
    p.drawPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawEllipse(QPointF(12, 12), 5, 5);
    p.setBrush(QColor(110, 0, 0));
    p.drawEllipse(QPointF(12, 12), 2.3, 2.3);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(13.6, 10.4), 1.1, 1.1);
}

void drawGeneric(QPainter& p)
{
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    picture(p, QRectF(4.5, 5.5, 15, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Sun);
    p.drawEllipse(QPointF(16, 9), 2, 2);
}

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> table = {
        {QStringLiteral("resize"), drawResize},       {QStringLiteral("canvas"), drawCanvas},
        {QStringLiteral("crop"), drawCrop},           {QStringLiteral("rotate"), drawRotate},
        {QStringLiteral("flip"), drawFlip},           {QStringLiteral("invert"), drawInvert},
        {QStringLiteral("contrast"), drawContrast},   {QStringLiteral("sharpen"), drawSharpen},
        {QStringLiteral("blur"), drawBlur},           {QStringLiteral("brightness"), drawBrightness},
        {QStringLiteral("text"), drawText},           {QStringLiteral("watermark"), drawWatermark},
        {QStringLiteral("mask"), drawMask},           {QStringLiteral("shadow"), drawShadow},
        {QStringLiteral("frame"), drawFrame},         {QStringLiteral("redeye"), drawRedEye},
        {QStringLiteral("generic"), drawGeneric},
    };
    return table;
}

QPixmap render(const Drawing& draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    draw(painter);
    return pixmap;
}

}  // namespace

QIcon taskIcon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    const QString name = drawings().contains(key) ? key : QStringLiteral("generic");
    auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    QIcon icon;
    const Drawing& draw = drawings().value(name);
    for (int size : {16, 24, 32})
        icon.addPixmap(render(draw, size));
    cache.insert(name, icon);
    return icon;
}

}  // namespace lumora
