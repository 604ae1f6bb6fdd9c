#pragma once

#include "core/ErrorReporter.h"

namespace lumora {

// While it lives, error reports raised on a thread inside a QuietThreadReports::Hush are
// dropped; every other report reaches the sink that was installed before, unchanged. The batch
// uses it for work whose failures would only repeat what the real photos report.
class QuietThreadReports {
public:
    QuietThreadReports();
    ~QuietThreadReports();
    QuietThreadReports(const QuietThreadReports&) = delete;
    QuietThreadReports& operator=(const QuietThreadReports&) = delete;

    // Marks the calling thread quiet for as long as it lives.
    class Hush {
    public:
        Hush();
        ~Hush();
        Hush(const Hush&) = delete;
        Hush& operator=(const Hush&) = delete;

    private:
        bool previous_;
    };

private:
    ErrorSink previous_;
};

}  // namespace lumora
