#include "work/BackgroundRun.h"

#include "work/ThreadBudget.h"

namespace lumora {

BackgroundRun::BackgroundRun(Work work, QObject* parent) : QObject(parent), work_(std::move(work)) {}

BackgroundRun::~BackgroundRun() { stopAndWait(); }

void BackgroundRun::stopAndWait()
{
    stop_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundRun::start()
{
    if (started_)
        return;
    started_ = true;
    thread_ = std::jthread([this, stop = stop_.get_token()] {
        const ThreadBudget budget(1);
        // Queued to this object: nothing arrives once it is gone.
        const Progress tell = [this](const QString& caption, int done, int count) {
            QMetaObject::invokeMethod(
                this, [this, caption, done, count] { Q_EMIT progress(caption, done, count); }, Qt::QueuedConnection);
        };
        const std::function<void()> deliver = work_(tell, stop);
        QMetaObject::invokeMethod(
            this,
            [this, deliver] {
                deliver();
                finished_ = true;
                Q_EMIT finished();
            },
            Qt::QueuedConnection);
    });
}

void BackgroundRun::cancel() { stop_.request_stop(); }

}  // namespace lumora
