#include "output/BatchRun.h"

#include <QMetaObject>

namespace lumora {

BatchRun::BatchRun(QList<BatchEntry> entries, QList<TaskRecord> tasks, SetupRecord::Naming settings,
                   QObject* parent)
    : QObject(parent), conversion_(std::move(entries), std::move(tasks), std::move(settings))
{
    conversion_.setProgressCallback([this](int done, int count) { Q_EMIT progress(done, count); });
}

BatchRun::~BatchRun()
{
    if (thread_.joinable()) {
        conversion_.cancel();
        thread_.join();
    }
}

void BatchRun::start()
{
    if (started_)
        return;
    started_ = true;
    thread_ = std::thread([this] {
        const bool ok = conversion_.fncSaveSinglePage();
        // Dropped by Qt when the BatchRun is destroyed first (its destructor waits for this
        // thread, so `this` is still whole while the call is queued).
        QMetaObject::invokeMethod(this, [this, ok] { ended(ok); }, Qt::QueuedConnection);
    });
}

void BatchRun::ended(bool ok)
{
    if (thread_.joinable())
        thread_.join();
    ok_ = ok;
    finished_ = true;
    Q_EMIT finished(ok);
}

}  // namespace lumora
