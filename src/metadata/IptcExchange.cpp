#include "metadata/IptcExchange.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"
#include "metadata/MetadataUpdate.h"

namespace lumora::modMetadata {

QString iptcExchangeFileName(const QString& path)
{
    static const QString extension = QStringLiteral(".ffo");
    if (path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

bool fncSaveIPTC(ImageBox& engine, const QString& path)
{
    SetCurrentOperation(QStringLiteral("Saving IPTC information to file"));
    const int line = 0;
    return reportFailures(QStringLiteral("modMetadata.fncSaveIPTC"), line,
                          [&] { engine.SaveIptcToFile(iptcExchangeFileName(path)); });
}

bool OpenIptcAsks(const MetadataList& list, const ImageBox& engine) { return !list.isEmpty() && engine.HasIptc(); }

bool fncOpenIPTC(const QString& ffoPath, MetadataList& list, ImageBox& engine)
{
    SetCurrentOperation(QStringLiteral("Opening IPTC .ffo file"));
    int line = 0;
    return reportFailures(QStringLiteral("modMetadata.fncOpenIPTC"), line, [&] {
        line = 1;
        engine.LoadIptcFromFile(ffoPath);
        const QString filePath = list.tag();
        if (!engine.HasIptc() || !ShowsIptc(filePath))
            return;
        line = 2;
        WriteMetadataBack(engine, filePath);
        line = 3;
        list.clear();
        ReadFileIPTCInfo(engine, list, filePath);  // reports its own failure
    });
}

}  // namespace lumora::modMetadata
