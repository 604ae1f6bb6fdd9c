// The text renderer: sizes at 96 dpi, plain text in lines, the picture it draws (straight alpha,
// the box, hard masks, underline, the logical box) and the same pictures on several threads.

#include "PictureChecks.h"

#include "engine/TextRenderer.h"

#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kInk{200, 30, 90};  // distinct channels: a swapped channel order shows
const Rgb kPaper{20, 160, 240};

TextStyle styleOf(int points, bool bold = false, bool italic = false, bool underline = false,
                  const QString& family = "DejaVu Sans")
{
    return TextStyle{TextFont{family, points, bold, italic, underline}, kInk};
}

int widthOf(const QString& text, const TextStyle& style) { return TextRenderer::measure(text, style).width(); }
int heightOf(const QString& text, const TextStyle& style) { return TextRenderer::measure(text, style).height(); }
QSize sizeOf(const Picture& p) { return QSize(p.width(), p.height()); }

int inked(const Picture& p) { return countPixels(p, [&](int x, int y) { return p.alphaAt(x, y) > 0; }); }
int partlyCovered(const Picture& p) { return inked(p) - countPixels(p, [&](int x, int y) { return p.alphaAt(x, y) > 254; }); }
QRect inkBox(const Picture& p) { return boundsOf(p, [&](int x, int y) { return p.alphaAt(x, y) > 0; }); }

}  // namespace

TEST(TextRendererMeasure, sizeFollowsThePointSizeAt96DpiTheFontAndThePlainTextsLines)
{
    // At 96 dpi a 12 pt em is 16 px, so the line (ascent + descent) is taller than that; at
    // 72 dpi it would be about 14.
    const int h12 = heightOf("Hello", styleOf(12));
    EXPECT_TRUE(h12 >= 17 && h12 <= 20) << h12;
    EXPECT_NEAR(heightOf("Hello", styleOf(24)), 2 * h12, 2);

    // A monospaced family gives every character the same advance; a proportional one does not.
    const TextStyle mono = styleOf(20, false, false, false, "DejaVu Sans Mono");
    EXPECT_EQ(widthOf("iiiiiiii", mono), widthOf("WWWWWWWW", mono));
    EXPECT_LT(widthOf("iiiiiiii", styleOf(20)), widthOf("WWWWWWWW", styleOf(20)) / 2);
    EXPECT_GT(widthOf("Bold and regular text", styleOf(16, true)), widthOf("Bold and regular text", styleOf(16)));

    // An unknown family falls back to a similar font.
    const TextStyle unknown = styleOf(12, false, false, false, "No Such Font Family 123");
    EXPECT_GT(widthOf("Hello", unknown), 20);
    EXPECT_NEAR(heightOf("Hello", unknown), h12, 4);
    EXPECT_GT(inked(TextRenderer::render("Hello", unknown)), 0);

    const TextStyle style = styleOf(14);
    // As markup these would be a bold "x" and a single "&"; "a<b" would not parse at all.
    EXPECT_GT(widthOf("<b>x</b>", style), 4 * widthOf("x", style));
    EXPECT_GT(widthOf("&amp;", style), 3 * widthOf("&", style));
    EXPECT_GT(inked(TextRenderer::render("a<b", style)), 0);

    // Lines stack; the block is as wide as its widest line.
    const int line = heightOf("Hello", style);
    EXPECT_NEAR(heightOf("Hello\nworld", style), 2 * line, 2);
    EXPECT_EQ(widthOf("Hi\nHello there", style), widthOf("Hello there", style));

    // An empty text is one line high and no width; without width there is nothing to draw.
    EXPECT_EQ(TextRenderer::measure(QString(), style), QSize(0, line));
    EXPECT_TRUE(TextRenderer::render(QString(), style).isNull());
    EXPECT_TRUE(TextRenderer::render("\n", style).isNull());
}

TEST(TextRendererRender, pictureIsRgbaOfExactlyTheMeasuredSize)
{
    for (const QString text : {"fjord Wy", "two\nlines here", " "})
        for (int flags = 0; flags < 16; ++flags) {  // every mix of bold, italic, underline and smoothing
            TextStyle style = styleOf(30, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0);
            style.antiAlias = (flags & 8) != 0;
            SCOPED_TRACE(text.toStdString() + " / style " + std::to_string(flags));
            const Picture picture = TextRenderer::render(text, style);
            EXPECT_EQ(picture.bands(), 4);
            EXPECT_EQ(sizeOf(picture), TextRenderer::measure(text, style));
        }
}

TEST(TextRendererRender, withoutABoxOnlyTheGlyphsShowInTheStraightTextColour)
{
    // Above the capital, below the baseline and beside the stem there is nothing.
    const Picture picture = TextRenderer::render("I", styleOf(48, true));
    const QRect ink = inkBox(picture);
    EXPECT_TRUE(QRect(1, 1, picture.width() - 2, picture.height() - 2).contains(ink));
    // Clear pixels keep the text colour, so scaling without premultiplying shows no dark fringe;
    // the middle of the thick stem is solid text colour.
    EXPECT_TRUE(picture.rgbAt(0, 0) == kInk && picture.rgbAt(ink.center().x(), ink.center().y()) == kInk);
    EXPECT_EQ(picture.alphaAt(ink.center().x(), ink.center().y()), 255);

    // Soft edges keep the straight text colour: the alpha is not multiplied into it.
    const Picture soft = TextRenderer::render("Soft edges around curves", styleOf(20));
    const auto edge = [&](int x, int y) { return soft.alphaAt(x, y) >= 32 && soft.alphaAt(x, y) < 255; };
    EXPECT_GT(countPixels(soft, edge), 20);
    EXPECT_EQ(countPixels(soft, [&](int x, int y) {
                  const Rgb c = soft.rgbAt(x, y);
                  return edge(x, y) && std::abs(c.r - kInk.r) + std::abs(c.g - kInk.g) + std::abs(c.b - kInk.b) > 9;
              }), 0);
}

TEST(TextRendererRender, aBoxBlendsWithTheGlyphsAndAntiAliasOffGivesAHardMask)
{
    TextStyle style = styleOf(48, true);
    const Picture mask = TextRenderer::render("I", style);
    style.backColor = kPaper;
    style.transparent = false;
    const Picture boxed = TextRenderer::render("I", style);
    ASSERT_EQ(sizeOf(boxed), sizeOf(mask));
    EXPECT_EQ(boxed.rgbAt(0, 0), kPaper);  // exactly, where there is no ink
    // Every pixel is opaque, the two colours mixed by the coverage of the glyphs.
    const auto wrong = [&](int x, int y) {
        const int a = mask.alphaAt(x, y);
        const Rgb c = boxed.rgbAt(x, y);
        const auto off = [a](int got, int fg, int bg) { return std::abs(got - (fg * a + bg * (255 - a)) / 255.0) > 1.5; };
        return boxed.alphaAt(x, y) != 255 || off(c.r, kInk.r, kPaper.r) || off(c.g, kInk.g, kPaper.g) ||
               off(c.b, kInk.b, kPaper.b);
    };
    EXPECT_EQ(countPixels(boxed, wrong), 0);

    // Curves, slopes and an underline all get soft edges when smoothed; without, over a box, the
    // same pixels are text and the rest is box: no third colour.
    const QString text = "Round curves & slopes: Oswald 8\nfjord WAVY";
    TextStyle soft = styleOf(17, false, true, true);
    EXPECT_GT(partlyCovered(TextRenderer::render(text, soft)), 50);
    soft.antiAlias = false;
    const Picture hard = TextRenderer::render(text, soft);
    EXPECT_EQ(partlyCovered(hard), 0);
    EXPECT_GT(inked(hard), 50);
    soft.transparent = false;
    soft.backColor = kPaper;
    const Picture hardBox = TextRenderer::render(text, soft);
    EXPECT_EQ(countPixels(hardBox, [&](int x, int y) { return hardBox.rgbAt(x, y) == kInk; }), inked(hard));
    EXPECT_EQ(countPixels(hardBox, [&](int x, int y) { return hardBox.rgbAt(x, y) == kPaper; }),
              hardBox.width() * hardBox.height() - inked(hard));
}

TEST(TextRendererRender, underlineItalicAndAFullBlockSitWhereTheFontPutsThem)
{
    // No descenders: below the baseline the plain text leaves empty rows.
    const Picture plain = TextRenderer::render("ace", styleOf(40));
    const Picture underlined = TextRenderer::render("ace", styleOf(40, false, false, true));
    ASSERT_EQ(sizeOf(underlined), sizeOf(plain));
    const int baseline = inkBox(plain).bottom();
    ASSERT_LT(baseline, plain.height() - 1);
    // At least a row's worth of ink right across the text.
    EXPECT_GT(countPixels(underlined, [&](int x, int y) { return y > baseline && underlined.alphaAt(x, y) > 0; }),
              plain.width() * 3 / 4);
    EXPECT_FALSE(TextRenderer::render("ace", styleOf(40, false, true)) == plain);

    // The full block reaches from the font's descent to its ascent and across its advance: drawn
    // in the right place, it touches all four edges and is solid text colour inside.
    for (const int points : {12, 48}) {
        SCOPED_TRACE(points);
        const Picture picture = TextRenderer::render("\u2588", styleOf(points));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(inkBox(picture), QRect(0, 0, picture.width(), picture.height()));
        const auto notSolid = [&](int x, int y) {
            const bool inner = x > 0 && y > 0 && x < picture.width() - 1 && y < picture.height() - 1;
            return inner && (picture.alphaAt(x, y) != 255 || !(picture.rgbAt(x, y) == kInk));
        };
        EXPECT_EQ(countPixels(picture, notSolid), 0);
    }
}

TEST(TextRendererRender, sameTextGivesTheSamePictureOnEveryThread)
{
    std::vector<std::pair<QString, TextStyle>> jobs{{"Parallel text, one", styleOf(28)},
                                                    {"Bold italic\nunderlined", styleOf(22, true, true, true)},
                                                    {"Serif, hard, boxed", styleOf(19, false, false, false, "DejaVu Serif")}};
    jobs[2].second.antiAlias = jobs[2].second.transparent = false;
    // Each of four threads walks the jobs from its own start, so different fonts overlap; the
    // pictures are judged against this thread's afterwards.
    std::vector<std::vector<Picture>> results(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] {
            for (std::size_t i = 0; i < 45; ++i)
                results[t].push_back(TextRenderer::render(jobs[(i + t) % 3].first, jobs[(i + t) % 3].second));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t t = 0; t < results.size(); ++t)
        for (std::size_t i = 0; i < results[t].size(); ++i)
            EXPECT_TRUE(results[t][i] == TextRenderer::render(jobs[(i + t) % 3].first, jobs[(i + t) % 3].second))
                << "thread " << t << ", render " << i;
}
