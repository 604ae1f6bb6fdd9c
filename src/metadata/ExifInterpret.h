#pragma once

#include <QString>

namespace lumora::modMetadata {

// The readable form of an EXIF value, as the metadata pane shows it: the meaning of a coded
// value ("Orientation" 6 -> "Right Upper"), a computed figure ("ExposureTime" 1/250 ->
// "1/250 s", "FNumber" 28/10 -> "f/2.8"), or "" when Lumora has nothing better than the raw value
// (an attribute it does not interpret, a code without a meaning).
//
// A value that does not fit its attribute - text where a number belongs, a zero denominator - is
// reported through ReportError as "modMetadata.fncEXIFInterpret" and gives "", so the raw value
// shows.
QString fncEXIFInterpret(const QString& name, const QString& value);

}  // namespace lumora::modMetadata
