#include "acquire/fCaptureRectangle.h"

#include "acquire/frmCapture.h"
#include "acquire/modCapture.h"
#include "core/ErrorReporter.h"
#include "shell/PictureImage.h"
#include "shell/frmMain.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace lumora {

fCaptureRectangle::fCaptureRectangle(frmMain& window, const SetupRecord::Capture& settings)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), window_(window), settings_(settings)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Select Region"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);

    toolBar_ = new QWidget(this);
    toolBar_->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(toolBar_);
    layout->setContentsMargins(4, 2, 4, 2);
    struct Button {
        QStyle::StandardPixmap icon;
        QString tip;
    };
    const Button buttons[] = {
        {QStyle::SP_DialogResetButton, tr("Select a new region")},
        {QStyle::SP_DialogApplyButton, tr("Capture the region")},
        {QStyle::SP_TitleBarShadeButton, tr("Hide the tool bar")},
        {QStyle::SP_DialogCancelButton, tr("Cancel")},
    };
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(toolBar_);
        button->setIcon(style()->standardIcon(buttons[i].icon));
        button->setToolTip(buttons[i].tip);
        button->setCursor(Qt::ArrowCursor);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, i] { cmdBar_Click(i); });
    }
    toolBar_->adjustSize();
}

void fCaptureRectangle::ShowPicture(const Picture& picture)
{
    picture_ = picture;
    image_ = toQImage(picture);
    selection_ = CaptureSelection(image_.size());
    toolBar_->move((image_.width() - toolBar_->width()) / 2, 0);
    // Without a window manager full screen is only a wish: the window takes the screen itself.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
}

void fCaptureRectangle::cmdBar_Click(int index)
{
    switch (index) {
    case Select:
        selection_.setReady();
        update();
        break;
    case Accept:
        accept();
        break;
    case ToggleToolBar:
        toolBar_->setVisible(!toolBar_->isVisible());
        break;
    case Cancel:
        cancel();
        break;
    default:
        break;
    }
}

void fCaptureRectangle::accept()
{
    if (!selection_.hasArea())
        return;
    hide();
    try {
        frmCapture::takeOver(window_, modCapture::CropPicture(picture_, selection_.area()), settings_);
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 0, QStringLiteral("fCaptureRectangle.cmdBar_Click"));
        window_.showMaximized();
    }
    close();
}

void fCaptureRectangle::cancel()
{
    hide();
    window_.showMaximized();
    close();
}

void fCaptureRectangle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, image_);
    if (!selection_.hasArea())
        return;
    // The outline and handles show on any picture: black dashes over white.
    const QRect area = selection_.area();
    const auto outline = [&painter](const QRect& box) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(box);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(box);
    };
    outline(QRect(area.topLeft(), QSize(area.width(), area.height())));
    if (selection_.mode() != CaptureSelection::Shown)
        return;
    painter.setPen(QPen(Qt::black, 1));
    for (const QPoint& p : selection_.handlePoints()) {
        // Two concentric outlines: (x-1, y-1)-(x+2, y+2) and (x-2, y-2)-(x+3, y+3).
        painter.drawRect(QRect(QPoint(p.x() - 1, p.y() - 1), QSize(3, 3)));
        painter.drawRect(QRect(QPoint(p.x() - 2, p.y() - 2), QSize(5, 5)));
    }
}

void fCaptureRectangle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    selection_.press(event->position().toPoint());
    update();
}

void fCaptureRectangle::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (point.y() < ToolBarReach)
        toolBar_->show();
    selection_.move(point);
    setCursor(selection_.cursorAt(point));
    if (selection_.mode() != CaptureSelection::Shown)
        update();
}

void fCaptureRectangle::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    selection_.release(event->position().toPoint());
    update();
}

void fCaptureRectangle::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (selection_.handleAt(event->position().toPoint()) == CaptureSelection::Inside)
        accept();
    else
        toolBar_->setVisible(!toolBar_->isVisible());
}

void fCaptureRectangle::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        cancel();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        accept();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace lumora
