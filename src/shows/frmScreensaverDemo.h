#pragma once

#include "settings/SetupRecord.h"
#include "shows/ShowDemoDialog.h"

namespace lumora {

// "Generate a screensaver": the shared show settings on the Screensaver block, for a screensaver
// of the previewed photo or of the whole Image Basket (the caller knows which).
class frmScreensaverDemo : public ShowDemoDialog {
    Q_OBJECT

public:
    explicit frmScreensaverDemo(SetupRecord::Screensaver& settings, QWidget* parent = nullptr);
};

}  // namespace lumora
