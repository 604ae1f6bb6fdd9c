#include "basket/BasketAdder.h"

#include "basket/BasketEntryMaker.h"
#include "basket/BasketStatus.h"
#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/ProgramFolder.h"
#include "core/ReportFailures.h"
#include "settings/SettingsForm.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSet>
#include <QSize>
#include <QThread>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>

namespace lumora {

// Everything one add shares between its workers and the basket's thread.
struct BasketAdder::Run {
    struct Progress {
        int index;
        int count;
        QString status;
    };
    struct Delivered {
        QList<BasketEntry> entries;
        bool failed;
    };

    // Fixed at start.
    QList<BasketItem> items;
    std::vector<bool> skip;
    BasketRoad road = BasketRoad::AddButton;
    QSize thumbnailSize;
    QString tempFolder;

    // Files are handed out in list order under this lock, so the files started always form the
    // beginning of the list, whenever the add stops.
    std::mutex dispatchMutex;
    int next = 0;

    // Progress of the first file not yet done; the others keep only their latest state.
    std::mutex progressMutex;
    int head = 0;
    std::vector<bool> done;
    std::vector<std::optional<Progress>> latest;

    // The basket's thread only.
    std::map<int, Delivered> waiting;  // finished files whose predecessors are still at work
    int nextToAdd = 0;
    bool discarding = false;  // a failure ended the add: later files are not added
    int workersLeft = 0;
};

BasketAdder::BasketAdder(ImageBasket& basket, QObject* parent)
    : QObject(parent), basket_(&basket), workerCount_(std::clamp(QThread::idealThreadCount(), 1, 4))
{
}

BasketAdder::~BasketAdder()
{
    stopping_ = true;
    for (std::thread& worker : workers_)
        worker.join();
}

void BasketAdder::setWorkerCount(int count) { workerCount_ = std::max(1, count); }

void BasketAdder::setThumbnailSize(QSize size)
{
    // A size from a settings file is not trusted: held to what the settings dialog allows.
    thumbnailSize_ = QSize(SettingsForm::clampThumbnail(size.width()), SettingsForm::clampThumbnail(size.height()));
}

QString BasketAdder::routineName(BasketRoad road)
{
    switch (road) {
    case BasketRoad::Drop:
        return QStringLiteral("FrmMain.lvPages_OLEDragDrop");
    case BasketRoad::Reopen:
        return QStringLiteral("modSaveOpenImageList.subAddEntryToListView");
    case BasketRoad::AddButton:
        break;
    }
    return QStringLiteral("FrmMain.cmdAddToQueue_Click");
}

bool BasketAdder::start(const QStringList& paths, BasketRoad road)
{
    QList<BasketItem> items;
    items.reserve(paths.size());
    for (const QString& path : paths)
        items.append({path, QString()});
    return start(items, road);
}

bool BasketAdder::start(const QList<BasketItem>& items, BasketRoad road)
{
    if (running_ || !basket_)
        return false;

    auto run = std::make_unique<Run>();
    run->items = items;
    run->road = road;
    run->thumbnailSize = thumbnailSize_;
    run->tempFolder = ProgramFolder::tempFolder();

    // The duplicate test, done here once so no worker splits a file that is already in: a path
    // in the basket, or one that comes earlier in the list, is skipped.
    QSet<QString> seen;
    for (const BasketItem& item : items) {
        run->skip.push_back(seen.contains(item.path) || basket_->containsSource(item.path));
        seen.insert(item.path);
    }
    const int count = static_cast<int>(items.size());
    run->done.assign(static_cast<size_t>(count), false);
    run->latest.assign(static_cast<size_t>(count), std::nullopt);

    stopping_ = false;
    cancelled_ = false;
    running_ = true;
    run_ = std::move(run);
    const int workers = std::clamp(count, 1, workerCount_);
    run_->workersLeft = workers;
    for (int i = 0; i < workers; ++i)
        workers_.emplace_back([this] { work(); });
    return true;
}

void BasketAdder::cancel()
{
    cancelled_ = true;
    stopping_ = true;
}

void BasketAdder::waitForFinished()
{
    if (!running_)
        return;
    QEventLoop loop;
    connect(this, &BasketAdder::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

int BasketAdder::takeNext()
{
    std::lock_guard lock(run_->dispatchMutex);
    if (stopping_ || run_->next >= run_->items.size())
        return -1;
    return run_->next++;
}

void BasketAdder::work()
{
    Run& run = *run_;
    SetCurrentOperation(basketStatus::operationText(run.road));
    const QString routine = routineName(run.road);
    int line = 0;
    // Only setting up the engine can fail out here; each file reports its own failures below.
    reportFailures(routine, line, [&] {
        BasketEntryMaker maker(run.road, run.thumbnailSize, run.tempFolder);
        for (int file = takeNext(); file >= 0; file = takeNext()) {
            const BasketItem& item = run.items.at(file);
            QList<BasketEntry> entries;
            bool failed = false;
            const bool missing = run.road == BasketRoad::Reopen && !FileExists(item.path);
            if (!run.skip[static_cast<size_t>(file)] && !missing) {
                const QString name = QFileInfo(item.path).fileName();
                const int count = static_cast<int>(run.items.size());
                reportProgress(file, file, count, basketStatus::addingFileText(run.road, name));
                int fileLine = file + 1;  // reports name the file's place in the list
                failed = !reportFailures(routine, fileLine, [&] {
                    maker.make(item.path, entries, [&](int page, int pageCount) {
                        reportProgress(file, page - 1, pageCount,
                                       basketStatus::extractingPageText(run.road, name, page, pageCount));
                    });
                });
                for (BasketEntry& entry : entries)
                    entry.description = item.description;
                if (failed && run.road != BasketRoad::Reopen)
                    stopping_ = true;
            }
            QMetaObject::invokeMethod(
                this, [this, file, entries, failed] { deliver(file, entries, failed); }, Qt::QueuedConnection);
            fileDone(file);
        }
    });
    QMetaObject::invokeMethod(this, [this] { workerEnded(); }, Qt::QueuedConnection);
}

void BasketAdder::reportProgress(int file, int index, int count, const QString& status)
{
    Run& run = *run_;
    std::lock_guard lock(run.progressMutex);
    run.latest[static_cast<size_t>(file)] = Run::Progress{index, count, status};
    // Emitting under the lock keeps the queued signals in list order.
    if (file == run.head)
        Q_EMIT progress(index, count, status);
}

void BasketAdder::fileDone(int file)
{
    Run& run = *run_;
    std::lock_guard lock(run.progressMutex);
    run.done[static_cast<size_t>(file)] = true;
    run.latest[static_cast<size_t>(file)].reset();
    const int count = static_cast<int>(run.items.size());
    const int previousHead = run.head;
    while (run.head < count && run.done[static_cast<size_t>(run.head)])
        ++run.head;
    // A new first file shows where it has got to; one not started yet reports when it starts.
    if (run.head != previousHead && run.head < count) {
        if (const auto& next = run.latest[static_cast<size_t>(run.head)])
            Q_EMIT progress(next->index, next->count, next->status);
    }
}

void BasketAdder::deliver(int file, const QList<BasketEntry>& entries, bool failed)
{
    Run& run = *run_;
    run.waiting.emplace(file, Run::Delivered{entries, failed});
    for (auto it = run.waiting.find(run.nextToAdd); it != run.waiting.end(); it = run.waiting.find(run.nextToAdd)) {
        const Run::Delivered& ready = it->second;
        // Checked again here: the window may have added the same file some other way meanwhile.
        if (!run.discarding && basket_ && !ready.entries.isEmpty()
            && !basket_->containsSource(ready.entries.constFirst().sourcePath))
            basket_->append(ready.entries);
        if (ready.failed && run.road != BasketRoad::Reopen)
            run.discarding = true;
        run.waiting.erase(it);
        ++run.nextToAdd;
    }
}

void BasketAdder::workerEnded()
{
    if (--run_->workersLeft > 0)
        return;
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
    run_.reset();
    running_ = false;
    Q_EMIT finished();
}

}  // namespace lumora
