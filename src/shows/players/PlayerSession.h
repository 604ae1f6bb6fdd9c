#pragma once

#include "ShowPackage.h"

#include <QImage>
#include <QRect>
#include <QString>

class QApplication;
class QWidget;

namespace lumora::players {

// What the three players share: the package in their own executable, the failure message, and
// two switches for tests and demonstrations: LUMORA_PLAYER_SNAPSHOT=FILE (write a PNG of the
// window once the first picture is on show, then end) and LUMORA_PLAYER_QUIT_AFTER_MS=N.
class PlayerSession {
public:
    explicit PlayerSession(QApplication& app);

    // The package of this executable; on failure it has already been reported.
    const ShowPackage& package() const { return package_; }
    bool ok() const { return package_.isValid() && !failed_; }

    // Shows the message on stderr and in a message box; the player then ends with exit code 1.
    static int fail(const QString& message);

    // The JPEG picture i of the package, or a null image (told on stderr) when it cannot be decoded.
    QImage picture(int i, QSize fitInto = {}) const;

    // Called by a window when its first picture is on show: writes the snapshot when asked.
    static void pictureShown(QWidget& window);

private:
    ShowPackage package_;
    bool failed_ = false;
};

// Full screen, also where no window manager makes it so: the window starts with the screen's size.
void showFullScreen(QWidget& window);

// A picture of this size fitted into the box, centred, and never enlarged.
QRect fittedRect(QSize picture, const QRect& box);

}  // namespace lumora::players
