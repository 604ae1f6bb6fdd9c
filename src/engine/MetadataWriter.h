#pragma once

// Puts the engine's EXIF, IPTC and XMP into files with Exiv2. Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace lumora {

class MetadataWriter {
public:
    // Whether files of that (lower-case) extension carry the engine's EXIF and IPTC: JPEG, TIFF, PSD.
    static bool carriesMetadata(const QString& extension);
    // Whether the image library's own writer of that extension puts an EXIF block into the file
    // (WebP, AVIF, PNG as eXIf); they hold no IPTC.
    static bool exifThroughEncoder(const QString& extension);
    // The engine's EXIF as the image library carries it: "Exif\0\0" and the TIFF structure, in
    // the byte order it was read in; empty when there is none. EngineError naming `operation`
    // when Exiv2 cannot build it.
    static QByteArray exifBlock(const EngineMetadata& metadata, const char* operation);

    // The encoder's bytes of such a file with the engine's EXIF, IPTC and XMP in place of whatever
    // the encoder wrote; the colour profile and the image data stay as encoded. EngineError
    // (naming `operation`) when Exiv2 cannot write the file, e.g. EXIF beyond a JPEG segment.
    // `thumbnail`, when given, makes a JPEG's EXIF thumbnail from the pixels at hand. A TIFF takes
    // `iccProfile`, when not empty, as its colour profile (the engine's own TIFF writer has none).
    static QByteArray embed(const QByteArray& encoded, const QString& extension, const EngineMetadata& metadata,
                            const char* operation, const std::function<QByteArray()>& thumbnail = {},
                            const QByteArray& iccProfile = {});

    // Replaces the EXIF, IPTC and XMP of a JPEG, TIFF or PSD file (told by its content) with the
    // engine's, in place: the image data stays byte for byte (a JPEG's scans, a TIFF's strips or
    // tiles, a PSD's layers and image data), and so does whatever the engine does not hold: a
    // JPEG's untouched segments with their maker notes, colour profile, own thumbnail and trailer;
    // a TIFF's further pages. The file is replaced whole, keeping its permissions, or left alone:
    // EngineError for a missing, read-only or other file and for a failed write.
    static void writeIntoFile(const QString& path, const EngineMetadata& metadata);
};

}  // namespace lumora
