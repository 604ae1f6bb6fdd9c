#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace lumora::test {

// Runs the event loop until the condition holds or the time is up; returns the condition's last
// value. Use it as ASSERT_TRUE(waitFor(...)): Qt's QTRY_ macros report to QtTest, not to
// GoogleTest, so a timeout there would end a test quietly instead of failing it. Needs QtCore
// only, so both test programs can use it.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace lumora::test
