#pragma once

#include "settings/SetupRecord.h"

#include <QString>

namespace lumora {

// The values behind the Settings dialog: the general preferences, the folder list's look, and
// the capture and scanner folders and names. The dialog shows these and edits them;
// subSetup() fills them from the record when it opens and cmdOK() writes them back.
//
// The record's values are not trusted: whatever a settings file held, the values here are
// ones the dialog's controls can show (flags on or off, thumbnail sizes within 20..300).
class SettingsForm {
public:

    // "Show Tips for controls".
    bool showTips = true;
    // "Show short file size" when true, "Show long file size" when false.
    bool shortFileSize = false;
    // "Enable Full Row Select" of the folder files.
    bool fullRowSelect = false;
    // Thumbnail size of the folder files, pixels.
    int thumbnailWidth = 40;
    int thumbnailHeight = 40;

    QString captureFolder;
    QString captureGenericName;
    QString twainFolder;
    QString twainGenericName;

    void subSetup(const SetupRecord& record);

    // Stores the values. The thumbnail size and full row select go into both the folder list's
    // and the Image Basket's blocks: one setting governs both lists. The folders and names are
    // stored as typed.
    void cmdOK(SetupRecord& record) const;

    // The thumbnail size the boxes accept: 301 and more become 300, less than 20 becomes 20.
    static int clampThumbnail(int pixels);
};

}  // namespace lumora
