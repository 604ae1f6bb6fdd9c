#include "settings/SetupFile.h"

#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "core/ProgramFolder.h"
#include "core/RegularFile.h"
#include "core/ReportFailures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace lumora {
namespace {

const QString LoadRoutine = QStringLiteral("subLoadSetup");
const QString SaveRoutine = QStringLiteral("subSaveSetup");
// Loading and saving are one step each: there is no further place to name in a report.
constexpr int kNoLine = 0;

// The first two splitter positions that mark a settings file as unusable at start-up.
constexpr std::int16_t DiscardedSplit = 10;

QString& setupFilePath()
{
    static QString path;
    return path;
}

SetupMessageHandler& messageHandler()
{
    static SetupMessageHandler handler;
    return handler;
}

void showMessage(const QString& text)
{
    if (messageHandler()) {
        messageHandler()(text);
        return;
    }
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString accessError(const QString& path, const QString& reason)
{
    return QStringLiteral("Path/File access error: %1 (%2)").arg(QDir::toNativeSeparators(path), reason);
}

void createFolder(const QString& path)
{
    if (!FolderExists(path))
        QDir().mkpath(path);  // a folder that cannot be made is asked for again when it is used
}


}  // namespace

QString SetupFilePath() { return setupFilePath(); }

SetupMessageHandler SetSetupMessageHandler(SetupMessageHandler handler)
{
    SetupMessageHandler previous = std::move(messageHandler());
    messageHandler() = std::move(handler);
    return previous;
}

QString CorruptSetupMessage()
{
    return QStringLiteral("Configuration data file is corrupted\nSetting values will be initilized to default");
}

bool FolderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

SetupReadResult readSetupFile(const QString& path, SetupRecord& record)
{
    if (QFileInfo(path).isDir())
        throw LumoraError(errnum::PathFileAccess, accessError(path, QStringLiteral("it is a folder")));
    RequireRegularFile(path);  // a pipe would hold the open until someone writes to it
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LumoraError(errnum::PathFileAccess, accessError(path, file.errorString()));
    // No record is longer than setupMaxSize(); whatever follows is never read, so a huge file or
    // a device costs no more than that. Chunks, because special files report no size.
    const qsizetype limit = setupMaxSize();
    QByteArray bytes;
    while (bytes.size() < limit) {
        const QByteArray chunk = file.read(std::min<qsizetype>(1 << 16, limit - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    const SetupReadResult result = decodeSetup(bytes, record);
    if (file.error() != QFileDevice::NoError)
        throw LumoraError(errnum::DeviceIO, QStringLiteral("Device I/O error: %1 (%2)")
                                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    return result;
}

void subLoadSetup(SetupRecord& record, const QString& programFolder)
{
    SetCurrentOperation(QStringLiteral("Loading settings"));
    const QString path = ProgramFolder::settingsFileIn(programFolder);
    setupFilePath() = path;

    reportFailures(LoadRoutine, kNoLine, [&] {
        const QFileInfo info(path);
        bool useDefaults = !info.exists();
        if (info.isFile() && info.size() == 0) {
            showMessage(CorruptSetupMessage());
            // Gone, so that a run that ends without saving leaves a plain first start behind.
            QFile::remove(path);
            useDefaults = true;
        }
        if (!useDefaults) {
            readSetupFile(path, record);
            return;
        }
        setDefaults(record, programFolder);
        createFolder(record.capture.folder);
        createFolder(record.twain.folder);
    });
}

void subLoadSetup(SetupRecord& record) { subLoadSetup(record, ProgramFolder::path()); }

void LoadSetupAtStartup(SetupRecord& record, const QString& programFolder)
{
    subLoadSetup(record, programFolder);
    if (record.paneSplits.main == DiscardedSplit && record.paneSplits.right == DiscardedSplit) {
        QFile::remove(setupFilePath());
        // Once only: a file that could not be deleted would give the same values again.
        subLoadSetup(record, programFolder);
    }
}

bool subSaveSetup(const SetupRecord& record, const QString& path)
{
    SetCurrentOperation(QStringLiteral("Saving settings"));
    return reportFailures(SaveRoutine, kNoLine, [&] {
        const QFileInfo info(path);
        if (info.isDir())
            throw LumoraError(errnum::PathFileAccess, accessError(path, QStringLiteral("it is a folder")));
        if (!info.absoluteDir().exists())
            throw LumoraError(errnum::PathNotFound,
                              QStringLiteral("Path not found: %1").arg(QDir::toNativeSeparators(info.absolutePath())));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw LumoraError(errnum::PathFileAccess, accessError(path, file.errorString()));
        const QByteArray bytes = encodeSetup(record);
        // flush() first: commit() does not notice when the buffered bytes fail to reach the file
        // (a full disk) and would put a cut record in place of the old one.
        if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
            throw LumoraError(errnum::DeviceIO, QStringLiteral("Device I/O error: %1 (%2)")
                                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
    });
}

bool subSaveSetup(const SetupRecord& record)
{
    const QString path = setupFilePath().isEmpty() ? ProgramFolder::settingsFile() : setupFilePath();
    return subSaveSetup(record, path);
}

}  // namespace lumora
