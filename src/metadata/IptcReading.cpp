#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "engine/IptcField.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"

namespace lumora::modMetadata {
namespace {

QString shownValue(const ImageBox& engine, const IptcFieldInfo& info)
{
    switch (info.kind) {
    case IptcKind::Text:
        return engine.IptcText(info.field);
    case IptcKind::List:
        return info.field == IptcField::Keywords ? KeywordsText(engine) : SupplementalCategoriesText(engine);
    case IptcKind::Date:
        return IptcDateText(engine.IptcDate(info.field), ImageBox::ZeroDate());
    }
    return {};
}

}  // namespace

bool ReadFileIPTCInfo(const ImageBox& engine, MetadataList& list, const QString& filePath)
{
    SetCurrentOperation(QStringLiteral("Reading IPTC information from the selected file!"));
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.ReadFileIPTCInfo"), line, [&] {
        if (!engine.HasImage())
            return;
        list.setTag(filePath);
        const auto& fields = IptcFields();
        for (int i = 0; i < kListedIptcFields; ++i) {
            line = i + 1;
            const IptcFieldInfo& info = fields.at(static_cast<size_t>(i));
            const QString label = QString::fromUtf8(info.label);
            const int position = list.addRow(MetadataRow{label, label, label, QString(), true});
            list.setValue(position, shownValue(engine, info));
        }
    });
}

}  // namespace lumora::modMetadata
