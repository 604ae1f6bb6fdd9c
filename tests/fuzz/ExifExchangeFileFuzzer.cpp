// EXIF exchange files (.xiff) of any content must read record by record, and line by line, until
// the end or a clean LumoraError.

#include "FuzzSupport.h"

#include "core/LumoraError.h"
#include "metadata/clsFileEXIF.h"

LUMORA_FUZZ_FILE("xiff")
{
    lumora::clsFileEXIF file;
    QString attribute, value;
    try {
        for (bool open = file.OpenForRead(path); open && !file.fEof();)
            file.ReadEXIF(attribute, value);
    } catch (const lumora::LumoraError&) {
    }
    for (bool open = file.OpenForRead(path); open && !file.fEof();)
        file.readLine();
    file.closefile();
}
