#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora::decoder {

// The helper's standard output, written straight to the pipe: a decoded picture can be far
// larger than any buffer worth keeping. False when the reader has gone.
bool writeOutput(const void* data, std::size_t size);

// The header of a picture, to be followed by its rows. The full size is the image's own, when
// the picture was decoded smaller (0 x 0: the picture's size).
bool writePictureHeader(std::uint32_t width, std::uint32_t height, std::uint32_t bands, std::uint32_t fullWidth = 0,
                        std::uint32_t fullHeight = 0);

// The whole of a file, if it is not larger than maxBytes.
bool readWholeFile(const char* path, std::size_t maxBytes, std::vector<unsigned char>& bytes);

}  // namespace lumora::decoder
