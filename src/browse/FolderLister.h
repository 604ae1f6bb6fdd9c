#pragma once

#include "browse/FolderListing.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace lumora {

template <typename Result>
class OrderedJobs;

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
    void deliver(int first, std::vector<FolderRow>&& rows);
    void end();
    // Forgets the stopped listings whose workers have all returned.
    void reapStopped();

    int workerCount_;
    bool running_ = false;
    // A failed row ended the listing: what comes after it is dropped.
    bool failed_ = false;
    QString folder_;
    int count_ = 0;
    int delivered_ = 0;
    std::unique_ptr<OrderedJobs<FolderRow>> jobs_;
    // Stopped listings whose workers may still be finishing a file.
    std::vector<std::unique_ptr<OrderedJobs<FolderRow>>> stopped_;
};

}  // namespace lumora
