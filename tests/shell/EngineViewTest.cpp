#include "shell/EngineView.h"

#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

static void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }
static void PrintTo(const QRect& r, std::ostream* os) { *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height(); }

using namespace lumora;

namespace {

const Rgb Red{255, 0, 0};
const Rgb Green{0, 255, 0};
const Rgb Blue{0, 0, 255};
const Rgb Yellow{255, 255, 0};
const Rgb Grey{128, 128, 128};
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
// Where a 400 x 300 photo is drawn in the 240 x 150 view at Best Fit: half size, 20 pixels in.
const QRect Photo(20, 0, 200, 150);

// A picture whose four quadrants have their own colour: red, green / blue, yellow.
Picture quadrants(int width, int height)
{
    Picture picture = Picture::filled(width, height, Red);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, y >= height / 2 ? (x >= width / 2 ? Yellow : Blue) : (x >= width / 2 ? Green : Red));
    return picture;
}

// How many pixels of an area of the widget are drawn in the given colours (the rubber band's
// black and white when none are given).
int count(const QImage& shot, const QRect& area, std::initializer_list<QRgb> colours = {Black, White})
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += std::count(colours.begin(), colours.end(), shot.pixel(x, y)) > 0;
    return n;
}

class EngineViewTest : public ::testing::Test {
protected:
    EngineViewTest()
    {
        view.setFit(true);
        view.resize(240, 150);
        view.show();
    }

    void showPicture(const Picture& picture) { view.showPicture(shown = picture); }
    void scrollTo(QPoint to) { view.horizontalScrollBar()->setValue(to.x()); view.verticalScrollBar()->setValue(to.y()); }

    void press(QPoint at) { QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, at); }
    void move(QPoint to) { QTest::mouseMove(&view, to); }
    void release(QPoint at) { QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, at); }
    void click(QPoint at) { press(at); release(at); }
    void drag(QPoint from, QPoint to) { press(from); move(to); release(to); }
    QImage shot() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Signals of the tools, other than the release every tool tells.
    int toolSignals() const { return colours.count() + points.count() + pressed.count() + rectangles.count(); }

    EngineView view;
    Picture shown;
    QSignalSpy colours{&view, &EngineView::colorPicked};
    QSignalSpy points{&view, &EngineView::pointPicked};
    QSignalSpy pressed{&view, &EngineView::rectanglePressed};
    QSignalSpy rectangles{&view, &EngineView::rectangleReleased};
    QSignalSpy releases{&view, &EngineView::mouseReleased};
};

TEST_F(EngineViewTest, BestFitShrinksAndCentresActualSizeScrollsWhatDoesNotFit)
{
    const int bar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    using Probes = std::vector<std::pair<QPoint, std::optional<QPoint>>>;  // widget point, view point
    struct Case {
        QSize picture;
        bool fit;
        QPoint scroll;
        QRect drawn;
        bool hsb, vsb;
        Probes probes;
    };
    const Case cases[] = {
        {{400, 300}, true, {}, Photo, false, false,
         {{{20, 0}, QPoint(0, 0)}, {{120, 75}, QPoint(100, 75)}, {{219, 149}, QPoint(199, 149)},
          {{19, 10}, std::nullopt}, {{220, 10}, std::nullopt}, {{100, -1}, std::nullopt}}},
        {{800, 200}, true, {}, {0, 45, 240, 60}, false, false, {}},  // width-limited: centred down
        {{40, 30}, true, {}, {100, 60, 40, 30}, false, false, {}},   // never enlarged
        {{40, 30}, false, {}, {100, 60, 40, 30}, false, false, {}},  // fits at 1:1: no scroll bars
        {{800, 100}, false, {120, 0}, {-120, (150 - bar - 100) / 2, 800, 100}, true, false, {}},
        // Scrolled: the offset counts, what lies under a scroll bar does not.
        {{400, 300}, false, {150, 100}, {-150, -100, 400, 300}, true, true,
         {{{0, 0}, QPoint(150, 100)}, {{30, 17}, QPoint(180, 117)}, {{10, 148}, std::nullopt}, {{238, 10}, std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << 'x' << c.picture.height() << (c.fit ? " fit" : " 1:1"));
        showPicture(Picture::filled(c.picture.width(), c.picture.height(), Grey));
        view.setFit(c.fit, 100);
        scrollTo(c.scroll);
        EXPECT_EQ(view.imageRect(), c.drawn);
        ASSERT_EQ(view.horizontalScrollBar()->isVisible(), c.hsb);
        ASSERT_EQ(view.verticalScrollBar()->isVisible(), c.vsb);
        // The view box is what the scroll bars leave, and they scroll through what it lacks.
        const QSize box(240 - (c.vsb ? bar : 0), 150 - (c.hsb ? bar : 0));
        EXPECT_EQ(view.viewSettings().box, box);
        EXPECT_EQ(view.horizontalScrollBar()->maximum(), c.hsb ? c.picture.width() - box.width() : 0);
        EXPECT_EQ(view.verticalScrollBar()->maximum(), c.vsb ? c.picture.height() - box.height() : 0);
        for (const auto& [at, point] : c.probes)
            EXPECT_EQ(view.viewPointAt(at), point) << at.x() << ", " << at.y();
    }
    showPicture(Picture());
    EXPECT_TRUE(view.imageRect().isEmpty());
    EXPECT_EQ(view.viewPointAt({120, 75}), std::nullopt);
}

TEST_F(EngineViewTest, PickColorTakesThePixelUnderThePointerOnThePress)
{
    Picture photo = quadrants(400, 300);
    photo.setPixel(2, 5, Blue);
    photo.setPixel(8, 5, Green);
    showPicture(photo);
    view.setMouseTool(EngineView::MouseTool::PickColor);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    press({170, 40});
    EXPECT_EQ(colours.count(), 1);
    release({170, 40});
    EXPECT_EQ(colours.count(), 1);
    EXPECT_EQ(releases.count(), 1);

    struct Case {
        QSize viewSize;
        bool actualSize;
        QPoint at;
        std::optional<QPoint> pixel;
        Rgb colour;
    };
    const Case cases[] = {
        // Best Fit at half size, 20 pixels in: the view point doubles into the image.
        {{240, 150}, false, {170, 40}, QPoint(300, 80), Green},
        {{240, 150}, false, {60, 120}, QPoint(80, 240), Blue},
        {{240, 150}, false, {219, 149}, QPoint(398, 298), Yellow},  // the last row and column stay inside
        {{240, 150}, false, {5, 75}, std::nullopt, {}},             // beside the image
        // Fitted into 160 x 120, a view pixel is 2.5 image pixels: halves round to even.
        {{160, 120}, false, {1, 2}, QPoint(2, 5), Blue},  // 2.5 -> 2, 5 -> 5
        {{160, 120}, false, {3, 2}, QPoint(8, 5), Green},  // 7.5 -> 8
        // Actual Size, scrolled to (150, 100): 1:1 with the offset.
        {{240, 150}, true, {50, 100}, QPoint(200, 200), Yellow},
        {{240, 150}, true, {10, 10}, QPoint(160, 110), Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x() << ", " << c.at.y() << " in " << c.viewSize.width());
        view.resize(c.viewSize);
        if (c.actualSize) {
            view.setFit(false, 100);
            scrollTo({150, 100});
        }
        colours.clear();
        releases.clear();
        click(c.at);
        EXPECT_EQ(releases.count(), 1);
        ASSERT_EQ(colours.count(), c.pixel ? 1 : 0);
        if (c.pixel) {
            EXPECT_EQ(colours.at(0).at(0).toPoint(), *c.pixel);
            EXPECT_EQ(colours.at(0).at(1).value<std::uint32_t>(), OleColor::fromRgb(c.colour));
        }
    }
    EXPECT_EQ(view.imagePixelAt({400, 300}), QPoint(399, 299));  // held inside the picture
    EXPECT_EQ(points.count() + pressed.count() + rectangles.count(), 0);
}

TEST_F(EngineViewTest, PickPointGivesTheViewPointOfTheReleaseOnTheImage)
{
    showPicture(quadrants(400, 300));
    view.setMouseTool(EngineView::MouseTool::PickPoint);
    press({40, 30});
    EXPECT_EQ(points.count(), 0);
    move({90, 60});
    release({90, 60});
    ASSERT_EQ(points.count(), 1);
    EXPECT_EQ(points.at(0).at(0).toPoint(), QPoint(70, 60));

    click({230, 60});  // beside the image
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, {90, 60});  // not the tool's button
    EXPECT_EQ(points.count(), 1);
    EXPECT_EQ(releases.count(), 2);
    EXPECT_EQ(toolSignals(), 1);
}

TEST_F(EngineViewTest, DragRectangleDrawsARubberBandThatStaysUntilCleared)
{
    showPicture(Picture::filled(400, 300, Grey));
    view.setMouseTool(EngineView::MouseTool::DragRectangle);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    ASSERT_EQ(count(shot(), Photo), 0);

    press({40, 20});
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toPoint(), QPoint(20, 20));
    move({140, 100});

    // While dragging: the outline runs from the press to the pointer, dashed in two colours so
    // that it shows on any photo; nothing else of the photo changes.
    QImage drawn = shot();
    const QRect top(40, 20, 101, 1);
    EXPECT_EQ(count(drawn, top), 101);
    EXPECT_GT(count(drawn, top, {Black}), 0);
    EXPECT_GT(count(drawn, top, {White}), 0);
    EXPECT_EQ(count(drawn, QRect(40, 100, 101, 1)), 101);
    EXPECT_EQ(count(drawn, Photo), 2 * 101 + 2 * 79);  // the sides between them, and nothing else
    EXPECT_EQ(rectangles.count(), 0);

    // Released beyond the right edge: the end point is held on the image.
    release({235, 120});
    ASSERT_EQ(rectangles.count(), 1);
    EXPECT_EQ(rectangles.at(0).at(0).toPoint(), QPoint(20, 20));
    EXPECT_EQ(rectangles.at(0).at(1).toPoint(), QPoint(200, 120));
    EXPECT_EQ(releases.count(), 1);
    ASSERT_TRUE(view.rubberBand().has_value());

    // It stays drawn after the release, across repaints and the same picture shown again.
    view.showPicture(shown);
    drawn = shot();
    EXPECT_EQ(count(drawn, QRect(40, 120, 180, 1)), 180);
    EXPECT_EQ(count(drawn, QRect(40, 21, 1, 99)), 99);
    EXPECT_EQ(count(drawn, QRect(41, 21, 178, 99)), 0);

    // Switching the tools off takes it away.
    view.setMouseTool(EngineView::MouseTool::None);
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(view.rubberBand().has_value());
    EXPECT_EQ(count(shot(), Photo), 0);
}

TEST_F(EngineViewTest, ANewPressOrANewImageTakesTheRubberBandAway)
{
    showPicture(Picture::filled(400, 300, Grey));
    view.setMouseTool(EngineView::MouseTool::DragRectangle);
    drag({40, 20}, {140, 100});
    ASSERT_GT(count(shot(), QRect(40, 20, 101, 81)), 0);

    // A new press starts a new rectangle; the old outline is gone.
    press({180, 130});
    EXPECT_EQ(count(shot(), QRect(20, 0, 150, 125)), 0);
    move({200, 140});
    release({200, 140});
    ASSERT_EQ(rectangles.count(), 2);
    EXPECT_EQ(rectangles.at(1).at(0).toPoint(), QPoint(160, 130));
    EXPECT_EQ(rectangles.at(1).at(1).toPoint(), QPoint(180, 140));
    EXPECT_GT(count(shot(), QRect(190, 130, 1, 1)), 0);

    // Another image: the rectangle marked a place on the old one. The tool stays armed.
    showPicture(Picture::filled(400, 300, Rgb{90, 90, 90}));
    EXPECT_FALSE(view.rubberBand().has_value());
    EXPECT_EQ(count(shot(), Photo), 0);
    EXPECT_EQ(view.mouseTool(), EngineView::MouseTool::DragRectangle);
}

TEST_F(EngineViewTest, WithoutAToolOrAnImageOnlyTheReleaseIsTold)
{
    showPicture(quadrants(400, 300));
    EXPECT_EQ(view.mouseTool(), EngineView::MouseTool::None);
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
    drag({40, 30}, {100, 80});
    click({120, 75});
    EXPECT_EQ(releases.count(), 2);
    EXPECT_FALSE(view.rubberBand().has_value());

    showPicture(Picture());
    for (auto tool : {EngineView::MouseTool::PickColor, EngineView::MouseTool::PickPoint,
                      EngineView::MouseTool::DragRectangle}) {
        view.setMouseTool(tool);
        click({120, 75});
    }
    EXPECT_EQ(releases.count(), 5);
    EXPECT_EQ(toolSignals(), 0);
}

TEST_F(EngineViewTest, TheWheelScrollsWhateverToolIsArmed)
{
    showPicture(quadrants(400, 300));
    view.setFit(false, 100);
    QScrollBar* vsb = view.verticalScrollBar();
    ASSERT_TRUE(vsb->isVisible());
    for (auto tool : {EngineView::MouseTool::None, EngineView::MouseTool::PickColor, EngineView::MouseTool::PickPoint,
                      EngineView::MouseTool::DragRectangle}) {
        view.setMouseTool(tool);
        vsb->setValue(0);
        QWheelEvent wheel(QPointF(100, 60), view.mapToGlobal(QPointF(100, 60)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        EXPECT_GT(vsb->value(), 0);
    }
    EXPECT_EQ(toolSignals() + releases.count(), 0);
}

}  // namespace
