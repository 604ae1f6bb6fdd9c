#include "engine/UprightTurn.h"

#include "core/UprightPhotos.h"

namespace lumora {

using vips::VImage;

int UprightTurn::orientationToApply(const VImage& opened)
{
    if (!UprightPhotos::enabled() || opened.get_typeof(VIPS_META_ORIENTATION) == 0)
        return 1;
    const int orientation = opened.get_int(VIPS_META_ORIENTATION);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

VImage UprightTurn::turn(const VImage& image, int orientation)
{
    // Each orientation names where the stored first row and column belong: 2 and 4 are mirrors,
    // 3, 6 and 8 turns, 5 and 7 a quarter turn and a mirror (a transpose and an anti-transpose).
    VImage out = image;
    switch (orientation) {
    case 2:
        out = image.flip(VIPS_DIRECTION_HORIZONTAL);
        break;
    case 3:
        out = image.rot(VIPS_ANGLE_D180);
        break;
    case 4:
        out = image.flip(VIPS_DIRECTION_VERTICAL);
        break;
    case 5:
        out = image.rot(VIPS_ANGLE_D90).flip(VIPS_DIRECTION_HORIZONTAL);
        break;
    case 6:
        out = image.rot(VIPS_ANGLE_D90);
        break;
    case 7:
        out = image.rot(VIPS_ANGLE_D270).flip(VIPS_DIRECTION_HORIZONTAL);
        break;
    case 8:
        out = image.rot(VIPS_ANGLE_D270);
        break;
    default:
        return image;
    }
    out = out.copy();
    vips_image_remove(out.get_image(), VIPS_META_ORIENTATION);
    return out;
}

}  // namespace lumora
