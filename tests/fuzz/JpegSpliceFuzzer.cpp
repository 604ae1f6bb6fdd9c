// Any bytes as the JPEG a photo was read from must give a converted photo its metadata without a
// crash, a hang or a huge allocation: the source's segments are carried into a freshly encoded
// JPEG, its EXIF block patched in place (a value changed, a directory grown, a new thumbnail),
// and a block that cannot be patched is rebuilt or refused with an engine error.

#include "FuzzSupport.h"

#include "engine/EngineError.h"
#include "engine/EngineMetadata.h"
#include "engine/MetadataReader.h"
#include "engine/MetadataWriter.h"
#include "engine/VipsRuntime.h"

#include <vips/vips8>

namespace {

// A small JPEG as the engine's encoder writes one.
const QByteArray& encodedPhoto()
{
    static const QByteArray bytes = [] {
        lumora::ensureVipsStarted();
        VipsBlob* blob = vips::VImage::black(24, 16, vips::VImage::option()->set("bands", 3)).jpegsave_buffer();
        size_t size = 0;
        const void* data = vips_blob_get(blob, &size);
        QByteArray copy(static_cast<const char*>(data), qsizetype(size));
        vips_area_unref(VIPS_AREA(blob));
        return copy;
    }();
    return bytes;
}

}  // namespace

LUMORA_FUZZ_FILE("jpg")
{
    lumora::EngineMetadata metadata = lumora::MetadataReader::read(path);
    for (const bool edited : {false, true}) {
        if (edited) {
            metadata.setExifAttribute(QStringLiteral("Software"), QStringLiteral("Lumora"));
            metadata.setExifAttribute(QStringLiteral("Artist"), QStringLiteral("A longer artist than most files carry"));
        }
        metadata.setPixelDimensions(24, 16);
        try {
            const QByteArray written = lumora::MetadataWriter::embed(encodedPhoto(), QStringLiteral("jpg"), metadata, "fuzz");
            lumora::fuzz::require(written.startsWith("\xFF\xD8"));
        } catch (const lumora::EngineError&) {
            // A block that cannot be carried over is refused: an expected outcome.
        }
    }
}
