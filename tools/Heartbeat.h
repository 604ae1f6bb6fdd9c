#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

namespace lumora::tools {

// The longest gap between two beats of a 5 ms timer on the GUI thread since the last reset: how
// long the window stood still. For the benchmarks and the window tour, never for tests.
class Heartbeat {
public:
    Heartbeat()
    {
        clock_.start();
        timer_.setInterval(5);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        timer_.start();
    }
    void reset()
    {
        last_ = clock_.nsecsElapsed();
        longest_ = 0;
    }
    double longestMs() const { return static_cast<double>(longest_) / 1e6; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

}  // namespace lumora::tools
