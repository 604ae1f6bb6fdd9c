#pragma once

#include "work/ThreadBudget.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

namespace lumora {

// Background work over a list: work(index) runs for every index 0..count-1 on a few worker
// threads, and each result reaches deliver() strictly in index order.
//
// - Hand-out: indexes are handed out in order, one at a time, so the items started always form the
//   start of the list, whenever the work stops.
// - Stop: stop() (from any thread), a cancel token of the caller's, or a result that ends the work
//   (a failure) starts no new item; the items in progress finish and are delivered. The work sees
//   a stop through its stop token.
// - Delivery: with a receiver, on the receiver's thread through its event loop, as many ready
//   results at once as have arrived; `finished` follows there after the last one. Without a
//   receiver, on the worker thread that completes the next result in order, one call at a time.
// - Abandon (receiver's thread): nothing more is delivered, no `finished` comes; the workers
//   finish the item they hold and take no other.
// - Lifetime: the destructor abandons and waits for the workers. A caller that must not wait
//   keeps an abandoned list of jobs until workersEnded().
// - Threads: the workers hold a ThreadBudget while they run.
template <typename Result>
class OrderedJobs {
public:
    // `worker` (0 .. workers - 1) tells which worker runs the item, for state kept per worker.
    using Work = std::function<Result(int index, int worker, const std::stop_token& stop)>;
    // Results in index order; `first` is the index of the first of them.
    using Deliver = std::function<void(int first, std::vector<Result>&& results)>;

    struct Setup {
        int count = 0;
        int workers = 1;
        Work work = {};
        Deliver deliver = {};
        QObject* receiver = nullptr;
        std::function<void()> finished = {};  // with a receiver only
        // A second way to stop, owned by the caller (a cancel that may come before the start).
        std::stop_token cancel = {};
        // A result that ends the work (a failure): no new item starts after it.
        std::function<bool(const Result&)> endsWork = {};
        // The workers give way to the window's thread (a lower scheduling priority), which must
        // stay quick to answer while they keep every core busy.
        bool yieldToWindow = false;
    };

    explicit OrderedJobs(Setup setup) : state_(std::make_shared<State>(std::move(setup))) {}
    // Work must not throw: each item reports its own failures (reportFailures) and says so in
    // its result.
    ~OrderedJobs()
    {
        state_->abandoned = true;
        state_->stop.request_stop();
        for (std::thread& thread : threads_)
            thread.join();
    }
    OrderedJobs(const OrderedJobs&) = delete;
    OrderedJobs& operator=(const OrderedJobs&) = delete;

    // Starts the workers and returns. With a receiver, an empty list finishes through the event
    // loop all the same, so callers may connect after start().
    void start()
    {
        const int workers = workerCount();
        state_->workersLeft = workers;
        if (workers == 0) {
            state_->postEnd();
            return;
        }
        for (int i = 0; i < workers; ++i)
            threads_.emplace_back([state = state_, i] { state->workLoop(i); });
    }

    // Works on the calling thread too and returns when every item started has been delivered.
    // Without a receiver only.
    void run()
    {
        const int workers = workerCount();
        if (workers == 0)
            return;
        state_->workersLeft = workers;
        for (int i = 1; i < workers; ++i)
            threads_.emplace_back([state = state_, i] { state->workLoop(i); });
        state_->workLoop(0);
        for (std::thread& thread : threads_)
            thread.join();
        threads_.clear();
    }

    void stop() { state_->stop.request_stop(); }
    void abandon()
    {
        state_->abandoned = true;
        stop();
    }
    bool stopRequested() const { return state_->stop.stop_requested(); }
    std::stop_token stopToken() const { return state_->stop.get_token(); }
    // Every worker has returned from its last item (joining them now would not wait).
    bool workersEnded() const { return state_->workersLeft == 0; }
    // Items delivered so far.
    int delivered() const
    {
        std::lock_guard lock(state_->mutex);
        return state_->nextToDeliver;
    }

private:
    struct State : std::enable_shared_from_this<State> {
        explicit State(Setup s) : setup(std::move(s)), receiver(setup.receiver) {}

        void workLoop(int worker)
        {
            const ThreadBudget budget(1);
            if (setup.yieldToWindow)
                ThreadBudget::lowerThisThreadsPriority();
            for (;;) {
                if (stop.stop_requested() || setup.cancel.stop_requested())
                    break;
                const int index = next++;
                if (index >= setup.count)
                    break;
                Result result = setup.work(index, worker, stop.get_token());
                if (setup.endsWork && setup.endsWork(result))
                    stop.request_stop();
                put(index, std::move(result));
            }
            std::lock_guard lock(mutex);
            if (--workersLeft == 0 && setup.receiver)
                postEnd();
        }

        void put(int index, Result&& result)
        {
            {
                std::lock_guard lock(mutex);
                ready.emplace(index, std::move(result));
                if (setup.receiver) {
                    if (!flushQueued) {
                        flushQueued = true;
                        post([](State& s) { s.flush(); });
                    }
                    return;
                }
            }
            // No receiver: whoever completes the next result in order delivers, one at a time.
            std::lock_guard delivering(deliverMutex);
            flush();
        }

        // Hands every result that is next in order to deliver().
        void flush()
        {
            for (;;) {
                std::vector<Result> results;
                int first = 0;
                {
                    std::lock_guard lock(mutex);
                    flushQueued = false;
                    first = nextToDeliver;
                    for (auto it = ready.find(nextToDeliver); it != ready.end(); it = ready.find(nextToDeliver)) {
                        results.push_back(std::move(it->second));
                        ready.erase(it);
                        ++nextToDeliver;
                    }
                }
                if (results.empty() || abandoned)
                    return;
                if (setup.deliver)
                    setup.deliver(first, std::move(results));
                if (setup.receiver)
                    return;  // the receiver's thread gets what arrived meanwhile with the next flush
            }
        }

        // The last worker's notice: every result has been put before it, so once it arrives
        // nothing more can come.
        void postEnd()
        {
            post([](State& s) {
                s.flush();
                if (!s.abandoned && s.setup.finished)
                    s.setup.finished();
            });
        }

        void post(void (*call)(State&))
        {
            QObject* target = receiver.data();
            if (!target)
                return;
            QMetaObject::invokeMethod(
                target,
                [self = this->weak_from_this(), call] {
                    if (auto state = self.lock())
                        call(*state);
                },
                Qt::QueuedConnection);
        }

        Setup setup;
        QPointer<QObject> receiver;
        std::stop_source stop;
        std::atomic<bool> abandoned{false};
        std::atomic<int> next{0};
        std::atomic<int> workersLeft{0};
        mutable std::mutex mutex;
        std::mutex deliverMutex;
        std::map<int, Result> ready;
        int nextToDeliver = 0;
        bool flushQueued = false;
    };

    int workerCount() const
    {
        const int count = state_->setup.count;
        return count > 0 ? std::clamp(state_->setup.workers, 1, count) : 0;
    }

    std::shared_ptr<State> state_;
    std::vector<std::thread> threads_;
};

}  // namespace lumora
