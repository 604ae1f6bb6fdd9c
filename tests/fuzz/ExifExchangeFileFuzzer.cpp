// EXIF exchange files (.xiff) of any content must read record by record, and line by line, until
// the end or a clean LumoraError.

#include "FuzzSupport.h"

#include "core/LumoraError.h"
#include "metadata/clsFileEXIF.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = lumora::fuzz::writeInput(data, size, "xiff");
    lumora::clsFileEXIF file;
    try {
        if (file.OpenForRead(path)) {
            QString attribute, value;
            while (!file.fEof())
                file.ReadEXIF(attribute, value);
        }
    } catch (const lumora::LumoraError&) {
    }
    if (file.OpenForRead(path)) {
        while (!file.fEof())
            file.readLine();
    }
    file.closefile();
    return 0;
}
