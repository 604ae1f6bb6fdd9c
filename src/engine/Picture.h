#pragma once

#include "core/OleColor.h"

#include <QByteArray>

#include <cstdint>

namespace lumora {

// An in-memory picture: 8-bit RGB or RGBA pixels, rows packed top to bottom without padding.
// Pictures carry images between the loaders, the galleries and engines (ImageBox::SetBitmapHandle,
// ImageBox::Picture); they become QImages only at the edge of the window. Copies share their
// pixels until one of them is written to.
class Picture {
public:
    Picture() = default;
    // bands must be 3 (RGB) or 4 (RGBA); pixels must hold width * height * bands bytes.
    Picture(int width, int height, int bands, QByteArray pixels);
    // A picture of one colour, opaque.
    static Picture filled(int width, int height, Rgb colour);

    bool isNull() const { return width_ == 0 || height_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bands() const { return bands_; }
    bool hasAlpha() const { return bands_ == 4; }
    const QByteArray& pixels() const { return pixels_; }

    Rgb rgbAt(int x, int y) const;
    std::uint8_t alphaAt(int x, int y) const;  // 255 for pictures without alpha
    void setPixel(int x, int y, Rgb colour, std::uint8_t alpha = 255);

    friend bool operator==(const Picture& a, const Picture& b)
    {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.bands_ == b.bands_ && a.pixels_ == b.pixels_;
    }

private:
    qsizetype offset(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    int bands_ = 3;
    QByteArray pixels_;
};

}  // namespace lumora
