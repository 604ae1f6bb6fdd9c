#pragma once

#include "tasks/TaskRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <stop_token>

namespace lumora {

class Gallery;
class ImageBox;
struct BasketEntry;

// The player stubs built into Lumora, by resource name.
inline constexpr const char* SlideShowPlugin = "SLIDESHOW";
inline constexpr const char* GreetingPlugin = "GREETING";
inline constexpr const char* ScreensaverPlugin = "SCREENSAVER";

// A greeting shows its picture at most this large.
inline constexpr int GreetingMaxWidth = 800;
inline constexpr int GreetingMaxHeight = 600;

// "Greeting image is confined to 800x600 size resolution only!" CR LF "Please resize ...".
QString greetingTooLargeMessage();

// The question asked before an existing package is replaced: slide shows "... Overwrite It?",
// screensavers and greetings "... Replace It?".
QString overwriteQuestion(const QString& name, bool slideShow);

// One picture of a package: the basket entry's display text (written into the index) and its file.
struct ShowEntry {
    QString name;
    QString path;

    friend bool operator==(const ShowEntry&, const ShowEntry&) = default;
};

// The entries of an Image Basket, in basket order.
QList<ShowEntry> showEntriesOf(const QList<BasketEntry>& basket);

// The slide show's options record: 6 bytes little-endian, the colour then the interval.
struct SlideShowOptions {
    std::int32_t backgroundColor = 0;  // OLE colour, as stored in the SlideShow block
    std::int16_t interval = 3;         // seconds, 1 to 9
};
QByteArray slideShowOptionsRecord(const SlideShowOptions& options);

// The 15-byte trailer that lets a player find the index at `indexOffset`.
QByteArray showTrailer(qint64 indexOffset);

// Told on the packager's thread. `caption` is the status window's caption ("Loading plugin...",
// the entry's text, "Saving Options..."); `done` and `count` move the progress bar, which is
// hidden when `count` is 0.
using ShowProgressCallback = std::function<void(const QString& caption, int done, int count)>;

// Asked on the packager's thread when the output file exists; the text is overwriteQuestion().
// true: replace it. Absent: replace without asking.
using ShowOverwriteQuestion = std::function<bool(const QString& question)>;

// Everything a packaging run needs, as values.
struct ShowJob {
    QString outPath;           // used as given: the caller appends ".run" / ".scr"
    QList<ShowEntry> entries;  // the basket in order; a single-image package uses the first only
    int quality = 80;          // JPEG quality 1..100
    bool processTasks = true;  // apply the Task Basket to every picture
    QList<TaskRecord> tasks;
    const Gallery* gallery = nullptr;  // stock pictures for frames etc.; the built-in one when null
    SlideShowOptions options;          // slide show only
    ShowProgressCallback progress;
    ShowOverwriteQuestion askOverwrite;
};

enum class ShowOutcome {
    Written,    // the package is complete
    Cancelled,  // the stop token ended a basket run: the package holds the pictures done so far
    Declined,   // the output existed and the question was answered No; nothing was written
    Failed,     // reported through ReportError under the procedure's name; nothing was written
};

struct ShowResult {
    ShowOutcome outcome = ShowOutcome::Failed;
    int imagesPacked = 0;
};

// The packagers. Each writes the stub, the JPEG of each picture (after the Task Basket when
// asked), the options record (slide show), the index text ("name;offset;length;" CR LF per
// picture, "OPTIONS;offset;" for the slide show) and the trailer. The package is written whole or
// not at all and made executable (mode 755). Basket entries that are missing or unreadable are
// skipped. The stop token is asked before each entry of a basket run; a stopped run still
// finishes the package with the pictures done. The index text is also left in the system's
// temporary folder ("SlideShow.lst", "Saver.lst", "ImageExe.lst"). Blocks; run it off the
// window's thread. Never throws.
//
// MkSlideShow extracts the "SLIDESHOW" stub itself and deletes the extracted copy afterwards.
ShowResult MkSlideShow(ImageBox& engine, const ShowJob& job, std::stop_token stop = {});
// A basket screensaver from the stub at stubPath (see fncGetExtractPluginPath).
ShowResult subGenerateScreenSaver(ImageBox& engine, const QString& stubPath, const ShowJob& job,
                                  std::stop_token stop = {});
// A greeting or a single-image screensaver of job.entries.first(), named "Single" in the index.
// A picture that cannot be prepared fails the run.
ShowResult subMakeSingleScreensaver(ImageBox& engine, const QString& stubPath, const ShowJob& job);

// Prepares picture `index` (1-based) on the engine and saves it as
// <program folder>/temp/temp000<index>.jpg at `quality`. Returns that path, or "" when the photo
// cannot be read or holds no image (reported under "modScreensaver.SaveTempJPEG").
QString SaveTempJPEG(ImageBox& engine, const QString& path, int index, int quality, bool processTasks,
                     const QList<TaskRecord>& tasks, const Gallery* gallery);

// Copies the built-in stub `name` ("SLIDESHOW", "GREETING", "SCREENSAVER") to
// <program folder>/temp/plugin.tmp and returns that path; "" on failure (reported).
QString fncGetExtractPluginPath(const QString& name);

}  // namespace lumora
