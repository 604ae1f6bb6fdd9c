// Metadata basket files (.mbf) of any content must open or fail cleanly.

#include "FuzzSupport.h"

#include "album/MetadataBasketFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = lumora::fuzz::writeInput(data, size, "mbf");
    QStringList entries;
    lumora::fncOpenMetadataBasket(path, entries);
    return 0;
}
