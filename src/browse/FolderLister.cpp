#include "browse/FolderLister.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <atomic>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lumora {

namespace {
const QString ListingRoutine = QStringLiteral("FrmMain.subShowFilesInFolder");
}

// What one listing shares with its workers. Workers hold it by shared pointer, so a listing that
// was stopped can be forgotten by the lister while its workers finish their last file.
struct FolderLister::Run {
    quint64 generation = 0;
    QString folder;
    QStringList names;
    int viewMode = FolderThumbnails;
    QSize thumbnailSize;
    bool shortSizes = false;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
    std::atomic<int> workersLeft{0};
    std::atomic<bool> failed{false};  // a reported error ends the listing with the rows so far
};

FolderLister::FolderLister(QObject* parent)
    : QObject(parent), workerCount_(std::clamp(QThread::idealThreadCount(), 1, 4))
{
    qRegisterMetaType<FolderRow>("lumora::FolderRow");
}

FolderLister::~FolderLister()
{
    stop();
    for (Worker& worker : workers_)
        worker.thread.join();
}

void FolderLister::setWorkerCount(int count) { workerCount_ = std::max(1, count); }

int FolderLister::start(const QString& folder, int viewMode, int thumbnailWidth, int thumbnailHeight,
                        bool shortSizes)
{
    stop();
    reapWorkers();

    auto run = std::make_shared<Run>();
    run->generation = ++generation_;
    run->folder = folder;
    run->viewMode = viewMode;
    run->thumbnailSize = QSize(std::max(1, thumbnailWidth), std::max(1, thumbnailHeight));
    run->shortSizes = shortSizes;
    int line = 5;
    reportFailures(ListingRoutine, line, [&] { run->names = FolderListing::listFiles(folder); });

    folder_ = folder;
    count_ = static_cast<int>(run->names.size());
    delivered_ = 0;
    waiting_.clear();
    allPosted_ = false;
    running_ = true;
    run_ = run;

    if (count_ == 0) {
        // Finished through the event loop, as a listing with files is, so that callers may
        // connect after start().
        const quint64 generation = run->generation;
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation != generation_ || !running_)
                    return;
                running_ = false;
                run_.reset();
                Q_EMIT finished();
            },
            Qt::QueuedConnection);
        return 0;
    }

    const int workers = std::min(workerCount_, count_);
    run->workersLeft = workers;
    for (int i = 0; i < workers; ++i)
        workers_.push_back(Worker{run, std::thread(&FolderLister::work, run, this)});
    return count_;
}

void FolderLister::stop()
{
    if (run_)
        run_->stopped = true;
    run_.reset();
    running_ = false;
    waiting_.clear();
    // Anything of the old listing still in the event queue is recognised by its generation.
    ++generation_;
}

void FolderLister::waitForFinished()
{
    if (!running_)
        return;
    QEventLoop loop;
    connect(this, &FolderLister::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

void FolderLister::work(std::shared_ptr<Run> run, FolderLister* lister)
{
#ifdef __linux__
    // The workers yield to the window's thread, which must stay quick to answer while they keep
    // every core busy. On Linux a thread's nice value is its own.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
#endif
    const int count = static_cast<int>(run->names.size());
    for (;;) {
        if (run->stopped || run->failed)
            break;
        const int index = run->next.fetch_add(1);
        if (index >= count)
            break;
        const QString& name = run->names.at(index);
        SetCurrentOperation(QStringLiteral("Displaying files from selected folder - '") + QString::number(index + 1)
                            + QStringLiteral("' ") + QStringLiteral(" - ") + name);
        FolderRow row;
        int line = 6;
        if (!reportFailures(ListingRoutine, line, [&] {
                row = FolderListing::makeRow(run->folder, name, run->viewMode, run->thumbnailSize, run->shortSizes);
            })) {
            run->failed = true;
            row = FolderRow{};  // an empty row marks the end of the listing
        }
        if (run->stopped)
            break;
        const quint64 generation = run->generation;
        // The lister outlives every worker (its destructor joins them), so posting to it is safe.
        QMetaObject::invokeMethod(
            lister, [lister, generation, index, row] { lister->deliver(generation, index, row); },
            Qt::QueuedConnection);
    }
    if (--run->workersLeft == 0) {
        const quint64 generation = run->generation;
        QMetaObject::invokeMethod(
            lister,
            [lister, generation] {
                lister->reapWorkers();
                if (generation == lister->generation_ && lister->running_)
                    lister->deliver(generation, -1, FolderRow{});
            },
            Qt::QueuedConnection);
    }
}

void FolderLister::deliver(quint64 generation, int index, const FolderRow& row)
{
    if (generation != generation_ || !running_)
        return;
    if (index >= 0)
        waiting_.emplace(index, row);
    else
        allPosted_ = true;
    // Rows that arrived together go out together: the flush runs after the events already queued.
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
    }
}

void FolderLister::flush()
{
    flushQueued_ = false;
    if (!running_)
        return;
    const quint64 generation = generation_;
    QList<FolderRow> rows;
    bool ended = false;
    for (auto it = waiting_.find(delivered_); it != waiting_.end(); it = waiting_.find(delivered_)) {
        if (it->second.path.isEmpty()) {  // a failed row: the listing ends here
            ended = true;
            break;
        }
        rows.append(std::move(it->second));
        waiting_.erase(it);
        ++delivered_;
    }
    if (!rows.isEmpty()) {
        Q_EMIT rowsReady(rows);
        // A slot may have stopped or restarted the listing.
        if (generation != generation_ || !running_)
            return;
        Q_EMIT progress(delivered_, count_);
        if (generation != generation_ || !running_)
            return;
    }
    // The workers being done is not enough: rows they posted may still wait in the event queue
    // behind this flush. The last worker's end notice is posted after every row of every worker,
    // so once it has arrived nothing more can come.
    if (ended || delivered_ >= count_ || (allPosted_ && waiting_.find(delivered_) == waiting_.end())) {
        if (run_)
            run_->stopped = true;
        run_.reset();
        running_ = false;
        waiting_.clear();
        Q_EMIT finished();
    }
}

void FolderLister::reapWorkers()
{
    // Joins the workers whose listing has no worker left at work; they have returned or are
    // about to, so the join does not wait on a file.
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->run->workersLeft == 0) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace lumora
