#pragma once

#include <cstdint>

namespace lumora {

// Asks an X11 window manager for something as pagers and task bars do: an EWMH client message of
// `type` ("_NET_ACTIVE_WINDOW", "_NET_SHOWING_DESKTOP") about `window` (0: the root window) with
// up to two data words, sent to the root window. Only on X11, and only when the window manager
// lists `type` among what it supports (_NET_SUPPORTED); false when nothing was sent.
bool askWindowManager(const char* type, std::uint32_t window, std::uint32_t data0, std::uint32_t data1 = 0);

}  // namespace lumora
