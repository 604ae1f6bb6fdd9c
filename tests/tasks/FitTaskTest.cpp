// The size a Fit task gives a photo, as shrink-on-load and the option page ask for it: the side
// that meets the box takes its length, the other the exact share rounded half to even.

#include "tasks/kinds/FitTask.h"

#include <gtest/gtest.h>

using lumora::FitTask;

TEST(FitTask, SizeStaysInTheBoxAndKeepsTheShape)
{
    struct Case {
        QSize source, box;
        bool enlarge;
        QSize fitted;
    };
    const Case cases[] = {
        {{4608, 1976}, {800, 600}, false, {800, 343}},  // 343.06
        {{4, 6}, {3, 100}, false, {3, 4}},              // 4.5 rounds to the even 4 ...
        {{4, 10}, {3, 100}, false, {3, 8}},             // ... and 7.5 to the even 8
        {{10000, 1}, {100, 100}, false, {100, 1}},      // never below one pixel
        {{800, 600}, {800, 600}, false, {800, 600}},
        {{400, 300}, {800, 800}, false, {400, 300}},
        {{400, 300}, {800, 800}, true, {800, 600}},
        {{400, 300}, {0, 800}, true, {400, 300}},  // a box without area changes nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitTask::fittedSize(c.source, c.box, c.enlarge), c.fitted)
            << c.source.width() << "x" << c.source.height() << " into " << c.box.width() << "x" << c.box.height();
    }
}
