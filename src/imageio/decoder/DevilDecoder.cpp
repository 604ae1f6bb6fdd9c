#include "DevilDecoder.h"

#include "imageio/DecoderProtocol.h"

#include <IL/il.h>

namespace lumora::decoder {

int decodeWithDevil(const char* input, const char* outputBmp, long long maxPixels)
{
    ilInit();
    // The loader hands over a fresh name, but a file left by a killed run may hold it.
    ilEnable(IL_FILE_OVERWRITE);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (!ilLoadImage(input))
        return Unreadable;
    // DevIL has no header-only load; the address-space limit of this process bounds what a
    // lying header can make it allocate, and nothing above the limit is passed on.
    const long long width = ilGetInteger(IL_IMAGE_WIDTH);
    const long long height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (width <= 0 || height <= 0)
        return Unreadable;
    if (width * height > maxPixels)
        return TooLarge;
    const bool saved = ilSave(IL_BMP, outputBmp);
    ilDeleteImages(1, &image);
    return saved ? Decoded : Unreadable;
}

}  // namespace lumora::decoder
