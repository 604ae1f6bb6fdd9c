#include "album/AlbumRun.h"

#include "work/ThreadBudget.h"

namespace lumora {

AlbumRun::AlbumRun(AlbumJob job, QObject* parent) : QObject(parent), job_(std::move(job)) {}

AlbumRun::~AlbumRun()
{
    stop_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void AlbumRun::start()
{
    if (started_)
        return;
    started_ = true;
    thread_ = std::jthread([this, stop = stop_.get_token()] {
        const ThreadBudget budget(1);
        // Queued to this object: nothing arrives once it is gone.
        const auto tell = [this](const QString& caption, int done, int count) {
            QMetaObject::invokeMethod(
                this, [this, caption, done, count] { Q_EMIT progress(caption, done, count); }, Qt::QueuedConnection);
        };
        const AlbumResult result = fncGenerateAlbum(job_, tell, stop);
        QMetaObject::invokeMethod(this, [this, result] { ended(result); }, Qt::QueuedConnection);
    });
}

void AlbumRun::cancel() { stop_.request_stop(); }

void AlbumRun::ended(const AlbumResult& result)
{
    result_ = result;
    finished_ = true;
    Q_EMIT finished();
}

}  // namespace lumora
