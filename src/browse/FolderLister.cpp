#include "browse/FolderLister.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "work/OrderedJobs.h"

#include <QEventLoop>
#include <QThread>

#include <algorithm>

namespace lumora {

namespace {
const QString ListingRoutine = QStringLiteral("FrmMain.subShowFilesInFolder");
}

FolderLister::FolderLister(QObject* parent)
    : QObject(parent), workerCount_(std::clamp(QThread::idealThreadCount(), 1, 4))
{
    qRegisterMetaType<FolderRow>("lumora::FolderRow");
}

FolderLister::~FolderLister() = default;

void FolderLister::setWorkerCount(int count) { workerCount_ = std::max(1, count); }

int FolderLister::start(const QString& folder, int viewMode, int thumbnailWidth, int thumbnailHeight,
                        bool shortSizes)
{
    stop();
    reapStopped();

    QStringList names;
    int line = 5;
    reportFailures(ListingRoutine, line, [&] { names = FolderListing::listFiles(folder); });
    folder_ = folder;
    count_ = static_cast<int>(names.size());
    delivered_ = 0;
    failed_ = false;
    running_ = true;

    const QSize thumbnailSize(std::max(1, thumbnailWidth), std::max(1, thumbnailHeight));
    jobs_ = std::make_unique<OrderedJobs<FolderRow>>(OrderedJobs<FolderRow>::Setup{
        .count = count_,
        .workers = workerCount_,
        .work = [folder, names, viewMode, thumbnailSize, shortSizes](int index, int, const std::stop_token&) {
            const QString& name = names.at(index);
            SetCurrentOperation(QStringLiteral("Displaying files from selected folder - '") + QString::number(index + 1)
                                + QStringLiteral("' ") + QStringLiteral(" - ") + name);
            FolderRow row;
            int rowLine = 6;
            if (!reportFailures(ListingRoutine, rowLine, [&] {
                    row = FolderListing::makeRow(folder, name, viewMode, thumbnailSize, shortSizes);
                }))
                row = FolderRow{};  // a row without a path: the listing ends there
            return row;
        },
        .deliver = [this](int first, std::vector<FolderRow>&& rows) { deliver(first, std::move(rows)); },
        .receiver = this,
        .finished = [this] { end(); },
        .endsWork = [](const FolderRow& row) { return row.path.isEmpty(); },
        .yieldToWindow = true,
    });
    jobs_->start();
    return count_;
}

void FolderLister::stop()
{
    running_ = false;
    if (!jobs_)
        return;
    jobs_->abandon();
    stopped_.push_back(std::move(jobs_));
}

void FolderLister::reapStopped()
{
    std::erase_if(stopped_, [](const auto& jobs) { return jobs->workersEnded(); });
}

void FolderLister::waitForFinished()
{
    if (!running_)
        return;
    QEventLoop loop;
    connect(this, &FolderLister::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

void FolderLister::deliver(int, std::vector<FolderRow>&& rows)
{
    if (!running_ || failed_)
        return;
    QList<FolderRow> shown;
    for (FolderRow& row : rows) {
        if (row.path.isEmpty()) {
            failed_ = true;
            break;
        }
        shown.append(std::move(row));
    }
    if (shown.isEmpty())
        return;
    delivered_ += static_cast<int>(shown.size());
    const OrderedJobs<FolderRow>* listing = jobs_.get();
    Q_EMIT rowsReady(shown);
    // A slot may have stopped or restarted the listing.
    if (running_ && jobs_.get() == listing)
        Q_EMIT progress(delivered_, count_);
}

void FolderLister::end()
{
    if (!running_)
        return;
    running_ = false;
    reapStopped();
    Q_EMIT finished();
}

}  // namespace lumora
