#include "basket/BasketFileCommands.h"

#include "basket/BasketAdder.h"
#include "basket/ImageBasket.h"

namespace lumora::basketFileCommands {

bool openImageBasket(const QString& path, ImageBasket& basket, BasketAdder& adder)
{
    if (adder.isRunning())
        return false;
    basket.removeAll();
    QList<ImageBasketFileEntry> read;
    if (!modSaveOpenImageList::fncOpenImageBasket(path, read))
        return false;
    QList<BasketItem> items;
    items.reserve(read.size());
    for (const ImageBasketFileEntry& entry : read)
        items.append({entry.sourcePath, entry.description});
    // Started also for a file that names nothing, so the window always gets finished().
    return adder.start(items, BasketRoad::Reopen);
}

bool saveImageBasket(ImageBasketKind kind, const QString& path, const ImageBasket& basket)
{
    return modSaveOpenImageList::fncSaveImageBasket(kind, path, basket.fileEntries());
}

}  // namespace lumora::basketFileCommands
