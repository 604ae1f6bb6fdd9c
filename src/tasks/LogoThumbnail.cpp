#include "tasks/LogoThumbnail.h"

#include "core/OleColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumora {

LogoThumbnail::LogoThumbnail(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(sizeHint().height());
}

QSize LogoThumbnail::sizeHint() const { return {100, 76}; }

void LogoThumbnail::setImage(const QImage& image)
{
    image_ = image.convertToFormat(QImage::Format_RGB32);
    update();
}

QRect LogoThumbnail::imageRect() const
{
    if (image_.isNull())
        return {};
    const QSize size = image_.size();
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

std::optional<std::uint32_t> LogoThumbnail::colorAt(QPoint point) const
{
    const QRect area = imageRect();
    if (!area.contains(point))
        return std::nullopt;
    const QRgb pixel = image_.pixel(point - area.topLeft());
    return OleColor::fromRgb(static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                             static_cast<std::uint8_t>(qBlue(pixel)));
}

void LogoThumbnail::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!image_.isNull())
        painter.drawImage(imageRect().topLeft(), image_);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LogoThumbnail::mouseMoveEvent(QMouseEvent* event)
{
    if (const std::optional<std::uint32_t> colour = colorAt(event->position().toPoint()))
        Q_EMIT colorHovered(*colour);
    QWidget::mouseMoveEvent(event);
}

void LogoThumbnail::mouseReleaseEvent(QMouseEvent* event)
{
    Q_EMIT released();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace lumora
