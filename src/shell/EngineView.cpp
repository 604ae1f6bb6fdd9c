#include "shell/EngineView.h"

#include "engine/Picture.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

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

void EngineView::refresh()
{
    image_ = engine_.HasImage() ? SharedImage(engine_.Picture()) : QImage();
    scaled_ = QImage();
    relayout();
}

void EngineView::showPicture(const lumora::Picture& picture)
{
    image_ = engine_.HasImage() ? SharedImage(picture) : QImage();
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
    if (image_.isNull() || !engine_.HasImage())
        return {};
    const QRect canvas = canvasRect();
    const QSize shown(engine_.ViewWidth(), engine_.ViewHeight());
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
    const bool scrolls = engine_.HasImage() && !engine_.StretchToFit();
    // A scroll bar takes room from the other direction, so the need is settled in two rounds.
    for (int round = 0; round < 3; ++round) {
        boxW = std::max(0, full_w - (needV ? extent : 0));
        boxH = std::max(0, full_h - (needH ? extent : 0));
        engine_.SetWidth(boxW);
        engine_.SetHeight(boxH);
        if (!scrolls)
            break;
        const bool h = engine_.ViewWidth() > boxW;
        const bool v = engine_.ViewHeight() > boxH;
        if (h == needH && v == needV)
            break;
        needH = h;
        needV = v;
    }

    if (needH) {
        hsb_->setGeometry(0, full_h - extent, boxW, extent);
        hsb_->setRange(0, engine_.ViewWidth() - boxW);
        hsb_->setPageStep(std::max(1, boxW));
        hsb_->setSingleStep(std::max(1, boxW / 20));
    } else {
        hsb_->setRange(0, 0);
    }
    if (needV) {
        vsb_->setGeometry(full_w - extent, 0, extent, boxH);
        vsb_->setRange(0, engine_.ViewHeight() - boxH);
        vsb_->setPageStep(std::max(1, boxH));
        vsb_->setSingleStep(std::max(1, boxH / 20));
    } else {
        vsb_->setRange(0, 0);
    }
    hsb_->setVisible(needH);
    vsb_->setVisible(needV);
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
