#include "shell/FileDialogs.h"

#include <gtest/gtest.h>

using lumora::ui::QtFilter;

TEST(QtFilterTest, DescriptionsKeepTheirWordsAndPatternsBecomeSpaceSeparated)
{
    EXPECT_EQ(QtFilter(QStringLiteral("Image basket formats (*.ibf;*.ibd)|*.ibf;*.ibd|Image basket favorite file (*.ibf)|*.ibf|")),
              QStringLiteral("Image basket formats (*.ibf *.ibd);;Image basket favorite file (*.ibf)"));
    EXPECT_EQ(QtFilter(QStringLiteral("EXIF file (*.xiff)|*.xiff")), QStringLiteral("EXIF file (*.xiff)"));
    EXPECT_EQ(QtFilter(QStringLiteral("Task basket|*.tbf|")), QStringLiteral("Task basket (*.tbf)"));
}
