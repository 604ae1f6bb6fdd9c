#pragma once

#include <QString>
#include <QStringList>

namespace lumora::modMetadata {

// The EXIF attributes that have a display name in the metadata pane (85 of them); every other
// attribute, "Make" and "Orientation" among them, shows under its raw name.
const QStringList& DisplayNamedExifAttributes();

// The display name of an EXIF attribute, "" when it has none. It is the raw name split into
// words - before a capital that follows a lower-case letter or a digit, and before the last
// capital of a run of capitals that is followed by a lower-case letter ("GPSInfo" -> "GPS Info",
// "ExposureTime" -> "Exposure Time") - except for a few names the pane has always written its own
// way ("FNumber" -> "F-Number", "DateTime" -> "Date/Time"). Failures are reported through
// ReportError as "modMetadata.fncFormattedAttributed" and give "".
QString fncFormattedAttributed(const QString& name);

// The word split on its own, for any name.
QString SplitIntoWords(const QString& name);

}  // namespace lumora::modMetadata
