#pragma once

// PDF documents holding images at one point per pixel, one image per page, through cairo.
// Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumora {

class PdfWriter {
public:
    // Packed 8-bit pixels of `bands` bands (3 RGB, 4 RGB and alpha), rows top to bottom.
    static QByteArray trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands);
    // The palette image's colours; cairo stores grey and black-and-white pictures with one
    // component of 8 or 1 bits.
    static QByteArray indexed(const IndexedImage& image);

    // A document of several pages, each drawn as the one-page writers above draw theirs.
    class Pages {
    public:
        Pages();
        ~Pages();
        Pages(const Pages&) = delete;
        Pages& operator=(const Pages&) = delete;
        void addTrueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands);
        void addIndexed(const IndexedImage& image);
        QByteArray document() const;

    private:
        struct Impl;
        std::unique_ptr<Impl> d;
    };
};

}  // namespace lumora
