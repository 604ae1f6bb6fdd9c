#pragma once

#include "basket/BasketEntry.h"
#include "basket/BasketRoad.h"
#include "basket/MultipageExtractor.h"
#include "engine/ImageBox.h"

#include <QList>
#include <QSize>
#include <QString>

namespace lumora {

// Makes the basket entries of one file: a TIFF ("tif"/"tiff") of two or more pages becomes one
// entry per page (MultipageExtractor), anything else one entry whose thumbnail LoadPic renders at
// the basket thumbnail size on white. A file for which no thumbnail comes back makes no entry
// and no report. It holds the engine that splits pages, so each worker thread has its own.
class BasketEntryMaker {
public:
    BasketEntryMaker(BasketRoad road, QSize thumbnailSize, const QString& tempFolder);

    // Appends the file's entries. Engine failures while splitting propagate as EngineError, with
    // the pages made before them already appended.
    void make(const QString& path, QList<BasketEntry>& entries,
              const MultipageExtractor::PageStarted& pageStarted = {});

private:
    ImageBox engine_;
    QSize thumbnailSize_;
    MultipageExtractor extractor_;
};

}  // namespace lumora
