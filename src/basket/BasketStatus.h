#pragma once

#include "basket/BasketRoad.h"

#include <QString>

namespace lumora::basketStatus {

// The texts the main window shows in its status panels while the basket changes. They are values
// here so that the window, the command line and the tests read the same words.

// The "queue" panel after every add and delete.
inline QString countText(int count) { return QString::number(count) + QStringLiteral(" file(s) in basket"); }

// The "queue" panel after the basket was emptied.
inline const QString NewBasket = QStringLiteral("New Basket");

// The operation under way while files are added (quoted by error reports).
inline const QString AddingSelectedFiles = QStringLiteral("Adding selected files to basket!");
inline const QString OpeningImageList = QStringLiteral("Opening image list from file!");

inline QString operationText(BasketRoad road)
{
    return road == BasketRoad::Reopen ? OpeningImageList : AddingSelectedFiles;
}

// The "folder" panel as each file is started. Reopening a basket file shows only its operation.
inline QString addingFileText(BasketRoad road, const QString& fileName)
{
    if (road == BasketRoad::Reopen)
        return OpeningImageList;
    return QStringLiteral("Adding file to basket - '") + fileName + u'\'';
}

// The "folder" panel as each page of a multipage file is extracted (page is 1-based).
inline QString extractingPageText(BasketRoad road, const QString& fileName, int page, int pageCount)
{
    const QString what = road == BasketRoad::Drop ? QStringLiteral("document") : QStringLiteral("file");
    return QStringLiteral("Please wait... extracting multipage ") + what + QStringLiteral(" - '") + fileName
        + QStringLiteral("' Pages ") + QString::number(page) + QStringLiteral(" of ") + QString::number(pageCount);
}

}  // namespace lumora::basketStatus
