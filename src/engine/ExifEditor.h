#pragma once

// Changes to the engine's EXIF attributes. Internal to the engine.

#include <QString>

#include <exiv2/exif.hpp>

namespace lumora::exifeditor {

// Writes one of the editable attributes (see ImageBox::SetExifAttribute) with its EXIF type and
// IFD, in place of the first attribute of that name; `order` is the byte order a Unicode user
// comment is stored in. False, and nothing changed, for another name or a value the type cannot
// hold.
bool setAttribute(Exiv2::ExifData& exif, const QString& name, const QString& value, Exiv2::ByteOrder order);

// Removes every listed attribute of that name ("MakerNote": the maker note with all its groups);
// false when there was none.
bool deleteAttribute(Exiv2::ExifData& exif, const QString& name);

}  // namespace lumora::exifeditor
