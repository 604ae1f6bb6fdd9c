#include "work/ThreadBudget.h"

#include "engine/VipsRuntime.h"

#include <QThread>

#include <vips/vips.h>

#include <algorithm>
#include <mutex>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lumora {
namespace {

std::mutex budgetMutex;
int activeWorkers = 0;
// What the image library used before the first budget, put back when the last one ends.
int unbudgetedThreads = 0;

void applyLocked()
{
    const int threads = activeWorkers > 0 ? std::max(1, ThreadBudget::cores() / activeWorkers) : unbudgetedThreads;
    vips_concurrency_set(threads);
}

}  // namespace

int ThreadBudget::cores() { return std::max(1, QThread::idealThreadCount()); }

int ThreadBudget::pipelineThreads()
{
    ensureVipsStarted();
    return vips_concurrency_get();
}

void ThreadBudget::lowerThisThreadsPriority()
{
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
#endif
}

ThreadBudget::ThreadBudget(int workers) : workers_(std::max(1, workers))
{
    ensureVipsStarted();
    std::lock_guard lock(budgetMutex);
    if (activeWorkers == 0)
        unbudgetedThreads = vips_concurrency_get();
    activeWorkers += workers_;
    applyLocked();
}

ThreadBudget::~ThreadBudget()
{
    std::lock_guard lock(budgetMutex);
    activeWorkers -= workers_;
    applyLocked();
}

}  // namespace lumora
