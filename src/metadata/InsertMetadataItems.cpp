#include "metadata/InsertMetadataItems.h"

namespace lumora::modMetadata {
namespace {

QStringList buildItems()
{
    const QStringList exif{QStringLiteral("Make"),
                           QStringLiteral("Model"),
                           QStringLiteral("Date/Time"),
                           QStringLiteral("Image Description"),
                           QStringLiteral("Artist"),
                           QStringLiteral("Copyright"),
                           QStringLiteral("Date/Time Original"),
                           QStringLiteral("Date/Time Digitized"),
                           QStringLiteral("User Comment"),
                           QStringLiteral("Pixel X Dimension"),
                           QStringLiteral("Pixel Y Dimension")};
    const QStringList iptc{QStringLiteral("Caption"),
                           QStringLiteral("Caption Writer"),
                           QStringLiteral("Headline"),
                           QStringLiteral("Special Instructions"),
                           QStringLiteral("By (Author)"),
                           QStringLiteral("By Title (Author's Position)"),
                           QStringLiteral("Credit"),
                           QStringLiteral("Source"),
                           QStringLiteral("Object Name (Title)"),
                           QStringLiteral("City"),
                           QStringLiteral("Province/State"),
                           QStringLiteral("Country Name"),
                           QStringLiteral("Original Transmission Reference (OTR)"),
                           QStringLiteral("Copyright Notice"),
                           QStringLiteral("Image URL"),
                           QStringLiteral("Date Created"),
                           QStringLiteral("Image Notes"),
                           QStringLiteral("Category"),
                           QStringLiteral("Keywords"),
                           QStringLiteral("Supplemental Categories"),
                           QStringLiteral("Edit Status"),
                           QStringLiteral("Fixture Identifier"),
                           QStringLiteral("Date Released"),
                           QStringLiteral("Time Released"),
                           QStringLiteral("Reference Service"),
                           QStringLiteral("Reference Date"),
                           QStringLiteral("Reference Number"),
                           QStringLiteral("Time Created"),
                           QStringLiteral("Originating Program"),
                           QStringLiteral("Program Version"),
                           QStringLiteral("Object Cycle"),
                           QStringLiteral("Sublocation"),
                           QStringLiteral("Country Code"),
                           QStringLiteral("Local Caption")};
    QStringList items;
    for (const QString& name : exif)
        items.append(QStringLiteral("EXIF - ") + name);
    for (const QString& name : iptc)
        items.append(QStringLiteral("IPTC - ") + name);
    for (int i = 1; i <= 20; ++i)
        items.append(QStringLiteral("IPTC - Custom Field %1").arg(i));
    return items;
}

}  // namespace

const QStringList& InsertMetadataItems()
{
    static const QStringList items = buildItems();
    return items;
}

}  // namespace lumora::modMetadata
