#pragma once

namespace lumora::decoder {

// Converts an enhanced metafile to SVG with emf2svg and writes the SVG to standard output.
// Returns an ExitCode.
int convertEmfToSvg(const char* input, long long maxPixels);

}  // namespace lumora::decoder
