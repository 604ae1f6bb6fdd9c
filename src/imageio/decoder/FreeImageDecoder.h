#pragma once

namespace lumora::decoder {

// Loads a file with FreeImage as the given format (a FREE_IMAGE_FORMAT number) and writes the
// picture to standard output. The size in the header is checked before any pixel is decoded.
// Returns an ExitCode.
int decodeWithFreeImage(int format, const char* input, long long maxPixels);

}  // namespace lumora::decoder
