#pragma once

namespace lumora {

class Gallery;
class ImageBox;

// Draws frame or shadow style `style` (0..15) around the engine's image, piece by piece with the
// engine's overlay: corners, then edges tiled along the sides. With enlargeCanvas = 1 the canvas
// first grows so that the pieces lie outside the picture (new area in BackColor); otherwise they
// cover the picture's border. ornaments adds the four corner ornaments of the ornate style.
// The transparency settings in force are those the caller left on the engine.
void ComposeFrame(ImageBox& engine, int style, int enlargeCanvas, bool ornaments, const Gallery& gallery);

}  // namespace lumora
