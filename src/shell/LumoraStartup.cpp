#include "shell/LumoraStartup.h"

#include "core/CurrentOperation.h"
#include "core/ProgramFolder.h"
#include "engine/VipsRuntime.h"
#include "settings/SetupFile.h"
#include "shell/GlobalSetup.h"
#include "shell/MessageBoxes.h"
#include "shell/SingleInstance.h"
#include "shell/frmErrorReport.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDir>

namespace lumora {

std::unique_ptr<frmMain> Form_Load(SingleInstance& instance, const QString& startFolder)
{
    SetCurrentOperation(QStringLiteral("Loading all controls and settings"));
    const QString programFolder = ProgramFolder::path();
    if (!instance.claim(programFolder)) {
        ui::ShowMessage(nullptr, SingleInstance::AlreadyRunningMessage(), QMessageBox::Critical);
        return nullptr;
    }
    installWindowErrorSink(nullptr);
    SetSetupMessageHandler([](const QString& text) { ui::ShowMessage(nullptr, text, QMessageBox::Warning); });
    ensureVipsStarted();
    QDir().mkpath(ProgramFolder::tempFolder());
    LoadSetupAtStartup(globalSetup(), programFolder);
    // Captures are saved there; a folder the user named and removed since is made again.
    if (!globalSetup().capture.folder.trimmed().isEmpty())
        QDir().mkpath(globalSetup().capture.folder.trimmed());
    auto window = std::make_unique<frmMain>(globalSetup());
    if (!startFolder.isEmpty())
        window->setStartFolder(QDir(startFolder).absolutePath());
    return window;
}

}  // namespace lumora
