#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "album/AlbumGenerator.h"
#include "basket/ImageBasketFile.h"
#include "core/LumoraError.h"
#include "core/ProgramFolder.h"
#include "metadata/InsertMetadataItems.h"
#include "settings/SetupFile.h"
#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <stop_token>

namespace lumora::cli {
namespace {

struct AlbumOptions {
    QCommandLineOption dest{QStringLiteral("dest"), QStringLiteral("Album folder."), QStringLiteral("DIR")};
    QCommandLineOption title{QStringLiteral("title"), QStringLiteral("Project title."), QStringLiteral("T")};
    QCommandLineOption settings{QStringLiteral("settings"), QStringLiteral("Settings file."), QStringLiteral("FILE")};
    QCommandLineOption tasks{QStringLiteral("tasks"), QStringLiteral("Task basket file."), QStringLiteral("FILE")};
    QCommandLineOption metadata{QStringLiteral("metadata"), QStringLiteral("Metadata basket entry."),
                                QStringLiteral("ENTRY")};
    QCommandLineOption description{QStringLiteral("description"), QStringLiteral("A photo's description."),
                                   QStringLiteral("PHOTO=TEXT")};
    QCommandLineOption basket{QStringLiteral("basket"), QStringLiteral("Image basket file."), QStringLiteral("FILE")};
    QCommandLineOption art{QStringLiteral("art"), QStringLiteral("Folder of the GIF decorations."),
                           QStringLiteral("DIR")};

    QList<QCommandLineOption> all() const { return {dest, title, settings, tasks, metadata, description, basket, art}; }
};

// The entries: the basket file's first, then the command line's photos; the descriptions of an
// .ibd file, then those given here.
QList<AlbumEntry> albumEntries(const QCommandLineParser& parser, const AlbumOptions& o, bool& readable)
{
    QList<AlbumEntry> entries;
    readable = true;
    if (parser.isSet(o.basket)) {
        QList<ImageBasketFileEntry> basket;
        if (!modSaveOpenImageList::fncOpenImageBasket(parser.value(o.basket), basket)) {
            readable = false;
            return entries;
        }
        for (const ImageBasketFileEntry& e : basket)
            entries.append(AlbumEntry{QFileInfo(e.sourcePath).completeBaseName(), e.sourcePath, e.description});
    }
    for (const QString& path : parser.positionalArguments())
        entries.append(AlbumEntry{QFileInfo(path).completeBaseName(), path, QString()});

    for (const QString& given : parser.values(o.description)) {
        const qsizetype equals = given.indexOf(u'=');
        if (equals <= 0)
            throw UsageProblem{QStringLiteral("--description takes PHOTO=TEXT, not \"%1\"").arg(given)};
        const QString photo = given.left(equals);
        bool found = false;
        for (AlbumEntry& entry : entries) {
            // The photo as given, or its file name.
            if (entry.path == photo || QFileInfo(entry.path).fileName() == photo) {
                entry.description = given.mid(equals + 1);
                found = true;
            }
        }
        if (!found)
            throw UsageProblem{QStringLiteral("--description names \"%1\", which is not a photo of the album").arg(photo)};
    }
    return entries;
}

}  // namespace

int runAlbum(const QStringList& arguments)
{
    QCommandLineParser parser;
    const AlbumOptions o;
    parser.addOptions(o.all());
    parseCommandLine(parser, QStringLiteral("album"), arguments);
    if (!parser.isSet(o.dest))
        throw UsageProblem{QStringLiteral("album needs --dest DIR, the folder the album is written into")};
    if (!parser.isSet(o.basket) && parser.positionalArguments().isEmpty())
        throw UsageProblem{QStringLiteral("album needs photos, or --basket FILE")};
    for (const QString& entry : parser.values(o.metadata)) {
        if (!modMetadata::InsertMetadataItems().contains(entry))
            throw UsageProblem{QStringLiteral("--metadata takes \"EXIF - \" or \"IPTC - \" and a field, such as "
                                              "\"EXIF - Make\" or \"IPTC - Caption\", not \"%1\"")
                                   .arg(entry)};
    }

    SetupRecord record = defaultSetup(ProgramFolder::path());
    if (parser.isSet(o.settings)) {
        try {
            readSetupFile(parser.value(o.settings), record);
        } catch (const LumoraError& e) {
            printError(QStringLiteral("cannot read \"%1\": %2").arg(parser.value(o.settings), e.description()));
            return Failure;
        }
    }

    AlbumJob job;
    job.settings = record.album;
    job.settings.folder = QDir(parser.value(o.dest)).absolutePath();
    if (parser.isSet(o.title))
        job.settings.title = parser.value(o.title);
    job.metadata = parser.values(o.metadata);
    job.artFolder = parser.value(o.art);

    const ReportCounter reports;
    bool readable = true;
    job.entries = albumEntries(parser, o, readable);
    if (!readable)
        return Failure;
    if (parser.isSet(o.tasks)) {
        TaskBasket tasks;
        if (!modSaveOpenImageList::fncOpenTaskBasket(parser.value(o.tasks), tasks, false))
            return Failure;
        job.tasks = tasks.tasks();
    }

    const AlbumResult result = [&] {
        const StopOnInterrupt interrupt;
        return fncGenerateAlbum(job, {}, interrupt.token());
    }();
    if (!result.indexPath.isEmpty())
        printOut(QDir::toNativeSeparators(result.indexPath));
    return result.outcome == AlbumOutcome::Completed && reports.count() == 0 ? Success : Failure;
}

}  // namespace lumora::cli
