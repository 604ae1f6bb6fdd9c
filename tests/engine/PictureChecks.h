#pragma once

// Pictures painted by a rule, and what the engine tests look at in pictures.

#include "engine/Picture.h"

#include <QRect>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <set>
#include <tuple>

namespace lumora {

inline void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << +c.r << ',' << +c.g << ',' << +c.b << ')'; }

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

// How many pixels of the picture satisfy pred(x, y); the smallest rectangle holding them all.
template <typename Pred>
int countPixels(const Picture& p, Pred pred)
{
    int count = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            count += pred(x, y) ? 1 : 0;
    return count;
}
template <typename Pred>
QRect boundsOf(const Picture& p, Pred pred)
{
    QRect bounds;
    countPixels(p, [&](int x, int y) { return pred(x, y) && (bounds |= QRect(x, y, 1, 1), true); });
    return bounds;
}

// Every colour of a picture.
inline std::set<std::uint32_t> coloursOf(const Picture& p)
{
    std::set<std::uint32_t> colours;
    countPixels(p, [&](int x, int y) { return colours.insert(OleColor::fromRgb(p.rgbAt(x, y))).second; });
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
