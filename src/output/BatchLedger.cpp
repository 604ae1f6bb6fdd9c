#include "output/BatchLedger.h"

#include <QDir>
#include <QFileInfo>

namespace lumora {

BatchLedger::BatchLedger(const QStringList& sources)
    : read_(static_cast<size_t>(sources.size()), Read::Unknown),
      outputs_(static_cast<size_t>(sources.size())),
      finished_(static_cast<size_t>(sources.size()), false),
      settings_(static_cast<size_t>(sources.size()))
{
    for (const QString& source : sources) {
        sources_.append(comparable(source));
        sourceSet_.insert(sources_.back());
        const QString canonical = QFileInfo(source).canonicalFilePath();
        if (!canonical.isEmpty())
            canonicalSources_.insert(canonical);
    }
}

bool BatchLedger::isSource(const QString& path) const
{
    if (sourceSet_.contains(comparable(path)))
        return true;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonicalSources_.contains(canonical);
}

QString BatchLedger::comparable(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

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

void BatchLedger::setSettings(int index, const EngineSettings& settings)
{
    {
        std::lock_guard lock(mutex_);
        settings_[static_cast<size_t>(index)] = settings;
    }
    changed_.notify_all();
}

std::optional<EngineSettings> BatchLedger::settingsBefore(int index)
{
    std::unique_lock lock(mutex_);
    std::optional<EngineSettings> found;
    changed_.wait(lock, [&] {
        bool allWithout = true;
        for (int i = index - 1; i >= 0; --i) {
            const auto k = static_cast<size_t>(i);
            if (settings_[k]) {
                found = settings_[k];
                return true;
            }
            allWithout = allWithout && (finished_[k] || read_[k] == Read::No);
        }
        return allWithout;
    });
    return found;
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
}

}  // namespace lumora
