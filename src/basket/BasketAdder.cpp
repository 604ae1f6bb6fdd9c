#include "basket/BasketAdder.h"

#include "basket/BasketEntryMaker.h"
#include "basket/BasketStatus.h"
#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/ProgramFolder.h"
#include "core/ReportFailures.h"
#include "settings/SettingsForm.h"
#include "work/OrderedJobs.h"
#include "work/OrderedProgress.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSet>
#include <QSize>
#include <QThread>

#include <algorithm>

namespace lumora {

BasketAdder::BasketAdder(ImageBasket& basket, QObject* parent)
    : QObject(parent), basket_(&basket), workerCount_(std::clamp(QThread::idealThreadCount(), 1, 4))
{
}

// The jobs' destructor stops the add and waits for its workers.
BasketAdder::~BasketAdder() = default;

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
    items_ = items;
    road_ = road;
    tempFolder_ = ProgramFolder::tempFolder();
    runThumbnailSize_ = thumbnailSize_;
    // The duplicate test, done here once so no worker splits a file that is already in: a path
    // in the basket, or one that comes earlier in the list, is skipped.
    skip_.clear();
    QSet<QString> seen;
    for (const BasketItem& item : items) {
        skip_.push_back(seen.contains(item.path) || basket_->containsSource(item.path));
        seen.insert(item.path);
    }
    const int count = static_cast<int>(items.size());
    cancel_ = std::stop_source();
    discarding_ = false;
    running_ = true;
    progress_ = std::make_unique<OrderedProgress<Step>>(
        count, [this](const Step& step) { Q_EMIT progress(step.index, step.count, step.status); });
    jobs_ = std::make_unique<OrderedJobs<Added>>(OrderedJobs<Added>::Setup{
        .count = count,
        .workers = workerCount_,
        .work = [this](int file, int, const std::stop_token&) { return addFile(file); },
        .deliver = [this](int first, std::vector<Added>&& files) { deliver(first, std::move(files)); },
        .receiver = this,
        .finished = [this] { end(); },
        .cancel = cancel_.get_token(),
        // A failure on the add and drop roads ends the add; on reopening only that file.
        .endsWork = [road](const Added& added) { return added.failed && road != BasketRoad::Reopen; },
    });
    jobs_->start();
    return true;
}

void BasketAdder::cancel() { cancel_.request_stop(); }

void BasketAdder::waitForFinished()
{
    if (!running_)
        return;
    QEventLoop loop;
    connect(this, &BasketAdder::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

BasketAdder::Added BasketAdder::addFile(int file)
{
    SetCurrentOperation(basketStatus::operationText(road_));
    const QString routine = routineName(road_);
    const BasketItem& item = items_.at(file);
    Added added;
    const bool missing = road_ == BasketRoad::Reopen && !FileExists(item.path);
    if (!skip_[static_cast<size_t>(file)] && !missing) {
        const QString name = QFileInfo(item.path).fileName();
        const int count = static_cast<int>(items_.size());
        progress_->report(file, Step{file, count, basketStatus::addingFileText(road_, name)});
        int line = file + 1;  // reports name the file's place in the list
        added.failed = !reportFailures(routine, line, [&] {
            BasketEntryMaker maker(road_, runThumbnailSize_, tempFolder_);
            maker.make(item.path, added.entries, [&](int page, int pageCount) {
                progress_->report(file, Step{page - 1, pageCount,
                                             basketStatus::extractingPageText(road_, name, page, pageCount)});
            });
        });
        for (BasketEntry& entry : added.entries)
            entry.description = item.description;
    }
    progress_->done(file);
    return added;
}

void BasketAdder::deliver(int, std::vector<Added>&& files)
{
    for (const Added& added : files) {
        // Checked again here: the window may have added the same file some other way meanwhile.
        if (!discarding_ && basket_ && !added.entries.isEmpty()
            && !basket_->containsSource(added.entries.constFirst().sourcePath))
            basket_->append(added.entries);
        if (added.failed && road_ != BasketRoad::Reopen)
            discarding_ = true;
    }
}

void BasketAdder::end()
{
    running_ = false;
    Q_EMIT finished();
}

}  // namespace lumora
