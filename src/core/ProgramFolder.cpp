#include "core/ProgramFolder.h"

#include "core/InstalledLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumora {
namespace {

QString normalised(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

}  // namespace

QString ProgramFolder::path()
{
    const QString home = qEnvironmentVariable("LUMORA_HOME");
    if (!home.isEmpty())
        return normalised(QFileInfo(home).absoluteFilePath());

    // Without an application object there is no reliable executable path. An installed Lumora
    // (PREFIX/bin beside PREFIX/share/lumora) never keeps its files in bin/, even where it may
    // write there (an install into the user's own prefix). Nor does a folder whose settings file
    // would be the window program itself: executables here carry no extension, so "lumora" the
    // settings file and "lumora" the program share a name, and saving the settings would
    // replace the program.
    if (QCoreApplication::instance() && !InstalledLayout::installed()) {
        const QFileInfo executableFolder(QCoreApplication::applicationDirPath());
        const QFileInfo settings(settingsFileIn(executableFolder.absoluteFilePath()));
        const bool settingsWouldBeTheProgram = settings.isFile() && settings.isExecutable();
        if (executableFolder.isDir() && executableFolder.isWritable() && !settingsWouldBeTheProgram)
            return normalised(executableFolder.absoluteFilePath());
    }

    const QString fallback = QDir::homePath() + QStringLiteral("/.local/share/lumora");
    // A failure shows later, when a file there cannot be written; the path is still right.
    QDir().mkpath(fallback);
    return normalised(fallback);
}

QString ProgramFolder::settingsFile() { return settingsFileIn(path()); }

QString ProgramFolder::settingsFileIn(const QString& folder)
{
    return joined(normalised(folder), QString::fromLatin1(ExecutableName));
}

QString ProgramFolder::tempFolder() { return joined(path(), QStringLiteral("temp/")); }

}  // namespace lumora
