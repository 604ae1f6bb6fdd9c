#pragma once

#include <cstddef>

namespace lumora::decoder {

// The pixel counts that the headers of GIF, SGI and DDS files promise, read before FreeImage
// (which cannot load these formats header-only) decodes anything. -1 when the bytes do not hold
// such a header. `head` is the start of the file.
long long gifPixelCount(const unsigned char* head, std::size_t size);
long long sgiPixelCount(const unsigned char* head, std::size_t size);
long long ddsPixelCount(const unsigned char* head, std::size_t size);

}  // namespace lumora::decoder
