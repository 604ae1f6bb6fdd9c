#include "cli/CommandLineDate.h"

#include <QRegularExpression>

namespace lumora::cli {
namespace {

// The day a time without a date falls on in the engine: the zero date, 30 December 1899.
const QDate kZeroDay(1899, 12, 30);

int number(const QRegularExpressionMatch& match, int group) { return match.captured(group).toInt(); }

// A 12-hour clock time; invalid when the hour is not 1..12.
QTime twelveHourTime(int hour, int minute, int second, const QString& half)
{
    if (hour < 1 || hour > 12)
        return {};
    return QTime(hour % 12 + (half.compare(u"PM", Qt::CaseInsensitive) == 0 ? 12 : 0), minute, second);
}

std::optional<QDateTime> valid(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

}  // namespace

std::optional<QDateTime> commandLineDate(const QString& text, DatePart part)
{
    static const QRegularExpression shown(
        QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})\s+(\d{1,2}):(\d{2}):(\d{2})\s*([AaPp][Mm])$)"));
    static const QRegularExpression exif(QStringLiteral(R"(^(\d{4}):(\d{2}):(\d{2})\s+(\d{2}):(\d{2}):(\d{2})$)"));
    static const QRegularExpression shownDate(QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)"));
    static const QRegularExpression isoDate(QStringLiteral(R"(^(\d{4})([:-])(\d{2})\2(\d{2})$)"));
    static const QRegularExpression time(QStringLiteral(R"(^(\d{1,2}):(\d{2}):(\d{2})(?:\s*([AaPp][Mm]))?$)"));

    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch m = shown.match(trimmed); m.hasMatch())
        return valid(QDate(number(m, 3), number(m, 1), number(m, 2)),
                     twelveHourTime(number(m, 4), number(m, 5), number(m, 6), m.captured(7)));
    if (const QRegularExpressionMatch m = exif.match(trimmed); m.hasMatch())
        return valid(QDate(number(m, 1), number(m, 2), number(m, 3)), QTime(number(m, 4), number(m, 5), number(m, 6)));
    if (part == DatePart::DateOnly) {
        if (const QRegularExpressionMatch m = shownDate.match(trimmed); m.hasMatch())
            return valid(QDate(number(m, 3), number(m, 1), number(m, 2)), QTime(0, 0));
        if (const QRegularExpressionMatch m = isoDate.match(trimmed); m.hasMatch())
            return valid(QDate(number(m, 1), number(m, 3), number(m, 4)), QTime(0, 0));
    }
    if (part == DatePart::TimeOnly) {
        if (const QRegularExpressionMatch m = time.match(trimmed); m.hasMatch()) {
            const QString half = m.captured(4);
            return valid(kZeroDay, half.isEmpty() ? QTime(number(m, 1), number(m, 2), number(m, 3))
                                                  : twelveHourTime(number(m, 1), number(m, 2), number(m, 3), half));
        }
    }
    return std::nullopt;
}

QString commandLineDateForms(DatePart part)
{
    const QString both = QStringLiteral("\"m/d/yyyy h:mm:ss AM/PM\" or \"yyyy:mm:dd hh:mm:ss\"");
    switch (part) {
    case DatePart::DateAndTime:
        break;
    case DatePart::DateOnly:
        return both + QStringLiteral(", or a date alone: \"m/d/yyyy\", \"yyyy:mm:dd\" or \"yyyy-mm-dd\"");
    case DatePart::TimeOnly:
        return both + QStringLiteral(", or a time alone: \"h:mm:ss AM/PM\" or \"hh:mm:ss\"");
    }
    return both;
}

}  // namespace lumora::cli
