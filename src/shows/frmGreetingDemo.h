#pragma once

#include "settings/SetupRecord.h"
#include "shows/ShowDemoDialog.h"

namespace lumora {

// "Generate a greeting image": the shared show settings on the Greeting block, and how to use
// the greeting once it runs.
class frmGreetingDemo : public ShowDemoDialog {
    Q_OBJECT

public:
    explicit frmGreetingDemo(SetupRecord::Greeting& settings, QWidget* parent = nullptr);
};

}  // namespace lumora
