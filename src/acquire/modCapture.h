#pragma once

#include "engine/Picture.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <qwindowdefs.h>

namespace lumora {

// Grabbing the screen. It needs a QGuiApplication on a real display. On X11 the screen is read
// through Qt; where a program may not read the screen (a Wayland session), or the read comes back
// empty, the desktop's screenshot portal is asked instead. Failures throw std::runtime_error with
// a message for the user.
namespace modCapture {

// The Qt platform a program without a window of its own grabs the screen on: "wayland" when a
// Wayland session is named ($WAYLAND_DISPLAY), else "xcb" when the X display of $DISPLAY can be
// opened. Empty, with the reason in `problem`, when there is none.
QString DisplayPlatform(QString& problem);

// The size of the primary screen in device pixels.
QSize ScreenSize();
// The whole primary screen, in device pixels.
Picture CaptureScreen();
// An area of a window in its pixels (window 0: the whole screen). Parts outside the window or
// screen are left out.
Picture CaptureWindow(WId window, int left, int top, int width, int height);

// Asks the window manager to show the desktop (EWMH _NET_SHOWING_DESKTOP, as `wmctrl -k on`), or
// to leave that state again. False when there is no X11 window manager that offers it; the caller
// then minimises its own windows.
bool ShowDesktop(bool show);

// Where a capture is saved: the folder (trimmed, "/" appended when missing), the generic name,
// the number in decimal, ".tif".
QString CapturedFileName(const QString& folder, const QString& genericName, int number);
// The same with a random number from 0 to 9998: two captures normally get two names.
QString NewCapturedFileName(const QString& folder, const QString& genericName);

// The area of a grabbed picture, cut out by the engine as the region window's accept does.
Picture CropPicture(const Picture& picture, const QRect& area);

// Lumora's picture of a grabbed image: RGB, opaque.
Picture ToPicture(const QImage& image);

}  // namespace modCapture
}  // namespace lumora
