#include "output/QuietThreadReports.h"

#include "core/ErrorReport.h"

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>

namespace lumora {
namespace {

thread_local bool tQuiet = false;

// What the reporter does without a sink.
void printToStandardError(const ErrorReport& report)
{
    const QByteArray line = (report.application + QStringLiteral(": ") + report.oneLine() + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

// The sink that was there before, handed to the forwarding sink once the swap has told what it
// was; a report arriving in between waits for it rather than going astray.
struct ForwardTarget {
    std::mutex mutex;
    std::condition_variable known;
    bool ready = false;
    ErrorSink sink;
};

}  // namespace

QuietThreadReports::QuietThreadReports()
{
    auto target = std::make_shared<ForwardTarget>();
    previous_ = SetErrorSink([target](const ErrorReport& report) {
        if (tQuiet)
            return;
        std::unique_lock lock(target->mutex);
        target->known.wait(lock, [&] { return target->ready; });
        if (target->sink)
            target->sink(report);
        else
            printToStandardError(report);
    });
    {
        std::lock_guard lock(target->mutex);
        target->sink = previous_;
        target->ready = true;
    }
    target->known.notify_all();
}

QuietThreadReports::~QuietThreadReports() { SetErrorSink(std::move(previous_)); }

QuietThreadReports::Hush::Hush() : previous_(tQuiet) { tQuiet = true; }

QuietThreadReports::Hush::~Hush() { tQuiet = previous_; }

}  // namespace lumora
