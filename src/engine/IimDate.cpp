#include "engine/IimDate.h"

#include <cstring>

namespace lumora::iimdate {

namespace {

// The leading digits of a text with the separators taken out, up to the first other character
// (a time zone's sign, a NUL, a blank).
QByteArray leadingDigits(const QByteArray& text, const char* separators)
{
    QByteArray digits;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (!std::strchr(separators, c) || c == '\0')
            break;
    }
    return digits;
}

int numberAt(const QByteArray& digits, int from, int length) { return digits.mid(from, length).toInt(); }

}  // namespace

std::optional<QDate> parseDate(const QByteArray& text)
{
    const QByteArray digits = leadingDigits(text.trimmed(), "-:");
    if (digits.size() != 8)
        return std::nullopt;
    const QDate date(numberAt(digits, 0, 4), numberAt(digits, 4, 2), numberAt(digits, 6, 2));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QByteArray& text)
{
    const QByteArray digits = leadingDigits(text.trimmed(), ":");
    if (digits.size() != 6 && digits.size() != 4)
        return std::nullopt;
    const QTime time(numberAt(digits, 0, 2), numberAt(digits, 2, 2), digits.size() == 6 ? numberAt(digits, 4, 2) : 0);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

}  // namespace lumora::iimdate
