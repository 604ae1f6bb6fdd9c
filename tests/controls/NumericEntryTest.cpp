// The shared rules of whole-number fields, without widgets; the widget tests cover the rest.

#include "controls/NumericEntry.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const NumericFieldSpec TextAngle{QStringLiteral("0"), -180, 180, true};
const NumericFieldSpec FrameSize{QStringLiteral("0"), 0, 800, false};

QString leave(const NumericFieldSpec& spec, const char* text)
{
    return NumericEntry(spec).onLeave(QString::fromLatin1(text));
}

TEST(NumericEntry, KeyFilter)
{
    const NumericEntry frame(FrameSize);
    EXPECT_TRUE(frame.acceptsKey(u'0') && frame.acceptsKey(u'9') && frame.acceptsKey(u'\b'));
    for (const char16_t c : u"aZ .,+-/:\u0660")  // U+0660 is an Arabic-Indic zero
        EXPECT_FALSE(frame.acceptsKey(QChar(c))) << int(c);
    EXPECT_TRUE(NumericEntry(TextAngle).acceptsKey(u'-'));
}

TEST(NumericEntry, LeavingClampsUpperLimitFirst)
{
    EXPECT_EQ(leave(FrameSize, "801"), QStringLiteral("800"));
    EXPECT_EQ(leave(TextAngle, "-181"), QStringLiteral("-180"));
    EXPECT_EQ(leave(FrameSize, "007"), QStringLiteral("007"));  // in range: kept as typed
    // Limits the wrong way round show which test comes first.
    const NumericFieldSpec crossed{QStringLiteral("0"), 100, 50, false};
    EXPECT_EQ(leave(crossed, "75"), QStringLiteral("50"));
    EXPECT_EQ(leave(crossed, "10"), QStringLiteral("100"));
}

TEST(NumericEntry, LeavingWithTextBeyondSixteenBitsOrNoNumber)
{
    EXPECT_EQ(leave(FrameSize, "99999"), QStringLiteral("800"));
    EXPECT_EQ(leave(FrameSize, "123456789012345678901234567890"), QStringLiteral("800"));
    EXPECT_EQ(leave(TextAngle, "-99999"), QStringLiteral("-180"));
    const NumericFieldSpec unlimited{QStringLiteral("0")};
    EXPECT_EQ(leave(unlimited, "40000"), QStringLiteral("32767"));
    EXPECT_EQ(leave(unlimited, "-40000"), QStringLiteral("-32768"));
    for (const char* text : {"-", "5-", "--5", "", "1-2"})
        EXPECT_EQ(leave(TextAngle, text), QStringLiteral("0")) << text;
}

TEST(NumericEntry, ValueForTheCompanion)
{
    const NumericEntry angle(TextAngle);
    EXPECT_EQ(angle.valueOf(QStringLiteral("-45")), -45);
    EXPECT_EQ(angle.valueOf(QStringLiteral("007")), 7);
    EXPECT_EQ(angle.valueOf(QStringLiteral("99999")), 32767);
    EXPECT_EQ(NumericEntry(NumericFieldSpec{QStringLiteral("45")}).valueOf(QStringLiteral("-")), 45);
}

}  // namespace
