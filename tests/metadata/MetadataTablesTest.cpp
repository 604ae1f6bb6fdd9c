// The rules of the metadata pane's texts: the two halves of a rational, the files each list is
// read for, urgencies, and dates and numbers as the pane shows them and takes dates back.

#include "metadata/IptcUrgency.h"
#include "metadata/MetadataDateText.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataTables.h"
#include "metadata/NumberText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

using namespace lumora;
using namespace lumora::modMetadata;
using lumora::test::errorNumberOf;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); }

}  // namespace

TEST(MetadataTables, RationalHalvesSplitAtTheLastSlash)
{
    EXPECT_EQ(RationalNumerator("-28/10"), -28);
    EXPECT_EQ(RationalDenominator("-28/10"), 10);
    EXPECT_EQ(RationalNumerator(" 7 / 2 "), 7);
    EXPECT_EQ(RationalDenominator(" 7 / 2 "), 2);
    // Halves are numbers as Lumora reads them: rounded half to even.
    EXPECT_EQ(RationalNumerator("2.5/1"), 2);
    EXPECT_EQ(RationalNumerator("3.5/1"), 4);
    // Without a slash nothing stands before it; the whole text is after it.
    EXPECT_EQ(RationalDenominator("5"), 5);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("5"); }), errnum::TypeMismatch);
    EXPECT_EQ(RationalDenominator("1/2/3"), 3);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("1/2/3"); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("abc/1"); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { RationalDenominator("1/"); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("4294967295/1"); }), errnum::Overflow);
    EXPECT_EQ(errorNumberOf([] { RationalDenominator("1/4294967295"); }), errnum::Overflow);
}

TEST(MetadataTables, WhichFilesTheListsAreReadFor)
{
    // E: the EXIF list is read, I: the IPTC list is read, A: EXIF attributes can be added.
    const char* const cases[][2] = {
        {"/p/a.tif", "EIA"}, {"/p/a.TIFF", "EIA"},   {"/p/a.JPG", "EIA"},     {"/p/a.Jpeg", "EIA"},
        {"/p/a.jpe", "EI"},  {"/p/a.PSD", "I"},      {"/p/a.png", ""},        {"/p/a.bmp", ""},
        {"/p/jpg", ""},      {"/p.jpg/a", ""},       {"/p/a.jpg.png", ""},    {"/p/a.", ""},
    };
    for (const auto& [path, lists] : cases) {
        const QString has = QString::fromLatin1(lists);
        EXPECT_EQ(ShowsExif(path), has.contains(u'E')) << path;
        EXPECT_EQ(ShowsIptc(path), has.contains(u'I')) << path;
        EXPECT_EQ(CanAddExif(path), has.contains(u'A')) << path;
    }
}

TEST(MetadataTables, UrgencyItemsAndTheirTexts)
{
    EXPECT_EQ(UrgencyItems(), QStringList({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", "None"}));
    EXPECT_EQ(UrgencyText(0), "None");
    EXPECT_EQ(UrgencyText(3), " 3");
    // Every item stands for the urgency that shows it.
    for (const QString& item : UrgencyItems())
        EXPECT_EQ(UrgencyText(UrgencyOfText(item)), item);
    EXPECT_EQ(UrgencyOfText(""), 0);
    EXPECT_EQ(errorNumberOf([] { UrgencyOfText("urgent"); }), errnum::TypeMismatch);
}

TEST(MetadataDateText, TwelveHourClockWithoutLeadingZerosAndBack)
{
    const std::pair<QDateTime, const char*> cases[] = {
        {at(2004, 7, 15, 14, 3, 22), "7/15/2004 2:03:22 PM"},
        {at(2000, 1, 2, 0, 5, 9), "1/2/2000 12:05:09 AM"},
        {at(2021, 12, 31, 12, 0, 0), "12/31/2021 12:00:00 PM"},
        {at(1999, 10, 10, 23, 59, 59), "10/10/1999 11:59:59 PM"},
        {at(1899, 12, 30, 0, 0, 0), "12/30/1899 12:00:00 AM"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(MetadataDateText(date), text);
        EXPECT_EQ(PickerDateText(date), text);
        EXPECT_EQ(DateOfValue(QString::fromLatin1(text)), date) << text;
    }
    EXPECT_EQ(DateOfValue(QStringLiteral("7/15/2004")), at(2004, 7, 15, 0, 0, 0));
    EXPECT_EQ(DateOfValue(QStringLiteral("  7/15/2004   2:03 pm ")), at(2004, 7, 15, 14, 3, 0));
    EXPECT_EQ(DateOfValue(QStringLiteral("7/15/2004 14:03:22")), at(2004, 7, 15, 14, 3, 22));
    // A time alone falls on the zero date's day.
    EXPECT_EQ(DateOfValue(QStringLiteral("2:03:22 PM")), at(1899, 12, 30, 14, 3, 22));
    EXPECT_EQ(DateOfValue(at(2004, 7, 15, 14, 3, 22)), at(2004, 7, 15, 14, 3, 22));
    EXPECT_EQ(DateOfValue(QDate(2004, 7, 15)), at(2004, 7, 15, 0, 0, 0));
}

TEST(MetadataDateText, EmptyIsNoDateAndAnythingElseIsAMismatch)
{
    EXPECT_FALSE(DateOfValue(QString()).has_value());
    EXPECT_FALSE(DateOfValue(QStringLiteral("   ")).has_value());
    EXPECT_FALSE(DateOfValue(QVariant()).has_value());
    for (const char* text : {"yesterday", "13/40/2004", "7/15/2004 13:00:00 PM", "2/30/2004", "25:00", "7/15"})
        EXPECT_EQ(errorNumberOf([&] { DateOfValue(QString::fromLatin1(text)); }), errnum::TypeMismatch) << text;
}

TEST(MetadataDateText, IptcDatesShowAsTheSystemShortDateAndAreTakenBack)
{
    const QDateTime zero = at(1899, 12, 30, 0, 0, 0);
    EXPECT_EQ(IptcDateText(zero, zero), "");
    EXPECT_EQ(IptcDateText(QDateTime(), zero), "");
    const QString shortDate = QLocale::system().toString(QDate(2012, 11, 25), QLocale::ShortFormat);
    EXPECT_EQ(IptcDateText(at(2012, 11, 25, 0, 0, 0), zero), shortDate);
    const std::optional<QDateTime> back = DateOfValue(shortDate);
    ASSERT_TRUE(back.has_value()) << shortDate.toStdString();
    // A two-digit year may land in another century; month and day are what the row showed.
    EXPECT_EQ(back->date().month(), 11);
    EXPECT_EQ(back->date().day(), 25);
}

// Fifteen significant digits, the plain form between 1E-4 and 1E15, never a trailing zero or a "-0".
TEST(NumberText, PlainOrScientificWithFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {250.0, "250"}, {-2.5, "-2.5"}, {1.0 / 3.0, "0.333333333333333"}, {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},  // the binary error is below the fifteenth digit
        {0.0001, "0.0001"}, {123456789012345.0, "123456789012345"}, {100000.0, "100000"}, {-0.004, "-0.004"},
        {0.0, "0"}, {-0.0, "0"}, {0.00001, "1E-05"}, {-0.000015, "-1.5E-05"}, {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {999999999999999.9, "1E+15"},  // rounding to 15 digits carries into the exponent
        {1e300, "1E+300"}, {2.5e-200, "2.5E-200"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumberText(value), text) << value;
    for (const double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(errorNumberOf([&] { NumberText(value); }), errnum::Overflow) << value;
}

TEST(MetadataTexts, LayoutDoesNotFollowTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(MetadataDateText(at(2004, 7, 15, 14, 3, 22)), "7/15/2004 2:03:22 PM");
    EXPECT_EQ(NumberText(1234.5), "1234.5");
    QLocale::setDefault(previous);
}
