// Metadata basket files (.mbf) of any content must open or fail cleanly.

#include "FuzzSupport.h"

#include "album/MetadataBasketFile.h"

LUMORA_FUZZ_FILE("mbf")
{
    QStringList entries;
    lumora::fncOpenMetadataBasket(path, entries);
}
