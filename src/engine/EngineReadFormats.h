#pragma once

#include <QString>

namespace lumora {

// The one table of the files the engine reads itself (LoadFromFile), by lower-case extension;
// everything else goes through the universal loader (LoadPic).
//
// A batch reads all of them itself. The preview reads only JPEG, TIFF and PSD itself: their
// metadata lists need the engine's reading of the file (a PSD's IPTC block does not survive the
// universal loader), and every other format looks the same either way.
class EngineReadFormats {
public:
    // By the extension of a path, compared in lower case.
    static bool batchReads(const QString& path);
    static bool previewReads(const QString& path);
};

}  // namespace lumora
