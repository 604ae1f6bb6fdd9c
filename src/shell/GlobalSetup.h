#pragma once

#include "settings/SetupRecord.h"

namespace lumora {

// The settings record of the running window: loaded at start-up, edited by the dialogs, written
// when the window closes. Only window code uses it; the core is handed the settings it needs.
// All zeros until the start-up loads it.
SetupRecord& globalSetup();

}  // namespace lumora
