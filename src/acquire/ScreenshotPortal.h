#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace lumora {

// The desktop's screenshot service (org.freedesktop.portal.Screenshot on the session bus), for
// sessions where a program may not read the screen itself. The desktop may ask the user first.
class ScreenshotPortal : public QObject {
    Q_OBJECT
public:
    // The whole screen. Throws std::runtime_error with a message for the user when there is no
    // session bus or no portal, when the user or the desktop refuses, or when no answer has come
    // within `timeoutMs`.
    static QImage grab(int timeoutMs = 120000);

private Q_SLOTS:
    // The portal's answer on the request object: 0 done (results hold "uri"), 1 cancelled by the
    // user, 2 refused otherwise.
    void response(uint code, const QVariantMap& results);

private:
    ScreenshotPortal() = default;

    bool answered_ = false;
    uint code_ = 2;
    QString uri_;
};

}  // namespace lumora
