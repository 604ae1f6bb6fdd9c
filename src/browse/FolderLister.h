#pragma once

#include "browse/FolderListing.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <thread>
#include <vector>

namespace lumora {

// Lists one folder without blocking the thread it lives on: the rows (thumbnails, header
// reads, page counts, file facts) are made on worker threads, several files at once, and reach
// this object's thread strictly in folder order, a few at a time as soon as they are ready, so
// the first files show while the rest are still being read.
//
// A new start() or stop() ends the running listing at once: from that moment no row, progress
// or finished() of it is delivered. Its workers finish the file they hold and take no other.
class FolderLister : public QObject {
    Q_OBJECT
public:
    explicit FolderLister(QObject* parent = nullptr);
    // Stops the listing and waits for every worker still finishing a file.
    ~FolderLister() override;

    // How many files are read at once, from the next start on; by default the processor count,
    // at most 4.
    void setWorkerCount(int count);
    int workerCount() const { return workerCount_; }

    // Lists the files of the folder that pass the browse filter. Returns the number of files;
    // the rows follow through rowsReady(). A folder without such files finishes at once.
    int start(const QString& folder, int viewMode, int thumbnailWidth, int thumbnailHeight, bool shortSizes);
    void stop();

    bool isRunning() const { return running_; }
    // The folder of the last start().
    const QString& folder() const { return folder_; }

    // For callers without an event loop of their own: runs events until the listing is over.
    void waitForFinished();

Q_SIGNALS:
    // Rows in folder order; the first call carries the first file.
    void rowsReady(const QList<lumora::FolderRow>& rows);
    // After each delivery: rows delivered so far, of count.
    void progress(int done, int count);
    // After the last row of the listing was delivered.
    void finished();

private:
    struct Run;

    static void work(std::shared_ptr<Run> run, FolderLister* lister);
    void deliver(quint64 generation, int index, const FolderRow& row);
    void flush();
    void reapWorkers();

    int workerCount_;
    quint64 generation_ = 0;
    bool running_ = false;
    bool flushQueued_ = false;
    // The end notice of the running listing's workers has arrived: every row they made is in.
    bool allPosted_ = false;
    QString folder_;
    std::shared_ptr<Run> run_;
    int count_ = 0;
    int delivered_ = 0;
    std::map<int, FolderRow> waiting_;  // rows whose predecessors are still being made
    // Every worker not yet joined, of this and earlier listings, with the run it works for.
    struct Worker {
        std::shared_ptr<Run> run;
        std::thread thread;
    };
    std::vector<Worker> workers_;
};

}  // namespace lumora
