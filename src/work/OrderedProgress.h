#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace lumora {

// Progress of items worked on side by side (OrderedJobs), told in list order: only the first
// item not yet done reports; the others keep just their latest state, which is told when they
// become the first. So a progress bar never jumps back and forth between files. Thread-safe; the
// telling runs under a lock, one at a time, which keeps queued signals in order.
template <typename Progress>
class OrderedProgress {
public:
    OrderedProgress(int count, std::function<void(const Progress&)> tell)
        : tell_(std::move(tell)), done_(static_cast<size_t>(count), false), latest_(static_cast<size_t>(count))
    {
    }

    void report(int index, Progress progress)
    {
        std::lock_guard lock(mutex_);
        if (index == head_)
            tell_(progress);
        else
            latest_[static_cast<size_t>(index)] = std::move(progress);
    }

    void done(int index)
    {
        std::lock_guard lock(mutex_);
        done_[static_cast<size_t>(index)] = true;
        latest_[static_cast<size_t>(index)].reset();
        const int previous = head_;
        while (head_ < static_cast<int>(done_.size()) && done_[static_cast<size_t>(head_)])
            ++head_;
        // A new first item shows where it has got to; one not started yet reports when it starts.
        if (head_ != previous && head_ < static_cast<int>(done_.size())) {
            if (auto& next = latest_[static_cast<size_t>(head_)]) {
                tell_(*next);
                next.reset();
            }
        }
    }

private:
    std::function<void(const Progress&)> tell_;
    std::mutex mutex_;
    int head_ = 0;
    std::vector<bool> done_;
    std::vector<std::optional<Progress>> latest_;
};

}  // namespace lumora
