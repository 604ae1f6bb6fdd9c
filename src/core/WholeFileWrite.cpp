#include "core/WholeFileWrite.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace lumora {
namespace {

// Qt keeps "Unknown error" for a short write (a full disk, a file size limit); errno, read right
// after the call that failed, still has the reason.
QString reasonOf(const QSaveFile& file, int error)
{
    const QString qtText = file.errorString();
    if (error != 0 && (qtText.isEmpty() || qtText == u"Unknown error"))
        return QString::fromLocal8Bit(std::strerror(error));
    return qtText.isEmpty() ? QStringLiteral("unknown error") : qtText;
}

}  // namespace

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(file, errno);
    errno = 0;
    // A short write is a failure even where Qt reports none: commit() would make the cut file
    // the new one. flush() before commit() for the same reason.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno;
        const QString reason = reasonOf(file, error);
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit())
        return reasonOf(file, errno);
    return std::nullopt;
}

}  // namespace lumora
