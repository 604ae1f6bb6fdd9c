#include "output/BatchRun.h"

namespace lumora {

BatchRun::BatchRun(QList<BatchEntry> entries, QList<TaskRecord> tasks, SetupRecord::Naming settings,
                   QObject* parent)
    : QObject(parent), conversion_(std::move(entries), std::move(tasks), std::move(settings))
{
    conversion_.setProgressCallback([this](int done, int count) { Q_EMIT progress(done, count); });
}

// The conversion cancels and waits for its photos in progress.
BatchRun::~BatchRun() = default;

void BatchRun::start()
{
    if (started_)
        return;
    started_ = true;
    conversion_.start(this, [this](bool ok) { ended(ok); });
}

void BatchRun::ended(bool ok)
{
    ok_ = ok;
    finished_ = true;
    Q_EMIT finished(ok);
}

}  // namespace lumora
