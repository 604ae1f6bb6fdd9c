#pragma once

#include <QString>

namespace lumora {

// Where an installed Lumora keeps what ships with it, relative to the running executable so that
// any prefix works: the programs in PREFIX/bin, the decoder helper in PREFIX/libexec/lumora, the
// help pages in PREFIX/share/lumora/help. A build folder has none of these beside it.
class InstalledLayout {
public:
    // The folder of the running executable (from /proc/self/exe, so no application object is
    // needed).
    static QString executableFolder();
    // <executable folder>/../libexec/lumora and <executable folder>/../share/lumora, cleaned.
    static QString libexecFolder();
    static QString shareFolder();
    // True when the running executable sits in an installed prefix: its share folder exists.
    static bool installed();
};

}  // namespace lumora
