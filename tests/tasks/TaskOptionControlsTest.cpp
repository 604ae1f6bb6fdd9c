// The controls of the task option pages driven with keys and the mouse: numeric fields and their
// arrows, "Retain Ratio", colour buttons and pickers, the logo dialog, galleries and task icons.

#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "tasks/ColorButton.h"
#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/LogoThumbnail.h"
#include "tasks/OptionPageTesting.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskIcons.h"
#include "tasks/WatermarkOptions.h"

#include <QComboBox>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

using namespace lumora;
using namespace lumora::test;

namespace {

using TaskOptionControlsTest = OptionPagesTest;

// A 40 x 20 logo, red on the left, blue on the right.
QString writeLogo(const QTemporaryDir& dir)
{
    Picture logo = Picture::filled(40, 20, Rgb{255, 0, 0});
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            logo.setPixel(x, y, Rgb{0, 0, 255});
    return writePng(logo, dir.filePath(QStringLiteral("logo.png")));
}

}  // namespace

TEST_F(TaskOptionControlsTest, NumericFieldsTakeDigitsShowADefaultWhenEmptiedAndKeepTheirLimits)
{
    // Typed into the field (a backspace empties it), looked at before and after leaving it, on
    // the 800 x 600 photo; a null text is not looked at.
    const struct {
        const char* key;
        std::function<void()> before;
        const char* field;
        const char* typed;
        const char* whileTyping;
        const char* left;
        const char* arrows;  // the arrows beside the field, which follow it
    } rows[] = {
        {"canvas", [] {}, "txtCanvasCustom2", "1000", "1000", "800", nullptr},
        {"canvas", [] {}, "txtCanvasCustom0", "-5x7", nullptr, "57", nullptr},
        {"rotate", [] {}, "txtDegrees", "400", nullptr, "360", "sbDegrees"},
        {"frame", [&] { click("OptFrameStyle1"); }, "txtFrameSize", "900", nullptr, "800", "vsFrameSize"},
        {"text", [&] { press("cboPosition", Qt::Key_End); }, "txtTextAngle", "-200", nullptr, "-180", "vsbTextAngle"},
        // The top edge of a keyed-in crop stays inside the photo; the other edges are taken as typed.
        {"crop", [&] { click("optCropSelect1"); }, "txtCropTop", "700", nullptr, "600", nullptr},
        {"crop", [&] { click("optCropSelect1"); }, "txtCropRight", "5000", nullptr, "5000", nullptr},
        {"resize", [&] { click("chkResizeRatio"); }, "txtResizeWidth", "1a2-.3", "123", nullptr, nullptr},
        // An emptied field shows its default.
        {"rotate", [&] { typeInto("txtDegrees", "30"); }, "txtDegrees", "\b", "45", nullptr, nullptr},
        {"resize", [] {}, "txtResizeWidth", "\b", "0", nullptr, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.field) + " <- " + row.typed);
        loadAll(freshDefaults(), view(800, 600));
        ASSERT_TRUE(show(row.key));
        row.before();
        typeInto(row.field, row.typed, false);
        if (row.whileTyping) {
            EXPECT_EQ(text(row.field), row.whileTyping);
        }
        other->setFocus(Qt::TabFocusReason);
        if (row.left) {
            EXPECT_EQ(text(row.field), row.left);
        }
        if (row.arrows) {
            EXPECT_EQ(control<SpinArrows>(row.arrows)->value(), QString(row.left).toInt());
        }
    }
}

TEST_F(TaskOptionControlsTest, ArrowsAndPresetsSetTheAngle)
{
    auto* rotate = show("rotate");
    auto* arrows = control<SpinArrows>("sbDegrees");
    QSignalSpy changed(rotate, &TaskOptionPanel::optionsChanged);
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    EXPECT_EQ(text("txtDegrees"), "46");
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, arrows->height() - 3));
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, arrows->height() - 3));
    EXPECT_EQ(text("txtDegrees"), "44");
    EXPECT_GE(changed.count(), 3);
    click("cmdAngle0");
    EXPECT_EQ(rotate->record(view(800, 600)).params[1], "-15");
}

TEST_F(TaskOptionControlsTest, RetainRatioScalesAgainstTheStartSizeRoundingHalfToEven)
{
    // The photo on screen is 320 x 200 now; edit mode began with it at 400 x 300.
    auto* resize = show("resize");
    resize->loadOptions(freshDefaults(), {320, 200, 400, 300, 320, 200, 320, 200, false});
    EXPECT_EQ(text("txtResizeWidth"), "320");
    EXPECT_EQ(text("txtResizeHeight"), "200") << "loading must not apply the ratio";
    ASSERT_TRUE(control<QCheckBox>("chkResizeRatio")->isChecked());
    typeInto("txtResizeWidth", "200");
    EXPECT_EQ(text("txtResizeHeight"), "150");
    typeInto("txtResizeHeight", "60");
    EXPECT_EQ(resize->record(view(320, 200)).params, slotsOf({"True", "80", "60"}));
    // Unticked, the sizes are independent.
    click("chkResizeRatio");
    typeInto("txtResizeWidth", "100");
    EXPECT_EQ(text("txtResizeHeight"), "60");

    // 400 x 100: a width of 2 gives a height of 0.5, rounded to 0; were the height to update the
    // width again in turn, the width would become 0.
    resize->loadOptions(freshDefaults(), view(400, 100));
    for (const auto& [width, height] : {std::pair{"2", "0"}, {"6", "2"}, {"10", "2"}}) {
        typeInto("txtResizeWidth", width);
        EXPECT_EQ(text("txtResizeHeight"), height) << width;
        EXPECT_EQ(text("txtResizeWidth"), width);
    }
    typeInto("txtResizeHeight", "9000");
    EXPECT_EQ(text("txtResizeWidth"), "32767") << "held to 16 bits";
}

TEST_F(TaskOptionControlsTest, AFillColourFromTheDialogOrPickedOnThePreviewIsRecordedAndTold)
{
    ScriptedDialogs dialogs;
    auto* canvas = show("canvas");
    auto* button = control<ColorButton>("picCropBackColor");
    auto* pick = control<QCheckBox>("chkCropBackColor");
    const auto colour = [&] { return canvas->record(view(800, 600)).params[0]; };
    QSignalSpy tool(canvas, &TaskOptionPanel::mouseToolChanged);
    QSignalSpy changed(canvas, &TaskOptionPanel::optionsChanged);
    QSignalSpy back(canvas, &TaskOptionPanel::backColorChosen);

    // A cancelled dialog, and a colour picked before the box is ticked, change nothing.
    dialogs.answerNextColor(std::nullopt);
    clickOn(button);
    EXPECT_EQ(dialogs.colorDialogs(), QList<std::uint32_t>({0x8000000Eu}));
    canvas->colorPicked(0x00010203);
    EXPECT_EQ(colour(), oleText(0x8000000E));
    EXPECT_EQ(changed.count() + back.count(), 0);

    dialogs.answerNextColor(0x00336699u);
    clickOn(button);
    EXPECT_EQ(colour(), oleText(0x00336699u));
    // The swatch shows the colour itself.
    const QImage swatch = button->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0x99, 0x66, 0x33));

    clickOn(pick);
    EXPECT_EQ(tool.count(), 1);
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    canvas->colorPicked(0x00204080);
    EXPECT_EQ(colour(), oleText(0x00204080));
    EXPECT_EQ(changed.count(), 2);
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.at(0).at(0).value<std::uint32_t>(), 0x00336699u);
    EXPECT_EQ(back.at(1).at(0).value<std::uint32_t>(), 0x00204080u);
    // The release ends the picking.
    canvas->mouseReleased();
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::None);
    EXPECT_EQ(tool.count(), 2);

    // A system colour shows what it stands for.
    button->setColor(0x8000000E);
    const QImage system = button->grab().toImage();
    EXPECT_EQ(system.pixelColor(system.width() / 2, system.height() / 2), QColor(255, 255, 255));
}

TEST_F(TaskOptionControlsTest, OneMouseToolAtATimeAndCancellingUnticksEveryArmingBox)
{
    // Drawing the crop unticks the colour picker.
    auto* crop = show("crop");
    click("optCropSelect1");
    press("cmbCrop", Qt::Key_Down);  // ellipse: colour applies
    auto* pick = control<QCheckBox>("chkCropBackColor");
    ASSERT_TRUE(pick->isEnabled());
    clickOn(pick);
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    click("optCropSelect0");
    click("chkCropMouse");
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    crop->cancelMouseTool();
    EXPECT_FALSE(control<QCheckBox>("chkCropMouse")->isChecked());

    // Both watermark boxes ticked: the point comes first; cancelling unticks both.
    auto* watermark = show("watermark");
    press("cboMergeStyle", Qt::Key_Home);  // "Single"
    click("chkSelectLocation");
    click("chkWatermarkTransparentColor");
    ASSERT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);
    watermark->cancelMouseTool();
    EXPECT_FALSE(control<QCheckBox>("chkSelectLocation")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkWatermarkTransparentColor")->isChecked());
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
    // Another style than "Single" has no point to pick.
    click("chkSelectLocation");
    press("cboMergeStyle", Qt::Key_Down);
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
}

TEST_F(TaskOptionControlsTest, RedEyeMarksAnAreaWithTheMouse)
{
    auto* redEye = show("redeye");
    EXPECT_TRUE(redEye->needsMarkedArea());
    redEye->rectangleReleased(QPoint(1, 1), QPoint(9, 9));  // not armed
    EXPECT_EQ(redEye->markedArea(), QRect());

    click("chkRedEye");
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    QSignalSpy changed(redEye, &TaskOptionPanel::optionsChanged);
    redEye->rectanglePressed(QPoint(60, 40));
    // The release of the mouse may reach the page before the rectangle does.
    redEye->mouseReleased();
    EXPECT_FALSE(control<QCheckBox>("chkRedEye")->isChecked());
    redEye->rectangleReleased(QPoint(60, 40), QPoint(20, 70));
    EXPECT_EQ(redEye->markedArea(), QRect(20, 40, 40, 30));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::None);

    redEye->loadOptions(freshDefaults(), view(800, 600));
    EXPECT_EQ(redEye->markedArea(), QRect());
}

TEST_F(TaskOptionControlsTest, TheLogoIsChosenInADialogAndItsSeeThroughColourUnderThePointer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetupRecord remembered;
    setDefaults(remembered, dir.path());
    const QString path = writeLogo(dir);
    ScriptedDialogs dialogs;
    auto* watermark = show<WatermarkOptions>("watermark");
    watermark->setRemembered(&remembered.taskDefaults);
    const auto slot = [&](int i) { return watermark->record(view(800, 600)).params[static_cast<size_t>(i)]; };
    QSignalSpy changed(watermark, &TaskOptionPanel::optionsChanged);

    click("cmdSelectMerge");  // cancelled
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs.fileDialogs().first().kind, ui::FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(dialogs.fileDialogs().first().filter,
              "All Image Files|*.bmp;*.jpg;*.jpeg;*.pcx;*.png;*.gif;*.wbm;*.wbmp;*.psd;*.tif;*.tiff"
              "|Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg, *.jpeg)|*.jpg;*.jpeg|PCX Files (*.pcx)|*.pcx"
              "|PNG Files (*.png)|*.png|GIF Files (*.gif)|*.gif|Wireless Bitmap Files (*.wbm, *.wbmp)|*.wbm;*.wbmp"
              "|Adobe Photoshop Files (*.psd)|*.psd|TIFF Files (*.tif, *.tiff)|*.tif;*.tiff");
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(changed.count(), 0);

    dialogs.answerNextFileDialog({path, 0});
    click("cmdSelectMerge");
    EXPECT_EQ(remembered.taskDefaults.watermarkFile, path);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(slot(3), path);
    TaskDefaults stored;
    watermark->storeOptions(stored);
    EXPECT_EQ(stored.watermarkFile, path);
    // The next dialog opens where the logo is; cancelled, it keeps the logo.
    click("cmdSelectMerge");
    EXPECT_EQ(dialogs.fileDialogs().last().directory, dir.path());
    EXPECT_EQ(slot(3), path);

    // A remembered logo shows when the page is loaded; while the box is ticked, the see-through
    // colour is the logo's under the pointer, until the button is released.
    auto* thumbnail = control<LogoThumbnail>("picWatermarkImage");
    watermark->loadOptions(freshDefaults(), view(800, 600));
    ASSERT_TRUE(thumbnail->image().isNull());
    watermark->loadOptions(remembered.taskDefaults, view(800, 600));
    const QRect logoArea = thumbnail->imageRect();
    ASSERT_EQ(logoArea.size(), QSize(40, 20));
    const QPoint overRed = logoArea.topLeft() + QPoint(5, 10);
    const QPoint overBlue = logoArea.topLeft() + QPoint(35, 10);
    QTest::mouseMove(thumbnail, overBlue);  // not armed
    EXPECT_EQ(slot(4), oleText(0x80000009u));

    changed.clear();
    click("chkWatermarkTransparentColor");
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(255, 0, 0)));
    QTest::mouseMove(thumbnail, overBlue);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(0, 0, 255)));
    EXPECT_EQ(changed.count(), 2);
    QTest::mouseRelease(thumbnail, Qt::LeftButton, {}, overBlue);
    EXPECT_FALSE(control<QCheckBox>("chkWatermarkTransparentColor")->isChecked());
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(0, 0, 255)));
}

TEST(TaskOptionGalleries, ThePickerMakesItsEightPicturesOnceAndAnnouncesAChoice)
{
    QList<int> asked;
    QWidget window;
    auto* picker = new GalleryPicker(
        QStringLiteral("OptSample"),
        [&asked](int i) {
            asked << i;
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(QColor(i * 30, 0, 0));
            return image;
        },
        nullptr);
    EXPECT_TRUE(asked.isEmpty()) << "pictures are made when first shown";
    (new QVBoxLayout(&window))->addWidget(picker);
    window.show();
    EXPECT_EQ(asked, QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
    ASSERT_NE(picker->button(7), nullptr);
    EXPECT_FALSE(picker->button(7)->icon().isNull());

    QSignalSpy chosen(picker, &GalleryPicker::chosen);
    picker->setCurrentIndex(4);
    EXPECT_EQ(picker->currentIndex(), 4);
    EXPECT_EQ(chosen.count(), 0);
    clickOn(picker->button(6));
    EXPECT_EQ(picker->currentIndex(), 6);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 6);
    EXPECT_FALSE(picker->button(4)->isChecked());
    window.hide();
    window.show();
    EXPECT_EQ(asked.size(), 8) << "made once";
}

TEST(TaskOptionGalleries, ThumbnailsShowEveryStyleAndMaskEachItsOwn)
{
    QList<QImage> drawn;  // the 16 frame and shadow styles, then the 8 masks, which fill theirs
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        const QImage image = i < 16 ? frameThumbnail(i) : maskThumbnail(i - 16);
        ASSERT_FALSE(image.isNull());
        EXPECT_LE(image.width(), GalleryThumbnailWidth);
        EXPECT_LE(image.height(), GalleryThumbnailHeight);
        if (i >= 16) {
            EXPECT_EQ(image.size(), QSize(GalleryThumbnailWidth, GalleryThumbnailHeight));
        }
        for (const QImage& other : drawn)
            EXPECT_NE(image, other);
        drawn << image;
    }
    EXPECT_EQ(frameThumbnail(3), drawn.at(3)) << "kept";
    // A frame changes the sample's border: the corner is not the sample's sky colour.
    const QColor corner = drawn.at(0).pixelColor(1, 1);
    EXPECT_FALSE(std::abs(corner.red() - 150) < 4 && std::abs(corner.green() - 190) < 4 &&
                 std::abs(corner.blue() - 230) < 4);
}

TEST(TaskOptionGalleries, EveryTaskHasItsOwnIcon)
{
    QStringList keys;
    for (const TaskKindInfo& kind : taskKinds())
        keys << kind.key();
    keys << QStringLiteral("generic");
    QList<QImage> drawn;
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        const QIcon icon = taskIcon(key);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
        EXPECT_TRUE(icon.availableSizes().contains(QSize(24, 24)));
        const QImage image = icon.pixmap(QSize(24, 24)).toImage();
        // Something is drawn, and not over the whole square.
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 24);
        EXPECT_LT(opaque, 24 * 24);
        for (int i = 0; i < drawn.size(); ++i)
            EXPECT_NE(image, drawn.at(i)) << "looks like " << keys.at(i).toStdString();
        drawn << image;
    }
    EXPECT_EQ(taskIcon(QStringLiteral("zoom")).pixmap(QSize(24, 24)).toImage(), drawn.last())
        << "an unknown key gets the generic icon";
}
