#include "basket/ImageBasketFile.h"

#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "tasks/clsFile.h"

#include <QSet>

#include <exception>

namespace lumora::modSaveOpenImageList {
namespace {


QList<ImageBasketFileEntry> distinctSources(const QList<ImageBasketFileEntry>& entries)
{
    QList<ImageBasketFileEntry> distinct;
    QSet<QString> seen;
    for (const ImageBasketFileEntry& entry : entries) {
        if (!seen.contains(entry.sourcePath)) {
            seen.insert(entry.sourcePath);
            distinct.append(entry);
        }
    }
    return distinct;
}

}  // namespace

QString imageBasketFileName(ImageBasketKind kind, const QString& path)
{
    const QString extension = kind == ImageBasketKind::Description ? QStringLiteral(".ibd") : QStringLiteral(".ibf");
    if (path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

bool fncSaveImageBasket(ImageBasketKind kind, const QString& path, const QList<ImageBasketFileEntry>& entries)
{
    static const QString routine = QStringLiteral("modSaveOpenImageList.fncSaveImageBasket");
    SetCurrentOperation(QStringLiteral("Saving image basket file"));

    int line = 0;
    return reportFailures(routine, line, [&] {
        clsFile file;
        if (!file.OpenForWrite(imageBasketFileName(kind, path)))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        for (const ImageBasketFileEntry& entry : distinctSources(entries)) {
            ++line;
            if (kind == ImageBasketKind::Description)
                file.write_ImageBasket(entry.sourcePath, entry.description);
            else
                file.write_ImageBasket(entry.sourcePath);
        }
        if (!file.closefile())
            throw LumoraError(file.lastErrorNumber(), file.lastError());
    });
}

bool fncOpenImageBasket(const QString& path, QList<ImageBasketFileEntry>& entries)
{
    static const QString routine = QStringLiteral("modSaveOpenImageList.fncOpenImageBasket");
    SetCurrentOperation(QStringLiteral("Opening image basket file"));
    entries.clear();

    int line = 0;
    return reportFailures(routine, line, [&] {
        clsFile file;
        // A file that cannot be opened is reported whatever its name.
        if (!file.OpenForRead(path))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        const QString ending = path.right(4).toLower();
        const bool favourite = ending == QStringLiteral(".ibf");
        const bool description = ending == QStringLiteral(".ibd");
        while ((favourite || description) && !file.fEof()) {
            ++line;
            ImageBasketFileEntry entry;
            if (favourite)
                entry.sourcePath = file.readQuotedLine();
            else
                file.read_ImageBasket(entry.sourcePath, entry.description);
            if (!entry.sourcePath.isEmpty())
                entries.append(entry);
        }
        file.closefile();
    });
}

}  // namespace lumora::modSaveOpenImageList
