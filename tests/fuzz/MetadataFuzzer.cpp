// Any bytes as the metadata of a picture file must load without a crash, a hang or a huge
// allocation: a damaged EXIF or IPTC block costs attributes, never the engine. The first byte
// picks the kind of file (JPEG, TIFF, PSD, PNG, or an IPTC .ffo file), the rest is the file.
// Every EXIF row and IPTC field is read back; a JPEG, TIFF or PSD file also gets the engine's
// metadata written into it in place, which parses and rewrites the damaged file.

#include "FuzzSupport.h"

#include "engine/EngineError.h"
#include "engine/ImageBox.h"

#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const extensions[] = {"jpg", "tif", "psd", "png", "ffo"};
    if (size < 1)
        return 0;
    const std::size_t kind = data[0] % std::size(extensions);
    const QString path = lumora::fuzz::writeInput(data + 1, size - 1, extensions[kind]);
    lumora::ImageBox box;
    try {
        if (kind == std::size(extensions) - 1)
            box.LoadIptcFromFile(path);
        else
            box.LoadFromFile(path);
    } catch (const lumora::EngineError&) {
        return 0;  // not a picture (or not IIM) at all: refused, as it should be
    }
    for (int i = 0; i < box.ExifCount(); ++i) {
        lumora::fuzz::require(!box.ExifNameAt(i).isEmpty());  // every listed attribute has a name
        (void)box.ExifValueAt(i);
    }
    for (const lumora::IptcFieldInfo& info : lumora::IptcFields()) {
        (void)box.IptcText(info.field);
        if (info.kind == lumora::IptcKind::Date)
            (void)box.IptcDate(info.field);
    }
    for (int i = 0; i < box.KeywordCount(); ++i)
        (void)box.Keyword(i);
    for (int i = 0; i < box.SupplementalCategoryCount(); ++i)
        (void)box.SupplementalCategory(i);
    (void)(box.IptcUrgency() + box.HasIptc());
    if (kind <= 2) {
        box.SetExifAttribute(QStringLiteral("Software"), QStringLiteral("Lumora"));
        box.SetIptcText(lumora::IptcField::Caption, QStringLiteral("fuzz"));
        try {
            box.WriteMetadataToFile(path);
        } catch (const lumora::EngineError&) {
        }
    }
    return 0;
}
