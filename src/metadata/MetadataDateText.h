#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

namespace lumora::modMetadata {

// Dates as the metadata pane shows and takes them. The layout is Lumora's own and does not follow
// the locale, so .xiff files carry the same date text on every computer.

// "m/d/yyyy h:mm:ss AM/PM": month, day and hour without leading zeros, a 12-hour clock (midnight
// is 12 AM, noon 12 PM), two-digit minutes and seconds: 2004-07-15 14:03:22 -> "7/15/2004 2:03:22 PM".
QString MetadataDateText(const QDateTime& date);
// The text the edit and add dialogs put in the value box from their date and time pickers: the
// date as "m/d/yyyy", one space, the time as "h:mm:ss AM/PM" - the same layout as above.
QString PickerDateText(const QDateTime& date);

// An IPTC date as its row shows it: the system's short date, "" for the zero date (no date).
QString IptcDateText(const QDateTime& date, const QDateTime& zeroDate);

// The date a value stands for. Taken: a QDateTime or QDate value, and the texts Lumora writes -
// "m/d/yyyy h:mm:ss AM/PM", "m/d/yyyy", a time alone "h:mm:ss AM/PM" (on the zero date's day) - and
// the system's short date; surrounding blanks are ignored. An empty text gives nothing (the caller
// uses the zero date); any other text raises LumoraError 13.
std::optional<QDateTime> DateOfValue(const QVariant& value);

}  // namespace lumora::modMetadata
