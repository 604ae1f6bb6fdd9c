#pragma once

// The text of an EXIF attribute's value, as the engine shows it. Internal to the engine.

#include <QString>

#include <exiv2/exif.hpp>

namespace lumora {

// ASCII without trailing NULs (UTF-8 where the bytes are UTF-8, else Windows-1252), integers in
// decimal, rationals "n/d", several values joined with ",", undefined bytes as upper-case
// hexadecimal pairs joined with ","; the user comment as its text (after the 8-byte character
// code), the maker note as "[Maker note, N bytes]". `order` is the byte order of the EXIF block,
// in which a Unicode user comment is stored.
QString exifValueText(const Exiv2::Exifdatum& datum, Exiv2::ByteOrder order);

}  // namespace lumora
