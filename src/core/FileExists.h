#pragma once

#include <QString>

namespace lumora {

// True when the path, with surrounding blanks removed, names an existing file (not a folder).
// Never fails: any problem looking it up counts as "not there".
bool FileExists(const QString& path);

}  // namespace lumora
