#include "PlayerSession.h"
#include "ScreensaverWindow.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include <optional>

namespace {

// The window to draw into, as xscreensaver gives it to its hacks: "-window-id ID" (decimal or
// 0x hex), or "-root", which means $XSCREENSAVER_WINDOW when set; nullopt means a screen of our
// own. Returns false on an argument that names no window.
bool targetWindow(const QStringList& arguments, std::optional<WId>& window, bool& embedded)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString id;
        if (arguments.at(i) == QLatin1String("-window-id") || arguments.at(i) == QLatin1String("--window-id")) {
            if (++i >= arguments.size())
                return false;
            id = arguments.at(i);
        } else if (arguments.at(i) == QLatin1String("-root") || arguments.at(i) == QLatin1String("--root")) {
            embedded = true;
            id = qEnvironmentVariable("XSCREENSAVER_WINDOW");
            if (id.isEmpty())
                continue;
        } else {
            continue;
        }
        bool ok = false;
        const qulonglong value = id.trimmed().toULongLong(&ok, 0);
        if (!ok || value == 0)
            return false;
        window = WId(value);
        embedded = true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Screensaver"));
    std::optional<WId> target;
    bool embedded = false;
    if (!targetWindow(app.arguments(), target, embedded))
        return lumora::players::PlayerSession::fail(QStringLiteral("-window-id needs the number of a window."));
    lumora::players::PlayerSession session(app);
    if (!session.ok())
        return 1;
    lumora::players::ScreensaverWindow window(session, !embedded);
    if (target) {
        QWindow* host = QWindow::fromWinId(*target);
        if (!host) {
            return lumora::players::PlayerSession::fail(
                QStringLiteral("The screensaver cannot draw into window %1.").arg(*target));
        }
        window.winId();
        window.windowHandle()->setParent(host);
        // A window we did not make may not tell its size; a host root window has the screen's.
        const QSize size = host->geometry().size();
        window.setGeometry(QRect(QPoint(0, 0), size.isEmpty() ? window.screen()->size() : size));
        window.show();
    } else {
        lumora::players::showFullScreen(window);
    }
    return app.exec();
}
