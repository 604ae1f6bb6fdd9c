#include "acquire/modCapture.h"

#include "acquire/ScreenshotPortal.h"
#include "core/WindowManagerRequest.h"
#include "engine/ImageBox.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScreen>

#include <xcb/xcb.h>

#include <stdexcept>

namespace lumora::modCapture {

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

QScreen* screenOrFail()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        fail(QStringLiteral("The screen cannot be captured without a display."));
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        fail(QStringLiteral("The screen cannot be captured: the display has no screen."));
    return screen;
}

// Programs on Wayland may not read the screen; the portal grabs it for them.
bool screenIsPrivate()
{
    return QGuiApplication::platformName() == QStringLiteral("wayland");
}

QImage fromPortal(const QRect& area)
{
    const QImage screen = ScreenshotPortal::grab();
    return area.isValid() ? screen.copy(area.intersected(screen.rect())) : screen;
}

}  // namespace

QString DisplayPlatform(QString& problem)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("wayland");
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        problem = QStringLiteral("no display to capture: $DISPLAY is not set");
        return {};
    }
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!opened) {
        problem = QStringLiteral("cannot open the display \"%1\"").arg(QString::fromLocal8Bit(display));
        return {};
    }
    return QStringLiteral("xcb");
}

QSize ScreenSize()
{
    QScreen* screen = screenOrFail();
    return screen->geometry().size() * screen->devicePixelRatio();
}

Picture CaptureScreen()
{
    const QSize size = ScreenSize();
    return CaptureWindow(0, 0, 0, size.width(), size.height());
}

Picture CaptureWindow(WId window, int left, int top, int width, int height)
{
    QScreen* screen = screenOrFail();
    if (width <= 0 || height <= 0)
        fail(QStringLiteral("The area to capture is empty (%1 x %2 pixels).").arg(width).arg(height));
    const QRect area(left, top, width, height);
    if (screenIsPrivate())
        return ToPicture(fromPortal(window == 0 ? area : QRect()));
    QImage image = screen->grabWindow(window, left, top, width, height).toImage();
    if (image.isNull())
        image = fromPortal(window == 0 ? area : QRect());
    return ToPicture(image);
}

bool ShowDesktop(bool show) { return askWindowManager("_NET_SHOWING_DESKTOP", 0, show ? 1 : 0); }

QString CapturedFileName(const QString& folder, const QString& genericName, int number)
{
    QString name = folder.trimmed();
    if (!name.endsWith(QLatin1Char('/')))
        name += QLatin1Char('/');
    return name + genericName + QString::number(number) + QStringLiteral(".tif");
}

QString NewCapturedFileName(const QString& folder, const QString& genericName)
{
    return CapturedFileName(folder, genericName, static_cast<int>(QRandomGenerator::global()->bounded(9999)));
}

Picture CropPicture(const Picture& picture, const QRect& area)
{
    ImageBox engine;
    engine.SetBitmapHandle(picture);
    engine.CropSelectionRect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
    engine.SetSelectionActive(true);
    engine.CropToSelection();
    return engine.Picture();
}

Picture ToPicture(const QImage& image)
{
    if (image.isNull())
        fail(QStringLiteral("The screen capture came back empty."));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const qsizetype row = qsizetype(rgb.width()) * 3;
    QByteArray pixels(row * rgb.height(), Qt::Uninitialized);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(pixels.data() + row * y, rgb.constScanLine(y), static_cast<std::size_t>(row));
    return Picture(rgb.width(), rgb.height(), 3, pixels);
}

}  // namespace lumora::modCapture
