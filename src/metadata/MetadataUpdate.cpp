#include "metadata/MetadataUpdate.h"

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "engine/IptcField.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataTables.h"

namespace lumora::modMetadata {
namespace {

const QString kSoftware = QStringLiteral("Software");

QString applicationTitle() { return QString::fromUtf8(app::Title); }

QDateTime dateOf(const QVariant& value) { return DateOfValue(value).value_or(ImageBox::ZeroDate()); }

void setIptc(ImageBox& engine, const QString& label, const QVariant& value)
{
    IptcField field{};
    if (!IptcFieldByLabel(label, field))
        return;
    switch (IptcFieldInfoOf(field).kind) {
    case IptcKind::Text:
        engine.SetIptcText(field, value.toString());
        break;
    case IptcKind::Date:
        engine.SetIptcDate(field, dateOf(value));
        break;
    case IptcKind::List:
        break;  // edited in their own dialog
    }
}

}  // namespace

void WriteMetadataBack(ImageBox& engine, const QString& filePath)
{
    const QString extension = LowerExtension(filePath);
    if (extension == u"jpeg" || extension == u"jpg" || extension == u"jpe" || extension == u"tiff" ||
        extension == u"tif" || extension == u"psd")
        engine.WriteMetadataToFile(filePath);
}

bool fncUpdateAttribute(const QString& filePath, bool isIPTC, const QString& name, const QVariant& value,
                        ImageBox& engine)
{
    SetCurrentOperation(QStringLiteral("Updating metadata attribute"));
    bool updated = false;
    int line = 0;
    const bool ranThrough = reportFailures(QStringLiteral("modMetadata.fncUpdateAttribute"), line, [&] {
        line = 1;
        if (isIPTC) {
            setIptc(engine, name, value);
        } else {
            const QString text = IsExifDate(name) ? ImageBox::DateToExifDate(dateOf(value)) : value.toString();
            if (!engine.SetExifAttribute(name, text))
                return;
            line = 2;
            engine.SetExifAttribute(kSoftware, applicationTitle());
        }
        line = 3;
        WriteMetadataBack(engine, filePath);
        updated = true;
    });
    return ranThrough && updated;
}

bool fncDeleteIPTC_Keywords_suppCat(const QString& filePath, const QString& label, ImageBox& engine)
{
    SetCurrentOperation(QStringLiteral("Deleting IPTC keywords or supplemental categories"));
    bool deleted = false;
    int line = 0;
    const bool ranThrough = reportFailures(QStringLiteral("modMetadata.fncDeleteIPTC_Keywords_suppCat"), line, [&] {
        line = 1;
        if (label == u"Keywords")
            engine.ClearKeywords();
        else if (label == u"Supplemental Categories")
            engine.ClearSupplementalCategories();
        else
            return;
        line = 2;
        WriteMetadataBack(engine, filePath);
        deleted = true;
    });
    return ranThrough && deleted;
}

bool fncDeleteAttribute(const QString& name, MetadataList& list, ImageBox& engine, int selectedRow)
{
    SetCurrentOperation(QStringLiteral("Deleting exif attribute from the selected file"));
    bool deleted = false;
    int line = 0;
    const bool ranThrough = reportFailures(QStringLiteral("modMetadata.fncDeleteAttribute"), line, [&] {
        line = 1;
        const QString filePath = list.tag();
        if (!engine.HasImage())
            engine.LoadFromFile(filePath);
        line = 2;
        if (!engine.DeleteExifAttribute(name))
            return;
        line = 3;
        engine.SetExifAttribute(kSoftware, applicationTitle());
        line = 4;
        WriteMetadataBack(engine, filePath);
        line = 5;
        const bool selectedIsIt = selectedRow >= 0 && selectedRow < list.size() && list.at(selectedRow).tag == name;
        list.removeRowAt(selectedIsIt ? selectedRow : list.findTag(name));
        deleted = true;
    });
    return ranThrough && deleted;
}

}  // namespace lumora::modMetadata
