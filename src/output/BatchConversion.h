#pragma once

#include "output/BatchEntry.h"
#include "settings/SetupRecord.h"
#include "tasks/TaskRecord.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

class QObject;

namespace lumora {

struct BasketEntry;
class Gallery;
class TaskBasket;

// The batch conversion: every entry of the Image Basket, in basket order, read, put through the
// Task Basket, named and written as JPEG (or the output format chosen), by the batch naming
// settings.
//
// For each entry: the engine is cleared; the destination is the settings' folder (destination
// choice 1) or the entry's own folder; the photo is read (the engine's own formats by extension,
// anything else through LoadPic; an entry nothing can read is skipped); its size goes into the
// engine's tag; the tasks run when processTaskBasket is set; the output is named
// (fncOutputFilePath, with the output format's extension, "jpg" by default); an existing file is
// left alone unless overwrite is set; the EXIF exchange file and the IPTC file are applied when
// their switches are on and the files exist, and Software becomes "Lumora"; the photo is written
// (a JPEG with the settings' JPEG quality, progressive switch and depth, 1 = 8-bit grey) through a
// temporary file that takes the final name only when complete.
//
// Photos run side by side, each worker with an engine of its own, and the files are the ones a
// one-at-a-time run writes:
// - an engine keeps the settings the tasks left (colours, overlay, text, view) from one photo to
//   the next; since the tasks set them from their own parameters, every photo after the first one
//   read starts with the same settings. A worker whose engine has not run the tasks yet, taking a
//   photo that is not the first one read, starts from a copy of the settings an earlier photo's
//   run left (waiting for that run when need be);
// - the save options are given to the engine before the tasks, so "[Resulting size]" estimates
//   the file about to be written for the first photo as for the others;
// - entries that write the same file, or read a file an earlier entry writes, wait for the earlier
//   entry as a one-at-a-time run would;
// - generic numbers follow the basket position.
class BatchConversion {
public:
    // done counts the entries finished, whatever their outcome, from the start of the basket
    // without a gap: it rises by one each call, one call at a time, in basket order. Called on a
    // worker thread (the calling thread of fncSaveSinglePage among them).
    using ProgressCallback = std::function<void(int done, int count)>;

    BatchConversion(QList<BatchEntry> entries, QList<TaskRecord> tasks, SetupRecord::Naming settings);
    // A run under way is cancelled, and its photos in progress are waited for.
    ~BatchConversion();

    // The basket's label and processed file of each entry.
    static QList<BatchEntry> entriesOf(const QList<BasketEntry>& basket);
    static QList<TaskRecord> tasksOf(const TaskBasket& basket);

    void setProgressCallback(ProgressCallback callback) { progress_ = std::move(callback); }
    // Photos converted at once; at least 1. Defaults to the number of cores.
    void setJobs(int jobs);
    int jobs() const { return jobs_; }
    // The format of the outputs, by their extension: "jpg" (the default, with the settings' JPEG
    // options), "webp" or "avif" (lossy, at `quality` 1..100), "png" or "tif" (lossless, true
    // colour). The EXIF goes along in all of them and the XMP where the writer keeps it; the IPTC
    // only into JPEG and TIFF. False, and nothing changed, for any other extension.
    bool setOutputFormat(const QString& extension, int quality);
    QString outputExtension() const { return outputExtension_; }
    int outputQuality() const { return outputQuality_; }
    // The extensions setOutputFormat takes, the default first.
    static const QStringList& outputFormats();

    // Stock pictures for frames, shadows and masks; the built-in gallery when null.
    void setGallery(const Gallery* gallery) { gallery_ = gallery; }

    // Whether a failing photo (one the engine cannot decode or write) ends the run, as by
    // default, or is reported, counted as Failed, and the run goes on with the next.
    void setKeepGoing(bool keepGoing) { keepGoing_ = keepGoing; }

    // Whether every JPEG is decoded at its full size. Off by default: when the Task Basket's first
    // step that changes the size resamples the photo down (ShrinkOnLoad), a JPEG is decoded
    // already reduced, which is several times faster and differs from a full decode by about one
    // level per pixel on average.
    void setFullDecode(bool fullDecode) { fullDecode_ = fullDecode; }

    // Whether an output may replace a photo of the batch (its own source or another entry's).
    // Off by default: such an entry is not written and ends as KeptSource, so that no original
    // is lost without the user's yes. Other existing files follow the overwrite setting.
    void setReplaceSources(bool allow) { replaceSources_ = allow; }
    // Outputs go into this subfolder of the folder they would go to (the photo's own, or the
    // destination folder), made when needed; empty (the default): into that folder itself.
    void setSourceSubfolder(const QString& name) { sourceSubfolder_ = name; }
    // The folder an entry reading `sourcePath` writes into, with its "/".
    QString outputFolderOf(const QString& sourcePath) const;
    // The photos of the batch (as absolute paths, in basket order, each once) that an output
    // would replace, as far as the names can be told before the photos are read (see
    // predictedOutputFilePath); names made from a photo's values are checked again when the photo
    // is written.
    QStringList sourcesReplaced() const;

    // From any thread, also from the progress callback: the photos in progress finish, no new one
    // starts, and fncSaveSinglePage returns true.
    void cancel() { cancel_.request_stop(); }
    bool cancelRequested() const { return cancel_.stop_requested(); }

    // Runs the batch on worker threads and returns at once; the progress callback and then
    // `finished` (with what fncSaveSinglePage would return) come through the receiver's event
    // loop. One run per conversion.
    void start(QObject* receiver, std::function<void(bool ok)> finished);

    // Runs the batch and returns when it is done. Any failure (an engine operation, a destination
    // that cannot be written) is reported through ReportError under "fncSaveSinglePage", with the
    // entry's basket position as the line, and ends the run unless it is to keep going: the photos
    // in progress finish, no new one starts, the files written before stay. The result is false
    // when an entry failed, true when every entry ran through or the run was cancelled. A task
    // that fails is reported by the task runner and ends only that photo's task run; the photo is
    // written as it stood.
    bool fncSaveSinglePage();

    // What the last run did with each entry, in basket order.
    const std::vector<BatchEntryResult>& results() const { return results_; }
    int count(BatchEntryOutcome outcome) const;

private:
    friend class BatchWorker;

    // The jobs of one run, with the workers and the ledger they share.
    struct Run;
    std::unique_ptr<Run> prepare(QObject* receiver, std::function<void()> finished);

    QList<BatchEntry> entries_;
    QList<TaskRecord> tasks_;
    SetupRecord::Naming settings_;
    ProgressCallback progress_;
    const Gallery* gallery_ = nullptr;
    bool keepGoing_ = false;
    bool replaceSources_ = false;
    bool fullDecode_ = false;
    QString sourceSubfolder_;
    QString outputExtension_ = QStringLiteral("jpg");
    int outputQuality_ = 80;
    int jobs_;
    std::stop_source cancel_;
    std::vector<BatchEntryResult> results_;
    std::unique_ptr<Run> run_;
    // False once the conversion is gone, for deliveries under way.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumora
