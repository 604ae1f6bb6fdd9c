#pragma once

// Reads a picture file's EXIF, IPTC and XMP with Exiv2. Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QString>

namespace lumora {

class MetadataReader {
public:
    // The metadata of a JPEG, TIFF, PSD or PNG file; nothing for other formats. Never fails: a
    // damaged block gives fewer attributes (whatever Exiv2 read before it gave up), an unreadable
    // file none. Reads only the metadata blocks, never the pixels.
    static EngineMetadata read(const QString& path);
};

}  // namespace lumora
