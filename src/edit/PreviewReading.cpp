#include "edit/PreviewReading.h"

#include "engine/EngineError.h"
#include "engine/EngineReadFormats.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "metadata/MetadataTables.h"

namespace lumora {
namespace {

QString extensionOf(const QString& path) { return modMetadata::LowerExtension(path); }

// The box of the reduced picture shown for a photo too large to load whole: a JPEG past the
// pixel limit still decodes at an eighth or a quarter of its size, and the preview shows it
// fitted anyway.
constexpr int kReducedPreviewSide = 4000;

}  // namespace

std::unique_ptr<ImageBox> ReadForPreview(const QString& path)
{
    auto engine = std::make_unique<ImageBox>(ImageBox::Mode::View);
    if (EngineReadFormats::previewReads(path)) {
        engine->SetTiffPage(1);
        try {
            engine->LoadFromFile(path);
            return engine;
        } catch (const EngineError&) {
            // A file the engine cannot read is not an error: only a PSD still has the universal
            // loader's roads to try.
            engine->ClearImage();
            if (extensionOf(path) != u"psd") {
                // Too large to load whole (or unreadable, which the loader says as quickly).
                const Picture reduced = LoadPic(path, ShrinkToFit, kReducedPreviewSide, kReducedPreviewSide);
                if (reduced.isNull())
                    return nullptr;
                engine->SetBitmapHandle(reduced);
                return engine;
            }
        }
    }
    const Picture picture = LoadPic(path);
    if (picture.isNull())
        return nullptr;
    engine->SetBitmapHandle(picture);
    return engine;
}

int PreviewPageCount(const QString& path)
{
    const QString extension = extensionOf(path);
    if (extension != u"tif" && extension != u"tiff")
        return 1;
    return ImageBox().TiffPageCount(path);
}

}  // namespace lumora
