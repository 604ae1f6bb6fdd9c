// Settings files of any content must load through the start-up road without a crash, a hang or
// a huge allocation; whatever loads must write and read back unchanged, and the Settings dialog
// must take its values.

#include "FuzzSupport.h"

#include "core/ProgramFolder.h"
#include "settings/SettingsForm.h"
#include "settings/SetupFile.h"

#include <QDir>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A program folder of this process's own; the zero-length file message is an expected outcome.
    static const QString folder = [] {
        lumora::SetSetupMessageHandler([](const QString&) {});
        const QString path = QDir::tempPath() + QStringLiteral("/lumora-fuzz-settings-%1").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    lumora::fuzz::writeInput(data, size, "", lumora::ProgramFolder::settingsFileIn(folder));
    lumora::SetupRecord record;
    lumora::LoadSetupAtStartup(record, folder);

    lumora::SettingsForm form;
    form.subSetup(record);
    form.cmdOK(record);

    // Texts read as Windows-1252 or cut to their limit settle after one write; from then on the
    // bytes must reproduce themselves.
    const QByteArray once = lumora::encodeSetup(record);
    lumora::SetupRecord again;
    lumora::fuzz::require(lumora::decodeSetup(once, again).complete && lumora::encodeSetup(again) == once);
    return 0;
}
