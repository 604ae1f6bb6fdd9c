#pragma once

namespace lumora {

// Keeps the threads of background work within the processor count. Every pool of workers holds a
// budget for as long as it runs; the image library's own threads per pipeline are then set so
// that workers x pipeline threads stays no larger than the cores (at least one each). Budgets of
// pools that run at the same time add up. Thread-safe.
class ThreadBudget {
public:
    explicit ThreadBudget(int workers);
    ~ThreadBudget();
    ThreadBudget(const ThreadBudget&) = delete;
    ThreadBudget& operator=(const ThreadBudget&) = delete;

    // The processor count the budgets share.
    static int cores();
    // The threads each image pipeline may use now.
    static int pipelineThreads();
    // Lets the calling thread give way to the others of the process (on Linux a thread's nice
    // value is its own).
    static void lowerThisThreadsPriority();

private:
    int workers_;
};

}  // namespace lumora
