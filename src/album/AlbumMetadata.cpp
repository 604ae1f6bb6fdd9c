#include "album/AlbumMetadata.h"

#include "engine/ImageBox.h"
#include "engine/IptcField.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataDateText.h"

#include <QFileInfo>

#include <array>
#include <utility>

namespace lumora {
namespace {

QString exifValue(const QString& label, const ImageBox& engine)
{
    static const std::array<std::pair<const char*, const char*>, 11> tags{{
        {"Make", "Make"},
        {"Model", "Model"},
        {"Date/Time", "DateTime"},
        {"Image Description", "ImageDescription"},
        {"Artist", "Artist"},
        {"Copyright", "Copyright"},
        {"Date/Time Original", "DateTimeOriginal"},
        {"Date/Time Digitized", "DateTimeDigitized"},
        {"User Comment", "UserComment"},
        {"Pixel X Dimension", "PixelXDimension"},
        {"Pixel Y Dimension", "PixelYDimension"},
    }};
    for (const auto& [shown, tag] : tags) {
        if (label == QLatin1String(shown))
            return engine.ExifValueByName(QString::fromLatin1(tag));
    }
    return {};
}

QString iptcValue(const QString& label, const ImageBox& engine)
{
    IptcField field{};
    if (!engine.HasImage() || !engine.HasIptc() || !IptcFieldByLabel(label, field))
        return {};
    switch (IptcFieldInfoOf(field).kind) {
    case IptcKind::Text:
        return engine.IptcText(field);
    case IptcKind::List:
        return field == IptcField::Keywords ? modMetadata::KeywordsText(engine)
                                            : modMetadata::SupplementalCategoriesText(engine);
    case IptcKind::Date:
        return modMetadata::IptcDateText(engine.IptcDate(field), ImageBox::ZeroDate());
    }
    return {};
}

}  // namespace

bool fncLoadAlbumMetadata(ImageBox& engine, const QString& path)
{
    static const QStringList withMetadata{QStringLiteral("tiff"), QStringLiteral("tif"), QStringLiteral("jpeg"),
                                          QStringLiteral("jpg"), QStringLiteral("psd")};
    if (!withMetadata.contains(QFileInfo(path).suffix().toLower()))
        return false;
    // Only the file's header and metadata are read: a batch engine decodes no pixels until asked.
    engine.SetSaveColorDepth(0);
    engine.LoadFromFile(path);
    return true;
}

QString fncRetrieveTagValue(const QString& entry, const ImageBox& engine)
{
    const QString kind = entry.left(4);
    const QString label = entry.mid(7);
    if (kind == QLatin1String("EXIF"))
        return exifValue(label, engine);
    if (kind == QLatin1String("IPTC"))
        return iptcValue(label, engine);
    return {};
}

}  // namespace lumora
