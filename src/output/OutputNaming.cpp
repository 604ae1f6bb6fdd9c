#include "output/OutputNaming.h"

#include "core/Conversions.h"
#include "output/NamingTokens.h"
#include "output/NamingValue.h"

namespace lumora {
namespace {

QString hybridName(const SetupRecord::Naming& naming, const QString& folder, const QString& prefixValue,
                   const QString& entryText, const QString& suffixValue, const QString& extension)
{
    return folder + withoutRefusedNameCharacters(prefixValue)
        + withoutRefusedNameCharacters(separatorText(naming.separator1)) + entryText
        + withoutRefusedNameCharacters(separatorText(naming.separator2)) + withoutRefusedNameCharacters(suffixValue)
        + u'.' + extension;
}

// Modes 0 and 2, which need nothing of the photo.
QString fixedName(const SetupRecord::Naming& naming, const QString& folder, const QString& entryText, int position,
                  const QString& extension)
{
    if (naming.nameMode == 2) {
        return folder + withoutRefusedNameCharacters(naming.genericName)
            + QString::number(genericCounter(naming.counterStart, position)) + u'.' + extension;
    }
    return folder + entryText + u'.' + extension;
}

// The text a prefix or suffix setting gives whatever the photo, when it gives the same for all.
std::optional<QString> constantValue(const QString& token)
{
    if (token == kNoPrefix)
        return QString();
    if (namingTokens().contains(token))
        return std::nullopt;
    return token;
}

}  // namespace

QString outputFolder(const SetupRecord::Naming& naming, const QString& sourcePath)
{
    if (naming.destinationChoice != 1)
        return sourcePath.left(sourcePath.lastIndexOf(u'/') + 1);
    QString folder = naming.destinationFolder.trimmed();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

qint64 genericCounter(const QString& counterStart, int position)
{
    if (counterStart == kStartingOne)
        return position;
    if (counterStart == kStartingThousandOne)
        return position + qint64{1000};
    return convert::toInt32(counterStart) + qint64{position} - 1;
}

QString fncOutputFilePath(const SetupRecord::Naming& naming, const ImageBox& engine, const QString& folder,
                          const QString& entryText, const QString& sourcePath, int position,
                          const QString& extension)
{
    if (naming.nameMode != 1)
        return fixedName(naming, folder, entryText, position, extension);
    return hybridName(naming, folder, fncRetrieveNamingString(engine, naming.prefix, sourcePath, extension), entryText,
                      fncRetrieveNamingString(engine, naming.suffix, sourcePath, extension), extension);
}

std::optional<QString> predictedOutputFilePath(const SetupRecord::Naming& naming, const QString& folder,
                                               const QString& entryText, int position, const QString& extension)
{
    if (naming.nameMode != 1)
        return fixedName(naming, folder, entryText, position, extension);
    const std::optional<QString> prefix = constantValue(naming.prefix);
    const std::optional<QString> suffix = constantValue(naming.suffix);
    if (!prefix || !suffix)
        return std::nullopt;
    return hybridName(naming, folder, *prefix, entryText, *suffix, extension);
}

}  // namespace lumora
