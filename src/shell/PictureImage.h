#pragma once

#include <QImage>

namespace lumora {

class Picture;

// A picture as the window draws it: RGB888, or RGBA8888 when it has alpha. The QImage owns a
// copy of the pixels.
QImage toQImage(const Picture& picture);

}  // namespace lumora
