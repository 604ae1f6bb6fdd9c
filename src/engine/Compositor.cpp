#include "engine/Compositor.h"

#include "core/OleColor.h"
#include "engine/VipsBridge.h"

#include <algorithm>
#include <cmath>

namespace lumora {

using vips::VImage;
using namespace vipsbridge;

namespace {

// Blend of two same-sized images: colour = base + (top - base) * a, where a is a float image in
// 0..1; base alpha, when present, becomes a + baseAlpha * (1 - a).
VImage blendSameSize(const VImage& base, const VImage& topRgb, const VImage& a)
{
    const VImage baseRgb = colourBands(base);
    const VImage colour = toUchar(baseRgb + (topRgb - baseRgb) * a);
    if (!hasAlpha(base))
        return colour;
    const VImage baseAlpha = base.extract_band(3);
    const VImage alpha = toUchar(a * 255.0 + baseAlpha * (1.0 - a));
    return colour.bandjoin(alpha);
}

}  // namespace

VImage Compositor::effectiveAlpha(const VImage& rgba, const OverlaySettings& s)
{
    const double opacity = std::clamp(100.0 - s.transparency, 0.0, 100.0) / 100.0;
    VImage a = rgba.extract_band(3).cast(VIPS_FORMAT_FLOAT) * (opacity / 255.0);
    if (s.useTransparentColor) {
        const Rgb key = OleColor::toRgb(s.transparentColor);
        // A pixel is see-through when all three channels equal the key colour.
        const VImage matches = (colourBands(rgba) == std::vector<double>{double(key.r), double(key.g), double(key.b)})
                                   .bandand();
        a = matches.ifthenelse(0.0, a);
    }
    return a;
}

VImage Compositor::blendPlaced(const VImage& base, const VImage& rgba, const VImage& alpha, int x, int y)
{
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(base.width(), x + rgba.width());
    const int bottom = std::min(base.height(), y + rgba.height());
    if (right <= left || bottom <= top)
        return base;
    const int w = right - left;
    const int h = bottom - top;
    const VImage blended = blendSameSize(base.extract_area(left, top, w, h),
                                         colourBands(rgba).extract_area(left - x, top - y, w, h),
                                         alpha.extract_area(left - x, top - y, w, h));
    if (w == base.width() && h == base.height())
        return blended;
    return base.insert(blended, left, top);
}

VImage Compositor::blendAt(const VImage& base, const VImage& rgba, int x, int y, double opacity)
{
    OverlaySettings plain;
    plain.transparency = (1.0 - opacity) * 100.0;
    return blendPlaced(base, rgba, effectiveAlpha(rgba, plain), x, y);
}

VImage Compositor::overlay(const VImage& base, const VImage& overlayImage, const OverlaySettings& s)
{
    VImage rgba = withAlpha(overlayImage);
    const int W = base.width();
    const int H = base.height();
    int x = 0;
    int y = 0;
    switch (s.placement) {
    case 0:
        x = static_cast<int>(std::floor((W - rgba.width()) / 2.0));
        y = static_cast<int>(std::floor((H - rgba.height()) / 2.0));
        break;
    case 1:
        x = s.x;
        y = s.y;
        break;
    case 2: {
        const int across = (W + rgba.width() - 1) / rgba.width();
        const int down = (H + rgba.height() - 1) / rgba.height();
        rgba = rgba.replicate(across, down).extract_area(0, 0, W, H);
        break;
    }
    case 3:
        if (rgba.width() != W || rgba.height() != H)
            rgba = rgba.resize(double(W) / rgba.width(), VImage::option()
                                                             ->set("vscale", double(H) / rgba.height())
                                                             ->set("kernel", VIPS_KERNEL_LINEAR));
        break;
    default:
        fail("OverlayPicture", QStringLiteral("unknown placement %1").arg(s.placement));
    }
    return blendPlaced(base, rgba, effectiveAlpha(rgba, s), x, y);
}

}  // namespace lumora
