#pragma once

namespace lumora::decoder {

// Loads a file with DevIL (which picks its reader by the file's extension) and saves it as a BMP
// file, refusing images of more than maxPixels. Returns an ExitCode.
int decodeWithDevil(const char* input, const char* outputBmp, long long maxPixels);

}  // namespace lumora::decoder
