#pragma once

// The marker segments of a JPEG file ahead of its image data. Internal to the engine.

#include <QByteArray>
#include <QIODevice>

#include <optional>
#include <vector>

namespace lumora::jpegsegments {

// A JPEG cut at its marker segments.
struct JpegParts {
    // Every segment between the start-of-image marker and the first scan, each whole: marker,
    // length and payload.
    std::vector<QByteArray> head;
    // The first scan header to the end-of-image marker, both included (or to the end of a file
    // cut short).
    QByteArray image;
    // Whatever follows the end-of-image marker: the trailers some writers append.
    QByteArray trailer;
};

// nullopt for anything that is not a JPEG up to its first scan (a segment running past the end,
// no scan). A file without its end-of-image marker has its image data to the end. Without
// `keepImage` the image data is only passed over (left empty): a reader of the metadata needs
// the segments and the trailer, not a copy of megabytes of coded pixels.
std::optional<JpegParts> split(const QByteArray& jpeg, bool keepImage = true);

// The marker of a whole segment, and whether its payload begins with `id`.
uchar markerOf(const QByteArray& segment);
bool payloadStartsWith(const QByteArray& segment, const QByteArray& id);
// A whole segment of that marker around `payload`, which must fit in one (65533 bytes).
QByteArray segment(uchar marker, const QByteArray& payload);
// The largest payload one segment holds.
constexpr qsizetype kMaxPayload = 65533;

// Whether a whole segment is metadata (an APPn or comment segment) rather than coding tables.
bool isMetadata(const QByteArray& segment);
// Whether a metadata segment describes the encoded image rather than the photo: JFIF and its
// extension, Adobe's colour transform, the colour profile (the image carries its own), the
// multi-picture index (its offsets point into the old file).
bool describesEncoding(const QByteArray& segment);
bool isMultiPictureIndex(const QByteArray& segment);
bool isJfif(const QByteArray& segment);

inline const QByteArray kExifId("Exif\0\0", 6);
inline const QByteArray kXmpId("http://ns.adobe.com/xap/1.0/\0", 29);
inline const QByteArray kExtendedXmpId("http://ns.adobe.com/xmp/extension/\0", 35);
inline const QByteArray kPhotoshopId("Photoshop 3.0\0", 14);
inline constexpr uchar kApp1 = 0xE1;
inline constexpr uchar kApp13 = 0xED;

// The JPEG without its APP1 Exif segments; anything that is not a JPEG comes back as it was.
QByteArray withoutExifSegments(const QByteArray& jpeg);

// The Photoshop resource data of the APP13 segments ("Photoshop 3.0"), joined in file order as
// readers join a block split across segments. Reads the segments ahead of the image data only;
// empty without any, or for anything that is not a JPEG.
QByteArray photoshopResources(QIODevice& jpeg);

}  // namespace lumora::jpegsegments
