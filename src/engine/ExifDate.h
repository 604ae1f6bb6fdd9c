#pragma once

// EXIF date texts ("YYYY:MM:DD HH:MM:SS") and the engine's empty date. Internal to the engine.

#include <QDateTime>
#include <QString>

namespace lumora::exifdate {

// 30 December 1899, 00:00:00 local time: what the engine answers for a date that is not there.
QDateTime zeroDate();

// A date and time of that form in local time; the zero date for anything else (a blank date
// "    :  :     :  :  ", "0000:00:00 00:00:00", the 31st of February).
QDateTime fromText(const QString& text);

// The EXIF form of a date; empty for an invalid date.
QString toText(const QDateTime& date);

}  // namespace lumora::exifdate
