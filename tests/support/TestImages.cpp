#include "support/TestImages.h"

#include "engine/ImageBox.h"

#include <cstdlib>

namespace lumora::test {

Picture gradientPicture(int width, int height)
{
    Picture p = Picture::filled(width, height, Rgb{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, Rgb{static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                                 static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                                 static_cast<std::uint8_t>((x + y) % 256)});
    return p;
}

Picture markedPicture(int width, int height, int markX, int markY, Rgb mark, Rgb ground)
{
    Picture p = Picture::filled(width, height, ground);
    p.setPixel(markX, markY, mark);
    return p;
}

Point findColour(const Picture& picture, Rgb mark, int tolerance)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            if (std::abs(c.r - mark.r) <= tolerance && std::abs(c.g - mark.g) <= tolerance &&
                std::abs(c.b - mark.b) <= tolerance)
                return Point{x, y};
        }
    return Point{};
}

int maxDifference(const Picture& a, const Picture& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bands() != b.bands())
        return -1;
    int worst = 0;
    const auto* pa = reinterpret_cast<const std::uint8_t*>(a.pixels().constData());
    const auto* pb = reinterpret_cast<const std::uint8_t*>(b.pixels().constData());
    for (qsizetype i = 0; i < a.pixels().size(); ++i)
        worst = std::max(worst, std::abs(static_cast<int>(pa[i]) - static_cast<int>(pb[i])));
    return worst;
}

double meanChannel(const Picture& picture, int channel, int left, int top, int right, int bottom)
{
    double sum = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = picture.rgbAt(x, y);
            sum += channel == 0 ? c.r : channel == 1 ? c.g : c.b;
        }
    const int count = (right - left) * (bottom - top);
    return count > 0 ? sum / count : 0.0;
}

QString writePng(const Picture& picture, const QString& path)
{
    ImageBox box;
    box.SetBitmapHandle(picture);
    box.SaveToFile(path);
    return path;
}

int countColour(const Picture& picture, Rgb colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += picture.rgbAt(x, y) == colour;
    return count;
}

}  // namespace lumora::test
