#include "engine/TextRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace lumora;

namespace {

TextStyle styleOf(int points, bool bold = false, bool italic = false, bool underline = false,
                  const QString& family = QStringLiteral("DejaVu Sans"))
{
    TextStyle style;
    style.font.name = family;
    style.font.size = points;
    style.font.bold = bold;
    style.font.italic = italic;
    style.font.underline = underline;
    return style;
}

int widthOf(const QString& text, const TextStyle& style) { return TextRenderer::measure(text, style).width(); }
int heightOf(const QString& text, const TextStyle& style) { return TextRenderer::measure(text, style).height(); }

// The smallest box holding every pixel with alpha above `threshold`; empty if there is none.
struct Box {
    int left = 0;
    int top = 0;
    int right = -1;   // inclusive
    int bottom = -1;  // inclusive
    bool empty() const { return right < left; }
};

Box inkBox(const Picture& picture, int threshold = 0)
{
    Box box{picture.width(), picture.height(), -1, -1};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.alphaAt(x, y) > threshold) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

int inkInRow(const Picture& picture, int y)
{
    int count = 0;
    for (int x = 0; x < picture.width(); ++x)
        count += picture.alphaAt(x, y) > 0 ? 1 : 0;
    return count;
}

long long totalAlpha(const Picture& picture)
{
    long long sum = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            sum += picture.alphaAt(x, y);
    return sum;
}

// Mean x of the inked pixels in rows [top, bottom].
double inkCentreX(const Picture& picture, int top, int bottom)
{
    double sum = 0;
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.alphaAt(x, y) == 255) {
                sum += x;
                ++count;
            }
    return count > 0 ? sum / count : -1;
}

bool alphasAreOnly0Or255(const Picture& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (const int a = picture.alphaAt(x, y); a != 0 && a != 255)
                return false;
    return true;
}

int partialAlphaCount(const Picture& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (const int a = picture.alphaAt(x, y); a != 0 && a != 255)
                ++count;
    return count;
}

const Rgb kInk{200, 30, 90};     // distinct channels: a swapped channel order shows
const Rgb kPaper{20, 160, 240};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Measuring

TEST(TextRendererMeasure, lineHeightFollowsPointSizeAt96Dpi)
{
    // At 96 dpi a 12 pt em is 16 px, so the line (ascent + descent) is taller than that; at
    // 72 dpi it would be about 14.
    const int h12 = heightOf(QStringLiteral("Hello"), styleOf(12));
    EXPECT_GE(h12, 17);
    EXPECT_LE(h12, 20);

    const int h24 = heightOf(QStringLiteral("Hello"), styleOf(24));
    const int h48 = heightOf(QStringLiteral("Hello"), styleOf(48));
    EXPECT_NEAR(h24, 2 * h12, 2);
    EXPECT_NEAR(h48, 4 * h12, 4);
}

TEST(TextRendererMeasure, widthGrowsWithTextAndSize)
{
    const TextStyle style = styleOf(12);
    const int hello = widthOf(QStringLiteral("Hello"), style);
    EXPECT_GT(hello, 0);
    EXPECT_GT(widthOf(QStringLiteral("Hello, world"), style), hello);
    EXPECT_NEAR(widthOf(QStringLiteral("HelloHello"), style), 2 * hello, 2);
    EXPECT_NEAR(widthOf(QStringLiteral("Hello"), styleOf(36)), 3 * hello, 3);
}

TEST(TextRendererMeasure, familyIsApplied)
{
    // A monospaced family gives every character the same advance; a proportional one does not.
    const TextStyle mono = styleOf(20, false, false, false, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(widthOf(QStringLiteral("iiiiiiii"), mono), widthOf(QStringLiteral("WWWWWWWW"), mono));

    const TextStyle sans = styleOf(20);
    EXPECT_LT(widthOf(QStringLiteral("iiiiiiii"), sans), widthOf(QStringLiteral("WWWWWWWW"), sans) / 2);
}

TEST(TextRendererMeasure, boldIsWiderThanRegular)
{
    const QString text = QStringLiteral("Bold and regular text");
    EXPECT_GT(widthOf(text, styleOf(16, true)), widthOf(text, styleOf(16)));
}

TEST(TextRendererMeasure, unknownFamilyFallsBack)
{
    const TextStyle style = styleOf(12, false, false, false, QStringLiteral("No Such Font Family 123"));
    const QSize size = TextRenderer::measure(QStringLiteral("Hello"), style);
    EXPECT_GT(size.width(), 20);
    EXPECT_GE(size.height(), 14);
    EXPECT_LE(size.height(), 22);

    const Picture picture = TextRenderer::render(QStringLiteral("Hello"), style);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(totalAlpha(picture), 0);
}

TEST(TextRendererMeasure, textIsPlainNotMarkup)
{
    const TextStyle style = styleOf(12);
    const int a = widthOf(QStringLiteral("a"), style);
    EXPECT_GT(widthOf(QStringLiteral("a<b"), style), a);
    EXPECT_GT(widthOf(QStringLiteral("a<b & c>"), style), widthOf(QStringLiteral("a<b"), style));
    // As markup these would be the bold "x" and "&".
    EXPECT_GT(widthOf(QStringLiteral("<b>x</b>"), style), 4 * widthOf(QStringLiteral("x"), style));
    EXPECT_GT(widthOf(QStringLiteral("&amp;"), style), 3 * widthOf(QStringLiteral("&"), style));

    const Picture picture = TextRenderer::render(QStringLiteral("a<b & c>"), style);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), widthOf(QStringLiteral("a<b & c>"), style));
}

TEST(TextRendererMeasure, emptyTextIsZeroWideAndOneLineHigh)
{
    const TextStyle style = styleOf(12);
    const QSize empty = TextRenderer::measure(QString(), style);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.height(), heightOf(QStringLiteral("Hello"), style));
    EXPECT_TRUE(TextRenderer::render(QString(), style).isNull());
}

TEST(TextRendererMeasure, lineBreaksMakeSeveralLines)
{
    const TextStyle style = styleOf(14);
    const int line = heightOf(QStringLiteral("Hello"), style);
    EXPECT_NEAR(heightOf(QStringLiteral("Hello\nworld"), style), 2 * line, 2);
    EXPECT_NEAR(heightOf(QStringLiteral("one\ntwo\nthree"), style), 3 * line, 3);
    // The block is as wide as its widest line.
    EXPECT_EQ(widthOf(QStringLiteral("Hi\nHello there\nHo"), style), widthOf(QStringLiteral("Hello there"), style));
    // Only line breaks: no width, so nothing to draw.
    EXPECT_EQ(widthOf(QStringLiteral("\n"), style), 0);
    EXPECT_TRUE(TextRenderer::render(QStringLiteral("\n"), style).isNull());
}

// ---------------------------------------------------------------------------------------------
// Rendering

TEST(TextRendererRender, pictureIsRgbaOfExactlyTheMeasuredSize)
{
    const QString texts[] = {QStringLiteral("Hello"), QStringLiteral("fjord Wy"), QStringLiteral("two\nlines here"),
                             QStringLiteral(" ")};
    for (const QString& text : texts)
        for (const bool bold : {false, true})
            for (const bool italic : {false, true})
                for (const bool underline : {false, true})
                    for (const bool antiAlias : {false, true}) {
                        TextStyle style = styleOf(30, bold, italic, underline);
                        style.antiAlias = antiAlias;
                        const QSize size = TextRenderer::measure(text, style);
                        const Picture picture = TextRenderer::render(text, style);
                        SCOPED_TRACE(text.toStdString());
                        ASSERT_FALSE(picture.isNull());
                        EXPECT_EQ(picture.bands(), 4);
                        EXPECT_EQ(picture.width(), size.width());
                        EXPECT_EQ(picture.height(), size.height());
                    }
}

TEST(TextRendererRender, transparentBackgroundShowsOnlyTheGlyphs)
{
    TextStyle style = styleOf(48, true);
    style.color = kInk;
    const Picture picture = TextRenderer::render(QStringLiteral("I"), style);
    ASSERT_FALSE(picture.isNull());
    const int w = picture.width();
    const int h = picture.height();

    // Above the capital, below the baseline and beside the stem there is nothing.
    EXPECT_EQ(picture.alphaAt(0, 0), 0);
    EXPECT_EQ(picture.alphaAt(w - 1, 0), 0);
    EXPECT_EQ(picture.alphaAt(0, h - 1), 0);
    EXPECT_EQ(picture.alphaAt(w - 1, h - 1), 0);

    // The middle of the thick stem is solid text colour.
    const Box ink = inkBox(picture);
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.right - ink.left, 10);
    const int cx = (ink.left + ink.right) / 2;
    const int cy = (ink.top + ink.bottom) / 2;
    EXPECT_EQ(picture.alphaAt(cx, cy), 255);
    EXPECT_EQ(picture.rgbAt(cx, cy), kInk);
}

TEST(TextRendererRender, glyphsSitInTheLogicalBox)
{
    // The full block reaches from the font's descent to its ascent and across its advance, so it
    // fills the logical box: drawn in the right place, it touches all four edges and is solid inside.
    for (const int points : {12, 30, 48}) {
        SCOPED_TRACE(points);
        TextStyle style = styleOf(points);
        style.color = kInk;
        const Picture picture = TextRenderer::render(QStringLiteral("\u2588"), style);
        ASSERT_FALSE(picture.isNull());
        const Box ink = inkBox(picture);
        EXPECT_EQ(ink.left, 0);
        EXPECT_EQ(ink.top, 0);
        EXPECT_EQ(ink.right, picture.width() - 1);
        EXPECT_EQ(ink.bottom, picture.height() - 1);
        for (int y = 1; y < picture.height() - 1; ++y)
            for (int x = 1; x < picture.width() - 1; ++x) {
                ASSERT_EQ(picture.alphaAt(x, y), 255) << x << "," << y;
                ASSERT_EQ(picture.rgbAt(x, y), kInk) << x << "," << y;
            }
    }
}

TEST(TextRendererRender, edgePixelsCarryStraightColour)
{
    // The alpha is not multiplied into the colour: a half-covered pixel still has the text colour.
    TextStyle style = styleOf(20);
    style.color = kInk;
    const Picture picture = TextRenderer::render(QStringLiteral("Soft edges around curves"), style);
    ASSERT_FALSE(picture.isNull());
    int checked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int a = picture.alphaAt(x, y);
            if (a < 32)
                continue;
            const Rgb c = picture.rgbAt(x, y);
            ASSERT_LE(std::abs(c.r - kInk.r), 5) << x << "," << y << " alpha " << a;
            ASSERT_LE(std::abs(c.g - kInk.g), 5) << x << "," << y << " alpha " << a;
            ASSERT_LE(std::abs(c.b - kInk.b), 5) << x << "," << y << " alpha " << a;
            if (a < 255)
                ++checked;
        }
    EXPECT_GT(checked, 20);
}

TEST(TextRendererRender, opaqueBackgroundFillsTheBox)
{
    TextStyle style = styleOf(48, true);
    style.color = kInk;
    style.backColor = kPaper;
    style.transparent = false;
    const Picture picture = TextRenderer::render(QStringLiteral("I"), style);
    ASSERT_FALSE(picture.isNull());
    const int w = picture.width();
    const int h = picture.height();

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(picture.alphaAt(x, y), 255) << x << "," << y;
    EXPECT_EQ(picture.rgbAt(0, 0), kPaper);
    EXPECT_EQ(picture.rgbAt(w - 1, 0), kPaper);
    EXPECT_EQ(picture.rgbAt(0, h - 1), kPaper);
    EXPECT_EQ(picture.rgbAt(w - 1, h - 1), kPaper);

    // The stem, found through the same text drawn without a box, is the text colour; its soft
    // edges blend the two colours.
    TextStyle clear = style;
    clear.transparent = true;
    const Picture mask = TextRenderer::render(QStringLiteral("I"), clear);
    ASSERT_EQ(mask.width(), w);
    ASSERT_EQ(mask.height(), h);
    const Box ink = inkBox(mask);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(picture.rgbAt((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2), kInk);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = mask.alphaAt(x, y);
            const Rgb c = picture.rgbAt(x, y);
            const auto blend = [a](int fg, int bg) { return (fg * a + bg * (255 - a)) / 255.0; };
            ASSERT_NEAR(c.r, blend(kInk.r, kPaper.r), 1.5) << x << "," << y;
            ASSERT_NEAR(c.g, blend(kInk.g, kPaper.g), 1.5) << x << "," << y;
            ASSERT_NEAR(c.b, blend(kInk.b, kPaper.b), 1.5) << x << "," << y;
        }
}

TEST(TextRendererRender, antiAliasOffGivesAHardMask)
{
    const QString texts[] = {QStringLiteral("Round curves & slopes: Oswald 8"), QStringLiteral("fjord\nWAVY")};
    for (const QString& text : texts)
        for (const bool italic : {false, true})
            for (const bool underline : {false, true}) {
                SCOPED_TRACE(text.toStdString());
                TextStyle style = styleOf(17, false, italic, underline);
                style.antiAlias = true;
                EXPECT_GT(partialAlphaCount(TextRenderer::render(text, style)), 50);

                style.antiAlias = false;
                const Picture hard = TextRenderer::render(text, style);
                ASSERT_FALSE(hard.isNull());
                EXPECT_TRUE(alphasAreOnly0Or255(hard));
                EXPECT_GT(totalAlpha(hard), 0);
            }
}

TEST(TextRendererRender, antiAliasOffOverABoxUsesOnlyTheTwoColours)
{
    TextStyle style = styleOf(15, false, true, true);
    style.antiAlias = false;
    style.transparent = false;
    style.color = kInk;
    style.backColor = kPaper;
    const Picture picture = TextRenderer::render(QStringLiteral("Slanted, underlined text"), style);
    ASSERT_FALSE(picture.isNull());
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.rgbAt(x, y);
            ASSERT_TRUE(c == kInk || c == kPaper) << x << "," << y;
            ASSERT_EQ(picture.alphaAt(x, y), 255);
            inked += c == kInk ? 1 : 0;
        }
    EXPECT_GT(inked, 50);
}

TEST(TextRendererRender, underlineDrawsBelowTheBaseline)
{
    // No descenders: below the baseline the plain text leaves empty rows.
    const QString text = QStringLiteral("ace");
    const Picture plain = TextRenderer::render(text, styleOf(40));
    const Picture underlined = TextRenderer::render(text, styleOf(40, false, false, true));
    ASSERT_FALSE(plain.isNull());
    ASSERT_EQ(underlined.width(), plain.width());
    ASSERT_EQ(underlined.height(), plain.height());

    const Box glyphs = inkBox(plain);
    ASSERT_FALSE(glyphs.empty());
    ASSERT_LT(glyphs.bottom, plain.height() - 1);
    int lineRows = 0;
    for (int y = glyphs.bottom + 1; y < plain.height(); ++y)
        if (inkInRow(underlined, y) > plain.width() * 3 / 4)
            ++lineRows;
    EXPECT_GE(lineRows, 1);
}

TEST(TextRendererRender, boldAndItalicChangeTheGlyphs)
{
    const QString text = QStringLiteral("I");
    const Picture regular = TextRenderer::render(text, styleOf(60));
    const Picture bold = TextRenderer::render(text, styleOf(60, true));
    const Picture italic = TextRenderer::render(text, styleOf(60, false, true));
    ASSERT_FALSE(regular.isNull());
    ASSERT_FALSE(bold.isNull());
    ASSERT_FALSE(italic.isNull());

    EXPECT_GT(totalAlpha(bold), totalAlpha(regular) * 5 / 4);

    // An italic stem leans to the right: its top is further right than its foot.
    const Box stem = inkBox(italic, 254);
    ASSERT_FALSE(stem.empty());
    const int quarter = (stem.bottom - stem.top) / 4;
    const double top = inkCentreX(italic, stem.top, stem.top + quarter);
    const double foot = inkCentreX(italic, stem.bottom - quarter, stem.bottom);
    EXPECT_GT(top, foot + 3);

    const Box upright = inkBox(regular, 254);
    const int q = (upright.bottom - upright.top) / 4;
    EXPECT_NEAR(inkCentreX(regular, upright.top, upright.top + q),
                inkCentreX(regular, upright.bottom - q, upright.bottom), 1.0);
}

TEST(TextRendererRender, linesAreLeftAligned)
{
    const TextStyle style = styleOf(24);
    const Picture picture = TextRenderer::render(QStringLiteral("I\nIIIIIIIIIIII"), style);
    ASSERT_FALSE(picture.isNull());
    const int line = heightOf(QStringLiteral("I"), style);
    ASSERT_GE(picture.height(), 2 * line - 2);

    // The short first line sits at the left edge, not in the middle or at the right.
    Box first{picture.width(), 0, -1, -1};
    for (int y = 0; y < line; ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.alphaAt(x, y) > 0) {
                first.left = std::min(first.left, x);
                first.right = std::max(first.right, x);
            }
    ASSERT_FALSE(first.empty());
    EXPECT_LT(first.right, picture.width() / 4);
}

TEST(TextRendererRender, sameTextGivesTheSamePictureOnEveryThread)
{
    struct Job {
        QString text;
        TextStyle style;
    };
    std::vector<Job> jobs;
    jobs.push_back({QStringLiteral("Parallel text, one"), styleOf(28)});
    jobs.push_back({QStringLiteral("Bold italic\nunderlined"), styleOf(22, true, true, true)});
    jobs.push_back({QStringLiteral("Serif without smoothing"), styleOf(19, false, false, false, QStringLiteral("DejaVu Serif"))});
    jobs.back().style.antiAlias = false;
    jobs.push_back({QStringLiteral("Boxed"), styleOf(40)});
    jobs.back().style.transparent = false;
    jobs.back().style.backColor = kPaper;

    std::vector<Picture> expected;
    for (const Job& job : jobs)
        expected.push_back(TextRenderer::render(job.text, job.style));

    constexpr int kThreads = 4;
    constexpr int kRounds = 15;
    std::vector<std::vector<Picture>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round)
                for (std::size_t j = 0; j < jobs.size(); ++j) {
                    // Each thread walks the jobs in its own order, so different fonts overlap.
                    const Job& job = jobs[(j + static_cast<std::size_t>(t)) % jobs.size()];
                    results[t].push_back(TextRenderer::render(job.text, job.style));
                }
        });
    for (std::thread& thread : threads)
        thread.join();

    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(results[t].size(), kRounds * jobs.size());
        for (std::size_t i = 0; i < results[t].size(); ++i) {
            const std::size_t job = (i % jobs.size() + static_cast<std::size_t>(t)) % jobs.size();
            ASSERT_FALSE(results[t][i].isNull());
            EXPECT_TRUE(results[t][i] == expected[job]) << "thread " << t << ", render " << i;
        }
    }
}
