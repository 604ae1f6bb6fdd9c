#include "core/InstalledLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumora {

QString InstalledLayout::executableFolder()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

QString InstalledLayout::libexecFolder()
{
    return QDir::cleanPath(executableFolder() + QStringLiteral("/../libexec/lumora"));
}

QString InstalledLayout::shareFolder()
{
    return QDir::cleanPath(executableFolder() + QStringLiteral("/../share/lumora"));
}

bool InstalledLayout::installed() { return QFileInfo(shareFolder()).isDir(); }

}  // namespace lumora
