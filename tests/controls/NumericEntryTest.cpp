// The shared rules of whole-number fields, without widgets; the widget tests cover the rest.

#include "controls/NumericEntry.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const NumericFieldSpec TextAngle{"0", -180, 180, true};
const NumericFieldSpec FrameSize{"0", 0, 800, false};

TEST(NumericEntry, KeyFilter)
{
    const NumericEntry frame(FrameSize);
    EXPECT_TRUE(frame.acceptsKey(u'0') && frame.acceptsKey(u'9') && frame.acceptsKey(u'\b'));
    for (const char16_t c : u"aZ .,+-/:\u0660")  // U+0660 is an Arabic-Indic zero
        EXPECT_FALSE(frame.acceptsKey(QChar(c))) << int(c);
    EXPECT_TRUE(NumericEntry(TextAngle).acceptsKey(u'-'));
}

TEST(NumericEntry, LeavingClampsUpperLimitFirstAndTakesTextThatIsNoNumberAsTheDefault)
{
    const NumericFieldSpec crossed{"0", 100, 50, false};  // limits the wrong way round show which test comes first
    const NumericFieldSpec unlimited{"0"};
    const struct {
        const NumericFieldSpec& field;
        const char *text, *kept;
    } cases[] = {
        {FrameSize, "801", "800"}, {TextAngle, "-181", "-180"}, {FrameSize, "007", "007"},  // in range: as typed
        {crossed, "75", "50"}, {crossed, "10", "100"},
        // Beyond sixteen bits a number still counts with its true value.
        {FrameSize, "99999", "800"}, {FrameSize, "123456789012345678901234567890", "800"},
        {TextAngle, "-99999", "-180"}, {unlimited, "40000", "32767"}, {unlimited, "-40000", "-32768"},
        {TextAngle, "-", "0"}, {TextAngle, "5-", "0"}, {TextAngle, "--5", "0"}, {TextAngle, "", "0"},
        {TextAngle, "1-2", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumericEntry(c.field).onLeave(c.text), c.kept) << c.text;
}

TEST(NumericEntry, ValueForTheCompanion)
{
    const NumericEntry angle(TextAngle);
    EXPECT_EQ(angle.valueOf("-45"), -45);
    EXPECT_EQ(angle.valueOf("007"), 7);
    EXPECT_EQ(angle.valueOf("99999"), 32767);
    EXPECT_EQ(NumericEntry(NumericFieldSpec{"45"}).valueOf("-"), 45);
}

}  // namespace
