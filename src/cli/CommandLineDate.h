#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace lumora::cli {

// Which part of a date a metadata field keeps, and so which texts the command line takes for it.
enum class DatePart {
    DateAndTime,  // EXIF dates
    DateOnly,     // IPTC "Date Created", "Date Released", "Reference Date"
    TimeOnly,     // IPTC "Time Created", "Time Released"
};

// The date and time a value typed on the command line stands for, or nothing when it is none.
// Always taken: "m/d/yyyy h:mm:ss AM/PM" (as the metadata pane and .xiff files show dates) and
// EXIF's own "yyyy:mm:dd hh:mm:ss". Where only the date counts also "m/d/yyyy", "yyyy:mm:dd" and
// "yyyy-mm-dd"; where only the time counts also "h:mm:ss AM/PM" and "hh:mm:ss". Surrounding
// blanks are ignored; a day or time that does not exist (2/30/2024, 25:00:00) is no date.
std::optional<QDateTime> commandLineDate(const QString& text, DatePart part);

// The forms commandLineDate takes for that part, for a message.
QString commandLineDateForms(DatePart part);

}  // namespace lumora::cli
