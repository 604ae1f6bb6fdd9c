#include "engine/TextStamp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

using vips::VImage;

namespace {

double anchorOffset(int width, int alignment)
{
    switch (alignment) {
    case 1:
        return width / 2.0;
    case 2:
        return width;
    default:
        return 0.0;
    }
}

}  // namespace

PlacedText TextStamp::place(const VImage& text, int x, int y, int alignment, double angle, bool smooth)
{
    const double ax = anchorOffset(text.width(), alignment);
    double turns = std::fmod(angle, 360.0);
    if (turns < 0)
        turns += 360.0;

    if (turns == 0.0)
        return {text, x - static_cast<int>(std::floor(ax)), y};

    // Counter-clockwise on screen (y pointing down): a point (u, v) relative to the anchor goes to
    // (u cos + v sin, -u sin + v cos).
    const double radians = turns * M_PI / 180.0;
    double c = std::cos(radians);
    double s = std::sin(radians);
    if (std::fabs(c) < 1e-12)
        c = 0.0;
    if (std::fabs(s) < 1e-12)
        s = 0.0;

    // Where the corners of the box land, relative to the image origin.
    const std::array<std::array<double, 2>, 4> corners = {{{0, 0}, {double(text.width()), 0},
                                                          {0, double(text.height())},
                                                          {double(text.width()), double(text.height())}}};
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const auto& corner : corners) {
        const double u = corner[0] - ax;
        const double v = corner[1];
        const double px = x + u * c + v * s;
        const double py = y - u * s + v * c;
        minX = std::min(minX, px);
        maxX = std::max(maxX, px);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    }
    const int left = static_cast<int>(std::floor(minX + 1e-9));
    const int top = static_cast<int>(std::floor(minY + 1e-9));

    // Quarter turns are exact pixel moves.
    if (turns == 90.0)
        return {text.rot(VIPS_ANGLE_D270), left, top};
    if (turns == 180.0)
        return {text.rot(VIPS_ANGLE_D180), left, top};
    if (turns == 270.0)
        return {text.rot(VIPS_ANGLE_D90), left, top};

    const int width = static_cast<int>(std::ceil(maxX - 1e-9)) - left;
    const int height = static_cast<int>(std::ceil(maxY - 1e-9)) - top;
    // Output pixel (X, Y) of the area [left, top, width, height] takes the box point that maps
    // there: X = a u + b v + odx with the anchor folded into the offsets.
    const double odx = x - (ax * c) - left;
    const double ody = y + (ax * s) - top;
    auto* options = VImage::option()
                        ->set("interpolate", vips::VInterpolate::new_from_name(smooth ? "bilinear" : "nearest"))
                        ->set("oarea", std::vector<int>{0, 0, width, height})
                        ->set("odx", odx)
                        ->set("ody", ody)
                        ->set("extend", VIPS_EXTEND_BLACK);
    const VImage turned = text.affine({c, s, -s, c}, options);
    return {turned, left, top};
}

}  // namespace lumora
