#include "metadata/MetadataTables.h"

#include "core/Conversions.h"

#include <QFileInfo>

#include <initializer_list>

namespace lumora::modMetadata {
namespace {

bool extensionIn(const QString& path, std::initializer_list<const char*> extensions)
{
    const QString extension = LowerExtension(path);
    for (const char* candidate : extensions)
        if (extension == QLatin1String(candidate))
            return true;
    return false;
}

}  // namespace

const QStringList& EditableExifAttributes()
{
    static const QStringList names{
        QStringLiteral("Make"),           QStringLiteral("Model"),
        QStringLiteral("DateTime"),       QStringLiteral("ImageDescription"),
        QStringLiteral("Artist"),         QStringLiteral("Copyright"),
        QStringLiteral("DateTimeOriginal"), QStringLiteral("DateTimeDigitized"),
        QStringLiteral("UserComment"),    QStringLiteral("PixelXDimension"),
        QStringLiteral("PixelYDimension"),
    };
    return names;
}

const QStringList& ExifDateAttributes()
{
    static const QStringList names{QStringLiteral("DateTime"), QStringLiteral("DateTimeOriginal"),
                                   QStringLiteral("DateTimeDigitized")};
    return names;
}

const QStringList& IptcDateLabels()
{
    static const QStringList labels{QStringLiteral("Date Created"), QStringLiteral("Date Released"),
                                    QStringLiteral("Time Released"), QStringLiteral("Reference Date"),
                                    QStringLiteral("Time Created")};
    return labels;
}

bool IsEditableExif(const QString& name) { return EditableExifAttributes().contains(name, Qt::CaseSensitive); }
bool IsExifDate(const QString& name) { return ExifDateAttributes().contains(name, Qt::CaseSensitive); }
bool IsIptcDate(const QString& label) { return IptcDateLabels().contains(label, Qt::CaseSensitive); }

std::int32_t RationalNumerator(const QString& text)
{
    const qsizetype slash = text.lastIndexOf(u'/');
    return convert::toInt32(slash < 0 ? QString() : text.first(slash));
}

std::int32_t RationalDenominator(const QString& text)
{
    const qsizetype slash = text.lastIndexOf(u'/');
    return convert::toInt32(text.mid(slash + 1));
}

QString LowerExtension(const QString& path) { return QFileInfo(path).suffix().toLower(); }

bool ShowsExif(const QString& path) { return extensionIn(path, {"tif", "tiff", "jpg", "jpeg", "jpe"}); }
bool ShowsIptc(const QString& path) { return extensionIn(path, {"tif", "tiff", "jpg", "jpeg", "jpe", "psd"}); }
bool CanAddExif(const QString& path) { return extensionIn(path, {"jpeg", "jpg", "tif", "tiff"}); }

}  // namespace lumora::modMetadata
