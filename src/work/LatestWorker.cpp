#include "work/LatestWorker.h"

#include "work/ThreadBudget.h"

#include <QMetaObject>
#include <QPointer>

#include <mutex>
#include <optional>
#include <thread>

namespace lumora {

struct LatestWorker::State : std::enable_shared_from_this<State> {
    explicit State(QObject* r) : receiver(r) {}

    QPointer<QObject> receiver;
    std::mutex mutex;
    std::optional<Job> waiting;
    std::stop_source running;  // the job under way
    bool threadRunning = false;
    bool closing = false;
    // Numbers every post and forget; a completion is delivered only while it is the latest.
    quint64 latest = 0;
    std::thread thread;

    void loop()
    {
        const ThreadBudget budget(1);
        for (;;) {
            Job job;
            std::stop_token token;
            quint64 ticket = 0;
            {
                std::lock_guard lock(mutex);
                if (closing || !waiting) {
                    threadRunning = false;
                    return;
                }
                job = std::move(*waiting);
                waiting.reset();
                running = std::stop_source();
                token = running.get_token();
                ticket = latest;
            }
            Completion completion = job(token);
            job = nullptr;
            {
                std::lock_guard lock(mutex);
                if (completion && ticket == latest && !closing && receiver) {
                    // Checked again on arrival: a newer post or a forget may come before it runs.
                    QMetaObject::invokeMethod(
                        receiver.data(),
                        [self = weak_from_this(), ticket, completion = std::move(completion)] {
                            const auto state = self.lock();
                            if (!state)
                                return;
                            {
                                std::lock_guard check(state->mutex);
                                if (ticket != state->latest || state->closing)
                                    return;
                            }
                            completion();
                        },
                        Qt::QueuedConnection);
                }
            }
            // An overtaken result is freed here, on this thread.
            completion = nullptr;
        }
    }
};

LatestWorker::LatestWorker(QObject* receiver) : state_(std::make_shared<State>(receiver)) {}

LatestWorker::~LatestWorker()
{
    std::thread thread;
    {
        std::lock_guard lock(state_->mutex);
        state_->closing = true;
        state_->waiting.reset();
        state_->running.request_stop();
        thread = std::move(state_->thread);
    }
    if (thread.joinable())
        thread.join();
}

void LatestWorker::post(Job job)
{
    std::lock_guard lock(state_->mutex);
    ++state_->latest;
    state_->running.request_stop();
    state_->waiting = std::move(job);
    if (state_->threadRunning)
        return;
    // A thread that found nothing more to do has returned or is about to: collect it.
    if (state_->thread.joinable())
        state_->thread.join();
    state_->threadRunning = true;
    state_->thread = std::thread([state = state_] { state->loop(); });
}

void LatestWorker::forget()
{
    std::lock_guard lock(state_->mutex);
    ++state_->latest;
    state_->running.request_stop();
    state_->waiting.reset();
}

}  // namespace lumora
