#include "album/AlbumArt.h"

#include "core/LumoraError.h"
#include "core/WholeFileWrite.h"

#include <QFile>

#include <optional>

namespace lumora {

void copyAlbumArt(const QString& artFolder, const QString& name, const QString& targetFolder)
{
    QFile source(artFolder + u'/' + name);
    if (!source.exists())
        source.setFileName(artFolder + u'/' + name.toUpper());
    if (!source.open(QIODevice::ReadOnly))
        throw LumoraError(errnum::FileNotFound,
                          QStringLiteral("the album decoration \"%1\" is missing from \"%2\"").arg(name, artFolder));
    const QString target = targetFolder + u'/' + name;
    if (const std::optional<QString> failure = writeWholeFile(target, source.readAll()))
        throw LumoraError(errnum::PathFileAccess, QStringLiteral("cannot write \"%1\": %2").arg(target, *failure));
}

}  // namespace lumora
