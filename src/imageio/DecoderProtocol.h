#pragma once

// What the decoder helper (lumora-decoder) and the loader's roads say to each other. Plain C++:
// the helper links neither Qt nor libvips, so that it starts quickly for every file it is given.

#include <cstdint>

namespace lumora::decoder {

// The helper's exit status.
enum ExitCode : int {
    Decoded = 0,      // the output is complete
    Unreadable = 1,   // the library could not read the file
    TooLarge = 2,     // the image has more pixels than the caller allows; nothing was decoded
    BadArguments = 3  // the caller asked for something the helper does not do
};

// A decoded picture goes to standard output as this header followed by height rows of
// width * bands bytes (RGB or RGBA, top row first).
struct PictureHeader {
    static constexpr std::uint32_t kMagic = 0x4349504C;  // "LPIC" read as little-endian bytes
    std::uint32_t magic = kMagic;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bands = 0;
    // The image's own size; larger than width x height when it was decoded at a reduced size.
    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
};

// The helper's commands: `lumora-decoder COMMAND MAX_PIXELS ARGUMENTS...`, where MAX_PIXELS is
// the largest image (width x height) the caller accepts.
inline constexpr const char* kDevilCommand = "devil";          // INPUT OUTPUT.bmp: DevIL, saved as BMP
inline constexpr const char* kFreeImageCommand = "freeimage";  // FORMAT INPUT: picture on stdout
// jp2|j2k INPUT BOX_WIDTH BOX_HEIGHT: picture on stdout, decoded at the smallest resolution level
// that still covers the image fitted into the box (a box of 0 x 0 asks for the full size).
inline constexpr const char* kJpeg2000Command = "jpeg2000";
inline constexpr const char* kWmfCommand = "wmf";  // INPUT: SVG on stdout
inline constexpr const char* kEmfCommand = "emf";  // INPUT: SVG on stdout
// `lumora-decoder versions`: one "LIBRARY<TAB>VERSION" line per decoding library, as the
// libraries report themselves (for the About window and lumora-batch --version).
inline constexpr const char* kVersionsCommand = "versions";

}  // namespace lumora::decoder
