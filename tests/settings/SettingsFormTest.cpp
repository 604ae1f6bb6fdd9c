// The Settings dialog's values: what it shows for any record, and what OK stores.

#include "settings/SettingsForm.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

TEST(SettingsForm, ShowsOnlyValuesItsControlsCanHold)
{
    SetupRecord record = defaultSetup(QStringLiteral("/pf"));
    SettingsForm form;
    form.subSetup(record);
    EXPECT_TRUE(form.showTips);
    EXPECT_FALSE(form.shortFileSize);
    EXPECT_FALSE(form.fullRowSelect);
    EXPECT_EQ(form.thumbnailWidth, 40);
    EXPECT_EQ(form.captureFolder, QStringLiteral("/pf/Captured"));
    EXPECT_EQ(form.twainFolder, QStringLiteral("/pf/Acquired/"));
    EXPECT_EQ(form.twainGenericName, QStringLiteral("Twain"));

    record.toolTips.show = 0;
    record.folderView.fileSizeStyle = 7;
    record.folderView.fullRowSelect = SetupRecord::True;
    record.folderView.thumbnailWidth = 5;
    record.folderView.thumbnailHeight = 999;
    form.subSetup(record);
    EXPECT_FALSE(form.showTips);
    EXPECT_FALSE(form.shortFileSize);
    EXPECT_TRUE(form.fullRowSelect);
    EXPECT_EQ(form.thumbnailWidth, 20);
    EXPECT_EQ(form.thumbnailHeight, 300);
}

TEST(SettingsForm, OkStoresTheFolderListSettingsForTheBasketListToo)
{
    const SetupRecord before = defaultSetup(QStringLiteral("/pf"));
    SetupRecord record = before;
    SettingsForm form;
    form.subSetup(record);
    form.showTips = false;
    form.shortFileSize = true;
    form.fullRowSelect = true;
    form.thumbnailWidth = 120;
    form.thumbnailHeight = 301;
    form.captureFolder = QStringLiteral("  not checked  ");
    form.twainGenericName = QString();
    form.cmdOK(record);

    EXPECT_EQ(record.toolTips.show, 0);
    EXPECT_EQ(record.folderView.fileSizeStyle, 1);
    EXPECT_EQ(record.folderView.fullRowSelect, -1);
    EXPECT_EQ(record.folderView.thumbnailWidth, 120);
    EXPECT_EQ(record.folderView.thumbnailHeight, 300);
    EXPECT_EQ(record.basketView.fullRowSelect, -1);
    EXPECT_EQ(record.basketView.thumbnailWidth, 120);
    EXPECT_EQ(record.basketView.thumbnailHeight, 300);
    EXPECT_EQ(record.capture.folder, QStringLiteral("  not checked  "));
    EXPECT_EQ(record.twain.genericName, QString());
    // Nothing outside the dialog's reach changes.
    EXPECT_EQ(record.basketView.columnWidths, before.basketView.columnWidths);
    EXPECT_EQ(record.folderView.viewMode, before.folderView.viewMode);
    EXPECT_EQ(record.album, before.album);

    form.fullRowSelect = false;
    form.shortFileSize = false;
    form.showTips = true;
    form.cmdOK(record);
    EXPECT_EQ(record.folderView.fullRowSelect, 0);
    EXPECT_EQ(record.basketView.fullRowSelect, 0);
    EXPECT_EQ(record.folderView.fileSizeStyle, 0);
    EXPECT_EQ(record.toolTips.show, 1);
}

}  // namespace
