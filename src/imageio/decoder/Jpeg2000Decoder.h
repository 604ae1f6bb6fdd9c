#pragma once

namespace lumora::decoder {

// Decodes a JPEG 2000 file with OpenJPEG ("jp2": a JP2 file, "j2k": a bare codestream) and
// writes the picture to standard output. With a box (boxWidth, boxHeight > 0) the image is
// decoded at the smallest of its resolution levels that still covers the image fitted into the
// box, so a thumbnail never costs a full decode. Returns an ExitCode.
int decodeJpeg2000(const char* kind, const char* input, int boxWidth, int boxHeight, long long maxPixels);

}  // namespace lumora::decoder
