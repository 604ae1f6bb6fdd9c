// The output format dialog as a person uses it: the depths each format offers, the size shown for
// a choice, the files "Save Optimized" writes (judged by ImageMagick's identify), a colour picked
// from the picture made transparent, and the choices kept for the next time.

#include "output/frmSaveAdvanced.h"
#include "shell/EngineView.h"
#include "support/Oracles.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace lumora {
namespace {

using test::identify;
using test::waitFor;

// A picture whose left half is pure red and whose right half is a busy pattern of many colours,
// so that a JPEG's size follows its quality.
Picture redAndPattern()
{
    QByteArray pixels(320 * 200 * 3, '\0');
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            char* p = pixels.data() + (y * 320 + x) * 3;
            const bool red = x < 160;
            p[0] = char(red ? 255 : x);
            p[1] = char(red ? 0 : (x * y) % 256);
            p[2] = char(red ? 0 : (x ^ y) & 255);
        }
    return Picture(320, 200, 3, pixels);
}

class frmSaveAdvancedTest : public ::testing::Test {
protected:
    frmSaveAdvancedTest() { settings = defaultSetup(dir.path()).outputFormat; }

    std::unique_ptr<frmSaveAdvanced> open()
    {
        auto dialog = std::make_unique<frmSaveAdvanced>(settings, redAndPattern());
        dialog->show();
        EXPECT_TRUE(waitFor([&] { return !dialog->isRefreshing(); }));
        return dialog;
    }
    template <typename T>
    static T* find(const frmSaveAdvanced& dialog, const char* name)
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    // Changes a box and waits for the optimized view to show the change.
    static void choose(frmSaveAdvanced& dialog, const char* box, int index)
    {
        find<QComboBox>(dialog, box)->setCurrentIndex(index);
        ASSERT_TRUE(waitFor([&] { return !dialog.isRefreshing(); }));
    }
    // "Save Optimized" with `typed` given in the file dialog, in the test's folder.
    void saveAs(frmSaveAdvanced& dialog, const QString& typed)
    {
        dialogs.answerNextFileDialog({dir.filePath(typed), 0});
        dialog.cmdSave_Click();
    }

    QTemporaryDir dir;
    test::ScopedEnvironment home{"LUMORA_HOME", dir.path().toUtf8()};
    test::ScriptedDialogs dialogs;
    SetupRecord::OutputFormat settings;
};

TEST_F(frmSaveAdvancedTest, EachFormatOffersItsDepthsAndSavesUnderItsOwnExtension)
{
    auto dialog = open();
    QComboBox* depth = find<QComboBox>(*dialog, "cboColorFormat");

    // GIF: six depths from "256 Colors"; "16 Colors" is remembered at once and writes 16 colours.
    choose(*dialog, "cboFormat", 1);
    ASSERT_EQ(depth->count(), 6);
    EXPECT_EQ(depth->itemText(0), "256 Colors");
    choose(*dialog, "cboColorFormat", 2);
    EXPECT_EQ(settings.gifDepth, 2);
    saveAs(*dialog, "small");
    EXPECT_EQ(dialogs.fileDialogs().value(0).title, "Save Optimized image");
    EXPECT_EQ(dialogs.fileDialogs().value(0).filter, "CompuServe GIF (*.gif)|*.gif");
    EXPECT_EQ(identify(dir.filePath("small.gif"), "%m %[type] %k"), "GIF Palette 16");

    // WBMP: no depth to choose, always black and white.
    choose(*dialog, "cboFormat", 5);
    EXPECT_TRUE(depth->isHidden());
    saveAs(*dialog, "mono");
    EXPECT_EQ(identify("WBMP:" + dir.filePath("mono.wbmp"), "%[type] %k"), "Bilevel 2");

    // PNG: the caption is always appended, whatever was typed.
    choose(*dialog, "cboFormat", 4);
    saveAs(*dialog, "holiday");
    saveAs(*dialog, "holiday.png");
    EXPECT_EQ(identify(dir.filePath("holiday.png"), "%m"), "PNG");
    EXPECT_EQ(identify(dir.filePath("holiday.png.png"), "%m"), "PNG");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("holiday")));

    // JPG: a lower quality shows a smaller size, and the same in the status bar.
    choose(*dialog, "cboFormat", 2);
    auto* size = find<QLabel>(*dialog, "lblSize");
    const int atDefault = size->text().section(u' ', 0, 0).toInt();
    find<QSlider>(*dialog, "sldJPGQuality")->setValue(10);
    ASSERT_TRUE(waitFor([&] { return !dialog->isRefreshing(); }));
    EXPECT_LT(size->text().section(u' ', 0, 0).toInt(), atDefault) << size->text().toStdString();
    EXPECT_EQ(dialog->statusText("size"), "Optimized size - " + size->text());
}

TEST_F(frmSaveAdvancedTest, AColourPickedFromThePictureIsTransparentInTheSavedGif)
{
    auto dialog = open();
    choose(*dialog, "cboFormat", 1);
    find<QCheckBox>(*dialog, "chkGIFTransparent")->setChecked(true);
    find<QCheckBox>(*dialog, "chkGIFPickColor")->setChecked(true);
    auto* original = find<EngineView>(*dialog, "ibOriginal");
    QTest::mouseClick(original, Qt::LeftButton, {}, original->imageRect().topLeft() + QPoint(3, 3));
    ASSERT_TRUE(waitFor([&] { return !dialog->isRefreshing(); }));
    saveAs(*dialog, "clear");
    // The red half is gone, the gradient stays.
    EXPECT_EQ(identify(dir.filePath("clear.gif"), "%[fx:p{10,10}.a] %[fx:p{300,150}.a]"), "0 1");
}

TEST_F(frmSaveAdvancedTest, ExitKeepsTheChoicesForTheNextOpening)
{
    {
        auto dialog = open();
        choose(*dialog, "cboFormat", 7);
        choose(*dialog, "cboTIFFCompression", 1);
        choose(*dialog, "cboColorFormat", 3);
        find<QSlider>(*dialog, "sldJPGQuality")->setValue(33);
        find<QCheckBox>(*dialog, "chkPNGTransparent")->setChecked(true);
        find<QMenu>(*dialog, "mnuPreview")->actions().at(1)->trigger();
        dialog->resize(700, 500);
        dialog->cmdCancel_Click();
    }
    EXPECT_EQ(settings.lastFormat, 7);
    EXPECT_EQ(settings.tifDepth, 3);
    EXPECT_EQ(settings.dialogWidth, 700 * 15);
    auto dialog = open();
    EXPECT_EQ(find<QComboBox>(*dialog, "cboFormat")->currentText(), "TIF");
    EXPECT_EQ(find<QComboBox>(*dialog, "cboColorFormat")->currentText(), "16 Colors");
    EXPECT_EQ(find<QComboBox>(*dialog, "cboTIFFCompression")->currentText(), "Packbits");
    EXPECT_EQ(find<QSlider>(*dialog, "sldJPGQuality")->value(), 33);
    EXPECT_TRUE(find<QCheckBox>(*dialog, "chkPNGTransparent")->isChecked());
    EXPECT_TRUE(find<QMenu>(*dialog, "mnuPreview")->actions().at(1)->isChecked());
    EXPECT_EQ(dialog->size(), QSize(700, 500));
}

}  // namespace
}  // namespace lumora
