#include "shell/SingleInstance.h"

#include "core/AppInfo.h"

#include <QDir>

namespace lumora {

bool SingleInstance::claim(const QString& programFolder)
{
    QDir().mkpath(programFolder);
    lock_ = std::make_unique<QLockFile>(QDir(programFolder).filePath(QStringLiteral("lumora.lock")));
    // A lock file whose process is gone is taken over; a live one is never considered stale.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

QString SingleInstance::AlreadyRunningMessage()
{
    return QStringLiteral("There is already an instance of %1 running!\nMultiple instance is unsupported.")
        .arg(QString::fromUtf8(app::Title));
}

}  // namespace lumora
