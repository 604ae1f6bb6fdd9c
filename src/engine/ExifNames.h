#pragma once

// Which of Exiv2's EXIF attributes the engine keeps and lists, and under what name. Internal to
// the engine.

#include <QString>

#include <exiv2/exif.hpp>

namespace lumora::exifnames {

enum class Place {
    Listed,     // IFD0, the Exif IFD, the GPS IFD or the interoperability IFD
    MakerNote,  // the maker note, or one of the groups Exiv2 parsed it into
    Elsewhere,  // the thumbnail's IFD, sub-images, other IFDs of a TIFF
};

Place placeOf(const Exiv2::Exifdatum& datum);

// Whether the engine keeps the attribute of a loaded file: the listed IFDs and the maker note,
// but not the thumbnail (which shows the old pixels) and not the blocks that hold IPTC, XMP, a
// colour profile or Photoshop resources inside a TIFF's IFD0 (the engine holds those itself).
bool keptByEngine(const Exiv2::Exifdatum& datum);

// The Exif IFD's maker note tag itself (as opposed to the groups parsed out of it).
bool isMakerNoteTag(const Exiv2::Exifdatum& datum);

// The bare tag name of a listed attribute: "Make", "ExposureTime", "GPSLatitude"; the pointers to
// the other IFDs are "ExifOffset", "GPSInfo" and "InteroperabilityOffset".
QString listedName(const Exiv2::Exifdatum& datum);

inline const QString kMakerNoteName = QStringLiteral("MakerNote");

}  // namespace lumora::exifnames
