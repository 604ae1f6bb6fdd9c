#pragma once

#include "settings/SetupRecord.h"
#include "settings/SetupRecordCodec.h"

#include <QString>

#include <functional>

namespace lumora {

// The settings file: <program folder>/lumora, holding the SetupRecord (SetupRecordCodec.h).
// The window reads it once at start-up and writes it once at exit (its record is
// shell/GlobalSetup.h); everything else is handed the settings it needs.

// The settings file the last subLoadSetup used; empty before the first load.
QString SetupFilePath();

// Messages for the user while loading (the zero-length file). The window shows them in a
// message box; without a handler they go to standard error. Returns the handler it replaces.
using SetupMessageHandler = std::function<void(const QString& text)>;
SetupMessageHandler SetSetupMessageHandler(SetupMessageHandler handler);

// The text shown for a zero-length settings file.
QString CorruptSetupMessage();

// True when the path names an existing folder.
bool FolderExists(const QString& path);

// Reads a settings file into the record without changing anything on disk. Fields the file
// does not reach keep their values. Raises LumoraError when the file cannot be opened or read;
// the fields read before a read error stay in the record.
SetupReadResult readSetupFile(const QString& path, SetupRecord& record);

// Loads the settings file of the program folder into the record:
// - no file: the defaults, silently, and the default "Captured" and "Acquired" folders are
//   created where missing (a failure to create them is ignored);
// - a zero-length file: the message above, the file deleted, the defaults (folders as above);
// - otherwise the file's fields from the start; a short file leaves the rest as they were.
// A file that cannot be read (a folder, no permission) is reported under "subLoadSetup"; the
// fields read so far stay and no defaults are applied. Nothing is written: a missing file is
// only created by the save at exit.
void subLoadSetup(SetupRecord& record, const QString& programFolder);
void subLoadSetup(SetupRecord& record);  // the folder of ProgramFolder::path()

// Start-up loading: subLoadSetup, then the splitter check. A file whose first two splitter
// positions are both 10 is deleted (a failure to delete is ignored) and loaded once more, which
// normally means the defaults.
void LoadSetupAtStartup(SetupRecord& record, const QString& programFolder);

// Writes the whole record through a temporary file that replaces the old one only when complete,
// so a failed save leaves the old file as it was. Failures are reported under "subSaveSetup";
// returns true when the file was written.
bool subSaveSetup(const SetupRecord& record, const QString& path);
// To SetupFilePath(), or the program folder's settings file before any load.
bool subSaveSetup(const SetupRecord& record);

}  // namespace lumora
