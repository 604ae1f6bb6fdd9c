#include "LibraryVersions.h"

#include "imageio/DecoderProtocol.h"

#include <FreeImage.h>
#include <IL/il.h>
#include <openjpeg.h>

#include <cstdio>
#include <string>

namespace lumora::decoder {

int printLibraryVersions()
{
    ilInit();
    // DevIL reports its version as one number: 181 for 1.8.1.
    const int devil = ilGetInteger(IL_VERSION_NUM);
    const std::string devilVersion =
        std::to_string(devil / 100) + '.' + std::to_string(devil / 10 % 10) + '.' + std::to_string(devil % 10);
    std::printf("FreeImage\t%s\nDevIL\t%s\nOpenJPEG\t%s\n", FreeImage_GetVersion(), devilVersion.c_str(), opj_version());
    std::fflush(stdout);
    return Decoded;
}

}  // namespace lumora::decoder
