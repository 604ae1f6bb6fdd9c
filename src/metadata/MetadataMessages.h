#pragma once

#include <QString>

namespace lumora::modMetadata {

// What the metadata pane says to the user, and the titles and filters of its file dialogs.

inline const QString DeleteAttributeFailedTitle = QStringLiteral("Error deleting attribute");
inline const QString DeleteAttributeFailedMessage = QStringLiteral("Error deleting the attribute!");
inline const QString ClearAllExifQuestion =
    QStringLiteral("All EXIF metadata available in the current image will be deleted!\nDo you want to continue?");
inline const QString ClearAllIptcQuestion =
    QStringLiteral("All IPTC metadata available in the current image will be deleted!\nDo you want to continue?");
inline const QString NoEditableAttributeToAdd = QStringLiteral("No editable attribute to add!");

// .xiff files.
inline const QString NoEditableExifToSaveMessage =
    QStringLiteral("There is no user editable EXIF attributes in this current image!\n"
                   "Either create new attribute or select another image having editable attribute.");
inline const QString SaveExifDialogTitle = QStringLiteral("Save EXIF Information to file");
inline const QString SaveExifDialogFilter = QStringLiteral("EXIF File (*.xiff)");
inline const QString OpenExifQuestion =
    QStringLiteral("Loading a .xiff will only overwrite user editable EXIF attributes!\nDo you want to continue?");
inline const QString OpenExifDialogTitle = QStringLiteral("Open EXIF .xiff file");
inline const QString OpenExifDialogFilter = QStringLiteral("EXIF file (*.xiff)");

// .ffo files.
inline const QString SaveIptcDialogTitle = QStringLiteral("Save IPTC Information");
inline const QString SaveIptcDialogFilter = QStringLiteral("IPTC File Info (*.ffo)");
inline const QString OpenIptcQuestion = QStringLiteral(
    "Loading a .ffo file will replace all IPTC metadata of the current image.\nDo you want to continue?");
inline const QString OpenIptcDialogTitle = QStringLiteral("Open IPTC .ffo file");

}  // namespace lumora::modMetadata
