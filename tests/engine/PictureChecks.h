#pragma once

// Pictures painted by a rule, and what the engine tests look at in pictures.

#include "engine/Picture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <set>
#include <tuple>

namespace lumora {

inline void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ')'; }

namespace test {

// A picture whose pixel (x, y) has the colour colourAt(x, y).
template <typename ColourAt>
Picture painted(int width, int height, ColourAt colourAt)
{
    Picture p = Picture::filled(width, height, Rgb{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, colourAt(x, y));
    return p;
}

// Every colour of a picture.
inline std::set<std::uint32_t> coloursOf(const Picture& p)
{
    std::set<std::uint32_t> colours;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            colours.insert(OleColor::fromRgb(p.rgbAt(x, y)));
    return colours;
}

// The colours at a few points of a picture, each judged on its own.
inline void expectColours(const Picture& p, std::initializer_list<std::tuple<int, int, Rgb>> points)
{
    for (const auto& [x, y, colour] : points)
        EXPECT_EQ(p.rgbAt(x, y), colour) << "at " << x << ',' << y;
}

}  // namespace test
}  // namespace lumora
