#include "engine/Picture.h"

#include <stdexcept>

namespace lumora {

Picture::Picture(int width, int height, int bands, QByteArray pixels)
    : width_(width), height_(height), bands_(bands), pixels_(std::move(pixels))
{
    if (width < 0 || height < 0 || (bands != 3 && bands != 4) ||
        pixels_.size() != static_cast<qsizetype>(width) * height * bands)
        throw std::invalid_argument("Picture: pixel buffer does not match its size");
}

Picture Picture::filled(int width, int height, Rgb colour)
{
    QByteArray pixels(static_cast<qsizetype>(width) * height * 3, Qt::Uninitialized);
    char* p = pixels.data();
    for (qsizetype i = 0; i < pixels.size(); i += 3) {
        p[i] = static_cast<char>(colour.r);
        p[i + 1] = static_cast<char>(colour.g);
        p[i + 2] = static_cast<char>(colour.b);
    }
    return Picture(width, height, 3, std::move(pixels));
}

qsizetype Picture::offset(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("Picture: pixel outside the picture");
    return (static_cast<qsizetype>(y) * width_ + x) * bands_;
}

Rgb Picture::rgbAt(int x, int y) const
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(pixels_.constData()) + offset(x, y);
    return Rgb{p[0], p[1], p[2]};
}

std::uint8_t Picture::alphaAt(int x, int y) const
{
    if (bands_ != 4)
        return 255;
    return static_cast<std::uint8_t>(pixels_.at(offset(x, y) + 3));
}

void Picture::setPixel(int x, int y, Rgb colour, std::uint8_t alpha)
{
    auto* p = reinterpret_cast<std::uint8_t*>(pixels_.data()) + offset(x, y);
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    if (bands_ == 4)
        p[3] = alpha;
}

}  // namespace lumora
