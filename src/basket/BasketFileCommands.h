#pragma once

#include "basket/ImageBasketFile.h"

#include <QString>

namespace lumora {

class BasketAdder;
class ImageBasket;

// Opening and saving the Image Basket as a basket file (.ibf / .ibd): the model's half, on top of
// the file half in ImageBasketFile.h. The window asks, picks the file and shows the messages.
namespace basketFileCommands {

// Asked before a basket file replaces a basket that holds entries (OK / Cancel).
inline const QString ReplaceBasketQuestion =
    QStringLiteral("There are currently files in the Basket!.\r\nDo you want to continue?");

// Empties the basket (the extracted pages stay), reads the file and starts adding the files it
// names in file order on the reopen road, each entry made from a line with that line's
// description. Missing files are skipped silently. False when the file cannot be read (show
// modSaveOpenImageList::OpenImageBasketFailedMessage; the basket stays empty), or when an add
// is still running (nothing changes).
bool openImageBasket(const QString& path, ImageBasket& basket, BasketAdder& adder);

// Writes the basket's source paths (and, for a description file, descriptions). False on
// failure: show modSaveOpenImageList::SaveImageBasketFailedMessage.
bool saveImageBasket(ImageBasketKind kind, const QString& path, const ImageBasket& basket);

}  // namespace basketFileCommands
}  // namespace lumora
