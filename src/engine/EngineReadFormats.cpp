#include "engine/EngineReadFormats.h"

#include <QFileInfo>

namespace lumora {
namespace {

struct ReadFormat {
    const char* extension;
    bool preview;  // the preview reads it itself too
};

constexpr ReadFormat Formats[] = {
    {"tiff", true}, {"tif", true},  {"jpeg", true}, {"jpg", true}, {"psd", true},
    {"bmp", false}, {"pcx", false}, {"gif", false}, {"png", false},
    // Phones' and cameras' newer formats, through libvips modules opened when first met.
    {"heic", false}, {"heif", false}, {"hif", false}, {"avif", false}, {"jxl", false},
};

const ReadFormat* find(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const ReadFormat& format : Formats) {
        if (extension == QLatin1String(format.extension))
            return &format;
    }
    return nullptr;
}

}  // namespace

bool EngineReadFormats::batchReads(const QString& path) { return find(path) != nullptr; }

bool EngineReadFormats::previewReads(const QString& path)
{
    const ReadFormat* format = find(path);
    return format && format->preview;
}

}  // namespace lumora
