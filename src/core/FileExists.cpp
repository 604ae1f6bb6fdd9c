#include "core/FileExists.h"

#include <QFileInfo>

namespace lumora {

bool FileExists(const QString& path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QFileInfo info(trimmed);
    return info.exists() && !info.isDir();
}

}  // namespace lumora
