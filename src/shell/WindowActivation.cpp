#include "shell/WindowActivation.h"

#include "core/WindowManagerRequest.h"

#include <QWidget>

namespace lumora {

void bringToFront(QWidget* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
    // Source 2: a pager, which window managers obey; no time stamp.
    askWindowManager("_NET_ACTIVE_WINDOW", static_cast<std::uint32_t>(window->winId()), 2, 0);
}

}  // namespace lumora
