#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <stop_token>
#include <thread>

namespace lumora {

// One long piece of work (an album, a show package) on a thread of its own, so that the window
// and its status window stay responsive; it holds one share of the ThreadBudget while it runs.
//
// progress() and then finished() are emitted on the thread the run lives on, in order.
// Destroying a run that is still working asks it to stop and waits for the step in progress.
class BackgroundRun : public QObject {
    Q_OBJECT

public:
    using Progress = std::function<void(const QString& caption, int done, int count)>;
    // What the thread does; it returns what to do with its result on the run's own thread.
    using Work = std::function<std::function<void()>(const Progress& progress, std::stop_token stop)>;

    explicit BackgroundRun(Work work, QObject* parent = nullptr);
    ~BackgroundRun() override;

    bool isRunning() const { return started_ && !finished_; }

public Q_SLOTS:
    // Starts the run; a second call does nothing.
    void start();
    // Asks the work to stop after the step in progress; a cancel before start() counts too.
    void cancel();

Q_SIGNALS:
    void progress(const QString& caption, int done, int count);
    void finished();

protected:
    // Subclasses must stop the thread before their own members go.
    void stopAndWait();

private:
    const Work work_;
    bool started_ = false;
    bool finished_ = false;
    std::stop_source stop_;
    // Last: it stops and joins before the rest goes.
    std::jthread thread_;
};

}  // namespace lumora
