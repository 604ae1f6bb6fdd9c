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

// Leaving the field keeps the text it shows; the companion takes the value of the text.
TEST(NumericEntry, LeavingClampsUpperLimitFirstAndTakesTextThatIsNoNumberAsTheDefault)
{
    const NumericFieldSpec crossed{"0", 100, 50, false};  // limits the wrong way round show which test comes first
    const NumericFieldSpec unlimited{"0"};
    const NumericFieldSpec fortyFive{"45"};
    const struct {
        const NumericFieldSpec& field;
        const char *text, *kept;
        int value;
    } cases[] = {
        {FrameSize, "801", "800", 801}, {TextAngle, "-181", "-180", -181},
        {FrameSize, "007", "007", 7},  // in range: as typed
        {crossed, "75", "50", 75}, {crossed, "10", "100", 10},
        // Beyond sixteen bits a number still counts with its true value.
        {FrameSize, "99999", "800", 32767}, {FrameSize, "123456789012345678901234567890", "800", 32767},
        {TextAngle, "-99999", "-180", -32768}, {unlimited, "40000", "32767", 32767},
        {unlimited, "-40000", "-32768", -32768}, {TextAngle, "-", "0", 0}, {TextAngle, "5-", "0", 0},
        {TextAngle, "--5", "0", 0}, {TextAngle, "", "0", 0}, {TextAngle, "1-2", "0", 0}, {fortyFive, "-", "45", 45},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumericEntry(c.field).onLeave(c.text), c.kept) << c.text;
        EXPECT_EQ(NumericEntry(c.field).valueOf(c.text), c.value) << c.text;
    }
}

}  // namespace
