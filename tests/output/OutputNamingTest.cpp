// Output file names of the batch: the three naming modes, the counter, separators, the characters
// a name cannot hold, and the date texts, through the public naming functions.

#include "engine/ImageBox.h"
#include "output/NamingDateText.h"
#include "output/NamingTokens.h"
#include "output/NamingValue.h"
#include "output/OutputNaming.h"

#include "core/LumoraError.h"
#include "support/TestImages.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

SetupRecord::Naming naming(int mode)
{
    SetupRecord::Naming n = defaultSetup(QStringLiteral("/lumora")).naming;
    n.nameMode = static_cast<std::int16_t>(mode);
    return n;
}

class OutputNaming : public ::testing::Test {
protected:
    // An engine holding a photo of w x h, as the batch holds it after the tasks.
    void hold(int width, int height)
    {
        engine.SetBitmapHandle(gradientPicture(width, height));
        engine.SetTag(QStringLiteral("%1x%2").arg(width).arg(height));
    }

    QString path(const SetupRecord::Naming& n, const QString& text, int position = 1)
    {
        return fncOutputFilePath(n, engine, QStringLiteral("/out/"), text, QStringLiteral("/in/") + text + ".png",
                                 position, QStringLiteral("jpg"));
    }

    ImageBox engine{ImageBox::Mode::Batch};
};

TEST_F(OutputNaming, OriginalNameKeepsTheEntryTextWithTheNewExtension)
{
    hold(20, 10);
    EXPECT_EQ(path(naming(0), QStringLiteral("logo")), QStringLiteral("/out/logo.jpg"));
    // The entry text is a file's name already and stays whole, odd characters included.
    EXPECT_EQ(path(naming(0), QStringLiteral("a&b: c")), QStringLiteral("/out/a&b: c.jpg"));
    // A mode the dialog never stores names the file as the original does.
    EXPECT_EQ(path(naming(7), QStringLiteral("logo")), QStringLiteral("/out/logo.jpg"));
}

TEST_F(OutputNaming, HybridJoinsPrefixSeparatorsAndSuffixValues)
{
    ImageBox big;
    big.SetBitmapHandle(gradientPicture(1600, 1200));
    big.ResampleTo(800, 600);
    SetupRecord::Naming n = naming(1);
    n.prefix = QStringLiteral("[No Prefix]");
    n.separator1 = QStringLiteral("[No Separator]");
    n.separator2 = QStringLiteral("_");
    n.suffix = QStringLiteral("[Resulting resolution]");
    EXPECT_EQ(fncOutputFilePath(n, big, QStringLiteral("/out/"), QStringLiteral("beach"), QStringLiteral("/in/beach.jpg"),
                                1, QStringLiteral("jpg")),
              QStringLiteral("/out/beach_800x600.jpg"));

    hold(20, 10);
    n.prefix = QStringLiteral("Holiday");
    n.separator1 = QStringLiteral("[WhiteSpace]");
    n.separator2 = QStringLiteral("AND");
    n.suffix = QStringLiteral("[Source resolution]");
    EXPECT_EQ(path(n, QStringLiteral("beach")), QStringLiteral("/out/Holiday beachAND20x10.jpg"));

    // Typed text and values lose the characters a file name cannot hold.
    n.prefix = QStringLiteral("a/b:c?");
    n.separator1 = QStringLiteral("|");
    n.suffix = QStringLiteral("[No Prefix]");
    n.separator2 = QStringLiteral("-");
    EXPECT_EQ(path(n, QStringLiteral("beach")), QStringLiteral("/out/abcbeach-.jpg"));
}

TEST_F(OutputNaming, GenericCounterFollowsTheBasketPosition)
{
    hold(20, 10);
    SetupRecord::Naming n = naming(2);
    EXPECT_EQ(path(n, QStringLiteral("x"), 1), QStringLiteral("/out/Sample1.jpg"));
    EXPECT_EQ(path(n, QStringLiteral("x"), 12), QStringLiteral("/out/Sample12.jpg"));
    n.counterStart = QStringLiteral("[Starting 1001]");
    EXPECT_EQ(path(n, QStringLiteral("x"), 3), QStringLiteral("/out/Sample1003.jpg"));
    n.counterStart = QStringLiteral("50");
    EXPECT_EQ(path(n, QStringLiteral("x"), 1), QStringLiteral("/out/Sample50.jpg"));
    n.genericName = QStringLiteral("Trip ");
    EXPECT_EQ(path(n, QStringLiteral("x"), 1), QStringLiteral("/out/Trip 50.jpg"));
    EXPECT_EQ(path(n, QStringLiteral("x"), 4), QStringLiteral("/out/Trip 53.jpg"));
    n.counterStart = QStringLiteral("-2");
    EXPECT_EQ(path(n, QStringLiteral("x"), 1), QStringLiteral("/out/Trip -2.jpg"));
    EXPECT_EQ(genericCounter(QStringLiteral("2147483647"), 3), 2147483649LL);  // no leading zeros, no wrap

    n.counterStart = QStringLiteral("first");
    try {
        path(n, QStringLiteral("x"), 1);
        ADD_FAILURE() << "a counter that is no number was taken";
    } catch (const LumoraError& e) {
        EXPECT_EQ(e.number(), errnum::TypeMismatch);
    }
}

TEST_F(OutputNaming, DestinationIsTheChosenFolderOrTheSourceFolder)
{
    SetupRecord::Naming n = naming(0);
    n.destinationChoice = 0;
    n.destinationFolder = QStringLiteral("/elsewhere");
    EXPECT_EQ(outputFolder(n, QStringLiteral("/photos/2024/a.gif")), QStringLiteral("/photos/2024/"));
    EXPECT_EQ(outputFolder(n, QStringLiteral("a.gif")), QString());
    n.destinationChoice = 1;
    EXPECT_EQ(outputFolder(n, QStringLiteral("/photos/a.gif")), QStringLiteral("/elsewhere/"));
    n.destinationFolder = QStringLiteral("  /elsewhere/  ");
    EXPECT_EQ(outputFolder(n, QStringLiteral("/photos/a.gif")), QStringLiteral("/elsewhere/"));
    n.destinationFolder = QStringLiteral("   ");
    EXPECT_EQ(outputFolder(n, QStringLiteral("/photos/a.gif")), QString());
}

TEST_F(OutputNaming, PredictedNamesMatchTheNamesGivenOrAreNotPredicted)
{
    hold(30, 20);
    for (const int mode : {0, 2}) {
        const SetupRecord::Naming n = naming(mode);
        EXPECT_EQ(predictedOutputFilePath(n, QStringLiteral("/out/"), QStringLiteral("pic"), 5, QStringLiteral("jpg")),
                  path(n, QStringLiteral("pic"), 5));
    }
    SetupRecord::Naming n = naming(1);
    n.prefix = QStringLiteral("Holiday");
    n.suffix = QStringLiteral("[No Prefix]");
    EXPECT_EQ(predictedOutputFilePath(n, QStringLiteral("/out/"), QStringLiteral("pic"), 5, QStringLiteral("jpg")),
              path(n, QStringLiteral("pic"), 5));
    for (const QString& token : namingTokens().mid(1)) {
        n.suffix = token;
        EXPECT_FALSE(predictedOutputFilePath(n, QStringLiteral("/out/"), QStringLiteral("pic"), 5, QStringLiteral("jpg")))
            << token.toStdString();
    }
}

TEST(NamingText, RefusedCharactersAndSeparators)
{
    EXPECT_EQ(withoutRefusedNameCharacters(QStringLiteral("a\"b&c*d/e:f<g>h?i\\j|k l.m-n_o=p,q;r!s")),
              QStringLiteral("abcdefghijk l.m-n_o=p,q;r!s"));
    for (const QString& separator : namingSeparators())
        EXPECT_EQ(withoutRefusedNameCharacters(separator), separator);

    EXPECT_EQ(separatorText(QStringLiteral("[WhiteSpace]")), QStringLiteral(" "));
    EXPECT_EQ(separatorText(QStringLiteral("[No Separator]")), QString());
    EXPECT_EQ(separatorText(QStringLiteral("AND")), QStringLiteral("AND"));
    EXPECT_EQ(separatorText(QStringLiteral("_")), QStringLiteral("_"));
    EXPECT_EQ(separatorText(QStringLiteral("~~")), QStringLiteral("~~"));
}

TEST(NamingText, DatesUseTheTwelveHourClockWithoutLocale)
{
    EXPECT_EQ(namingDateText(QDate(2024, 3, 7)), QStringLiteral("3.7.2024"));
    EXPECT_EQ(namingDateText(QDate(2024, 12, 25)), QStringLiteral("12.25.2024"));
    EXPECT_EQ(namingDateTimeText(QDateTime(QDate(2024, 3, 7), QTime(21, 5, 0))), QStringLiteral("3.7.2024 9.05.00 PM"));
    EXPECT_EQ(namingDateTimeText(QDateTime(QDate(2024, 3, 7), QTime(0, 0, 9))), QStringLiteral("3.7.2024 12.00.09 AM"));
    EXPECT_EQ(namingDateTimeText(QDateTime(QDate(2024, 3, 7), QTime(12, 30, 59))),
              QStringLiteral("3.7.2024 12.30.59 PM"));
    EXPECT_EQ(namingDateTimeText(QDateTime(QDate(2024, 3, 7), QTime(11, 59, 0))), QStringLiteral("3.7.2024 11.59.00 AM"));
    EXPECT_EQ(namingDateTimeText(ImageBox::ZeroDate()), QStringLiteral("12.30.1899 12.00.00 AM"));
}

}  // namespace
