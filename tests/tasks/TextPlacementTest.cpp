// The anchor of a placed text for the nine positions, both orientations and three alignments.

#include "engine/ImageBox.h"
#include "support/TestImages.h"
#include "tasks/TextPlacement.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

struct Anchor {
    int x;
    int y;
    friend bool operator==(const Anchor&, const Anchor&) = default;
};

std::ostream& operator<<(std::ostream& os, const Anchor& a) { return os << "(" << a.x << ", " << a.y << ")"; }

class TextPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { box.SetFont(TextFont{QStringLiteral("DejaVu Sans"), 17, false, true, false}); }

    Anchor place(bool vertical, int position, int width, int height, int alignment = 0)
    {
        box.SetBitmapHandle(Picture::filled(width, height, Rgb{}));
        box.SetTextAlignment(alignment);
        int x = -1;
        int y = -1;
        PlaceText(vertical, position, box, text, x, y);
        return {x, y};
    }

    ImageBox box;
    const QString text = QStringLiteral("Placed caption");
};

TEST_F(TextPlacementTest, BottomRightWithRightAlignmentIsTheCorner)
{
    const int th = box.TextHeight(text);
    for (const auto& size : {std::pair{640, 480}, std::pair{201, 99}, std::pair{3000, 17}})
        EXPECT_EQ(place(false, 8, size.first, size.second, 2), (Anchor{size.first, size.second - th}));
}

TEST_F(TextPlacementTest, HorizontalTextFollowsRowColumnAndAlignment)
{
    const int W = 301, H = 201;
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    const auto half = [](int v) { return static_cast<int>(std::nearbyint(v / 2.0)); };
    // Top row, each column and alignment.
    EXPECT_EQ(place(false, 0, W, H, 0), (Anchor{0, 0}));
    EXPECT_EQ(place(false, 0, W, H, 1), (Anchor{half(tw), 0}));
    EXPECT_EQ(place(false, 0, W, H, 2), (Anchor{tw, 0}));
    EXPECT_EQ(place(false, 1, W, H, 0), (Anchor{half(W - tw), 0}));
    EXPECT_EQ(place(false, 1, W, H, 1), (Anchor{half(W), 0}));
    EXPECT_EQ(place(false, 1, W, H, 2), (Anchor{half(tw + W), 0}));
    EXPECT_EQ(place(false, 2, W, H, 0), (Anchor{W - tw, 0}));
    EXPECT_EQ(place(false, 2, W, H, 1), (Anchor{W - half(tw), 0}));
    // Middle and bottom rows.
    EXPECT_EQ(place(false, 3, W, H, 0), (Anchor{0, half(H - th)}));
    EXPECT_EQ(place(false, 4, W, H, 1), (Anchor{half(W), half(H - th)}));
    EXPECT_EQ(place(false, 6, W, H, 0), (Anchor{0, H - th}));
    EXPECT_EQ(place(false, 7, W, H, 2), (Anchor{half(tw + W), H - th}));
}

TEST_F(TextPlacementTest, HalvesRoundToEven)
{
    // W = 101: W / 2 = 50.5 rounds to 50; W = 103: 51.5 rounds to 52.
    EXPECT_EQ(place(false, 1, 101, 50, 1).x, 50);
    EXPECT_EQ(place(false, 1, 103, 50, 1).x, 52);
}

TEST_F(TextPlacementTest, VerticalTextRunsDownTheImage)
{
    const int W = 400, H = 600;
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    const auto half = [](int v) { return static_cast<int>(std::nearbyint(v / 2.0)); };
    EXPECT_EQ(place(true, 0, W, H), (Anchor{th, 0}));
    EXPECT_EQ(place(true, 4, W, H), (Anchor{half(th + W), half(H - tw)}));
    EXPECT_EQ(place(true, 8, W, H), (Anchor{W, H - tw}));
    // Alignment plays no part for vertical text.
    EXPECT_EQ(place(true, 8, W, H, 2), (Anchor{W, H - tw}));
}

TEST_F(TextPlacementTest, OtherPositionsLeaveTheOrigin)
{
    EXPECT_EQ(place(false, 9, 100, 100), (Anchor{0, 0}));
    EXPECT_EQ(place(false, -1, 100, 100), (Anchor{0, 0}));
}

}  // namespace
