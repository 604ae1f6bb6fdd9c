#include "engine/ExifDate.h"

namespace lumora::exifdate {

namespace {

// The number of `length` digits at `from`, or -1.
int digitsAt(const QString& text, int from, int length)
{
    int value = 0;
    for (int i = from; i < from + length; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

QDateTime zeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

QDateTime fromText(const QString& text)
{
    // Cameras pad the text with NULs or blanks after its 19 characters.
    const QString trimmed = text.trimmed().remove(QChar(0));
    if (trimmed.size() != 19 || trimmed.at(4) != u':' || trimmed.at(7) != u':' || trimmed.at(10) != u' ' ||
        trimmed.at(13) != u':' || trimmed.at(16) != u':')
        return zeroDate();
    const int year = digitsAt(trimmed, 0, 4);
    const int month = digitsAt(trimmed, 5, 2);
    const int day = digitsAt(trimmed, 8, 2);
    const int hour = digitsAt(trimmed, 11, 2);
    const int minute = digitsAt(trimmed, 14, 2);
    const int second = digitsAt(trimmed, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return zeroDate();
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return zeroDate();
    return QDateTime(date, time);
}

QString toText(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    return date.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss"));
}

}  // namespace lumora::exifdate
