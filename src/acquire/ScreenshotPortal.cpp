#include "acquire/ScreenshotPortal.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>

#include <stdexcept>

namespace lumora {

namespace {
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// A connection of its own, so that a bus that went away or changed is met afresh each time.
const QString ConnectionName = QStringLiteral("lumora-screenshot");

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

// Drops the named connection when the grab ends, however it ends.
struct BusConnection {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
    ~BusConnection() { QDBusConnection::disconnectFromBus(ConnectionName); }
};
}  // namespace

QImage ScreenshotPortal::grab(int timeoutMs)
{
    BusConnection connection;
    QDBusConnection& bus = connection.bus;
    if (!bus.isConnected())
        fail(QStringLiteral("The screen cannot be captured: the desktop's screenshot service cannot be reached "
                            "(no session bus: %1).")
                 .arg(bus.lastError().message()));

    // The request object's path is known before the call, so the answer cannot come before we
    // listen for it.
    const QString token = QStringLiteral("lumora%1").arg(QRandomGenerator::global()->generate());
    const QString sender = bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    QString requestPath = PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    ScreenshotPortal listener;
    bus.connect(PortalService, requestPath, RequestInterface, QStringLiteral("Response"), &listener,
                SLOT(response(uint, QVariantMap)));

    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("Screenshot"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("interactive"), false}};
    const QDeadlineTimer deadline(timeoutMs);
    const QDBusMessage reply = bus.call(call, QDBus::Block, std::min(timeoutMs, 25000));
    if (reply.type() != QDBusMessage::ReplyMessage)
        fail(QStringLiteral("The screen cannot be captured: the desktop's screenshot service is not available (%1).")
                 .arg(reply.errorMessage()));
    const QString handle = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!handle.isEmpty() && handle != requestPath) {
        // Older portals choose the path themselves.
        bus.disconnect(PortalService, requestPath, RequestInterface, QStringLiteral("Response"), &listener,
                       SLOT(response(uint, QVariantMap)));
        requestPath = handle;
        bus.connect(PortalService, requestPath, RequestInterface, QStringLiteral("Response"), &listener,
                    SLOT(response(uint, QVariantMap)));
    }

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (listener.answered_ || deadline.hasExpired())
            loop.quit();
    });
    poll.start(20);
    if (!listener.answered_)
        loop.exec();
    if (!listener.answered_)
        fail(QStringLiteral("The screen cannot be captured: the desktop's screenshot service did not answer."));
    if (listener.code_ == 1)
        fail(QStringLiteral("The screen capture was cancelled."));
    if (listener.code_ != 0)
        fail(QStringLiteral("The screen cannot be captured: the desktop refused the screenshot."));
    const QString file = QUrl(listener.uri_).toLocalFile();
    QImage image(file);
    if (image.isNull())
        fail(QStringLiteral("The screen cannot be captured: the desktop's screenshot '%1' cannot be read.").arg(file));
    return image;
}

void ScreenshotPortal::response(uint code, const QVariantMap& results)
{
    answered_ = true;
    code_ = code;
    uri_ = results.value(QStringLiteral("uri")).toString();
}

}  // namespace lumora
