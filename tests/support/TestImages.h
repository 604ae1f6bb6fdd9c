#pragma once

#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QString>

namespace lumora::test {

// The pure colours the picture tests paint and look for.
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// A picture of the given size whose every pixel has a different colour: red rises to the right,
// green downwards, blue with both. Moved pixels can be traced back to where they came from.
Picture gradientPicture(int width, int height);

// A grey picture with one marked pixel.
Picture markedPicture(int width, int height, int markX, int markY, Rgb mark = {255, 0, 0},
                      Rgb ground = {128, 128, 128});

// Where the only pixel of colour `mark` is, or (-1, -1).
struct Point {
    int x = -1;
    int y = -1;
    friend bool operator==(const Point&, const Point&) = default;
};
Point findColour(const Picture& picture, Rgb mark, int tolerance = 0);

// Largest difference of any channel between two pictures of the same size (-1 if sizes differ).
int maxDifference(const Picture& a, const Picture& b);

// Mean of a channel (0 r, 1 g, 2 b) over a rectangle.
double meanChannel(const Picture& picture, int channel, int left, int top, int right, int bottom);

// How many pixels have exactly this colour.
int countColour(const Picture& picture, Rgb colour);

// Writes a picture as PNG through the engine; returns the path.
QString writePng(const Picture& picture, const QString& path);

}  // namespace lumora::test
