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

#include <tuple>

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
    // An engine holding a photo of 1600 x 1200 resampled to 800 x 600, as the batch holds it
    // after the tasks (the tag keeps the size it was read at).
    OutputNaming()
    {
        engine.SetBitmapHandle(gradientPicture(1600, 1200));
        engine.SetTag(QStringLiteral("1600x1200"));
        engine.ResampleTo(800, 600);
    }

    QString path(const SetupRecord::Naming& n, const QString& text, int position = 1)
    {
        return fncOutputFilePath(n, engine, "/out/", text, "/in/" + text + ".png", position, "jpg");
    }

    ImageBox engine{ImageBox::Mode::Batch};
};

TEST_F(OutputNaming, OriginalAndGenericNames)
{
    const struct {
        int mode;
        QString genericName, counterStart, text;
        int position;
        QString name;
    } cases[] = {
        {0, "Sample", "[Starting 1]", "logo", 3, "/out/logo.jpg"},
        // The entry text is a file's name already and stays whole, odd characters included.
        {0, "Sample", "[Starting 1]", "a&b: c", 1, "/out/a&b: c.jpg"},
        {7, "Sample", "[Starting 1]", "logo", 1, "/out/logo.jpg"},  // a mode the dialog never stores
        {2, "Sample", "[Starting 1]", "x", 1, "/out/Sample1.jpg"},
        {2, "Sample", "[Starting 1]", "x", 12, "/out/Sample12.jpg"},
        {2, "Sample", "[Starting 1001]", "x", 3, "/out/Sample1003.jpg"},
        {2, "Trip ", "50", "x", 4, "/out/Trip 53.jpg"},
        {2, "Trip ", "-2", "x", 1, "/out/Trip -2.jpg"},
    };
    SetupRecord::Naming n = defaultSetup(QStringLiteral("/lumora")).naming;
    for (const auto& c : cases) {
        n.nameMode = static_cast<std::int16_t>(c.mode);
        std::tie(n.genericName, n.counterStart) = std::tie(c.genericName, c.counterStart);
        EXPECT_EQ(path(n, c.text, c.position), c.name);
    }
    EXPECT_EQ(genericCounter(QStringLiteral("2147483647"), 3), 2147483649LL);  // no leading zeros, no wrap

    n.counterStart = QStringLiteral("first");
    try {
        path(n, QStringLiteral("x"), 1);
        ADD_FAILURE() << "a counter that is no number was taken";
    } catch (const LumoraError& e) {
        EXPECT_EQ(e.number(), errnum::TypeMismatch);
    }
}

TEST_F(OutputNaming, HybridJoinsPrefixSeparatorsAndSuffixValues)
{
    const struct {
        QString prefix, separator1, separator2, suffix, name;
    } cases[] = {
        {"[No Prefix]", "[No Separator]", "_", "[Resulting resolution]", "/out/beach_800x600.jpg"},
        {"Holiday", "[WhiteSpace]", "AND", "[Source resolution]", "/out/Holiday beachAND1600x1200.jpg"},
        // Typed text and values lose the characters a file name cannot hold.
        {"a/b:c?", "|", "-", "[No Prefix]", "/out/abcbeach-.jpg"},
    };
    SetupRecord::Naming n = naming(1);
    for (const auto& c : cases) {
        std::tie(n.prefix, n.separator1, n.separator2, n.suffix) = std::tie(c.prefix, c.separator1, c.separator2, c.suffix);
        EXPECT_EQ(path(n, "beach"), c.name);
    }
}

TEST_F(OutputNaming, DestinationIsTheChosenFolderOrTheSourceFolder)
{
    const struct {
        int choice;
        QString folder, source, used;
    } cases[] = {
        {0, "/elsewhere", "/photos/2024/a.gif", "/photos/2024/"}, {0, "/elsewhere", "a.gif", ""},
        {1, "/elsewhere", "/photos/a.gif", "/elsewhere/"},       {1, "  /elsewhere/  ", "/photos/a.gif", "/elsewhere/"},
        {1, "   ", "/photos/a.gif", ""},  // the working folder, never the root
    };
    SetupRecord::Naming n = naming(0);
    for (const auto& c : cases) {
        n.destinationChoice = static_cast<std::uint8_t>(c.choice);
        n.destinationFolder = c.folder;
        EXPECT_EQ(outputFolder(n, c.source), c.used) << c.folder.toStdString() << " " << c.source.toStdString();
    }
}

TEST_F(OutputNaming, PredictedNamesMatchTheNamesGivenOrAreNotPredicted)
{
    SetupRecord::Naming hybrid = naming(1);
    hybrid.prefix = QStringLiteral("Holiday");
    hybrid.suffix = QStringLiteral("[No Prefix]");
    for (const SetupRecord::Naming& n : {naming(0), naming(2), hybrid})
        EXPECT_EQ(predictedOutputFilePath(n, "/out/", "pic", 5, "jpg"), path(n, QStringLiteral("pic"), 5));
    for (const QString& token : namingTokens().mid(1)) {
        hybrid.suffix = token;
        EXPECT_FALSE(predictedOutputFilePath(hybrid, "/out/", "pic", 5, "jpg")) << token.toStdString();
    }
}

TEST(NamingText, TokensRefusedCharactersSeparatorsAndDates)
{
    // Settings files hold these texts: they never change.
    EXPECT_EQ(namingTokens(),
              (QStringList{"[No Prefix]", "[Resulting resolution]", "[Resulting size]", "[Date Today-Time]", "[Date Today]",
                           "[Source resolution]", "[Source size]", "[Source Date Created]", "[Source Date Modified]",
                           "[Source Date Accessed]", "[EXIF Image Description]", "[EXIF Artist]", "[EXIF Date]",
                           "[EXIF Date-Time]", "[EXIF Make]", "[EXIF Model]", "[EXIF Make & Model]",
                           "[EXIF X-Y Dimension]", "[IPTC Headline]", "[IPTC Caption]", "[IPTC Author]",
                           "[IPTC Date Created]", "[IPTC Date Released]", "[IPTC Ref. Date]", "[IPTC Ref. Number]"}));
    EXPECT_EQ(namingSeparators(), (QStringList{"_", "-", "=", ",", ".", ";", "!", "AND", "[WhiteSpace]", "[No Separator]"}));

    EXPECT_EQ(withoutRefusedNameCharacters(QStringLiteral("a\"b&c*d/e:f<g>h?i\\j|k l.m-n_o=p,q;r!s")),
              QStringLiteral("abcdefghijk l.m-n_o=p,q;r!s"));
    for (const QString& separator : namingSeparators())
        EXPECT_EQ(withoutRefusedNameCharacters(separator), separator);
    QStringList separators;
    for (const char* separator : {"[WhiteSpace]", "[No Separator]", "AND", "_", "~~"})
        separators.append(separatorText(QString::fromLatin1(separator)));
    EXPECT_EQ(separators, (QStringList{" ", "", "AND", "_", "~~"}));

    // Dates on the twelve-hour clock, without the desktop's locale.
    EXPECT_EQ(namingDateText(QDate(2024, 3, 7)) + u' ' + namingDateText(QDate(2024, 12, 25)), "3.7.2024 12.25.2024");
    QStringList times;
    for (const QTime& time : {QTime(21, 5, 0), QTime(0, 0, 9), QTime(12, 30, 59), QTime(11, 59, 0)})
        times.append(namingDateTimeText(QDateTime(QDate(2024, 3, 7), time)));
    EXPECT_EQ(times, (QStringList{"3.7.2024 9.05.00 PM", "3.7.2024 12.00.09 AM", "3.7.2024 12.30.59 PM",
                                  "3.7.2024 11.59.00 AM"}));
    EXPECT_EQ(namingDateTimeText(ImageBox::ZeroDate()), QStringLiteral("12.30.1899 12.00.00 AM"));
}

}  // namespace
