#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

namespace lumora::tools {

// Waits for the next message box to open (a batch ends with one saying what it did), calls
// `seen` with it and then closes it, so that a tour or a benchmark goes on unattended. For the
// benchmarks and the window tour, never for tests.
class MessageBoxWatch {
public:
    MessageBoxWatch(int intervalMs, std::function<void()> seen) : seen_(std::move(seen))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer_.stop();
            seen_();
            box->reject();
        });
        timer_.start(intervalMs);
    }
    bool done() const { return !timer_.isActive(); }

private:
    std::function<void()> seen_;
    QTimer timer_;
};

}  // namespace lumora::tools
