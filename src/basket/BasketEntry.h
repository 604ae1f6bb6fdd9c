#pragma once

#include "engine/Picture.h"

#include <QString>

namespace lumora {

// One photo (or one page of a multipage TIFF) in the Image Basket. The columns are numbered as
// the basket's detail view shows them; the batch run reads `tag`, the basket files keep the
// source path and the description.
struct BasketEntry {
    QString text;         // label under the thumbnail: the name without extension (pages: see MultipageExtractor)
    QString tag;          // the file actually processed: the source, or the extracted page file
    QString sourceSize;   // column 1: "W X H" of the source
    QString fileSize;     // column 2: clsFileInfo::fSizeFormated of the tagged file
    QString fileType;     // column 3: clsFileInfo::fType of the tagged file
    QString sourcePath;   // column 4: the source file (for a page, the multipage file)
    QString description;  // column 5: the album description
    Picture thumbnail;    // exactly the basket thumbnail size

    bool operator==(const BasketEntry&) const = default;
};

}  // namespace lumora

namespace lumora {

// Columns 2 and 3 of an entry: the size text and type of the file, as the file information
// class gives them (a fresh instance each time, so the size never carries the byte count that
// the folder view may have asked its own instance for).
void setFileColumns(BasketEntry& entry, const QString& path);

// Column 1: "1600 X 1200".
QString sourceSizeText(int width, int height);

}  // namespace lumora
