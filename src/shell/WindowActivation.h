#pragma once

class QWidget;

namespace lumora {

// Brings a top-level window to the front when the user asked for it from elsewhere (opening a
// photo from a file manager hands it to the running window): restored if minimised, raised and
// activated. On X11 the window manager is also sent a _NET_ACTIVE_WINDOW request as a pager would
// send it, since the request an application makes for itself is often refused as focus stealing.
void bringToFront(QWidget* window);

}  // namespace lumora
