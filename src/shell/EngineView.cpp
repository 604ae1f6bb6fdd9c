#include "shell/EngineView.h"

#include "core/Conversions.h"
#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace lumora {

namespace {

// The engine's picture as a QImage that reads the picture's own pixels (kept alive by the image)
// instead of copying them: a photo of many megapixels is copied once less per image change.
QImage SharedImage(const Picture& picture)
{
    if (picture.isNull())
        return {};
    auto* pixels = new QByteArray(picture.pixels());
    const QImage::Format format = picture.hasAlpha() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    return QImage(
        reinterpret_cast<const uchar*>(pixels->constData()), picture.width(), picture.height(),
        qsizetype(picture.width()) * picture.bands(), format,
        [](void* info) { delete static_cast<QByteArray*>(info); }, pixels);
}

}  // namespace

EngineView::EngineView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ibMain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(false);

    hsb_ = new QScrollBar(Qt::Horizontal, this);
    hsb_->setObjectName(QStringLiteral("hsbView"));
    vsb_ = new QScrollBar(Qt::Vertical, this);
    vsb_->setObjectName(QStringLiteral("vsbView"));
    hsb_->hide();
    vsb_->hide();
    connect(hsb_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    connect(vsb_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

EngineView::~EngineView() = default;

QSize EngineView::sizeHint() const { return {400, 300}; }

QSize EngineView::minimumSizeHint() const { return {40, 40}; }

void EngineView::showPicture(const lumora::Picture& picture) { takeImage(SharedImage(picture)); }

void EngineView::setFit(bool stretchToFit, double zoom)
{
    view_.stretchToFit = stretchToFit;
    view_.zoom = zoom;
    relayout();
    Q_EMIT viewChanged();
}

QSize EngineView::viewSize() const { return ViewGeometry::shown(image_.size(), view_); }

void EngineView::takeImage(QImage image)
{
    // A rectangle marks a place on one image; on another it would mark nothing. The comparison
    // costs a pass over the pixels, so it is made only when a rectangle is drawn.
    if (bandShown_ && image != image_)
        clearRubberBand();
    image_ = std::move(image);
    scaled_ = QImage();
    relayout();
}

void EngineView::relayout()
{
    layoutScrollBars();
    update();
}

QRect EngineView::canvasRect() const
{
    QRect area = rect();
    if (vsb_->isVisibleTo(this))
        area.setWidth(area.width() - vsb_->width());
    if (hsb_->isVisibleTo(this))
        area.setHeight(area.height() - hsb_->height());
    return area;
}

QRect EngineView::imageRect() const
{
    if (image_.isNull())
        return {};
    const QRect canvas = canvasRect();
    const QSize shown = viewSize();
    // Centred where it fits; scrolled where it does not.
    const int x = shown.width() <= canvas.width() ? (canvas.width() - shown.width()) / 2 : -hsb_->value();
    const int y = shown.height() <= canvas.height() ? (canvas.height() - shown.height()) / 2 : -vsb_->value();
    return {QPoint(x, y), shown};
}

void EngineView::layoutScrollBars()
{
    const int full_w = width();
    const int full_h = height();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);

    bool needH = false;
    bool needV = false;
    int boxW = full_w;
    int boxH = full_h;
    const bool scrolls = !image_.isNull() && !view_.stretchToFit;
    const QSize previousBox = view_.box;
    // A scroll bar takes room from the other direction, so the need is settled in two rounds.
    for (int round = 0; round < 3; ++round) {
        boxW = std::max(0, full_w - (needV ? extent : 0));
        boxH = std::max(0, full_h - (needH ? extent : 0));
        view_.box = QSize(boxW, boxH);
        if (!scrolls)
            break;
        const bool h = viewSize().width() > boxW;
        const bool v = viewSize().height() > boxH;
        if (h == needH && v == needV)
            break;
        needH = h;
        needV = v;
    }

    if (needH) {
        hsb_->setGeometry(0, full_h - extent, boxW, extent);
        hsb_->setRange(0, viewSize().width() - boxW);
        hsb_->setPageStep(std::max(1, boxW));
        hsb_->setSingleStep(std::max(1, boxW / 20));
    } else {
        hsb_->setRange(0, 0);
    }
    if (needV) {
        vsb_->setGeometry(full_w - extent, 0, extent, boxH);
        vsb_->setRange(0, viewSize().height() - boxH);
        vsb_->setPageStep(std::max(1, boxH));
        vsb_->setSingleStep(std::max(1, boxH / 20));
    } else {
        vsb_->setRange(0, 0);
    }
    hsb_->setVisible(needH);
    vsb_->setVisible(needV);
    if (view_.box != previousBox)
        Q_EMIT viewChanged();
}

const QImage& EngineView::scaledImage(QSize size) const
{
    if (image_.size() == size)
        return image_;
    if (scaled_.size() != size) {
        // Smooth scaling of a whole photo is slow; a fast pass down to twice the target first
        // leaves the smooth pass little to do, at no visible cost.
        QImage source = image_;
        if (image_.width() > 4 * size.width() && image_.height() > 4 * size.height())
            source = image_.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        scaled_ = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return scaled_;
}

void EngineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect target = imageRect();
    if (target.isEmpty()) {
        // An empty pane says how to fill it rather than looking broken.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                         tr("Click a photo in the list to preview it"));
        return;
    }
    painter.setClipRect(canvasRect());
    painter.drawImage(target.topLeft(), scaledImage(target.size()));

    if (bandShown_) {
        // Black dashes over a solid white line: seen on light and dark photos alike.
        // A stroked rectangle covers its size plus the pen: the outline runs through both corners.
        const QPoint corner(std::min(bandStart_.x(), bandEnd_.x()), std::min(bandStart_.y(), bandEnd_.y()));
        const QSize size(std::abs(bandEnd_.x() - bandStart_.x()), std::abs(bandEnd_.y() - bandStart_.y()));
        const QRect band = QRect(corner + target.topLeft(), size);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        painter.drawRect(band);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(band);
    }
}

void EngineView::setMouseTool(MouseTool tool)
{
    tool_ = tool;
    dragging_ = false;
    if (tool == MouseTool::None) {
        clearRubberBand();
        unsetCursor();
    } else {
        setCursor(Qt::CrossCursor);
    }
}

std::optional<QPoint> EngineView::viewPointAt(QPoint widgetPos) const
{
    const QRect drawn = imageRect();
    // What lies under a scroll bar or outside the image is not on the image.
    if (drawn.isEmpty() || !drawn.contains(widgetPos) || !canvasRect().contains(widgetPos))
        return std::nullopt;
    return widgetPos - drawn.topLeft();
}

QPoint EngineView::clampedViewPoint(QPoint widgetPos) const
{
    const QPoint point = widgetPos - imageRect().topLeft();
    const QSize shown = viewSize();
    return {std::clamp(point.x(), 0, shown.width()), std::clamp(point.y(), 0, shown.height())};
}

QPoint EngineView::imagePixelAt(QPoint viewPoint) const
{
    const QSize shown = viewSize();
    if (image_.isNull() || shown.isEmpty())
        return {};
    const auto map = [](int value, int imageExtent, int viewExtent) {
        const double scaled = convert::roundHalfEven(double(value) * imageExtent / viewExtent);
        return std::clamp(int(scaled), 0, imageExtent - 1);
    };
    return {map(viewPoint.x(), image_.width(), shown.width()), map(viewPoint.y(), image_.height(), shown.height())};
}

std::optional<std::pair<QPoint, QPoint>> EngineView::rubberBand() const
{
    if (!bandShown_)
        return std::nullopt;
    return std::make_pair(bandStart_, bandEnd_);
}

void EngineView::clearRubberBand()
{
    dragging_ = false;
    if (!bandShown_)
        return;
    bandShown_ = false;
    update();
}

void EngineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Taken whatever the tool, so that its release comes here too.
    event->accept();
    if (tool_ == MouseTool::None || image_.isNull())
        return;
    const QPoint pos = event->position().toPoint();
    if (tool_ == MouseTool::PickColor) {
        const std::optional<QPoint> point = viewPointAt(pos);
        if (!point)
            return;
        const QPoint pixel = imagePixelAt(*point);
        const QColor colour = image_.pixelColor(pixel);
        Q_EMIT colorPicked(pixel, OleColor::fromRgb(static_cast<std::uint8_t>(colour.red()),
                                                    static_cast<std::uint8_t>(colour.green()),
                                                    static_cast<std::uint8_t>(colour.blue())));
    } else if (tool_ == MouseTool::DragRectangle) {
        // A press beside the image starts the rectangle at its nearest edge, so a crop can take
        // the whole width without aiming at the outermost pixel.
        if (!canvasRect().contains(pos))
            return;
        bandStart_ = bandEnd_ = clampedViewPoint(pos);
        bandShown_ = true;
        dragging_ = true;
        update();
        Q_EMIT rectanglePressed(bandStart_);
    }
}

void EngineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const QPoint end = clampedViewPoint(event->position().toPoint());
    if (end != bandEnd_) {
        bandEnd_ = end;
        update();
    }
}

void EngineView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (tool_ == MouseTool::PickPoint && !image_.isNull()) {
        if (const std::optional<QPoint> point = viewPointAt(pos))
            Q_EMIT pointPicked(*point);
    } else if (tool_ == MouseTool::DragRectangle && dragging_) {
        dragging_ = false;
        bandEnd_ = clampedViewPoint(pos);
        update();
        Q_EMIT rectangleReleased(bandStart_, bandEnd_);
    }
    Q_EMIT mouseReleased();
}

void EngineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutScrollBars();
}

void EngineView::wheelEvent(QWheelEvent* event)
{
    QScrollBar* bar = (event->modifiers() & Qt::ShiftModifier) ? hsb_ : vsb_;
    if (!bar->isVisible()) {
        event->ignore();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    bar->setValue(bar->value() - steps * bar->singleStep() * 3);
    event->accept();
}

}  // namespace lumora
