#include "album/MetadataBasketFile.h"

#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "tasks/clsFile.h"

#include <exception>

namespace lumora {
namespace {


}  // namespace

QString metadataBasketFileName(const QString& path)
{
    static const QString extension = QStringLiteral(".mbf");
    if (path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

bool fncSaveMetadataBasket(const QString& path, const QStringList& entries)
{
    static const QString routine = QStringLiteral("frmAlbum.fncSaveMetadataBasket");
    SetCurrentOperation(QStringLiteral("Saving metadata basket file"));

    int line = 0;
    return reportFailures(routine, line, [&] {
        clsFile file;
        if (!file.OpenForWrite(metadataBasketFileName(path)))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        for (const QString& entry : entries) {
            ++line;
            file.writeValue(entry);
        }
        if (!file.closefile())
            throw LumoraError(file.lastErrorNumber(), file.lastError());
    });
}

bool fncOpenMetadataBasket(const QString& path, QStringList& entries)
{
    static const QString routine = QStringLiteral("frmAlbum.fncOpenMetadataBasket");
    SetCurrentOperation(QStringLiteral("Opening metadata basket file"));
    entries.clear();

    int line = 0;
    return reportFailures(routine, line, [&] {
        clsFile file;
        if (!file.OpenForRead(path))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        while (!file.fEof()) {
            ++line;
            const QString entry = file.readQuotedLine();
            if (!entry.isEmpty())
                entries.append(entry);
        }
        file.closefile();
    });
}

}  // namespace lumora
