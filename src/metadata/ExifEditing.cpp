#include "metadata/ExifEditing.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataMessages.h"
#include "metadata/MetadataTables.h"
#include "metadata/MetadataUpdate.h"

namespace lumora::modMetadata {

QStringList MissingEditableExif(const MetadataList& list)
{
    QStringList missing;
    for (const QString& name : EditableExifAttributes())
        if (list.findTag(name) < 0)
            missing.append(name);
    return missing;
}

QStringList AddAttributeItems(const MetadataList& list)
{
    const QStringList missing = MissingEditableExif(list);
    return missing.isEmpty() ? QStringList{NoEditableAttributeToAdd} : missing;
}

bool ClearAllExif(ImageBox& engine, MetadataList& exifList)
{
    SetCurrentOperation(QStringLiteral("Deleting all EXIF metadata of the selected file"));
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.ClearAllExif"), line, [&] {
        line = 1;
        engine.ClearExif();
        exifList.clear();
        line = 2;
        if (engine.HasImage())
            WriteMetadataBack(engine, exifList.tag());
    });
}

bool ClearAllIptc(ImageBox& engine, MetadataList& iptcList)
{
    SetCurrentOperation(QStringLiteral("Deleting all IPTC metadata of the selected file"));
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.ClearAllIptc"), line, [&] {
        line = 1;
        engine.ClearIptc();
        for (int row = 0; row < iptcList.size(); ++row)
            iptcList.setValue(row, QString());
        line = 2;
        if (engine.HasImage())
            WriteMetadataBack(engine, iptcList.tag());
    });
}

}  // namespace lumora::modMetadata
