#include "shows/ShowRun.h"

#include "engine/ImageBox.h"
#include "work/ThreadBudget.h"

namespace lumora {

ShowRun::ShowRun(Packager packager, QObject* parent) : QObject(parent), packager_(std::move(packager)) {}

ShowRun::~ShowRun()
{
    stop_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void ShowRun::start()
{
    if (started_)
        return;
    started_ = true;
    thread_ = std::jthread([this, stop = stop_.get_token()] {
        const ThreadBudget budget(1);
        // Queued to this object: nothing arrives once it is gone.
        const ShowProgressCallback tell = [this](const QString& caption, int done, int count) {
            QMetaObject::invokeMethod(
                this, [this, caption, done, count] { Q_EMIT progress(caption, done, count); }, Qt::QueuedConnection);
        };
        ShowResult result;
        {
            ImageBox engine(ImageBox::Mode::Batch);
            result = packager_(engine, tell, stop);
        }
        QMetaObject::invokeMethod(this, [this, result] { ended(result); }, Qt::QueuedConnection);
    });
}

void ShowRun::cancel() { stop_.request_stop(); }

void ShowRun::ended(const ShowResult& result)
{
    result_ = result;
    finished_ = true;
    Q_EMIT finished();
}

}  // namespace lumora
