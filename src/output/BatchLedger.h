#pragma once

#include "engine/EngineSettings.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace lumora {

// What the workers of one batch run tell each other, so that running photos side by side gives
// the files a one-at-a-time run gives: which entries could be read, where each one writes, which
// are finished, and the engine settings the Task Basket leaves.
//
// Entries are taken strictly in basket order (OrderedJobs). Every wait below waits only for
// earlier entries, and every entry taken tells whether it was read, where it writes (nowhere,
// when it stops before naming its output) and that it is finished, so the earliest unfinished
// entry can always move on. Paths are compared as absolute, cleaned paths.
class BatchLedger {
public:
    // sources: the file each entry reads, in basket order.
    explicit BatchLedger(const QStringList& sources);

    int count() const { return static_cast<int>(sources_.size()); }
    // Whether the file is one an entry reads, by its path or, through links, as the same file.
    bool isSource(const QString& path) const;

    // Whether the entry's photo could be read.
    void setRead(int index, bool read);
    bool readTold(int index);

    // The settings the entry's engine holds after the Task Basket ran on its photo.
    void setSettings(int index, const EngineSettings& settings);
    // For an engine about to run the Task Basket for the first time, on this entry: the settings
    // an earlier entry's run left, which a one-at-a-time run would start this photo with. Waits
    // until an earlier entry has them, or every earlier entry is known to have none (then nothing:
    // this entry's run is the first).
    std::optional<EngineSettings> settingsBefore(int index);

    // Where the entry writes; empty when it writes nothing.
    void setOutput(int index, const QString& path);
    bool outputTold(int index);
    // Before reading its source: waits until every earlier entry has told where it writes, then
    // until every earlier entry writing this entry's source has finished.
    void waitBeforeReading(int index);
    // Before looking at and writing its output: waits until every earlier entry has told where it
    // writes, then until every earlier entry that writes or reads that file has finished.
    void waitBeforeWriting(int index);

    // The entry is finished, whatever its outcome.
    void finish(int index);

    static QString comparable(const QString& path);

private:
    enum class Read { Unknown, Yes, No };

    bool earlierOutputsTold(int index) const;
    void waitForEarlierFinished(std::unique_lock<std::mutex>& lock, int index, const QString& path, bool readersToo);

    std::mutex mutex_;
    std::condition_variable changed_;
    QStringList sources_;
    QSet<QString> sourceSet_;
    QSet<QString> canonicalSources_;
    std::vector<Read> read_;
    std::vector<std::optional<QString>> outputs_;
    std::vector<bool> finished_;
    // Per entry: the settings after its run; finished without them means it has none.
    std::vector<std::optional<EngineSettings>> settings_;
};

}  // namespace lumora
