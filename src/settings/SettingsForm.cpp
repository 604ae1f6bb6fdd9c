#include "settings/SettingsForm.h"

#include "controls/NumericEntry.h"

#include <algorithm>

namespace lumora {

int SettingsForm::clampThumbnail(int pixels)
{
    return std::clamp(pixels, int(ThumbnailSizeSpec.lower), int(ThumbnailSizeSpec.upper));
}

void SettingsForm::subSetup(const SetupRecord& record)
{
    showTips = record.toolTips.show != 0;
    // Style 1 is the short size; anything else shows the long one, the first choice.
    shortFileSize = record.folderView.fileSizeStyle == 1;
    fullRowSelect = record.folderView.fullRowSelect != SetupRecord::False;
    thumbnailWidth = clampThumbnail(record.folderView.thumbnailWidth);
    thumbnailHeight = clampThumbnail(record.folderView.thumbnailHeight);
    captureFolder = record.capture.folder;
    captureGenericName = record.capture.genericName;
    twainFolder = record.twain.folder;
    twainGenericName = record.twain.genericName;
}

void SettingsForm::cmdOK(SetupRecord& record) const
{
    record.toolTips.show = showTips ? 1 : 0;
    record.capture.folder = captureFolder;
    record.capture.genericName = captureGenericName;
    record.twain.folder = twainFolder;
    record.twain.genericName = twainGenericName;

    // The boxes clamp on leaving them; a value set some other way is held to the same range.
    const auto width = static_cast<std::int16_t>(clampThumbnail(thumbnailWidth));
    const auto height = static_cast<std::int16_t>(clampThumbnail(thumbnailHeight));
    const SetupRecord::Flag16 rowSelect = fullRowSelect ? SetupRecord::True : SetupRecord::False;

    record.folderView.thumbnailWidth = width;
    record.folderView.thumbnailHeight = height;
    record.folderView.fileSizeStyle = shortFileSize ? 1 : 0;
    record.folderView.fullRowSelect = rowSelect;
    record.basketView.thumbnailWidth = width;
    record.basketView.thumbnailHeight = height;
    record.basketView.fullRowSelect = rowSelect;
}

}  // namespace lumora
