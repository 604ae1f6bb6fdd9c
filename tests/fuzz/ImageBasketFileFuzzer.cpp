// Image basket files of any content must open or fail cleanly: favourites (.ibf, quoted lines) or
// descriptions (.ibd, records), as LUMORA_FUZZ_EXTENSION says.

#include "FuzzSupport.h"

#include "basket/ImageBasketFile.h"

LUMORA_FUZZ_FILE(LUMORA_FUZZ_EXTENSION)
{
    QList<lumora::ImageBasketFileEntry> entries;
    lumora::modSaveOpenImageList::fncOpenImageBasket(path, entries);
}
