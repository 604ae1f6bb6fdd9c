#pragma once

// One acquisition on a thread of its own, so the window stays live while the scanner works: the
// pages, the progress and the end arrive as signals on the thread that owns the run. Cancel asks
// SANE to stop; pages already delivered stay delivered.

#include "acquire/SaneScanner.h"
#include "acquire/ScanRequest.h"
#include "acquire/ScannedPage.h"

#include <QObject>
#include <QString>

#include <thread>

namespace lumora {

class AcquisitionRun : public QObject {
    Q_OBJECT
public:
    explicit AcquisitionRun(QObject* parent = nullptr);
    ~AcquisitionRun() override;  // cancels and waits for the thread

    // Starts the acquisition; false while one is still under way.
    bool start(const ScanRequest& request);
    void cancel();
    bool running() const;

Q_SIGNALS:
    // `index` counts the pages of this acquisition from 1.
    void pageAcquired(const lumora::ScannedPage& page, int index);
    void progress(int percent);
    // The end of the acquisition: `error` is empty when it ran through or was cancelled.
    void finished(const QString& error, int errorNumber);

private:
    void join();

    SaneScanner scanner_;
    std::thread thread_;
    bool running_ = false;
};

}  // namespace lumora
