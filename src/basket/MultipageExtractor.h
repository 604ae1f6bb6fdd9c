#pragma once

#include "basket/BasketEntry.h"
#include "basket/BasketRoad.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace lumora {

class ImageBox;

// Splits a multipage TIFF into single-page TIFF files, one basket entry per page. A page file is
//   <temp folder><source name><N>_<R>.tif
// with the source name keeping its extension (the drop road leaves it off), N the 1-based page
// and R a random number 0..9998 that keeps repeated extractions of one file apart. A name already
// taken in the temp folder is never reused, so extractions running side by side cannot overwrite
// each other's pages. The pages stay until the user starts a new basket.
//
// The engine holds one page at a time; give each thread its own extractor and engine.
class MultipageExtractor {
public:
    // Called before each page, 1-based.
    using PageStarted = std::function<void(int page, int pageCount)>;

    // tempFolder ends in "/" and is created when missing.
    MultipageExtractor(ImageBox& engine, BasketRoad road, QSize thumbnailSize, QString tempFolder);

    // Appends one entry per page for which a thumbnail could be made: tag = page file, column 1 =
    // the page's pixel size, columns 2 and 3 of the page file, column 4 = the source. A page
    // without thumbnail gets no entry (on the add and reopen roads it is not written either).
    // Engine failures propagate as EngineError; the entries of the pages before stay appended.
    void extract(const QString& sourcePath, int pageCount, QList<BasketEntry>& entries,
                 const PageStarted& pageStarted = {}) const;

    // "scan.tif" -> "scan.tif" on the add and reopen roads, "scan" on the drop road.
    static QString pageStem(BasketRoad road, const QString& sourcePath);
    // "scan3" or, on the drop road, "scan(3)".
    static QString pageLabel(BasketRoad road, const QString& sourcePath, int page);

private:
    QString claimPageFile(const QString& sourcePath, int page) const;
    void writePage(const QString& pageFile) const;

    ImageBox& engine_;
    BasketRoad road_;
    QSize thumbnailSize_;
    QString tempFolder_;
};

}  // namespace lumora
