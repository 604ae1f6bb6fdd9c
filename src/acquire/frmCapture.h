#pragma once

#include "engine/Picture.h"
#include "settings/SetupRecord.h"

#include <QDialog>

class QRadioButton;

namespace lumora {

class frmMain;

// The capture window: "Whole Screen" grabs the screen into a TIFF file of the capture folder and
// adds it to the Image Basket; "Select Region" grabs it and opens the region window on it. The
// choice "Desktop" shows the desktop first, "Foreground" grabs the screen as it is, "Background"
// hides the main window first; both give the other windows 500 ms to go before the grab. The
// option starts at the stored capture mode; the choice is not stored.
//
// It is window-modal over the main window and opened with open(): it hides itself while the
// screen is grabbed and deletes itself when its work is done.
class frmCapture : public QDialog {
    Q_OBJECT
public:
    frmCapture(frmMain& window, const SetupRecord::Capture& settings);

    // The whole-screen command for a mode: 0 Desktop, 1 Foreground, 2 Background.
    void subCapture(int mode);
    // The region command for a mode.
    void selectRegion(int mode);
    int selectedMode() const;

    // The common end of every capture: saves the picture under a new name in the capture folder
    // (TIFF), takes the file into the main window (AcquiredPhoto) and brings the main window
    // back maximised. False, with one report under "frmCapture.subAddItemToBasket" and nothing
    // added, when the file cannot be written (a missing capture folder) or read back.
    static bool takeOver(frmMain& window, const Picture& picture, const SetupRecord::Capture& settings);

private:
    // Clears the screen of Lumora for a mode; true when the grab must wait for the desktop.
    bool clearScreen(int mode);
    // Grabs the whole screen, or reports why not and brings the main window back.
    Picture grab();
    void finish();

    frmMain& window_;
    SetupRecord::Capture settings_;
    QRadioButton* options_[3] = {};
    // The window manager was asked to show the desktop; it is asked back after the grab.
    bool desktopShown_ = false;
};

}  // namespace lumora
