#pragma once

#include <QString>

#include <memory>

namespace lumora {

class SingleInstance;
class frmMain;

// The window program's start-up up to a window ready to show: the single-instance check (a
// second copy shows the message and gets no window, and touches no settings file), the error
// report window as the destination of error reports, the settings record loaded with the
// splitter check, the engine's runtime, and the window set up from the record. startFolder,
// when not empty, is opened instead of the last folder. Paths a later copy hands over to the
// instance go to the window's openPaths.
std::unique_ptr<frmMain> Form_Load(SingleInstance& instance, const QString& startFolder = QString());

}  // namespace lumora
