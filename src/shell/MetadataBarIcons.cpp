#include "shell/MetadataBarIcons.h"

#include "tasks/TaskIconPainting.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace lumora {

namespace {

using namespace iconpaint;

// A sheet of paper with a folded corner, on the 24 x 24 grid.
void sheet(QPainter& p)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(pen(DarkShadow, 1));
    p.setBrush(Paper);
    p.drawPath(page);
    p.drawLine(QPointF(14.5, 2.5), QPointF(14.5, 7.5));
    p.drawLine(QPointF(14.5, 7.5), QPointF(19.5, 7.5));
    p.setPen(pen(Shadow, 1));
    for (double y : {10.5, 13.5, 16.5})
        p.drawLine(QPointF(7.5, y), QPointF(16.5, y));
}

void drawEdit(QPainter& p)
{
    sheet(p);
    // A pencil across the sheet.
    p.setPen(pen(Gold, 3.2));
    p.drawLine(QPointF(19.5, 8), QPointF(10.5, 17));
    p.setPen(pen(Ink, 1));
    p.setBrush(Ink);
    QPainterPath tip;
    tip.moveTo(9, 18.5);
    tip.lineTo(9.6, 15.8);
    tip.lineTo(11.7, 17.9);
    tip.closeSubpath();
    p.drawPath(tip);
}

void drawSign(QPainter& p, const QColor& colour, bool plus)
{
    p.setPen(pen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.setPen(pen(Paper, 3));
    p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
    if (plus)
        p.drawLine(QPointF(12, 7.5), QPointF(12, 16.5));
}

void drawClearAll(QPainter& p)
{
    sheet(p);
    p.setPen(pen(Red, 3));
    p.drawLine(QPointF(9, 11), QPointF(20, 22));
    p.drawLine(QPointF(20, 11), QPointF(9, 22));
}

void drawOpen(QPainter& p)
{
    p.setPen(pen(Gold.darker(130), 1));
    p.setBrush(Gold);
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(Sun);
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6, 11);
    front.lineTo(22, 11);
    front.lineTo(19.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawSave(QPainter& p)
{
    p.setPen(pen(Highlight.darker(150), 1));
    p.setBrush(Highlight);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 4, 11, 7));
    p.setBrush(DarkShadow);
    p.drawRect(QRectF(7.5, 14, 9, 6));
    p.setBrush(ButtonFace);
    p.drawRect(QRectF(13.5, 15, 2, 4));
}

QIcon fallbackFor(const QString& themeName)
{
    if (themeName == u"document-edit")
        return iconOf(drawEdit);
    if (themeName == u"list-add")
        return iconOf([](QPainter& p) { drawSign(p, Meadow, true); });
    if (themeName == u"list-remove")
        return iconOf([](QPainter& p) { drawSign(p, Red, false); });
    if (themeName == u"edit-clear-all")
        return iconOf(drawClearAll);
    if (themeName == u"document-open")
        return iconOf(drawOpen);
    if (themeName == u"document-save")
        return iconOf(drawSave);
    return {};
}

}  // namespace

QIcon metadataBarIcon(const QString& themeName)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return fallbackFor(themeName);
}

}  // namespace lumora
