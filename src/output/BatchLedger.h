#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace lumora {

// What the workers of one batch run share, so that running photos side by side gives the files
// a one-at-a-time run gives: which entry comes next, which entries could be read, where each
// one writes, which are finished, and how far the run has got in basket order.
//
// Entries are handed out strictly in basket order. Every wait below waits only for earlier
// entries, and every entry taken tells whether it was read and where it writes (nowhere, when
// it stops before naming its output), so the earliest unfinished entry can always move on.
// Paths are compared as absolute, cleaned paths.
class BatchLedger {
public:
    using Progress = std::function<void(int done, int count)>;

    // sources: the file each entry reads, in basket order.
    BatchLedger(const QStringList& sources, Progress progress);

    int count() const { return count_; }

    // The next entry (0-based), or -1 when every entry has been taken or the run is stopping.
    int take();
    // No entry is handed out after this; entries already taken are finished.
    void stop();
    bool stopping() const { return stopping_; }

    // Whether the entry's photo could be read.
    void setRead(int index, bool read);
    bool readTold(int index);
    // Whether some entry before this one was read; waits until every earlier entry has told, or
    // one of them was read.
    bool anyReadBefore(int index);

    // Where the entry writes; empty when it writes nothing.
    void setOutput(int index, const QString& path);
    bool outputTold(int index);
    // Before reading its source: waits until every earlier entry has told where it writes, then
    // until every earlier entry writing this entry's source has finished.
    void waitBeforeReading(int index);
    // Before looking at and writing its output: waits until every earlier entry has told where it
    // writes, then until every earlier entry that writes or reads that file has finished.
    void waitBeforeWriting(int index);

    // The entry is finished, whatever its outcome. The progress callback hears the number of
    // entries finished from the start of the basket without a gap, rising by one each call, one
    // call at a time, on the thread that closed the gap.
    void finish(int index);

    static QString comparable(const QString& path);

private:
    enum class Read { Unknown, Yes, No };

    bool earlierOutputsTold(int index) const;
    void waitForEarlierFinished(std::unique_lock<std::mutex>& lock, int index, const QString& path, bool readersToo);

    const int count_;
    const Progress progress_;
    std::atomic<int> next_{0};
    std::atomic<bool> stopping_{false};

    std::mutex mutex_;
    std::condition_variable changed_;
    QStringList sources_;
    std::vector<Read> read_;
    std::vector<std::optional<QString>> outputs_;
    std::vector<bool> finished_;

    std::mutex progressMutex_;
    std::vector<bool> counted_;
    int reported_ = 0;
};

}  // namespace lumora
