#include "imageio/TemporaryPicturePath.h"

#include <QDir>
#include <QFile>

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <mutex>

namespace lumora {

namespace {

const QString kPrefix = QStringLiteral("lumora-4546643-");

bool processIsGone(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH; }

}  // namespace

QString TemporaryPicturePath::forThisThread()
{
    // The thread number is unique among the process's live threads, and a thread runs one load
    // at a time.
    const long thread = static_cast<long>(::syscall(SYS_gettid));
    return QDir::tempPath() + QStringLiteral("/%1%2-%3.bmp").arg(kPrefix).arg(::getpid()).arg(thread);
}

void TemporaryPicturePath::removeOrphans()
{
    const QDir folder(QDir::tempPath());
    for (const QString& name : folder.entryList({kPrefix + QStringLiteral("*.bmp")}, QDir::Files)) {
        bool isNumber = false;
        const qint64 pid = name.mid(kPrefix.size()).section(u'-', 0, 0).toLongLong(&isNumber);
        if (isNumber && processIsGone(pid))
            QFile::remove(folder.filePath(name));
    }
}

TemporaryPicturePath::TemporaryPicturePath() : path_(forThisThread())
{
    static std::once_flag swept;
    std::call_once(swept, removeOrphans);
    QFile::remove(path_);
}

TemporaryPicturePath::~TemporaryPicturePath() { QFile::remove(path_); }

}  // namespace lumora
