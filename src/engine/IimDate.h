#pragma once

// Dates and times of IPTC datasets. Internal to the engine.

#include <QByteArray>
#include <QDate>
#include <QTime>

#include <optional>

namespace lumora::iimdate {

// "CCYYMMDD" as the IIM stores a date; also "CCYY-MM-DD" and "CCYY:MM:DD", which some writers use.
std::optional<QDate> parseDate(const QByteArray& text);

// "HHMMSS+HHMM" as the IIM stores a time, also without the zone, with colons ("HH:MM:SS+HH:MM") or
// without seconds; the zone is not kept, the clock time is.
std::optional<QTime> parseTime(const QByteArray& text);

}  // namespace lumora::iimdate
