// The Settings dialog's values hold only what its controls can show, whatever a settings file
// held or whatever was set. What the dialog shows and what OK stores, in both list blocks and
// nothing else, is judged through the dialog itself (frmSettingsTest); its boxes clamp on their
// own, so the form's own holding is judged here.

#include "settings/SettingsForm.h"

#include <QSize>

#include <gtest/gtest.h>

using namespace lumora;

TEST(SettingsForm, HoldsOnlyValuesItsControlsCanShow)
{
    SetupRecord record = defaultSetup("/pf");
    record.folderView.fileSizeStyle = 7;  // only style 1 is the short size
    record.folderView.thumbnailWidth = 5;
    record.folderView.thumbnailHeight = 999;
    SettingsForm form;
    form.subSetup(record);
    EXPECT_FALSE(form.shortFileSize);
    EXPECT_EQ(QSize(form.thumbnailWidth, form.thumbnailHeight), QSize(20, 300));

    // Sizes set past the boxes' range are held to it when stored.
    form.thumbnailWidth = 19;
    form.thumbnailHeight = 301;
    form.cmdOK(record);
    EXPECT_EQ(record.folderView.fileSizeStyle, 0);  // the long size, as shown
    EXPECT_EQ(QSize(record.folderView.thumbnailWidth, record.folderView.thumbnailHeight), QSize(20, 300));
    EXPECT_EQ(QSize(record.basketView.thumbnailWidth, record.basketView.thumbnailHeight), QSize(20, 300));
}
