#pragma once

#include <QImage>

namespace lumora {

// Small pictures of the stock gallery for the pickers of the Frame, Shadow and Mask pages. Each is
// made once, on first use, and kept for the life of the program. GUI thread only.

// The size every thumbnail fits into.
inline constexpr int GalleryThumbnailWidth = 48;
inline constexpr int GalleryThumbnailHeight = 36;

// Frame or shadow style 0..15 (0..7 frames, 8..15 shadows) drawn around a sample picture, as the
// task would draw it. A style that cannot be drawn gives a plain grey picture.
QImage frameThumbnail(int style);

// Mask 0..7 as it is stored.
QImage maskThumbnail(int number);

}  // namespace lumora
