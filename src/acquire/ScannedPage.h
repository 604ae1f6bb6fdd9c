#pragma once

// One page as a scanner delivered it: 8 bits per sample, rows top to bottom, grey (one band) or
// RGB (three bands); line-art pages hold only 0 and 255 and say so.

#include "engine/Picture.h"

#include <QByteArray>
#include <QMetaType>

namespace lumora {

struct ScannedPage {
    int width = 0;
    int height = 0;
    int bands = 1;
    bool lineart = false;
    QByteArray samples;

    // The page as the engine takes pictures: RGB.
    Picture toPicture() const;
};

}  // namespace lumora

Q_DECLARE_METATYPE(lumora::ScannedPage)
