#include "basket/MultipageExtractor.h"

#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "imageio/PictureRendering.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace lumora {
namespace {

constexpr std::uint32_t White = 0xFFFFFF;
// Random names tried before the last one is taken even though it exists. With 9999 numbers per
// page name, running out means the temp folder is full of old pages; overwriting one is then
// better than adding nothing.
constexpr int NameAttempts = 64;

}  // namespace

MultipageExtractor::MultipageExtractor(ImageBox& engine, BasketRoad road, QSize thumbnailSize, QString tempFolder)
    : engine_(engine), road_(road), thumbnailSize_(thumbnailSize), tempFolder_(std::move(tempFolder))
{
}

QString MultipageExtractor::pageStem(BasketRoad road, const QString& sourcePath)
{
    const QFileInfo source(sourcePath);
    return road == BasketRoad::Drop ? source.completeBaseName() : source.fileName();
}

QString MultipageExtractor::pageLabel(BasketRoad road, const QString& sourcePath, int page)
{
    const QString name = QFileInfo(sourcePath).completeBaseName();
    if (road == BasketRoad::Drop)
        return name + u'(' + QString::number(page) + u')';
    return name + QString::number(page);
}

void MultipageExtractor::extract(const QString& sourcePath, int pageCount, QList<BasketEntry>& entries,
                                 const PageStarted& pageStarted) const
{
    QDir().mkpath(tempFolder_);  // when this fails, writing the first page reports it
    for (int page = 1; page <= pageCount; ++page) {
        if (pageStarted)
            pageStarted(page, pageCount);
        engine_.SetTiffPage(page);
        engine_.LoadFromFile(sourcePath);

        QString pageFile;
        Picture thumbnail;
        if (road_ == BasketRoad::Drop) {
            // The drop road reads its thumbnail back from the written page.
            pageFile = claimPageFile(sourcePath, page);
            writePage(pageFile);
            thumbnail = LoadPic(pageFile, FixedBox, thumbnailSize_.width(), thumbnailSize_.height(), White);
        } else {
            thumbnail = PictureFromHandle(engine_.Picture(), thumbnailSize_.width(), thumbnailSize_.height(),
                                          FixedBox, White, true);
            if (thumbnail.isNull())
                continue;
            pageFile = claimPageFile(sourcePath, page);
            writePage(pageFile);
        }
        if (thumbnail.isNull())
            continue;

        BasketEntry entry;
        entry.text = pageLabel(road_, sourcePath, page);
        entry.tag = pageFile;
        entry.sourceSize = sourceSizeText(engine_.ImageWidth(), engine_.ImageHeight());
        setFileColumns(entry, pageFile);
        entry.sourcePath = sourcePath;
        entry.thumbnail = thumbnail;
        entries.append(entry);
    }
}

QString MultipageExtractor::claimPageFile(const QString& sourcePath, int page) const
{
    const QString prefix = tempFolder_ + pageStem(road_, sourcePath) + QString::number(page) + u'_';
    QString path;
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        path = prefix + QString::number(QRandomGenerator::global()->bounded(9999)) + QStringLiteral(".tif");
        // Creating the file claims the name against other extractions running at the same time;
        // the page is written over it.
        QFile claim(path);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
    }
    return path;
}

void MultipageExtractor::writePage(const QString& pageFile) const
{
    try {
        engine_.SaveToFile(pageFile);
    } catch (...) {
        // Only the empty claim goes; a name taken over after every attempt was in use keeps
        // the page it had.
        if (QFileInfo(pageFile).size() == 0)
            QFile::remove(pageFile);
        throw;
    }
}

}  // namespace lumora
