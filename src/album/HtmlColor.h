#pragma once

#include <QString>

#include <cstdint>

namespace lumora {

// An OLE colour as the album pages write it: "#RRGGBB" from the low three bytes (R = v AND 255,
// G = (v / 256) AND 255, B = (v / 65536) AND 255, divisions rounded down). System colours are not
// resolved: 0x8000000E gives "#0E0000", as the pages have always said.
QString fncHtmlColor(std::int32_t value);

}  // namespace lumora
