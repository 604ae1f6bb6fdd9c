#include "tasks/TaskIconPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <cmath>

namespace lumora::iconpaint {

QPen pen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

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

void arrowHead(QPainter& p, QPointF tip, double angleDegrees, double size)
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

QIcon iconOf(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace lumora::iconpaint
