// The Settings dialog driven as a user drives it: what it shows of the record, the thumbnail
// boxes, OK and Cancel. The rules behind the values (clamping, both list blocks) are
// SettingsForm's and are tested with it.

#include "controls/NumericField.h"
#include "core/UprightPhotos.h"
#include "settings/LumoraOptions.h"
#include "settings/SetupRecord.h"
#include "shell/frmSettings.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string_view>

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
    record.basketView.rememberedFolder = "/photos/basket";
    record.capture.folder = "/home/u/Captured";
    record.capture.genericName = "Capture";
    record.twain.folder = "/home/u/Acquired/";
    record.twain.genericName = "Twain";
    return record;
}

template <class W> W* child(QObject& parent, const char* name)
{
    W* widget = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The General tab's controls in one line.
QString generalTab(frmSettings& dialog)
{
    return QStringLiteral("tips %1, size style %2, full row %3, %4 x %5")
        .arg(int(child<QCheckBox>(dialog, "chkAllowTip")->isChecked()))
        .arg(child<QButtonGroup>(dialog, "optFileSize")->checkedId())
        .arg(int(child<QCheckBox>(dialog, "chkFolderFullRowSelect")->isChecked()))
        .arg(child<QLineEdit>(dialog, "txtFolderThumbnailWidth")->text(),
             child<QLineEdit>(dialog, "txtFolderThumbnailHeight")->text());
}

// Turns over the three options of the General tab: tips, file size style, full row select.
void toggleOptions(frmSettings& dialog)
{
    child<QAbstractButton>(dialog, "chkAllowTip")->click();
    const bool shortSizes = child<QButtonGroup>(dialog, "optFileSize")->checkedId() == 1;
    child<QAbstractButton>(dialog, shortSizes ? "optFileSize_0" : "optFileSize_1")->click();
    child<QAbstractButton>(dialog, "chkFolderFullRowSelect")->click();
}

class frmSettingsTest : public ::testing::Test {
protected:
    template <class W> W* child(const char* name) { return ::child<W>(dialog_, name); }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }

    SetupRecord record_ = sampleRecord();
    frmSettings dialog_{record_};
};

TEST_F(frmSettingsTest, ShowsTheRecordOnTheGeneralTabAndEachTabBringsItsPanel)
{
    EXPECT_EQ(dialog_.currentTab(), 0);
    EXPECT_EQ(generalTab(dialog_), "tips 1, size style 0, full row 0, 64 x 48");
    EXPECT_EQ(text("txtCaptureFolder"), "/home/u/Captured");
    EXPECT_EQ(text("txtCaptureGeneric"), "Capture");
    EXPECT_EQ(text("txtTwainFolder"), "/home/u/Acquired/");
    EXPECT_EQ(text("txtTwainGeneric"), "Twain");

    auto* tabs = child<QTabBar>("tbsSettings");
    const char* panels[] = {"picGeneral", "picCapture", "picTwain", "picShortcuts"};
    for (int i = 3; i >= 0; --i) {
        tabs->setCurrentIndex(i);
        auto* panel = child<QWidget>(panels[i]);
        EXPECT_EQ(qobject_cast<QStackedWidget*>(panel->parentWidget())->currentWidget(), panel) << panels[i];
    }

    // The other setting of each option, and sizes out of range as a file may hold them.
    SetupRecord other = sampleRecord();
    other.toolTips.show = 0;
    other.folderView.fileSizeStyle = 1;
    other.folderView.fullRowSelect = SetupRecord::True;
    other.folderView.thumbnailWidth = 5000;
    other.folderView.thumbnailHeight = -3;
    frmSettings dialog(other);
    EXPECT_EQ(generalTab(dialog), "tips 0, size style 1, full row 1, 300 x 20");
}

TEST(frmSettingsButtons, OkStoresEveryControlIntoBothListBlocksAndCancelNothing)
{
    for (const std::string_view button : {"cmdCancel", "cmdOK"}) {
        SCOPED_TRACE(button);
        const bool ok = button == "cmdOK";
        SetupRecord record = sampleRecord();
        const SetupRecord before = record;
        frmSettings dialog(record);
        QSignalSpy applied(&dialog, &frmSettings::settingsApplied);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        toggleOptions(dialog);

        // The thumbnail boxes: entering selects the text; emptied, the default "20" comes back
        // selected for the next key; leaving holds 20 to 300; what is still in a box counts.
        auto* width = child<NumericField>(dialog, "txtFolderThumbnailWidth");
        auto* height = child<NumericField>(dialog, "txtFolderThumbnailHeight");
        width->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(width->selectedText(), "64");
        QTest::keyClick(width, Qt::Key_Delete);
        EXPECT_EQ(width->selectedText(), "20");
        QTest::keyClicks(width, "1x5");
        EXPECT_EQ(width->text(), "15");
        height->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(width->text(), "20");
        EXPECT_EQ(height->selectedText(), "48");
        QTest::keyClicks(height, "999");
        // Folders and names go in as typed, unchecked.
        child<QLineEdit>(dialog, "txtCaptureFolder")->setText(" /no/such folder/ ");
        child<QLineEdit>(dialog, "txtCaptureGeneric")->setText(QString());
        child<QLineEdit>(dialog, "txtTwainFolder")->setText("relative/dir");
        child<QLineEdit>(dialog, "txtTwainGeneric")->setText("Scan é");
        EXPECT_EQ(record, before) << "nothing is stored before the button";

        QTest::mouseClick(child<QPushButton>(dialog, button.data()), Qt::LeftButton);
        EXPECT_EQ(applied.count(), ok ? 1 : 0);
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        // Everything else, the remembered basket folder among it, stays as it was.
        SetupRecord expected = before;
        if (ok) {
            EXPECT_EQ(height->text(), "300");
            expected.toolTips.show = 0;
            expected.folderView.fileSizeStyle = 1;
            expected.folderView.fullRowSelect = expected.basketView.fullRowSelect = SetupRecord::True;
            expected.folderView.thumbnailWidth = expected.basketView.thumbnailWidth = 20;
            expected.folderView.thumbnailHeight = expected.basketView.thumbnailHeight = 300;
            expected.capture.folder = " /no/such folder/ ";
            expected.capture.genericName = QString();
            expected.twain.folder = "relative/dir";
            expected.twain.genericName = "Scan é";
        }
        EXPECT_EQ(record, expected);
        if (!ok)
            continue;

        // Turned off again in a new dialog: zero and False, in both blocks.
        frmSettings again(record);
        toggleOptions(again);
        child<QPushButton>(again, "cmdOK")->click();
        EXPECT_EQ(record.toolTips.show, 1);
        EXPECT_EQ(record.folderView.fileSizeStyle, 0);
        EXPECT_EQ(record.folderView.fullRowSelect, SetupRecord::False);
        EXPECT_EQ(record.basketView.fullRowSelect, SetupRecord::False);
    }
}

TEST_F(frmSettingsTest, BrowseFillsTheFolderBoxUnlessCancelled)
{
    test::ScriptedDialogs dialogs;
    dialogs.answerNextFileDialog({"/chosen/capture", 0});
    child<QPushButton>("cmdCaptureBrowse")->click();
    EXPECT_EQ(text("txtCaptureFolder"), "/chosen/capture");
    child<QPushButton>("cmdTwainBrowse")->click();  // cancelled: no answer queued
    EXPECT_EQ(text("txtTwainFolder"), "/home/u/Acquired/");

    ASSERT_EQ(dialogs.fileDialogs().size(), 2);
    EXPECT_EQ(dialogs.fileDialogs()[0].kind, ui::FileDialogRequest::Kind::Folder);
    EXPECT_EQ(dialogs.fileDialogs()[0].directory, "/home/u/Captured");
    EXPECT_EQ(dialogs.fileDialogs()[1].kind, ui::FileDialogRequest::Kind::Folder);
    EXPECT_EQ(dialogs.fileDialogs()[1].directory, "/home/u/Acquired/");
}

// Turning photos upright lives in the options file, not the record: the box shows the file's value,
// OK stores it and switches the reading at once, Cancel does neither.
TEST(frmSettingsUpright, TheBoxFollowsTheOptionsFileAndOkSwitchesReading)
{
    QTemporaryDir folder;
    const test::ScopedEnvironment home("LUMORA_HOME", folder.path().toUtf8());
    LumoraOptions(folder.path()).setAutoOrient(false);
    UprightPhotos::setEnabled(false);
    for (const char* button : {"cmdCancel", "cmdOK"}) {
        SetupRecord record = sampleRecord();
        frmSettings dialog(record);
        auto* box = child<QCheckBox>(dialog, "chkAutoOrient");
        EXPECT_FALSE(box->isChecked());
        box->click();
        child<QPushButton>(dialog, button)->click();
    }
    EXPECT_TRUE(LumoraOptions(folder.path()).autoOrient());
    EXPECT_TRUE(UprightPhotos::enabled());
}

}  // namespace
