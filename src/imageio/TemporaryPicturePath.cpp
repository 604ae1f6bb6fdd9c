#include "imageio/TemporaryPicturePath.h"

#include <QDir>
#include <QFile>

#include <sys/syscall.h>
#include <unistd.h>

namespace lumora {

QString TemporaryPicturePath::forThisThread()
{
    // The thread number is unique among the process's live threads, and a thread runs one load
    // at a time.
    const long thread = static_cast<long>(::syscall(SYS_gettid));
    return QDir::tempPath() + QStringLiteral("/lumora-4546643-%1-%2.bmp").arg(::getpid()).arg(thread);
}

TemporaryPicturePath::TemporaryPicturePath() : path_(forThisThread())
{
    QFile::remove(path_);
}

TemporaryPicturePath::~TemporaryPicturePath() { QFile::remove(path_); }

}  // namespace lumora
