#pragma once

#include <QStringList>

namespace lumora::cli {

// Each command takes its own arguments (without the command word) and returns the exit code.
int runApply(const QStringList& arguments);
int runTasks(const QStringList& arguments);
int runSettings(const QStringList& arguments);
int runHeader(const QStringList& arguments);
int runThumb(const QStringList& arguments);
int runConvert(const QStringList& arguments);
int runInfo(const QStringList& arguments);
int runExif(const QStringList& arguments);
int runIptc(const QStringList& arguments);
int runSave(const QStringList& arguments);
int runPrint(const QStringList& arguments);
int runAlbum(const QStringList& arguments);
int runShow(const QStringList& arguments);
int runCapture(const QStringList& arguments);
int runScan(const QStringList& arguments);

}  // namespace lumora::cli
