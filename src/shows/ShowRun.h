#pragma once

#include "shows/modScreensaver.h"

#include <QObject>

#include <functional>
#include <stop_token>
#include <thread>

namespace lumora {

class ImageBox;

// One show package written in the background (a packager of modScreensaver on a thread of its
// own, with an engine of its own), so that the window and its status window stay responsive.
//
// progress() and then finished() are emitted on the thread the ShowRun lives on, in order.
// Destroying a ShowRun that still runs asks it to stop and waits for the picture in progress.
class ShowRun : public QObject {
    Q_OBJECT

public:
    // What the thread runs: a packager called with the run's engine, progress and stop token.
    using Packager = std::function<ShowResult(ImageBox& engine, const ShowProgressCallback& progress,
                                              std::stop_token stop)>;

    explicit ShowRun(Packager packager, QObject* parent = nullptr);
    ~ShowRun() override;

    bool isRunning() const { return started_ && !finished_; }
    // After finished().
    const ShowResult& result() const { return result_; }

public Q_SLOTS:
    // Starts the run; a second call does nothing.
    void start();
    // The picture in progress is finished and the package is closed with the pictures done.
    void cancel();

Q_SIGNALS:
    void progress(const QString& caption, int done, int count);
    void finished();

private:
    void ended(const ShowResult& result);

    const Packager packager_;
    ShowResult result_;
    bool started_ = false;
    bool finished_ = false;
    std::stop_source stop_;
    // Last: it stops and joins before the rest goes.
    std::jthread thread_;
};

}  // namespace lumora
