#include "album/AlbumGenerator.h"

#include "album/AlbumArt.h"
#include "album/AlbumMetadata.h"
#include "album/AlbumPages.h"
#include "album/AlbumPictures.h"
#include "basket/BasketEntry.h"
#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "core/WholeFileWrite.h"
#include "engine/EngineError.h"
#include "engine/ImageBox.h"

#include <QDir>

#include <optional>

namespace lumora {
namespace {

const QString CRLF = QStringLiteral("\r\n");

void writePage(const QString& path, const QString& text)
{
    SetCurrentOperation(QStringLiteral("Writing '") + path + u'\'');
    if (const std::optional<QString> failure = writeWholeFile(path, (text + CRLF).toUtf8()))
        throw LumoraError(errnum::PathFileAccess, QStringLiteral("cannot write \"%1\": %2").arg(path, *failure));
}

// The metadata rows of an entry's page; none for a file the album reads no metadata from, or
// one whose metadata cannot be read (its picture's failure was reported already).
QList<AlbumMetadataRow> metadataRows(const QStringList& entries, ImageBox& engine, const QString& path)
{
    QList<AlbumMetadataRow> rows;
    if (entries.isEmpty())
        return rows;
    try {
        if (!fncLoadAlbumMetadata(engine, path))
            return rows;
    } catch (const EngineError&) {
        return rows;
    }
    for (const QString& entry : entries) {
        const QString value = fncRetrieveTagValue(entry, engine).trimmed();
        if (!value.isEmpty())
            rows.append(AlbumMetadataRow{entry, value});
    }
    return rows;
}

}  // namespace

QString defaultAlbumArtFolder() { return QStringLiteral(":/album"); }

QList<AlbumEntry> albumEntriesOf(const QList<BasketEntry>& basket)
{
    QList<AlbumEntry> entries;
    entries.reserve(basket.size());
    for (const BasketEntry& e : basket)
        entries.append(AlbumEntry{e.text, e.tag, e.description});
    return entries;
}

AlbumResult fncGenerateAlbum(const AlbumJob& job, const AlbumProgressCallback& progress, std::stop_token stop)
{
    AlbumResult result;
    int line = 0;
    const auto tell = [&](const QString& caption, int done) {
        if (progress)
            progress(caption, done, static_cast<int>(job.entries.size()));
    };
    const bool ran = reportFailures(QStringLiteral("fncGenerateAlbum"), line, [&] {
        const SetupRecord::Album& settings = job.settings;
        QString folder = QDir::fromNativeSeparators(settings.folder);
        if (folder.trimmed().isEmpty())
            throw LumoraError(errnum::PathNotFound, QStringLiteral("the album has no folder to be written into"));
        if (!folder.endsWith(u'/'))
            folder += u'/';
        const AlbumPages pages(settings);
        const QString pictureFolder = folder + pages.subfolder();
        if (!QDir().mkpath(pictureFolder))
            throw LumoraError(errnum::PathNotFound, QStringLiteral("cannot make the folder \"%1\"").arg(pictureFolder));

        QString index = pages.indexHead();

        tell(QStringLiteral("Loading Template..."), 0);
        const QString artFolder = job.artFolder.isEmpty() ? defaultAlbumArtFolder() : job.artFolder;
        for (const char* button : {"first", "next", "last", "previous", "home"})
            copyAlbumArt(artFolder, QString::fromLatin1(button) + QStringLiteral(".gif"), pictureFolder);
        if (!pages.pageImageName().isEmpty())
            copyAlbumArt(artFolder, pages.pageImageName(), pictureFolder);
        if (!pages.cellImageName().isEmpty())
            copyAlbumArt(artFolder, pages.cellImageName(), pictureFolder);

        QStringList names;
        for (const AlbumEntry& entry : job.entries)
            names.append(entry.name);
        const int breakAt = settings.picturesPerRow - 1;
        int column = 0;
        int width = 0;
        int height = 0;
        ImageBox pictureEngine;
        ImageBox metadataEngine;
        for (int i = 0; i < names.size(); ++i) {
            if (stop.stop_requested()) {
                result.outcome = AlbumOutcome::Stopped;
                break;
            }
            line = i + 1;
            const AlbumEntry& entry = job.entries.at(i);
            const QString caption = QStringLiteral("Working with - ") + entry.name;
            tell(caption, i);
            const bool rowBreak = column == breakAt;
            column = rowBreak ? 0 : column + 1;

            const QString thumbName = fncGenerateJPGsForAlbum(pictureEngine, settings, job.tasks, job.gallery,
                                                              entry.path, pictureFolder, entry.name, width, height);
            index += pages.indexCell(entry.name, thumbName, width, height, rowBreak);
            const QList<AlbumMetadataRow> rows = metadataRows(job.metadata, metadataEngine, entry.path);
            writePage(folder + pages.pageFileName(entry.name),
                      pages.imagePage(names, i, width, height, entry.description, rows));
            result.pagesWritten = i + 1;
            tell(caption, i + 1);
        }
        line = 0;
        index += AlbumPages::indexEnd();
        writePage(folder + QStringLiteral("index.htm"), index);
        result.indexPath = folder + QStringLiteral("index.htm");
        if (result.outcome != AlbumOutcome::Stopped)
            result.outcome = AlbumOutcome::Completed;
    });
    if (!ran)
        result.outcome = AlbumOutcome::Failed;
    return result;
}

}  // namespace lumora
