#pragma once

#include <QString>

namespace lumora {

// Lumora reads only regular files. A pipe would hold the reader until someone writes to it, and a
// device such as /dev/zero never ends; neither is a photo, a task basket or a settings file.

// Empty when the path (symbolic links followed) is a regular file or does not exist; otherwise
// the sentence that says what it is instead ("\"x\" is a pipe, not a file"). Missing files are left
// to the caller, which knows how to say that.
QString NotRegularFileText(const QString& path);

// True when the path names an existing regular file.
bool IsRegularFile(const QString& path);

// Throws LumoraError (path/file access error, 75) with NotRegularFileText when the path exists
// and is not a regular file.
void RequireRegularFile(const QString& path);

}  // namespace lumora
