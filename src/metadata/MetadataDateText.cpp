#include "metadata/MetadataDateText.h"

#include "core/LumoraError.h"

#include <QLocale>
#include <QRegularExpression>

namespace lumora::modMetadata {
namespace {

QString twoDigits(int number) { return QString::number(number).rightJustified(2, u'0'); }

QString clockText(const QTime& time)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(hour)
        .arg(twoDigits(time.minute()), twoDigits(time.second()),
             time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString calendarText(const QDate& date)
{
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

// "h:mm[:ss] [AM|PM]" in captures first..first+3; an invalid time when the numbers are out of range.
QTime clockOf(const QRegularExpressionMatch& match, int first)
{
    int hour = match.captured(first).toInt();
    const int minute = match.captured(first + 1).toInt();
    const int second = match.captured(first + 2).isEmpty() ? 0 : match.captured(first + 2).toInt();
    const QString half = match.captured(first + 3).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return {};
        hour = hour % 12 + (half == u"PM" ? 12 : 0);
    }
    return QTime(hour, minute, second);
}

[[noreturn]] void notADate(const QString& text)
{
    throw LumoraError(errnum::TypeMismatch, QStringLiteral("Type mismatch: '%1' is not a date").arg(text));
}

// The day a time without a date falls on: the zero date, 30 December 1899.
const QDate kZeroDay(1899, 12, 30);

QDateTime dateOfText(const QString& text)
{
    static const QRegularExpression full(
        QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?(?:\s*([AaPp][Mm]))?)?$)"));
    static const QRegularExpression timeOnly(
        QStringLiteral(R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?(?:\s*([AaPp][Mm]))?$)"));

    if (const QRegularExpressionMatch m = full.match(text); m.hasMatch()) {
        const QDate date(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
        const QTime time = m.captured(4).isEmpty() ? QTime(0, 0) : clockOf(m, 4);
        if (!date.isValid() || !time.isValid())
            notADate(text);
        return QDateTime(date, time);
    }
    if (const QRegularExpressionMatch m = timeOnly.match(text); m.hasMatch()) {
        const QTime time = clockOf(m, 1);
        if (!time.isValid())
            notADate(text);
        return QDateTime(kZeroDay, time);
    }
    const QDate shortDate = QLocale::system().toDate(text, QLocale::ShortFormat);
    if (shortDate.isValid())
        return QDateTime(shortDate, QTime(0, 0));
    notADate(text);
}

}  // namespace

QString MetadataDateText(const QDateTime& date) { return calendarText(date.date()) + u' ' + clockText(date.time()); }

QString PickerDateText(const QDateTime& date) { return MetadataDateText(date); }

QString IptcDateText(const QDateTime& date, const QDateTime& zeroDate)
{
    if (!date.isValid() || date.date() == zeroDate.date())
        return {};
    return QLocale::system().toString(date.date(), QLocale::ShortFormat);
}

std::optional<QDateTime> DateOfValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return dateOfText(text);
}

}  // namespace lumora::modMetadata
