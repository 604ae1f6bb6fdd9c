// Image basket favourite files (.ibf) of any content must open or fail cleanly.

#include "FuzzSupport.h"

#include "basket/ImageBasketFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = lumora::fuzz::writeInput(data, size, "ibf");
    QList<lumora::ImageBasketFileEntry> entries;
    lumora::modSaveOpenImageList::fncOpenImageBasket(path, entries);
    return 0;
}
