#pragma once

#include "album/AlbumGenerator.h"

#include <QObject>

#include <stop_token>
#include <thread>

namespace lumora {

// One web album written in the background (fncGenerateAlbum on a thread of its own), so that the
// window stays responsive while the pictures are made.
//
// progress() and then finished() are emitted on the thread the AlbumRun lives on, in order.
// Destroying an AlbumRun that still runs asks it to stop and waits for the page in progress.
class AlbumRun : public QObject {
    Q_OBJECT

public:
    explicit AlbumRun(AlbumJob job, QObject* parent = nullptr);
    ~AlbumRun() override;

    bool isRunning() const { return started_ && !finished_; }
    // After finished().
    const AlbumResult& result() const { return result_; }

public Q_SLOTS:
    // Starts the run; a second call does nothing.
    void start();
    // The page in progress is finished, no new one starts, and the index lists the pages done.
    void cancel();

Q_SIGNALS:
    // The status caption ("Loading Template...", "Working with - " + name) and the entries done.
    void progress(const QString& caption, int done, int count);
    void finished();

private:
    void ended(const AlbumResult& result);

    const AlbumJob job_;
    AlbumResult result_;
    bool started_ = false;
    bool finished_ = false;
    // Asked before each entry; a cancel before start() counts too.
    std::stop_source stop_;
    // Last: it stops and joins before the rest goes.
    std::jthread thread_;
};

}  // namespace lumora
