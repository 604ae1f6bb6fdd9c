// The background work facility through its public interface: results in list order whatever the
// order the workers finish in, stops that leave a clean start of the list, the newest request
// winning, and the thread budget. Workers are made to finish out of order with latches, never with
// sleeps.
#include "support/WaitFor.h"
#include "work/LatestWorker.h"
#include "work/OrderedJobs.h"
#include "work/OrderedProgress.h"
#include "work/ThreadBudget.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

TEST(OrderedJobs, ResultsArriveInListOrderWhateverOrderTheWorkersFinishIn)
{
    // Item 0 waits until item 1 is done, so the second worker always finishes first.
    std::promise<void> secondDone;
    std::shared_future<void> second = secondDone.get_future().share();
    std::vector<int> delivered;
    int calls = 0;
    OrderedJobs<int> jobs({
        .count = 6,
        .workers = 2,
        .work = [&](int index, int, const std::stop_token&) {
            if (index == 0)
                second.wait();
            if (index == 1)
                secondDone.set_value();
            return index * 10;
        },
        .deliver = [&](int first, std::vector<int>&& results) {
            ++calls;
            for (size_t i = 0; i < results.size(); ++i) {
                EXPECT_EQ(results[i], (first + static_cast<int>(i)) * 10);
                delivered.push_back(first + static_cast<int>(i));
            }
        },
    });
    jobs.run();
    EXPECT_EQ(delivered, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_LE(calls, 6);
    EXPECT_EQ(jobs.delivered(), 6);
}

TEST(OrderedJobs, AStopLeavesTheItemsStartedAsTheStartOfTheList)
{
    // Item 3 fails: no item starts after it, the ones in progress finish and are delivered.
    std::atomic<int> started{0};
    std::vector<int> delivered;
    std::stop_source cancel;
    OrderedJobs<bool> jobs({
        .count = 40,
        .workers = 3,
        .work = [&](int index, int, const std::stop_token&) {
            ++started;
            return index != 3;
        },
        .deliver = [&](int first, std::vector<bool>&& results) {
            for (size_t i = 0; i < results.size(); ++i)
                delivered.push_back(first + static_cast<int>(i));
        },
        .cancel = cancel.get_token(),
        .endsWork = [](bool ok) { return !ok; },
    });
    jobs.run();
    ASSERT_GE(delivered.size(), 4u);
    EXPECT_LT(delivered.size(), 40u);
    EXPECT_EQ(static_cast<int>(delivered.size()), started.load());
    for (size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(delivered[i], static_cast<int>(i));

    // A cancel before the start: nothing runs.
    cancel.request_stop();
    OrderedJobs<bool> cancelled({.count = 5, .workers = 2, .work = [&](int, int, const std::stop_token&) {
                                     ADD_FAILURE() << "an item ran after the cancel";
                                     return true;
                                 },
                                 .cancel = cancel.get_token()});
    cancelled.run();
}

TEST(OrderedJobs, WithAReceiverTheEndComesAfterTheLastResultEvenWhenTheReceiverIsSlow)
{
    // The receiver is still busy with the first result when every worker has returned: results
    // queued behind it must arrive before the end.
    QObject receiver;
    std::vector<int> delivered;
    int finished = 0;
    std::unique_ptr<OrderedJobs<int>> jobs;
    jobs = std::make_unique<OrderedJobs<int>>(OrderedJobs<int>::Setup{
        .count = 5,
        .workers = 2,
        .work = [](int index, int, const std::stop_token&) { return index; },
        .deliver = [&](int first, std::vector<int>&& results) {
            for (size_t i = 0; i < results.size(); ++i)
                delivered.push_back(first + static_cast<int>(i));
            // Busy, without handling events, until the workers are done.
            const QDeadlineTimer deadline(20000);
            while (delivered.size() == results.size() && !jobs->workersEnded() && !deadline.hasExpired())
                std::this_thread::yield();
            EXPECT_FALSE(deadline.hasExpired()) << "the workers did not return";
        },
        .receiver = &receiver,
        .finished = [&] {
            ++finished;
            EXPECT_EQ(delivered.size(), 5u) << "the end came before the last result";
        },
    });
    jobs->start();
    ASSERT_TRUE(waitFor([&] { return finished > 0; }));
    EXPECT_EQ(delivered, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(finished, 1);

    // An empty list finishes through the event loop too; an abandoned one never does.
    OrderedJobs<int> empty({.count = 0, .receiver = &receiver, .finished = [&] { ++finished; }});
    empty.start();
    ASSERT_TRUE(waitFor([&] { return finished == 2; }));
    OrderedJobs<int> abandoned({.count = 3, .workers = 1, .work = [](int i, int, const std::stop_token&) { return i; },
                                .deliver = [&](int, std::vector<int>&&) { ADD_FAILURE() << "delivered after abandon"; },
                                .receiver = &receiver,
                                .finished = [&] { ++finished; }});
    abandoned.start();
    abandoned.abandon();
    ASSERT_TRUE(waitFor([&] { return abandoned.workersEnded(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, 2);
}

TEST(OrderedProgress, OnlyTheFirstItemNotDoneReportsAndTheNextTellsWhereItGotTo)
{
    std::vector<int> told;
    OrderedProgress<int> progress(3, [&](const int& step) { told.push_back(step); });
    progress.report(1, 10);  // waits: item 0 is first
    progress.report(0, 1);
    progress.report(1, 11);
    progress.done(0);  // item 1 becomes first: its latest state
    progress.report(1, 12);
    progress.done(1);  // item 2 has not started: nothing to tell
    progress.report(2, 20);
    EXPECT_EQ(told, (std::vector<int>{1, 11, 12, 20}));
}

TEST(LatestWorker, OnlyTheNewestJobIsDeliveredAndAnOvertakenJobIsAskedToStop)
{
    QObject receiver;
    LatestWorker worker(&receiver);
    std::latch firstRunning(1);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> firstSawStop{false};
    std::vector<char> delivered;
    worker.post([&](const std::stop_token& stop) -> LatestWorker::Completion {
        firstRunning.count_down();
        released.wait();
        firstSawStop = stop.stop_requested();
        return [&] { delivered.push_back('a'); };
    });
    firstRunning.wait();
    worker.post([&](const std::stop_token&) -> LatestWorker::Completion { return [&] { delivered.push_back('b'); }; });
    worker.post([&](const std::stop_token&) -> LatestWorker::Completion { return [&] { delivered.push_back('c'); }; });
    release.set_value();
    ASSERT_TRUE(waitFor([&] { return !delivered.empty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<char>{'c'}));
    EXPECT_TRUE(firstSawStop);

    // Forgotten while it runs: what it makes is not delivered.
    std::latch running(1);
    std::promise<void> forgotten;
    std::shared_future<void> goOn = forgotten.get_future().share();
    std::atomic<bool> done{false};
    worker.post([&](const std::stop_token&) -> LatestWorker::Completion {
        running.count_down();
        goOn.wait();
        done = true;
        return [&] { delivered.push_back('d'); };
    });
    running.wait();
    worker.forget();
    forgotten.set_value();
    ASSERT_TRUE(waitFor([&] { return done.load(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<char>{'c'}));
}

TEST(ThreadBudget, WorkersTimesPipelineThreadsStayWithinTheCores)
{
    const int before = ThreadBudget::pipelineThreads();
    const int cores = ThreadBudget::cores();
    {
        const ThreadBudget one(1);
        EXPECT_EQ(ThreadBudget::pipelineThreads(), cores);
        {
            const ThreadBudget more(cores);
            EXPECT_EQ(ThreadBudget::pipelineThreads(), 1) << "budgets of pools running together add up";
        }
        EXPECT_EQ(ThreadBudget::pipelineThreads(), cores);
    }
    EXPECT_EQ(ThreadBudget::pipelineThreads(), before);
}

}  // namespace
