// The Settings dialog driven as a user drives it: tabs, the thumbnail boxes, OK and Cancel.

#include "controls/NumericField.h"
#include "settings/SetupRecord.h"
#include "shell/frmSettings.h"
#include "support/ScriptedDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

// A record whose folder list and basket blocks disagree, so that a write to only one of them
// shows.
SetupRecord sampleRecord()
{
    SetupRecord record;
    record.toolTips.show = 1;
    record.folderView.fileSizeStyle = 0;
    record.folderView.fullRowSelect = SetupRecord::False;
    record.folderView.thumbnailWidth = 64;
    record.folderView.thumbnailHeight = 48;
    record.basketView.fullRowSelect = SetupRecord::True;
    record.basketView.thumbnailWidth = 120;
    record.basketView.thumbnailHeight = 90;
    record.basketView.rememberedFolder = QStringLiteral("/photos/basket");
    record.capture.folder = QStringLiteral("/home/u/Captured");
    record.capture.genericName = QStringLiteral("Capture");
    record.twain.folder = QStringLiteral("/home/u/Acquired/");
    record.twain.genericName = QStringLiteral("Twain");
    return record;
}

class frmSettingsTest : public ::testing::Test {
protected:
    template <class W> W* child(const char* name)
    {
        W* widget = dialog_.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    NumericField* widthBox() { return child<NumericField>("txtFolderThumbnailWidth"); }
    NumericField* heightBox() { return child<NumericField>("txtFolderThumbnailHeight"); }

    void showActive()
    {
        dialog_.show();
        dialog_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    }

    // Enters the box as Tab does and types over what entering selected.
    void typeInto(NumericField* box, const QString& keys)
    {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, keys);
    }

    SetupRecord record_ = sampleRecord();
    frmSettings dialog_{record_};
};

TEST_F(frmSettingsTest, OpensOnTheGeneralTabShowingTheRecord)
{
    EXPECT_EQ(dialog_.windowTitle(), QStringLiteral("Settings"));
    auto* tabs = child<QTabBar>("tbsSettings");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Capture"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Twain"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Shortcuts"));
    EXPECT_EQ(dialog_.currentTab(), 0);

    // Each tab brings its own panel forward.
    const char* panels[] = {"picGeneral", "picCapture", "picTwain", "picShortcuts"};
    for (int i = 3; i >= 0; --i) {
        tabs->setCurrentIndex(i);
        auto* panel = child<QWidget>(panels[i]);
        ASSERT_NE(panel, nullptr);
        auto* stack = qobject_cast<QStackedWidget*>(panel->parentWidget());
        ASSERT_NE(stack, nullptr);
        EXPECT_EQ(stack->currentWidget(), panel) << panels[i];
    }

    EXPECT_TRUE(child<QCheckBox>("chkAllowTip")->isChecked());
    EXPECT_EQ(child<QCheckBox>("chkAllowTip")->text(), QStringLiteral("Show Tips for controls"));
    auto* sizeStyle = child<QButtonGroup>("optFileSize");
    ASSERT_NE(sizeStyle, nullptr);
    EXPECT_EQ(sizeStyle->button(0)->text(), QStringLiteral("Show long file size"));
    EXPECT_EQ(sizeStyle->button(1)->text(), QStringLiteral("Show short file size"));
    EXPECT_EQ(sizeStyle->checkedId(), 0);
    EXPECT_FALSE(child<QCheckBox>("chkFolderFullRowSelect")->isChecked());
    EXPECT_EQ(child<QCheckBox>("chkFolderFullRowSelect")->text(), QStringLiteral("Enable Full Row Select"));
    EXPECT_EQ(widthBox()->text(), QStringLiteral("64"));
    EXPECT_EQ(heightBox()->text(), QStringLiteral("48"));
    EXPECT_EQ(child<QLineEdit>("txtCaptureFolder")->text(), QStringLiteral("/home/u/Captured"));
    EXPECT_EQ(child<QLineEdit>("txtCaptureGeneric")->text(), QStringLiteral("Capture"));
    EXPECT_EQ(child<QLineEdit>("txtTwainFolder")->text(), QStringLiteral("/home/u/Acquired/"));
    EXPECT_EQ(child<QLineEdit>("txtTwainGeneric")->text(), QStringLiteral("Twain"));

    auto* shortcuts = child<QTreeWidget>("lvShortcuts");
    ASSERT_NE(shortcuts, nullptr);
    EXPECT_EQ(shortcuts->headerItem()->text(0), QStringLiteral("Action"));
    EXPECT_EQ(shortcuts->headerItem()->text(1), QStringLiteral("Shortcut"));
    ASSERT_EQ(shortcuts->topLevelItemCount(), 3);
    EXPECT_EQ(shortcuts->topLevelItem(0)->text(0), QStringLiteral("Add Selected Files to basket"));
    EXPECT_EQ(shortcuts->topLevelItem(0)->text(1), QStringLiteral("Enter [Return]"));
    EXPECT_EQ(shortcuts->topLevelItem(1)->text(0), QStringLiteral("Select all files"));
    EXPECT_EQ(shortcuts->topLevelItem(1)->text(1), QStringLiteral("Ctrl + A"));
    EXPECT_EQ(shortcuts->topLevelItem(2)->text(0), QStringLiteral("Delete selected files from basket"));
    EXPECT_EQ(shortcuts->topLevelItem(2)->text(1), QStringLiteral("Delete"));
    EXPECT_EQ(shortcuts->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST(frmSettingsRecordTest, ShortStyleAndOutOfRangeSizesFromAFileShowAsTheControlsCanShowThem)
{
    SetupRecord record = sampleRecord();
    record.folderView.fileSizeStyle = 1;
    record.folderView.fullRowSelect = SetupRecord::True;
    record.folderView.thumbnailWidth = 5000;
    record.folderView.thumbnailHeight = -3;
    frmSettings dialog(record);
    EXPECT_EQ(dialog.findChild<QButtonGroup*>(QStringLiteral("optFileSize"))->checkedId(), 1);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("chkFolderFullRowSelect"))->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtFolderThumbnailWidth"))->text(), QStringLiteral("300"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtFolderThumbnailHeight"))->text(), QStringLiteral("20"));
}

TEST_F(frmSettingsTest, ThumbnailBoxesTakeDigitsAndHoldTwentyToThreeHundred)
{
    showActive();
    NumericField* width = widthBox();
    NumericField* height = heightBox();

    // Entering selects the whole text, so typing replaces it.
    width->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(width->selectedText(), QStringLiteral("64"));

    typeInto(width, QStringLiteral("5"));
    EXPECT_EQ(width->text(), QStringLiteral("5"));  // not clamped while typing
    height->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(width->text(), QStringLiteral("20"));
    EXPECT_EQ(height->selectedText(), QStringLiteral("48"));

    typeInto(height, QStringLiteral("999"));
    width->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(height->text(), QStringLiteral("300"));

    typeInto(width, QStringLiteral("1x2.5-"));
    height->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(width->text(), QStringLiteral("125"));

    typeInto(height, QStringLiteral("301"));
    width->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(height->text(), QStringLiteral("300"));

    // Deleting everything brings "20" back at once, both characters selected.
    width->setFocus(Qt::TabFocusReason);
    QTest::keyClick(width, Qt::Key_Delete);
    EXPECT_EQ(width->text(), QStringLiteral("20"));
    EXPECT_EQ(width->selectedText(), QStringLiteral("20"));
    EXPECT_EQ(width->selectionStart(), 0);
    QTest::keyClick(width, Qt::Key_7);  // the next key replaces the selected default
    QTest::keyClick(width, Qt::Key_0);
    EXPECT_EQ(width->text(), QStringLiteral("70"));
}

TEST_F(frmSettingsTest, OkStoresEverythingIntoBothListBlocksAndAnnouncesIt)
{
    showActive();
    QSignalSpy applied(&dialog_, &frmSettings::settingsApplied);
    const SetupRecord before = record_;

    child<QCheckBox>("chkAllowTip")->click();
    child<QRadioButton>("optFileSize_1")->click();
    child<QCheckBox>("chkFolderFullRowSelect")->click();
    typeInto(widthBox(), QStringLiteral("150"));
    typeInto(heightBox(), QStringLiteral("999"));  // still in the box when OK is pressed
    // Folders and names go in as typed, unchecked.
    child<QLineEdit>("txtCaptureFolder")->setText(QStringLiteral(" /no/such folder/ "));
    child<QLineEdit>("txtCaptureGeneric")->setText(QString());
    child<QLineEdit>("txtTwainFolder")->setText(QStringLiteral("relative/dir"));
    child<QLineEdit>("txtTwainGeneric")->setText(QStringLiteral("Scan é"));
    EXPECT_EQ(record_, before) << "nothing is stored before OK";

    QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);

    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(record_.toolTips.show, 0);
    EXPECT_EQ(record_.folderView.fileSizeStyle, 1);
    EXPECT_EQ(record_.folderView.fullRowSelect, SetupRecord::True);
    EXPECT_EQ(record_.folderView.thumbnailWidth, 150);
    EXPECT_EQ(record_.folderView.thumbnailHeight, 300);
    EXPECT_EQ(record_.basketView.fullRowSelect, SetupRecord::True);
    EXPECT_EQ(record_.basketView.thumbnailWidth, 150);
    EXPECT_EQ(record_.basketView.thumbnailHeight, 300);
    EXPECT_EQ(record_.capture.folder, QStringLiteral(" /no/such folder/ "));
    EXPECT_EQ(record_.capture.genericName, QString());
    EXPECT_EQ(record_.twain.folder, QStringLiteral("relative/dir"));
    EXPECT_EQ(record_.twain.genericName, QStringLiteral("Scan é"));

    // Nothing outside the dialog's fields moved.
    SetupRecord expected = before;
    expected.toolTips = record_.toolTips;
    expected.folderView.fileSizeStyle = record_.folderView.fileSizeStyle;
    expected.folderView.fullRowSelect = record_.folderView.fullRowSelect;
    expected.folderView.thumbnailWidth = record_.folderView.thumbnailWidth;
    expected.folderView.thumbnailHeight = record_.folderView.thumbnailHeight;
    expected.basketView.fullRowSelect = record_.basketView.fullRowSelect;
    expected.basketView.thumbnailWidth = record_.basketView.thumbnailWidth;
    expected.basketView.thumbnailHeight = record_.basketView.thumbnailHeight;
    expected.capture = record_.capture;
    expected.twain.folder = record_.twain.folder;
    expected.twain.genericName = record_.twain.genericName;
    EXPECT_EQ(record_, expected);
    EXPECT_EQ(record_.basketView.rememberedFolder, QStringLiteral("/photos/basket"));
}

TEST_F(frmSettingsTest, OkTurningOptionsOffStoresZeroAndFalse)
{
    record_.toolTips.show = 0;
    record_.folderView.fileSizeStyle = 1;
    record_.folderView.fullRowSelect = SetupRecord::True;
    frmSettings dialog(record_);
    dialog.findChild<QCheckBox*>(QStringLiteral("chkAllowTip"))->click();
    dialog.findChild<QRadioButton*>(QStringLiteral("optFileSize_0"))->click();
    dialog.findChild<QCheckBox*>(QStringLiteral("chkFolderFullRowSelect"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(record_.toolTips.show, 1);
    EXPECT_EQ(record_.folderView.fileSizeStyle, 0);
    EXPECT_EQ(record_.folderView.fullRowSelect, SetupRecord::False);
    EXPECT_EQ(record_.basketView.fullRowSelect, SetupRecord::False);
    EXPECT_EQ(record_.basketView.thumbnailWidth, 64);
    EXPECT_EQ(record_.basketView.thumbnailHeight, 48);
}

TEST_F(frmSettingsTest, CancelLeavesTheRecordAsItWas)
{
    showActive();
    QSignalSpy applied(&dialog_, &frmSettings::settingsApplied);
    const SetupRecord before = record_;

    child<QCheckBox>("chkAllowTip")->click();
    child<QRadioButton>("optFileSize_1")->click();
    child<QCheckBox>("chkFolderFullRowSelect")->click();
    typeInto(widthBox(), QStringLiteral("250"));
    heightBox()->setFocus(Qt::TabFocusReason);
    child<QLineEdit>("txtCaptureFolder")->setText(QStringLiteral("/elsewhere"));
    child<QLineEdit>("txtTwainGeneric")->setText(QStringLiteral("Other"));

    QTest::mouseClick(child<QPushButton>("cmdCancel"), Qt::LeftButton);

    EXPECT_EQ(applied.count(), 0);
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_EQ(record_, before);
}

TEST_F(frmSettingsTest, BrowseFillsTheFolderBoxUnlessCancelled)
{
    test::ScriptedDialogs dialogs;
    dialogs.answerNextFileDialog({QStringLiteral("/chosen/capture"), 0});
    child<QPushButton>("cmdCaptureBrowse")->click();
    EXPECT_EQ(child<QLineEdit>("txtCaptureFolder")->text(), QStringLiteral("/chosen/capture"));

    child<QPushButton>("cmdTwainBrowse")->click();  // cancelled: no answer queued
    EXPECT_EQ(child<QLineEdit>("txtTwainFolder")->text(), QStringLiteral("/home/u/Acquired/"));

    ASSERT_EQ(dialogs.fileDialogs().size(), 2);
    EXPECT_EQ(dialogs.fileDialogs()[0].kind, ui::FileDialogRequest::Kind::Folder);
    EXPECT_EQ(dialogs.fileDialogs()[0].directory, QStringLiteral("/home/u/Captured"));
    EXPECT_EQ(dialogs.fileDialogs()[1].kind, ui::FileDialogRequest::Kind::Folder);
    EXPECT_EQ(dialogs.fileDialogs()[1].directory, QStringLiteral("/home/u/Acquired/"));
}

}  // namespace
