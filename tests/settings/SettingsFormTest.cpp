// The Settings dialog's values: what it shows for any record, and what OK stores.

#include "settings/SettingsForm.h"

#include <gtest/gtest.h>

using namespace lumora;

TEST(SettingsForm, ShowsOnlyValuesItsControlsCanHold)
{
    SetupRecord record = defaultSetup("/pf");
    SettingsForm form;
    form.subSetup(record);
    EXPECT_TRUE(form.showTips);
    EXPECT_FALSE(form.shortFileSize || form.fullRowSelect);
    EXPECT_EQ(form.thumbnailWidth, 40);
    EXPECT_EQ(form.captureFolder, "/pf/Captured");
    EXPECT_EQ(form.twainFolder, "/pf/Acquired/");
    EXPECT_EQ(form.twainGenericName, "Twain");

    record.toolTips.show = 0;
    record.folderView.fileSizeStyle = 7;
    record.folderView.fullRowSelect = SetupRecord::True;
    record.folderView.thumbnailWidth = 5;
    record.folderView.thumbnailHeight = 999;
    form.subSetup(record);
    EXPECT_FALSE(form.showTips || form.shortFileSize);
    EXPECT_TRUE(form.fullRowSelect);
    EXPECT_EQ(form.thumbnailWidth, 20);
    EXPECT_EQ(form.thumbnailHeight, 300);
}

TEST(SettingsForm, OkStoresTheFolderListSettingsForTheBasketListToo)
{
    const SetupRecord before = defaultSetup("/pf");
    SetupRecord record = before;
    SettingsForm form;
    form.subSetup(record);
    form.showTips = false;
    form.shortFileSize = form.fullRowSelect = true;
    form.thumbnailWidth = 120;
    form.thumbnailHeight = 301;
    form.captureFolder = "  not checked  ";
    form.twainGenericName = QString();
    form.cmdOK(record);

    SetupRecord expected = before;
    expected.toolTips.show = 0;
    expected.folderView.fileSizeStyle = 1;
    expected.folderView.fullRowSelect = expected.basketView.fullRowSelect = -1;
    expected.folderView.thumbnailWidth = expected.basketView.thumbnailWidth = 120;
    expected.folderView.thumbnailHeight = expected.basketView.thumbnailHeight = 300;
    expected.capture.folder = "  not checked  ";
    expected.twain.genericName = QString();
    EXPECT_EQ(record, expected);  // and nothing outside the dialog's reach changes

    form.fullRowSelect = form.shortFileSize = false;
    form.showTips = true;
    form.cmdOK(record);
    EXPECT_EQ(record.folderView.fullRowSelect, 0);
    EXPECT_EQ(record.basketView.fullRowSelect, 0);
    EXPECT_EQ(record.folderView.fileSizeStyle, 0);
    EXPECT_EQ(record.toolTips.show, 1);
}
