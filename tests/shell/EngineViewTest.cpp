#include "shell/EngineView.h"

#include "core/OleColor.h"
#include "engine/Picture.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

static void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }

using namespace lumora;

namespace {

const Rgb Red{255, 0, 0};
const Rgb Green{0, 255, 0};
const Rgb Blue{0, 0, 255};
const Rgb Yellow{255, 255, 0};
const Rgb Grey{128, 128, 128};

// A picture whose four quadrants have their own colour: red, green / blue, yellow.
Picture quadrants(int width, int height)
{
    Picture picture = Picture::filled(width, height, Red);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            picture.setPixel(x, y, bottom ? (right ? Yellow : Blue) : (right ? Green : Red));
        }
    return picture;
}

bool isBandColour(QRgb pixel)
{
    return pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255);
}

class EngineViewTest : public ::testing::Test {
protected:
    EngineViewTest()
    {
        // 240 x 150 around a 400 x 300 photo: fitted at half size, 200 x 150, 20 pixels in.
        view.setFit(true);
        view.resize(240, 150);
        view.show();
    }

    void showPicture(const Picture& picture)
    {
        shown = picture;
        view.showPicture(picture);
    }

    void actualSize() { view.setFit(false, 100); }

    void press(QPoint at) { QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, at); }
    void move(QPoint to) { QTest::mouseMove(&view, to); }
    void release(QPoint at) { QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, at); }
    void click(QPoint at)
    {
        press(at);
        release(at);
    }

    // How many pixels of a widget row (x from left to right, inclusive) are drawn in the rubber
    // band's colours, and whether both colours occur.
    struct Row {
        int bandPixels = 0;
        bool black = false;
        bool white = false;
    };
    static Row row(const QImage& shot, int y, int left, int right)
    {
        Row r;
        for (int x = left; x <= right; ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (isBandColour(pixel))
                ++r.bandPixels;
            r.black = r.black || pixel == qRgb(0, 0, 0);
            r.white = r.white || pixel == qRgb(255, 255, 255);
        }
        return r;
    }
    QImage shot() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    EngineView view;
    Picture shown;
    QSignalSpy colours{&view, &EngineView::colorPicked};
    QSignalSpy points{&view, &EngineView::pointPicked};
    QSignalSpy pressed{&view, &EngineView::rectanglePressed};
    QSignalSpy rectangles{&view, &EngineView::rectangleReleased};
    QSignalSpy releases{&view, &EngineView::mouseReleased};
};

TEST_F(EngineViewTest, ViewPointsOfAFittedImageAndOfAScrolledOne)
{
    showPicture(quadrants(400, 300));
    ASSERT_TRUE(view.viewSettings().stretchToFit);
    ASSERT_EQ(view.viewSize(), QSize(200, 150));

    // Best Fit: the image starts 20 pixels in, centred across.
    EXPECT_EQ(view.viewPointAt({20, 0}), QPoint(0, 0));
    EXPECT_EQ(view.viewPointAt({120, 75}), QPoint(100, 75));
    EXPECT_EQ(view.viewPointAt({219, 149}), QPoint(199, 149));
    EXPECT_EQ(view.viewPointAt({19, 10}), std::nullopt);
    EXPECT_EQ(view.viewPointAt({220, 10}), std::nullopt);
    EXPECT_EQ(view.viewPointAt({100, -1}), std::nullopt);

    // Actual Size, scrolled: the scroll offset counts, what lies under a scroll bar does not.
    actualSize();
    QScrollBar* hsb = view.horizontalScrollBar();
    QScrollBar* vsb = view.verticalScrollBar();
    ASSERT_TRUE(hsb->isVisible());
    ASSERT_TRUE(vsb->isVisible());
    hsb->setValue(150);
    vsb->setValue(100);
    EXPECT_EQ(view.viewPointAt({0, 0}), QPoint(150, 100));
    EXPECT_EQ(view.viewPointAt({30, 17}), QPoint(180, 117));
    EXPECT_EQ(view.viewPointAt({10, view.height() - 2}), std::nullopt);
    EXPECT_EQ(view.viewPointAt({view.width() - 2, 10}), std::nullopt);

    // No image, no view point.
    showPicture(Picture());
    EXPECT_EQ(view.viewPointAt({120, 75}), std::nullopt);
}

TEST_F(EngineViewTest, PickColorTakesThePixelUnderThePointerOnThePress)
{
    const Picture photo = quadrants(400, 300);
    showPicture(photo);
    view.setMouseTool(EngineView::MouseTool::PickColor);
    EXPECT_EQ(view.mouseTool(), EngineView::MouseTool::PickColor);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);

    // Best Fit at half size: the view point doubles into the image.
    press({20 + 150, 40});
    ASSERT_EQ(colours.count(), 1);
    EXPECT_EQ(colours.at(0).at(0).toPoint(), QPoint(300, 80));
    EXPECT_EQ(colours.at(0).at(1).value<std::uint32_t>(), OleColor::fromRgb(Green));
    release({20 + 150, 40});
    EXPECT_EQ(colours.count(), 1);
    EXPECT_EQ(releases.count(), 1);

    click({20 + 40, 120});
    ASSERT_EQ(colours.count(), 2);
    EXPECT_EQ(colours.at(1).at(0).toPoint(), QPoint(80, 240));
    EXPECT_EQ(colours.at(1).at(1).value<std::uint32_t>(), OleColor::fromRgb(Blue));

    // The last row and column of the drawn image stay inside the photo.
    click({219, 149});
    ASSERT_EQ(colours.count(), 3);
    EXPECT_EQ(colours.at(2).at(0).toPoint(), QPoint(398, 298));
    EXPECT_EQ(colours.at(2).at(1).value<std::uint32_t>(), OleColor::fromRgb(Yellow));

    // Beside the image: nothing picked, the release still told.
    click({5, 75});
    EXPECT_EQ(colours.count(), 3);
    EXPECT_EQ(releases.count(), 4);

    // Actual Size, scrolled to the lower right: 1:1 with the offset.
    actualSize();
    view.horizontalScrollBar()->setValue(150);
    view.verticalScrollBar()->setValue(100);
    click({50, 100});
    ASSERT_EQ(colours.count(), 4);
    EXPECT_EQ(colours.at(3).at(0).toPoint(), QPoint(200, 200));
    EXPECT_EQ(colours.at(3).at(1).value<std::uint32_t>(), OleColor::fromRgb(Yellow));
    click({10, 10});
    ASSERT_EQ(colours.count(), 5);
    EXPECT_EQ(colours.at(4).at(0).toPoint(), QPoint(160, 110));
    EXPECT_EQ(colours.at(4).at(1).value<std::uint32_t>(), OleColor::fromRgb(Red));
    EXPECT_EQ(points.count() + pressed.count() + rectangles.count(), 0);
}

TEST_F(EngineViewTest, PickedPixelsRoundHalvesToEven)
{
    // 400 x 300 fitted into 160 x 120: a view pixel is 2.5 image pixels.
    view.resize(160, 120);
    Picture photo = Picture::filled(400, 300, Grey);
    photo.setPixel(2, 5, Red);
    photo.setPixel(8, 5, Blue);
    showPicture(photo);
    ASSERT_EQ(view.viewSize().width(), 160);
    ASSERT_EQ(view.imageRect().topLeft(), QPoint(0, 0));
    view.setMouseTool(EngineView::MouseTool::PickColor);

    click({1, 2});  // 2.5 -> 2, 5 -> 5
    click({3, 2});  // 7.5 -> 8
    ASSERT_EQ(colours.count(), 2);
    EXPECT_EQ(colours.at(0).at(0).toPoint(), QPoint(2, 5));
    EXPECT_EQ(colours.at(0).at(1).value<std::uint32_t>(), OleColor::fromRgb(Red));
    EXPECT_EQ(colours.at(1).at(0).toPoint(), QPoint(8, 5));
    EXPECT_EQ(colours.at(1).at(1).value<std::uint32_t>(), OleColor::fromRgb(Blue));
    EXPECT_EQ(view.imagePixelAt({160, 120}), QPoint(399, 299));
}

TEST_F(EngineViewTest, PickPointGivesTheViewPointOfTheRelease)
{
    showPicture(quadrants(400, 300));
    view.setMouseTool(EngineView::MouseTool::PickPoint);

    press({40, 30});
    EXPECT_EQ(points.count(), 0);
    move({90, 60});
    release({90, 60});
    ASSERT_EQ(points.count(), 1);
    EXPECT_EQ(points.at(0).at(0).toPoint(), QPoint(70, 60));
    EXPECT_EQ(releases.count(), 1);

    // A release beside the image picks nothing.
    click({230, 60});
    EXPECT_EQ(points.count(), 1);
    EXPECT_EQ(releases.count(), 2);

    // The right button is not the tool's.
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, {90, 60});
    EXPECT_EQ(points.count(), 1);
    EXPECT_EQ(releases.count(), 2);
    EXPECT_EQ(colours.count() + pressed.count() + rectangles.count(), 0);
}

TEST_F(EngineViewTest, DragRectangleDrawsARubberBandThatStaysUntilCleared)
{
    showPicture(Picture::filled(400, 300, Grey));
    view.setMouseTool(EngineView::MouseTool::DragRectangle);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    const QImage before = shot();
    for (int y = 0; y < 150; ++y)
        ASSERT_EQ(row(before, y, 20, 219).bandPixels, 0);

    press({40, 20});
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toPoint(), QPoint(20, 20));
    move({140, 100});

    // While dragging: the outline runs from the press to the pointer, dashed in two colours so
    // that it shows on any photo; inside and outside the photo is untouched.
    QImage drawn = shot();
    const Row top = row(drawn, 20, 40, 140);
    EXPECT_EQ(top.bandPixels, 101);
    EXPECT_TRUE(top.black);
    EXPECT_TRUE(top.white);
    EXPECT_EQ(row(drawn, 100, 40, 140).bandPixels, 101);
    for (int y = 21; y < 100; ++y) {
        EXPECT_TRUE(isBandColour(drawn.pixel(40, y)));
        EXPECT_TRUE(isBandColour(drawn.pixel(140, y)));
        EXPECT_EQ(row(drawn, y, 41, 139).bandPixels, 0);
    }
    EXPECT_EQ(row(drawn, 19, 20, 219).bandPixels, 0);
    EXPECT_EQ(row(drawn, 101, 20, 219).bandPixels, 0);
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
    EXPECT_EQ(row(drawn, 120, 40, 219).bandPixels, 180);
    EXPECT_EQ(row(drawn, 99, 41, 218).bandPixels, 0);
    EXPECT_TRUE(isBandColour(drawn.pixel(40, 60)));

    // Switching the tools off takes it away.
    view.setMouseTool(EngineView::MouseTool::None);
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(view.rubberBand().has_value());
    drawn = shot();
    for (int y = 0; y < 150; ++y)
        ASSERT_EQ(row(drawn, y, 20, 219).bandPixels, 0) << y;
}

TEST_F(EngineViewTest, ANewPressOrANewImageTakesTheRubberBandAway)
{
    showPicture(Picture::filled(400, 300, Grey));
    view.setMouseTool(EngineView::MouseTool::DragRectangle);
    press({40, 20});
    move({140, 100});
    release({140, 100});
    ASSERT_TRUE(isBandColour(shot().pixel(90, 20)));

    // A new press starts a new rectangle; the old outline is gone.
    press({180, 130});
    QImage drawn = shot();
    EXPECT_FALSE(isBandColour(drawn.pixel(90, 20)));
    EXPECT_FALSE(isBandColour(drawn.pixel(40, 60)));
    move({200, 140});
    release({200, 140});
    ASSERT_EQ(rectangles.count(), 2);
    EXPECT_EQ(rectangles.at(1).at(0).toPoint(), QPoint(160, 130));
    EXPECT_EQ(rectangles.at(1).at(1).toPoint(), QPoint(180, 140));
    EXPECT_TRUE(isBandColour(shot().pixel(190, 130)));

    // Another image: the rectangle marked a place on the old one.
    showPicture(Picture::filled(400, 300, Rgb{90, 90, 90}));
    EXPECT_FALSE(view.rubberBand().has_value());
    drawn = shot();
    for (int y = 0; y < 150; ++y)
        ASSERT_EQ(row(drawn, y, 20, 219).bandPixels, 0) << y;
    // The tool stays armed.
    EXPECT_EQ(view.mouseTool(), EngineView::MouseTool::DragRectangle);
}

TEST_F(EngineViewTest, WithoutAToolOnlyTheReleaseIsTold)
{
    showPicture(quadrants(400, 300));
    EXPECT_EQ(view.mouseTool(), EngineView::MouseTool::None);
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
    press({40, 30});
    move({100, 80});
    release({100, 80});
    click({120, 75});
    EXPECT_EQ(releases.count(), 2);
    EXPECT_EQ(colours.count() + points.count() + pressed.count() + rectangles.count(), 0);
    EXPECT_FALSE(view.rubberBand().has_value());

    // Armed tools on an empty view have nothing to work on.
    showPicture(Picture());
    for (auto tool : {EngineView::MouseTool::PickColor, EngineView::MouseTool::PickPoint,
                      EngineView::MouseTool::DragRectangle}) {
        view.setMouseTool(tool);
        click({120, 75});
    }
    EXPECT_EQ(releases.count(), 5);
    EXPECT_EQ(colours.count() + points.count() + pressed.count() + rectangles.count(), 0);
}

TEST_F(EngineViewTest, TheWheelScrollsWhateverToolIsArmed)
{
    showPicture(quadrants(400, 300));
    actualSize();
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
    EXPECT_EQ(colours.count() + points.count() + pressed.count() + rectangles.count() + releases.count(), 0);
}

}  // namespace
