#include "basket/BasketEntryMaker.h"

#include "imageio/LoadPic.h"

#include <QFileInfo>

namespace lumora {

BasketEntryMaker::BasketEntryMaker(BasketRoad road, QSize thumbnailSize, const QString& tempFolder)
    : engine_(ImageBox::Mode::Batch), thumbnailSize_(thumbnailSize),
      extractor_(engine_, road, thumbnailSize, tempFolder)
{
}

void BasketEntryMaker::make(const QString& path, QList<BasketEntry>& entries,
                            const MultipageExtractor::PageStarted& pageStarted)
{
    const QFileInfo file(path);
    const QString extension = file.suffix().toLower();
    // Only TIFF files are asked for pages; a count below 2 (also 0, unreadable) is one image.
    const int pages = extension == QStringLiteral("tif") || extension == QStringLiteral("tiff")
        ? engine_.TiffPageCount(path)
        : 1;
    if (pages >= 2) {
        extractor_.extract(path, pages, entries, pageStarted);
        return;
    }

    // The source size stays 0 X 0 when a road other than libvips rendered the file.
    int sourceWidth = 0;
    int sourceHeight = 0;
    std::uint32_t backColor = 0xFFFFFF;
    const Picture thumbnail = LoadPic(path, FixedBox, thumbnailSize_.width(), thumbnailSize_.height(), backColor,
                                      sourceWidth, sourceHeight);
    if (thumbnail.isNull())
        return;

    BasketEntry entry;
    entry.text = file.completeBaseName();
    entry.tag = path;
    entry.sourceSize = sourceSizeText(sourceWidth, sourceHeight);
    setFileColumns(entry, path);
    entry.sourcePath = path;
    entry.thumbnail = thumbnail;
    entries.append(entry);
}

}  // namespace lumora
