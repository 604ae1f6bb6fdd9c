#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/ExifDisplayName.h"
#include "metadata/ExifInterpret.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"

namespace lumora::modMetadata {
namespace {

QString shownValue(const QString& name, const QString& raw)
{
    if (IsExifDate(name))
        return MetadataDateText(ImageBox::ExifDateToDate(raw.trimmed()));
    const QString interpreted = fncEXIFInterpret(name, raw);
    return interpreted.isEmpty() ? raw : interpreted;
}

}  // namespace

bool ReadFileEXIFInfo(const ImageBox& engine, MetadataList& list, const QString& filePath)
{
    static const QString operation = QStringLiteral("Reading EXIF information from the selected file!");
    SetCurrentOperation(operation);
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.ReadFileEXIFInfo"), line, [&] {
        if (!engine.HasImage())
            return;
        list.setTag(filePath);
        const int count = engine.ExifCount();
        for (int i = 0; i < count; ++i) {
            line = i + 1;
            SetCurrentOperation(operation);  // the value and name helpers set their own
            const QString name = engine.ExifNameAt(i);
            MetadataRow row;
            row.text = name;
            row.tag = name;
            if (IsEditableExif(name)) {
                row.key = name;
                row.editableIcon = true;
            }
            // The row is there before its value is worked out, as the pane shows it when a value
            // fails.
            const int position = list.addRow(row);
            list.setValue(position, shownValue(name, engine.ExifValueAt(i)));
            const QString displayName = fncFormattedAttributed(name);
            if (!displayName.isEmpty())
                list.setText(position, displayName);
        }
    });
}

}  // namespace lumora::modMetadata
