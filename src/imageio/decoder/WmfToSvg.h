#pragma once

namespace lumora::decoder {

// Converts a Windows metafile to SVG with libwmf and writes the SVG to standard output; the SVG
// is sized at 96 pixels an inch, as the screen draws metafiles. Returns an ExitCode.
int convertWmfToSvg(const char* input, long long maxPixels);

}  // namespace lumora::decoder
