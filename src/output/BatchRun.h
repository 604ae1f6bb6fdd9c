#pragma once

#include "output/BatchConversion.h"

#include <QObject>


namespace lumora {

// One batch conversion run in the background, so that the window stays responsive while the
// photos are converted on the conversion's workers.
//
// progress() and then finished() are emitted on the thread the BatchRun lives on, in order;
// results() can be read from finished()'s slots. Destroying a BatchRun that still runs cancels it
// and waits for the photos in progress.
class BatchRun : public QObject {
    Q_OBJECT

public:
    BatchRun(QList<BatchEntry> entries, QList<TaskRecord> tasks, SetupRecord::Naming settings,
             QObject* parent = nullptr);
    ~BatchRun() override;

    // Before start(): see BatchConversion.
    void setJobs(int jobs) { conversion_.setJobs(jobs); }
    void setGallery(const Gallery* gallery) { conversion_.setGallery(gallery); }
    void setReplaceSources(bool allow) { conversion_.setReplaceSources(allow); }
    void setSourceSubfolder(const QString& name) { conversion_.setSourceSubfolder(name); }
    bool setOutputFormat(const QString& extension, int quality)
    {
        return conversion_.setOutputFormat(extension, quality);
    }
    QStringList sourcesReplaced() const { return conversion_.sourcesReplaced(); }

    bool isRunning() const { return started_ && !finished_; }
    bool isFinished() const { return finished_; }
    // After finished(): what the run did with each entry, and its result.
    const std::vector<BatchEntryResult>& results() const { return conversion_.results(); }
    bool succeeded() const { return ok_; }

public Q_SLOTS:
    // Starts the run; a second call does nothing.
    void start();
    // From any thread: the photos in progress finish and no new one starts.
    void cancel() { conversion_.cancel(); }

Q_SIGNALS:
    void progress(int done, int count);
    // ok: false when an error ended the run (it was reported); a cancelled run is ok.
    void finished(bool ok);

private:
    void ended(bool ok);

    BatchConversion conversion_;
    bool started_ = false;
    bool finished_ = false;
    bool ok_ = false;
};

}  // namespace lumora
