#include "output/BatchLedger.h"

#include <QDir>
#include <QFileInfo>

namespace lumora {

BatchLedger::BatchLedger(const QStringList& sources, Progress progress)
    : count_(static_cast<int>(sources.size())),
      progress_(std::move(progress)),
      read_(static_cast<size_t>(count_), Read::Unknown),
      outputs_(static_cast<size_t>(count_)),
      finished_(static_cast<size_t>(count_), false),
      counted_(static_cast<size_t>(count_), false)
{
    for (const QString& source : sources)
        sources_.append(comparable(source));
}

QString BatchLedger::comparable(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

int BatchLedger::take()
{
    if (stopping_)
        return -1;
    const int index = next_++;
    return index < count_ ? index : -1;
}

void BatchLedger::stop() { stopping_ = true; }

void BatchLedger::setRead(int index, bool read)
{
    {
        std::lock_guard lock(mutex_);
        read_[static_cast<size_t>(index)] = read ? Read::Yes : Read::No;
    }
    changed_.notify_all();
}

bool BatchLedger::readTold(int index)
{
    std::lock_guard lock(mutex_);
    return read_[static_cast<size_t>(index)] != Read::Unknown;
}

bool BatchLedger::anyReadBefore(int index)
{
    std::unique_lock lock(mutex_);
    bool any = false;
    changed_.wait(lock, [&] {
        bool allTold = true;
        for (int i = 0; i < index; ++i) {
            const Read r = read_[static_cast<size_t>(i)];
            if (r == Read::Yes) {
                any = true;
                return true;
            }
            allTold = allTold && r != Read::Unknown;
        }
        return allTold;
    });
    return any;
}

void BatchLedger::setOutput(int index, const QString& path)
{
    {
        std::lock_guard lock(mutex_);
        outputs_[static_cast<size_t>(index)] = comparable(path);
    }
    changed_.notify_all();
}

bool BatchLedger::outputTold(int index)
{
    std::lock_guard lock(mutex_);
    return outputs_[static_cast<size_t>(index)].has_value();
}

bool BatchLedger::earlierOutputsTold(int index) const
{
    for (int i = 0; i < index; ++i) {
        if (!outputs_[static_cast<size_t>(i)])
            return false;
    }
    return true;
}

void BatchLedger::waitForEarlierFinished(std::unique_lock<std::mutex>& lock, int index, const QString& path,
                                         bool readersToo)
{
    changed_.wait(lock, [&] { return earlierOutputsTold(index); });
    if (path.isEmpty())
        return;
    changed_.wait(lock, [&] {
        for (int i = 0; i < index; ++i) {
            const auto k = static_cast<size_t>(i);
            const bool touches = *outputs_[k] == path || (readersToo && sources_.at(i) == path);
            if (touches && !finished_[k])
                return false;
        }
        return true;
    });
}

void BatchLedger::waitBeforeReading(int index)
{
    std::unique_lock lock(mutex_);
    waitForEarlierFinished(lock, index, sources_.at(index), false);
}

void BatchLedger::waitBeforeWriting(int index)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return outputs_[static_cast<size_t>(index)].has_value(); });
    const QString path = *outputs_[static_cast<size_t>(index)];
    waitForEarlierFinished(lock, index, path, true);
}

void BatchLedger::finish(int index)
{
    {
        std::lock_guard lock(mutex_);
        finished_[static_cast<size_t>(index)] = true;
    }
    changed_.notify_all();

    std::lock_guard lock(progressMutex_);
    counted_[static_cast<size_t>(index)] = true;
    while (reported_ < count_ && counted_[static_cast<size_t>(reported_)]) {
        ++reported_;
        if (progress_)
            progress_(reported_, count_);
    }
}

}  // namespace lumora
