#include "tasks/TaskIcons.h"

#include "tasks/TaskIconPainting.h"
#include "tasks/TaskOptionPages.h"

#include <QHash>
#include <QPainter>

namespace lumora {
namespace {

// The picture of a task that belongs to no kind Lumora knows.
void drawGenericIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    picture(p, QRectF(4.5, 5.5, 15, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Sun);
    p.drawEllipse(QPointF(16, 9), 2, 2);
}

}  // namespace

QIcon taskIcon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    TaskIconDrawing draw = taskIconDrawing(key);
    const QString name = draw ? key : QStringLiteral("generic");
    if (!draw)
        draw = drawGenericIcon;
    auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    const QIcon icon = iconpaint::iconOf(draw);
    cache.insert(name, icon);
    return icon;
}

}  // namespace lumora
