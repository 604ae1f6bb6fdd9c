// The controls of the task option pages driven with keys and the mouse: numeric fields and their
// arrows, "Retain Ratio", colour buttons and pickers, the logo dialog, galleries and task icons.

#include "controls/NumericField.h"
#include "settings/SetupRecord.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "tasks/CanvasOptions.h"
#include "tasks/ColorButton.h"
#include "tasks/CropOptions.h"
#include "tasks/FrameOptions.h"
#include "tasks/GalleryPicker.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/LogoThumbnail.h"
#include "tasks/RedEyeOptions.h"
#include "tasks/ResizeOptions.h"
#include "tasks/RotateOptions.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskIcons.h"
#include "tasks/TextOptions.h"
#include "tasks/WatermarkOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

using namespace lumora;
using namespace lumora::test;

namespace {

using TaskDefaults = SetupRecord::TaskDefaults;

// Clicks a control as a person does: a check box or option button on its indicator (a wide one's
// middle may lie past its caption, where clicks do nothing), anything else in the middle.
void clickOn(QWidget* widget)
{
    const bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(6, widget->height() / 2) : QPoint());
}

TaskDefaults freshDefaults()
{
    SetupRecord record;
    setDefaults(record, QStringLiteral("/tmp"));
    return record.taskDefaults;
}

// A photo shown at its own size, unchanged since edit mode began.
TaskViewContext view(int width, int height)
{
    return {width, height, width, height, width, height, width, height, false};
}

QString oleText(std::uint32_t ole) { return QString::number(static_cast<std::int32_t>(ole)); }

// One page in an active window, after a plain line edit that takes the focus when a field is
// left, as Tab would move it.
class TaskOptionControlsTest : public ::testing::Test {
protected:
    template <class Page> Page* host(Page* page, const TaskViewContext& context = view(800, 600))
    {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        other_ = new QLineEdit(window_.get());
        layout->addWidget(other_);
        page->setParent(window_.get());
        layout->addWidget(page);
        page->loadOptions(freshDefaults(), context);
        window_->resize(260, 600);
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return page;
    }

    template <class W> W* find(const QString& name) const
    {
        W* widget = window_->findChild<W*>(name);
        if (!widget)
            ADD_FAILURE() << "no " << name.toStdString();
        return widget;
    }

    // Enters the field, replaces its text by typing, and leaves it for the other edit.
    void typeInto(const QString& name, const QString& keys, bool leave = true)
    {
        QLineEdit* field = find<QLineEdit>(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, keys);
        if (leave)
            other_->setFocus(Qt::TabFocusReason);
    }

    std::unique_ptr<QWidget> window_;
    QLineEdit* other_ = nullptr;
};

}  // namespace

TEST_F(TaskOptionControlsTest, FieldsAreHeldToTheirLimitsWhenLeft)
{
    host(new CanvasOptions(*taskKindInfo(TaskKind::Canvas)));
    typeInto(QStringLiteral("txtCanvasCustom2"), QStringLiteral("1000"), false);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtCanvasCustom2"))->text(), QStringLiteral("1000"))
        << "an out-of-range value stays visible while typing";
    other_->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtCanvasCustom2"))->text(), QStringLiteral("800"));
    typeInto(QStringLiteral("txtCanvasCustom0"), QStringLiteral("-5x7"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtCanvasCustom0"))->text(), QStringLiteral("57"));
}

TEST_F(TaskOptionControlsTest, AnEmptiedAngleGetsItsDefaultBackSelected)
{
    host(new RotateOptions(*taskKindInfo(TaskKind::Rotate)));
    QLineEdit* degrees = find<QLineEdit>(QStringLiteral("txtDegrees"));
    degrees->setFocus(Qt::TabFocusReason);
    degrees->selectAll();
    QTest::keyClick(degrees, Qt::Key_Backspace);
    EXPECT_EQ(degrees->text(), QStringLiteral("45"));
    EXPECT_EQ(degrees->selectedText(), QStringLiteral("45"));
    QTest::keyClick(degrees, Qt::Key_9);
    EXPECT_EQ(degrees->text(), QStringLiteral("9"));

    typeInto(QStringLiteral("txtDegrees"), QStringLiteral("400"));
    EXPECT_EQ(degrees->text(), QStringLiteral("360"));
    EXPECT_EQ(find<SpinArrows>(QStringLiteral("sbDegrees"))->value(), 360);
}

TEST_F(TaskOptionControlsTest, ArrowsAndPresetsSetTheAngle)
{
    RotateOptions* rotate = host(new RotateOptions(*taskKindInfo(TaskKind::Rotate)));
    auto* arrows = find<SpinArrows>(QStringLiteral("sbDegrees"));
    QLineEdit* degrees = find<QLineEdit>(QStringLiteral("txtDegrees"));
    ASSERT_EQ(arrows->value(), 45);
    QSignalSpy changed(rotate, &TaskOptionPanel::optionsChanged);
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    EXPECT_EQ(degrees->text(), QStringLiteral("46"));
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, arrows->height() - 3));
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, arrows->height() - 3));
    EXPECT_EQ(degrees->text(), QStringLiteral("44"));
    EXPECT_GE(changed.count(), 3);

    clickOn(find<QPushButton>(QStringLiteral("cmdAngle0")));
    EXPECT_EQ(degrees->text(), QStringLiteral("-15"));
    EXPECT_EQ(rotate->record(view(800, 600)).params[1], QStringLiteral("-15"));
    clickOn(find<QPushButton>(QStringLiteral("cmdAngle1")));
    EXPECT_EQ(degrees->text(), QStringLiteral("15"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdAngle2"))->text(), QStringLiteral("45"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdAngle3"))->text(), QStringLiteral("-45"));
}

TEST_F(TaskOptionControlsTest, FrameSizeTextAngleAndCropTopHaveTheirOwnLimits)
{
    host(new FrameOptions(*taskKindInfo(TaskKind::Frame)));
    clickOn(find<QWidget>(QStringLiteral("OptFrameStyle1")));
    typeInto(QStringLiteral("txtFrameSize"), QStringLiteral("900"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtFrameSize"))->text(), QStringLiteral("800"));
    EXPECT_EQ(find<SpinArrows>(QStringLiteral("vsFrameSize"))->value(), 800);

    TextOptions* text = host(new TextOptions(*taskKindInfo(TaskKind::Text)));
    text->findChild<QComboBox*>(QStringLiteral("cboPosition"))->setCurrentIndex(TextOptions::MouseClickPosition);
    typeInto(QStringLiteral("txtTextAngle"), QStringLiteral("-200"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtTextAngle"))->text(), QStringLiteral("-180"));
    EXPECT_EQ(find<SpinArrows>(QStringLiteral("vsbTextAngle"))->value(), -180);

    // The top edge of a keyed-in crop stays inside the photo; the other edges are taken as typed.
    host(new CropOptions(*taskKindInfo(TaskKind::Crop)), view(400, 300));
    clickOn(find<QWidget>(QStringLiteral("optCropSelect1")));
    typeInto(QStringLiteral("txtCropTop"), QStringLiteral("500"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtCropTop"))->text(), QStringLiteral("300"));
    typeInto(QStringLiteral("txtCropRight"), QStringLiteral("5000"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtCropRight"))->text(), QStringLiteral("5000"));
}

TEST_F(TaskOptionControlsTest, RetainRatioScalesAgainstTheStartSize)
{
    // The photo on screen is 320 x 200 now; edit mode began with it at 400 x 300.
    ResizeOptions* resize = host(new ResizeOptions(*taskKindInfo(TaskKind::Resize)), {320, 200, 400, 300, 320, 200, 320, 200, false});
    QLineEdit* width = find<QLineEdit>(QStringLiteral("txtResizeWidth"));
    QLineEdit* height = find<QLineEdit>(QStringLiteral("txtResizeHeight"));
    EXPECT_EQ(width->text(), QStringLiteral("320"));
    EXPECT_EQ(height->text(), QStringLiteral("200")) << "loading must not apply the ratio";
    ASSERT_TRUE(find<QCheckBox>(QStringLiteral("chkResizeRatio"))->isChecked());

    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("200"));
    EXPECT_EQ(height->text(), QStringLiteral("150"));
    typeInto(QStringLiteral("txtResizeHeight"), QStringLiteral("60"));
    EXPECT_EQ(width->text(), QStringLiteral("80"));
    EXPECT_EQ(resize->record(view(320, 200)).params[1], QStringLiteral("80"));

    // Unticked, the sizes are independent.
    clickOn(find<QCheckBox>(QStringLiteral("chkResizeRatio")));
    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("100"));
    EXPECT_EQ(height->text(), QStringLiteral("60"));
}

TEST_F(TaskOptionControlsTest, RetainRatioRoundsHalfToEvenAndDoesNotBounceBack)
{
    // 400 x 100: a width of 2 gives a height of 0.5, rounded to 0; were the height to update the
    // width again in turn, the width would become 0.
    host(new ResizeOptions(*taskKindInfo(TaskKind::Resize)), view(400, 100));
    QLineEdit* width = find<QLineEdit>(QStringLiteral("txtResizeWidth"));
    QLineEdit* height = find<QLineEdit>(QStringLiteral("txtResizeHeight"));
    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("2"));
    EXPECT_EQ(height->text(), QStringLiteral("0"));
    EXPECT_EQ(width->text(), QStringLiteral("2"));
    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("6"));
    EXPECT_EQ(height->text(), QStringLiteral("2"));  // 1.5
    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("10"));
    EXPECT_EQ(height->text(), QStringLiteral("2"));  // 2.5
    typeInto(QStringLiteral("txtResizeHeight"), QStringLiteral("9000"));
    EXPECT_EQ(width->text(), QStringLiteral("32767")) << "held to 16 bits";
}

TEST_F(TaskOptionControlsTest, ResizeFieldsTakeDigitsOnlyAndAnEmptiedFieldShowsZero)
{
    host(new ResizeOptions(*taskKindInfo(TaskKind::Resize)), view(400, 300));
    clickOn(find<QCheckBox>(QStringLiteral("chkResizeRatio")));
    QLineEdit* width = find<QLineEdit>(QStringLiteral("txtResizeWidth"));
    typeInto(QStringLiteral("txtResizeWidth"), QStringLiteral("1a2-.3"), false);
    EXPECT_EQ(width->text(), QStringLiteral("123"));
    width->selectAll();
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_EQ(width->text(), QStringLiteral("0"));
    EXPECT_EQ(width->selectedText(), QStringLiteral("0"));
}

TEST_F(TaskOptionControlsTest, TheColourButtonAsksTheDialogAndKeepsWhatWasChosen)
{
    ScriptedDialogs dialogs;
    RotateOptions* rotate = host(new RotateOptions(*taskKindInfo(TaskKind::Rotate)));
    auto* button = find<ColorButton>(QStringLiteral("picCropBackColor"));
    ASSERT_EQ(button->color(), 0x8000000Eu);
    QSignalSpy changed(rotate, &TaskOptionPanel::optionsChanged);
    QSignalSpy back(rotate, &TaskOptionPanel::backColorChosen);

    dialogs.answerNextColor(std::nullopt);
    clickOn(button);
    EXPECT_EQ(dialogs.colorDialogs(), QList<std::uint32_t>({0x8000000Eu}));
    EXPECT_EQ(button->color(), 0x8000000Eu);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(back.count(), 0);

    dialogs.answerNextColor(0x00336699u);
    clickOn(button);
    EXPECT_EQ(button->color(), 0x00336699u);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.at(0).at(0).value<std::uint32_t>(), 0x00336699u);
    EXPECT_EQ(rotate->record(view(800, 600)).params[2], oleText(0x00336699u));

    // The swatch shows the colour itself; a system colour shows what it stands for.
    const QImage swatch = button->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0x99, 0x66, 0x33));
    button->setColor(0x8000000E);
    const QImage system = button->grab().toImage();
    EXPECT_EQ(system.pixelColor(system.width() / 2, system.height() / 2), QColor(255, 255, 255));
}

TEST_F(TaskOptionControlsTest, ThePickBoxLetsThePreviewSetTheFillColour)
{
    CanvasOptions* canvas = host(new CanvasOptions(*taskKindInfo(TaskKind::Canvas)));
    QCheckBox* pick = find<QCheckBox>(QStringLiteral("chkCropBackColor"));
    EXPECT_EQ(pick->text(), QStringLiteral("Pick"));
    QSignalSpy tool(canvas, &TaskOptionPanel::mouseToolChanged);
    QSignalSpy changed(canvas, &TaskOptionPanel::optionsChanged);
    QSignalSpy back(canvas, &TaskOptionPanel::backColorChosen);

    canvas->colorPicked(0x00010203);  // not armed: ignored
    EXPECT_EQ(find<ColorButton>(QStringLiteral("picCropBackColor"))->color(), 0x8000000Eu);
    EXPECT_EQ(changed.count(), 0);

    clickOn(pick);
    EXPECT_EQ(tool.count(), 1);
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    canvas->colorPicked(0x00204080);
    EXPECT_EQ(find<ColorButton>(QStringLiteral("picCropBackColor"))->color(), 0x00204080u);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.at(0).at(0).value<std::uint32_t>(), 0x00204080u);
    EXPECT_EQ(canvas->record(view(800, 600)).params[0], oleText(0x00204080));

    // The release ends the picking.
    canvas->mouseReleased();
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::None);
    EXPECT_EQ(tool.count(), 2);
}

TEST_F(TaskOptionControlsTest, CropDrawingAndColourPickingExcludeEachOther)
{
    CropOptions* crop = host(new CropOptions(*taskKindInfo(TaskKind::Crop)));
    clickOn(find<QWidget>(QStringLiteral("optCropSelect1")));
    QTest::keyClick(find<QComboBox>(QStringLiteral("cmbCrop")), Qt::Key_Down);  // ellipse: colour applies
    QCheckBox* pick = find<QCheckBox>(QStringLiteral("chkCropBackColor"));
    ASSERT_TRUE(pick->isEnabled());
    clickOn(pick);
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    clickOn(find<QWidget>(QStringLiteral("optCropSelect0")));
    QCheckBox* draw = find<QCheckBox>(QStringLiteral("chkCropMouse"));
    clickOn(draw);
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    crop->cancelMouseTool();
    EXPECT_FALSE(draw->isChecked());
}

TEST_F(TaskOptionControlsTest, RedEyeMarksAnAreaWithTheMouse)
{
    RedEyeOptions* redEye = host(new RedEyeOptions(*taskKindInfo(TaskKind::RedEye)));
    EXPECT_TRUE(redEye->needsMarkedArea());
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::None);
    redEye->rectangleReleased(QPoint(1, 1), QPoint(9, 9));  // not armed
    EXPECT_EQ(redEye->markedArea(), QRect());

    clickOn(find<QCheckBox>(QStringLiteral("chkRedEye")));
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    QSignalSpy changed(redEye, &TaskOptionPanel::optionsChanged);
    redEye->rectanglePressed(QPoint(60, 40));
    // The release of the mouse may reach the page before the rectangle does.
    redEye->mouseReleased();
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("chkRedEye"))->isChecked());
    redEye->rectangleReleased(QPoint(60, 40), QPoint(20, 70));
    EXPECT_EQ(redEye->markedArea(), QRect(20, 40, 40, 30));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::None);

    redEye->loadOptions(freshDefaults(), view(800, 600));
    EXPECT_EQ(redEye->markedArea(), QRect());
}

TEST_F(TaskOptionControlsTest, SelectImageAsksForTheLogoAndRemembersIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetupRecord remembered;
    setDefaults(remembered, dir.path());
    // A logo red on the left, blue on the right.
    Picture logo = Picture::filled(40, 20, Rgb{255, 0, 0});
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            logo.setPixel(x, y, Rgb{0, 0, 255});
    const QString path = writePng(logo, dir.filePath(QStringLiteral("logo.png")));

    ScriptedDialogs dialogs;
    WatermarkOptions* watermark = host(new WatermarkOptions(*taskKindInfo(TaskKind::Watermark)));
    watermark->setRemembered(&remembered.taskDefaults);
    QSignalSpy changed(watermark, &TaskOptionPanel::optionsChanged);
    auto* select = find<QPushButton>(QStringLiteral("cmdSelectMerge"));
    EXPECT_EQ(select->text(), QStringLiteral("Select Image"));

    clickOn(select);  // cancelled
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    const ui::FileDialogRequest request = dialogs.fileDialogs().first();
    EXPECT_EQ(request.kind, ui::FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(request.title, QStringLiteral("Load Image for Merging"));
    EXPECT_EQ(request.filter,
              QStringLiteral("All Image Files|*.bmp;*.jpg;*.jpeg;*.pcx;*.png;*.gif;*.wbm;*.wbmp;*.psd;*.tif;*.tiff"
                             "|Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg, *.jpeg)|*.jpg;*.jpeg"
                             "|PCX Files (*.pcx)|*.pcx|PNG Files (*.png)|*.png"
                             "|GIF Files (*.gif)|*.gif"
                             "|Wireless Bitmap Files (*.wbm, *.wbmp)|*.wbm;*.wbmp"
                             "|Adobe Photoshop Files (*.psd)|*.psd"
                             "|TIFF Files (*.tif, *.tiff)|*.tif;*.tiff"));
    EXPECT_TRUE(watermark->logoPath().isEmpty());
    EXPECT_EQ(changed.count(), 0);

    dialogs.answerNextFileDialog({path, 0});
    clickOn(select);
    EXPECT_EQ(watermark->logoPath(), path);
    EXPECT_EQ(remembered.taskDefaults.watermarkFile, path);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(watermark->record(view(800, 600)).params[3], path);
    TaskDefaults stored;
    watermark->storeOptions(stored);
    EXPECT_EQ(stored.watermarkFile, path);

    auto* thumbnail = find<LogoThumbnail>(QStringLiteral("picWatermarkImage"));
    ASSERT_EQ(thumbnail->image().size(), QSize(40, 20));

    // The next dialog opens where the logo is.
    clickOn(select);
    EXPECT_EQ(dialogs.fileDialogs().last().directory, dir.path());
    EXPECT_EQ(watermark->logoPath(), path) << "a cancelled dialog keeps the logo";
}

TEST_F(TaskOptionControlsTest, TheTransparentColourIsTakenFromTheLogoUnderThePointer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Picture logo = Picture::filled(40, 20, Rgb{255, 0, 0});
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            logo.setPixel(x, y, Rgb{0, 0, 255});
    TaskDefaults d = freshDefaults();
    d.watermarkFile = writePng(logo, dir.filePath(QStringLiteral("logo.png")));

    WatermarkOptions* watermark = host(new WatermarkOptions(*taskKindInfo(TaskKind::Watermark)));
    watermark->loadOptions(d, view(800, 600));
    auto* thumbnail = find<LogoThumbnail>(QStringLiteral("picWatermarkImage"));
    auto* colour = find<ColorButton>(QStringLiteral("picWatermarkTransparentColor"));
    QCheckBox* pick = find<QCheckBox>(QStringLiteral("chkWatermarkTransparentColor"));
    const QRect logoArea = thumbnail->imageRect();
    ASSERT_EQ(logoArea.size(), QSize(40, 20));
    const QPoint overRed = logoArea.topLeft() + QPoint(5, 10);
    const QPoint overBlue = logoArea.topLeft() + QPoint(35, 10);

    QTest::mouseMove(thumbnail, overBlue);  // not armed
    EXPECT_EQ(colour->color(), 0x80000009u);

    QSignalSpy changed(watermark, &TaskOptionPanel::optionsChanged);
    clickOn(pick);
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(colour->color(), OleColor::fromRgb(255, 0, 0));
    QTest::mouseMove(thumbnail, overBlue);
    EXPECT_EQ(colour->color(), OleColor::fromRgb(0, 0, 255));
    EXPECT_EQ(changed.count(), 2);
    QTest::mouseRelease(thumbnail, Qt::LeftButton, {}, overBlue);
    EXPECT_FALSE(pick->isChecked());
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(colour->color(), OleColor::fromRgb(0, 0, 255));
    EXPECT_EQ(watermark->record(view(800, 600)).params[4], oleText(OleColor::fromRgb(0, 0, 255)));
}

TEST_F(TaskOptionControlsTest, CancellingTheMouseToolUnticksEveryArmingBox)
{
    WatermarkOptions* watermark = host(new WatermarkOptions(*taskKindInfo(TaskKind::Watermark)));
    QTest::keyClick(find<QComboBox>(QStringLiteral("cboMergeStyle")), Qt::Key_Home);  // "Single"
    clickOn(find<QCheckBox>(QStringLiteral("chkSelectLocation")));
    clickOn(find<QCheckBox>(QStringLiteral("chkWatermarkTransparentColor")));
    ASSERT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);
    watermark->cancelMouseTool();
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("chkSelectLocation"))->isChecked());
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("chkWatermarkTransparentColor"))->isChecked());
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);

    // Another style than "Single" has no point to pick.
    clickOn(find<QCheckBox>(QStringLiteral("chkSelectLocation")));
    QTest::keyClick(find<QComboBox>(QStringLiteral("cboMergeStyle")), Qt::Key_Down);
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
}

TEST_F(TaskOptionControlsTest, TheGalleryPickerShowsEightPicturesAndAnnouncesAChoice)
{
    QList<int> asked;
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
    window_ = std::make_unique<QWidget>();
    (new QVBoxLayout(window_.get()))->addWidget(picker);
    window_->show();
    EXPECT_EQ(asked, QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
    ASSERT_NE(picker->button(7), nullptr);
    EXPECT_EQ(picker->button(7)->objectName(), QStringLiteral("OptSample7"));
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
    window_->hide();
    window_->show();
    EXPECT_EQ(asked.size(), 8) << "made once";
}

TEST_F(TaskOptionControlsTest, GalleryThumbnailsShowEveryStyleAndMask)
{
    QList<QImage> frames;
    for (int style = 0; style < 16; ++style) {
        const QImage image = frameThumbnail(style);
        ASSERT_FALSE(image.isNull()) << style;
        EXPECT_LE(image.width(), GalleryThumbnailWidth);
        EXPECT_LE(image.height(), GalleryThumbnailHeight);
        for (const QImage& other : frames)
            EXPECT_NE(image, other) << "style " << style << " looks like another";
        frames << image;
    }
    EXPECT_EQ(frameThumbnail(3), frames.at(3)) << "kept";
    // A frame changes the sample's border: the corner is not the sample's sky colour.
    const QColor corner = frames.at(0).pixelColor(1, 1);
    EXPECT_FALSE(std::abs(corner.red() - 150) < 4 && std::abs(corner.green() - 190) < 4 &&
                 std::abs(corner.blue() - 230) < 4);

    QList<QImage> masks;
    for (int number = 0; number < 8; ++number) {
        const QImage image = maskThumbnail(number);
        ASSERT_EQ(image.size(), QSize(GalleryThumbnailWidth, GalleryThumbnailHeight)) << number;
        for (const QImage& other : masks)
            EXPECT_NE(image, other);
        masks << image;
    }
}

TEST_F(TaskOptionControlsTest, EveryTaskHasItsOwnIcon)
{
    const QStringList keys = {QStringLiteral("resize"),   QStringLiteral("canvas"),     QStringLiteral("crop"),
                              QStringLiteral("rotate"),   QStringLiteral("flip"),       QStringLiteral("invert"),
                              QStringLiteral("contrast"), QStringLiteral("sharpen"),    QStringLiteral("blur"),
                              QStringLiteral("brightness"), QStringLiteral("text"),     QStringLiteral("watermark"),
                              QStringLiteral("mask"),     QStringLiteral("shadow"),     QStringLiteral("frame"),
                              QStringLiteral("redeye"),   QStringLiteral("generic")};
    QList<QImage> drawn;
    for (const QString& key : keys) {
        const QIcon icon = taskIcon(key);
        ASSERT_FALSE(icon.isNull()) << key.toStdString();
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16))) << key.toStdString();
        EXPECT_TRUE(icon.availableSizes().contains(QSize(24, 24))) << key.toStdString();
        const QImage image = icon.pixmap(QSize(24, 24)).toImage();
        // Something is drawn, and not over the whole square.
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 24) << key.toStdString();
        for (int i = 0; i < drawn.size(); ++i)
            EXPECT_NE(image, drawn.at(i)) << key.toStdString() << " looks like " << keys.at(i).toStdString();
        drawn << image;
    }
    EXPECT_EQ(taskIcon(QStringLiteral("zoom")).pixmap(QSize(24, 24)).toImage(), drawn.last())
        << "an unknown key gets the generic icon";
}
