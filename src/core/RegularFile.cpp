#include "core/RegularFile.h"

#include "core/LumoraError.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace lumora {
namespace {

// What a path is when it is no regular file; empty for a regular or a missing file.
QString kindOfSpecialFile(const QString& path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("a pipe");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

}  // namespace

QString NotRegularFileText(const QString& path)
{
    const QString kind = kindOfSpecialFile(path);
    if (kind.isEmpty())
        return {};
    return QStringLiteral("\"%1\" is %2, not a file").arg(QDir::toNativeSeparators(path), kind);
}

bool IsRegularFile(const QString& path)
{
    struct stat info {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

void RequireRegularFile(const QString& path)
{
    const QString text = NotRegularFileText(path);
    if (!text.isEmpty())
        throw LumoraError(errnum::PathFileAccess, text);
}

}  // namespace lumora
