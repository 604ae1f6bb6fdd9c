// Dates as the metadata pane shows them and takes them back.

#include "core/LumoraError.h"
#include "metadata/MetadataDateText.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::modMetadata;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); }

int errorNumberOfDate(const QVariant& value)
{
    try {
        DateOfValue(value);
    } catch (const LumoraError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(MetadataDateText, TwelveHourClockWithoutLeadingZeros)
{
    EXPECT_EQ(MetadataDateText(at(2004, 7, 15, 14, 3, 22)), "7/15/2004 2:03:22 PM");
    EXPECT_EQ(MetadataDateText(at(2000, 1, 2, 0, 5, 9)), "1/2/2000 12:05:09 AM");
    EXPECT_EQ(MetadataDateText(at(2021, 12, 31, 12, 0, 0)), "12/31/2021 12:00:00 PM");
    EXPECT_EQ(MetadataDateText(at(1999, 10, 10, 23, 59, 59)), "10/10/1999 11:59:59 PM");
    EXPECT_EQ(MetadataDateText(at(2010, 3, 4, 9, 30, 0)), "3/4/2010 9:30:00 AM");
    EXPECT_EQ(MetadataDateText(at(1899, 12, 30, 0, 0, 0)), "12/30/1899 12:00:00 AM");
    EXPECT_EQ(PickerDateText(at(2004, 7, 15, 14, 3, 22)), "7/15/2004 2:03:22 PM");
}

TEST(MetadataDateText, LayoutDoesNotFollowTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(MetadataDateText(at(2004, 7, 15, 14, 3, 22)), "7/15/2004 2:03:22 PM");
    QLocale::setDefault(previous);
}

TEST(MetadataDateText, TextsLumoraWritesAreTakenBack)
{
    for (const QDateTime& date : {at(2004, 7, 15, 14, 3, 22), at(2000, 1, 2, 0, 5, 9), at(2021, 12, 31, 12, 0, 0)})
        EXPECT_EQ(DateOfValue(MetadataDateText(date)), date) << MetadataDateText(date).toStdString();
    EXPECT_EQ(DateOfValue(QStringLiteral("7/15/2004")), at(2004, 7, 15, 0, 0, 0));
    EXPECT_EQ(DateOfValue(QStringLiteral("  7/15/2004   2:03 pm ")), at(2004, 7, 15, 14, 3, 0));
    EXPECT_EQ(DateOfValue(QStringLiteral("7/15/2004 14:03:22")), at(2004, 7, 15, 14, 3, 22));
    // A time alone falls on the zero date's day.
    EXPECT_EQ(DateOfValue(QStringLiteral("2:03:22 PM")), at(1899, 12, 30, 14, 3, 22));
}

TEST(MetadataDateText, DateValuesAndTheSystemShortDate)
{
    EXPECT_EQ(DateOfValue(at(2004, 7, 15, 14, 3, 22)), at(2004, 7, 15, 14, 3, 22));
    EXPECT_EQ(DateOfValue(QDate(2004, 7, 15)), at(2004, 7, 15, 0, 0, 0));
    const QDate day(2012, 11, 25);
    const QString shortDate = QLocale::system().toString(day, QLocale::ShortFormat);
    const std::optional<QDateTime> back = DateOfValue(shortDate);
    ASSERT_TRUE(back.has_value()) << shortDate.toStdString();
    // A two-digit year may land in another century; month and day are what the row showed.
    EXPECT_EQ(back->date().month(), 11);
    EXPECT_EQ(back->date().day(), 25);
}

TEST(MetadataDateText, EmptyIsNoDateAndAnythingElseIsAMismatch)
{
    EXPECT_FALSE(DateOfValue(QString()).has_value());
    EXPECT_FALSE(DateOfValue(QStringLiteral("   ")).has_value());
    EXPECT_FALSE(DateOfValue(QVariant()).has_value());
    for (const char* text : {"yesterday", "13/40/2004", "7/15/2004 13:00:00 PM", "2/30/2004", "25:00", "7/15"})
        EXPECT_EQ(errorNumberOfDate(QString::fromLatin1(text)), errnum::TypeMismatch) << text;
}

TEST(MetadataDateText, IptcDatesShowAsTheSystemShortDateOrNothing)
{
    const QDateTime zero = at(1899, 12, 30, 0, 0, 0);
    EXPECT_EQ(IptcDateText(zero, zero), "");
    EXPECT_EQ(IptcDateText(QDateTime(), zero), "");
    EXPECT_EQ(IptcDateText(at(2012, 11, 25, 0, 0, 0), zero),
              QLocale::system().toString(QDate(2012, 11, 25), QLocale::ShortFormat));
}
