#include "shows/modScreensaver.h"

#include "basket/BasketEntry.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/ProgramFolder.h"
#include "core/ReportFailures.h"
#include "core/WholeFileWrite.h"
#include "engine/EngineError.h"
#include "engine/EngineReadFormats.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "tasks/TaskRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumora {
namespace {

const QString CrLf = QStringLiteral("\r\n");

// The engine reads its own formats; what it refuses and every other format go through the
// universal loader at natural size. False when neither yields a picture.
bool readPhoto(ImageBox& engine, const QString& path)
{
    if (EngineReadFormats::batchReads(path)) {
        try {
            engine.LoadFromFile(path);
            if (engine.HasImage())
                return true;
        } catch (const EngineError&) {
            // the universal loader has the last word
        }
    }
    const Picture picture = LoadPic(path, NaturalSize, -1, -1, 0xFFFFFF);
    if (picture.isNull())
        return false;
    engine.SetBitmapHandle(picture);
    return engine.HasImage();
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LumoraError(errnum::FileNotFound, QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
    return file.readAll();
}

void writeOrThrow(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<QString> why = writeWholeFile(path, bytes))
        throw LumoraError(errnum::PathFileAccess, QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

QString indexLine(const QString& name, qint64 offset, qint64 length)
{
    return name + u';' + QString::number(offset) + u';' + QString::number(length) + u';' + CrLf;
}

// Index, trailer and the file itself: the package replaces `outPath` only once it is whole, and
// is made executable for everyone, writable by its owner.
void finishPackage(QByteArray& package, const QString& index, const QString& indexFile, const QString& outPath)
{
    const QByteArray indexBytes = index.toUtf8();
    writeOrThrow(indexFile, indexBytes);  // left in place for the curious, as every run does
    const qint64 indexOffset = package.size();
    package += indexBytes;
    package += showTrailer(indexOffset);
    writeOrThrow(outPath, package);
    QFile::setPermissions(outPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

void tell(const ShowJob& job, const QString& caption, int done, int count)
{
    if (job.progress)
        job.progress(caption, done, count);
}

// True when the output may be written: it does not exist, or the caller agreed to replace it.
bool mayWrite(const ShowJob& job, bool slideShow)
{
    if (!QFileInfo::exists(job.outPath) || !job.askOverwrite)
        return true;
    return job.askOverwrite(overwriteQuestion(job.outPath, slideShow));
}

// The basket part of a slide show or screensaver: each entry's JPEG and its index line.
bool packBasket(ImageBox& engine, const ShowJob& job, std::stop_token stop, QByteArray& package, QString& index,
                int& packed)
{
    const int count = static_cast<int>(job.entries.size());
    for (int i = 1; i <= count; ++i) {
        const ShowEntry& entry = job.entries[i - 1];
        tell(job, entry.name, i - 1, count);
        if (stop.stop_requested())
            return false;
        if (FileExists(entry.path)) {
            const QString tmp = SaveTempJPEG(engine, entry.path, i, job.quality, job.processTasks, job.tasks, job.gallery);
            if (!tmp.isEmpty()) {
                const QByteArray jpeg = readWhole(tmp);
                SetCurrentOperation(QStringLiteral("Current file - '") + entry.path + u'\'');
                index += indexLine(entry.name, package.size(), jpeg.size());
                package += jpeg;
                QFile::remove(tmp);
                ++packed;
            }
        }
        tell(job, entry.name, i, count);
    }
    return true;
}

QString systemTempFile(const char* name) { return QDir::tempPath() + u'/' + QLatin1String(name); }

}  // namespace

QString greetingTooLargeMessage()
{
    return QStringLiteral("Greeting image is confined to 800x600 size resolution only!") + CrLf +
           QStringLiteral("Please resize the image to fit within this size and try again.");
}

QString overwriteQuestion(const QString& name, bool slideShow)
{
    return QStringLiteral("This File ('") + name + QStringLiteral("') Already Exists!") + CrLf +
           (slideShow ? QStringLiteral("Would You Like To Overwrite It?") : QStringLiteral("Would You Like To Replace It?"));
}

QList<ShowEntry> showEntriesOf(const QList<BasketEntry>& basket)
{
    QList<ShowEntry> entries;
    entries.reserve(basket.size());
    for (const BasketEntry& entry : basket)
        entries.append({entry.text, entry.tag});
    return entries;
}

QByteArray slideShowOptionsRecord(const SlideShowOptions& options)
{
    const auto colour = static_cast<std::uint32_t>(options.backgroundColor);
    const auto interval = static_cast<std::uint16_t>(options.interval);
    QByteArray record(6, '\0');
    for (int i = 0; i < 4; ++i)
        record[i] = static_cast<char>((colour >> (8 * i)) & 0xFF);
    record[4] = static_cast<char>(interval & 0xFF);
    record[5] = static_cast<char>(interval >> 8);
    return record;
}

QByteArray showTrailer(qint64 indexOffset)
{
    QByteArray trailer("\x08\x00\x0B\x00", 4);
    trailer += QByteArray::number(indexOffset).leftJustified(10, ' ', true);
    trailer += '\0';
    return trailer;
}

ShowResult MkSlideShow(ImageBox& engine, const ShowJob& job, std::stop_token stop)
{
    ShowResult result;
    if (!mayWrite(job, true)) {
        result.outcome = ShowOutcome::Declined;
        return result;
    }
    int line = 2;
    const bool ran = reportFailures(QStringLiteral("modScreensaver.MkSlideShow"), line, [&] {
        tell(job, QStringLiteral("Loading plugin..."), 0, 0);
        line = 3;
        const QString plugin = fncGetExtractPluginPath(QString::fromLatin1(SlideShowPlugin));
        if (plugin.isEmpty())
            throw LumoraError(errnum::FileNotFound, QStringLiteral("the slide show player is missing"));
        QByteArray package = readWhole(plugin);
        line = 5;
        QString index;
        const bool whole = packBasket(engine, job, stop, package, index, result.imagesPacked);
        line = 6;
        tell(job, QStringLiteral("Saving Options..."), 0, 0);
        index += QStringLiteral("OPTIONS;") + QString::number(package.size()) + u';' + CrLf;
        package += slideShowOptionsRecord(job.options);
        line = 7;
        finishPackage(package, index, systemTempFile("SlideShow.lst"), job.outPath);
        line = 8;
        QFile::remove(plugin);
        result.outcome = whole ? ShowOutcome::Written : ShowOutcome::Cancelled;
    });
    if (!ran)
        result.outcome = ShowOutcome::Failed;
    return result;
}

ShowResult subGenerateScreenSaver(ImageBox& engine, const QString& stubPath, const ShowJob& job, std::stop_token stop)
{
    ShowResult result;
    if (!mayWrite(job, false)) {
        result.outcome = ShowOutcome::Declined;
        return result;
    }
    int line = 2;
    const bool ran = reportFailures(QStringLiteral("modScreensaver.subGenerateScreenSaver"), line, [&] {
        tell(job, QStringLiteral("Loading Template..."), 0, 0);
        line = 3;
        QByteArray package = readWhole(stubPath);
        line = 5;
        QString index;
        const bool whole = packBasket(engine, job, stop, package, index, result.imagesPacked);
        line = 7;
        finishPackage(package, index, systemTempFile("Saver.lst"), job.outPath);
        result.outcome = whole ? ShowOutcome::Written : ShowOutcome::Cancelled;
    });
    if (!ran)
        result.outcome = ShowOutcome::Failed;
    return result;
}

ShowResult subMakeSingleScreensaver(ImageBox& engine, const QString& stubPath, const ShowJob& job)
{
    ShowResult result;
    if (!mayWrite(job, false)) {
        result.outcome = ShowOutcome::Declined;
        return result;
    }
    int line = 2;
    QString tmp;
    const bool ran = reportFailures(QStringLiteral("subMakeSingleScreensaver"), line, [&] {
        if (job.entries.isEmpty())
            throw LumoraError(errnum::InvalidProcedureCall, QStringLiteral("no picture to package"));
        tmp = SaveTempJPEG(engine, job.entries.first().path, 1, job.quality, job.processTasks, job.tasks, job.gallery);
        if (tmp.isEmpty())
            throw LumoraError(errnum::FileNotFound,
                              QStringLiteral("\"%1\" could not be prepared").arg(job.entries.first().path));
        line = 3;
        QByteArray package = readWhole(stubPath);
        line = 4;
        const QByteArray jpeg = readWhole(tmp);
        const QString index = indexLine(QStringLiteral("Single"), package.size(), jpeg.size());
        package += jpeg;
        result.imagesPacked = 1;
        line = 5;
        finishPackage(package, index, systemTempFile("ImageExe.lst"), job.outPath);
        result.outcome = ShowOutcome::Written;
    });
    if (!tmp.isEmpty())
        QFile::remove(tmp);
    if (!ran)
        result.outcome = ShowOutcome::Failed;
    return result;
}

QString SaveTempJPEG(ImageBox& engine, const QString& path, int index, int quality, bool processTasks,
                     const QList<TaskRecord>& tasks, const Gallery* gallery)
{
    int line = 1;
    QString saved;
    reportFailures(QStringLiteral("modScreensaver.SaveTempJPEG"), line, [&] {
        engine.SetSaveColorDepth(0);
        engine.ClearImage();
        if (!readPhoto(engine, path))
            return;
        line = 2;
        if (processTasks && !tasks.isEmpty()) {
            TaskRunOptions options;
            options.gallery = gallery;
            subProcessPages(tasks, engine, options);  // reports its own failure; the photo stays as it stood
        }
        line = 3;
        if (!engine.HasImage())
            return;
        const QString folder = ProgramFolder::tempFolder();
        QDir().mkpath(folder);
        const QString tmp = folder + QStringLiteral("temp000") + QString::number(index) + QStringLiteral(".jpg");
        engine.SetJpegQuality(quality);
        engine.SaveToFile(tmp);
        saved = tmp;
    });
    return saved;
}

QString fncGetExtractPluginPath(const QString& name)
{
    int line = 1;
    QString extracted;
    reportFailures(QStringLiteral("fncGetExtractPluginPath"), line, [&] {
        SetCurrentOperation(QStringLiteral("Extracting plugin '") + name + QStringLiteral("' from resource file"));
        const QByteArray stub = readWhole(QStringLiteral(":/plugins/") + name);
        line = 2;
        const QString folder = ProgramFolder::tempFolder();
        QDir().mkpath(folder);
        const QString target = folder + QStringLiteral("plugin.tmp");
        QFile::remove(target);
        writeOrThrow(target, stub);
        extracted = target;
    });
    return extracted;
}

}  // namespace lumora
