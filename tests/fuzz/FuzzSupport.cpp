#include "FuzzSupport.h"

#include "core/ErrorReporter.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace lumora::fuzz {

QString writeInput(const std::uint8_t* data, std::size_t size, const char* extension, QString path)
{
    static const bool quiet = (SetErrorSink([](const ErrorReport&) {}), true);
    (void)quiet;
    if (path.isEmpty())
        path = QDir::tempPath() + QStringLiteral("/lumora-fuzz-%1.%2").arg(getpid()).arg(QLatin1String(extension));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace lumora::fuzz
