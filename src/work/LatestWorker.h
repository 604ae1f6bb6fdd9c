#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <stop_token>

namespace lumora {

// One worker thread that always works on the newest request. Posting a job asks the job under
// way to stop (through its stop token) and replaces any job still waiting, so a burst of requests
// costs one job, not a queue of them. A job returns what is to be done with its result on the
// receiver's thread; that runs only when no newer job was posted (or forget() called) meanwhile,
// so a result on screen is never older than one already shown. Whatever an overtaken job made is
// freed on the worker thread.
//
// The thread starts with the first job and ends when it has nothing to do. The destructor asks
// the job under way to stop and waits for it; nothing is delivered after that.
class LatestWorker {
public:
    using Completion = std::function<void()>;
    // Runs on the worker thread; asks the token between its steps. An empty completion means
    // nothing is to be done on the receiver's thread.
    using Job = std::function<Completion(const std::stop_token& stop)>;

    explicit LatestWorker(QObject* receiver);
    ~LatestWorker();
    LatestWorker(const LatestWorker&) = delete;
    LatestWorker& operator=(const LatestWorker&) = delete;

    void post(Job job);
    // Nothing posted so far is wanted any more: a job under way is asked to stop, a waiting one
    // dropped, and no completion posted before this call runs.
    void forget();

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace lumora
