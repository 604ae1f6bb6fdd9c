// Settings files of any content must load through the start-up road without a crash, a hang or
// a huge allocation; whatever loads must write and read back unchanged, and the Settings dialog
// must take its values.

#include "core/ErrorReporter.h"
#include "core/ProgramFolder.h"
#include "settings/SettingsForm.h"
#include "settings/SetupFile.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

#include <unistd.h>

namespace {

// A program folder of this process's own, with the zero-length file message and the error
// reports silenced: both are expected outcomes here.
const QString& programFolder()
{
    static const QString folder = [] {
        lumora::SetErrorSink([](const lumora::ErrorReport&) {});
        lumora::SetSetupMessageHandler([](const QString&) {});
        const QString path = QDir::tempPath() + QStringLiteral("/lumora-fuzz-settings-%1").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString& folder = programFolder();
    QFile file(lumora::ProgramFolder::settingsFileIn(folder));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        file.close();
    }
    lumora::SetupRecord record;
    lumora::LoadSetupAtStartup(record, folder);

    lumora::SettingsForm form;
    form.subSetup(record);
    form.cmdOK(record);

    // Texts read as Windows-1252 or cut to their limit settle after one write; from then on the
    // bytes must reproduce themselves.
    const QByteArray once = lumora::encodeSetup(record);
    lumora::SetupRecord again;
    if (!lumora::decodeSetup(once, again).complete || lumora::encodeSetup(again) != once)
        std::abort();
    return 0;
}
