#include "album/HtmlColor.h"

namespace lumora {

QString fncHtmlColor(std::int32_t value)
{
    // Shifting a negative value rounds down, as the division of the colour arithmetic does, so a
    // system colour keeps its index in the red byte and zeros elsewhere.
    const auto hex = [](std::int32_t byte) { return QStringLiteral("%1").arg(byte & 255, 2, 16, QLatin1Char('0')).toUpper(); };
    return u'#' + hex(value) + hex(value >> 8) + hex(value >> 16);
}

}  // namespace lumora
