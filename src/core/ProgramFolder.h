#pragma once

#include <QString>

namespace lumora {

// The folder Lumora keeps its own files in: the settings file, "temp/", "Captured/" and
// "Acquired/". It is $LUMORA_HOME when that is set; else the folder of the running executable
// when Lumora may write there, it is not an installed prefix's bin/ and it does not hold the
// window program under the settings file's name (a portable install); else
// ~/.local/share/lumora, created when missing. Paths use '/' and carry no trailing slash.
// Resolved anew on every call, so a change of LUMORA_HOME takes effect at once.
class ProgramFolder {
public:
    // The desktop application's executable name. The settings file is named after it, so the
    // window and lumora-batch share one settings file.
    static constexpr const char* ExecutableName = "lumora";

    static QString path();

    // <program folder>/lumora.
    static QString settingsFile();
    static QString settingsFileIn(const QString& folder);

    // <program folder>/temp/, with the trailing slash, ready for a file name to be appended.
    static QString tempFolder();
};

}  // namespace lumora
