#include "output/NamingDateText.h"

namespace lumora {

QString namingDateText(const QDate& date)
{
    return QStringLiteral("%1.%2.%3").arg(date.month()).arg(date.day()).arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString namingDateTimeText(const QDateTime& dateTime)
{
    const QTime time = dateTime.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1 %2.%3.%4 %5")
        .arg(namingDateText(dateTime.date()))
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

}  // namespace lumora
