#pragma once

// Finds the IIM block inside a picture file: the APP13 Photoshop resources of a JPEG, the image
// resources of a PSD, the IPTC tag (or the Photoshop resources tag) of a TIFF. Internal to the
// engine.

#include <QByteArray>
#include <QString>

#include <exiv2/exif.hpp>

namespace lumora::iptcblock {

// The IIM bytes of the file, which Exiv2 opened as `imageType` and whose full EXIF (IFD0 with
// the TIFF's IPTC tags) it read in byte order `order`; empty when there is none or the format
// keeps it elsewhere (PNG).
QByteArray find(const QString& path, int imageType, const Exiv2::ExifData& exif, Exiv2::ByteOrder order);

// The IPTC resource (0x0404) of a run of Photoshop image resources; empty without one. Resources
// that run past the end stop the search.
QByteArray iptcOfResources(const QByteArray& resources);

}  // namespace lumora::iptcblock
