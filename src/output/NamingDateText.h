#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace lumora {

// Dates as they go into output file names. The texts hold neither "/" nor ":", so a date can sit
// in a file name on every system, and they never follow the desktop's locale: the same batch
// names its files the same way on every machine.

// "m.d.yyyy": month and day without leading zeros, the year in four digits ("3.7.2024").
QString namingDateText(const QDate& date);

// "m.d.yyyy h.mm.ss AM/PM": the date as above, the hour on the 12-hour clock without a leading
// zero (midnight and noon are 12), minutes and seconds in two digits ("3.7.2024 9.05.00 PM").
QString namingDateTimeText(const QDateTime& dateTime);

}  // namespace lumora
