#pragma once

#include "core/ErrorReporter.h"

#include <QString>

#include <utility>

namespace lumora::cli {

// While it lives, keeps the first error report made since the last take() instead of printing
// each: the metadata commands say in one line per file what went wrong with it.
class FirstReport {
public:
    FirstReport()
        : previous_(SetErrorSink([this](const ErrorReport& report) {
              if (description_.isEmpty())
                  description_ = report.description;
          }))
    {
    }
    ~FirstReport() { SetErrorSink(previous_); }
    FirstReport(const FirstReport&) = delete;
    FirstReport& operator=(const FirstReport&) = delete;

    // The description of the first report since the last call, "" when there was none.
    QString take() { return std::exchange(description_, QString()); }

private:
    QString description_;
    ErrorSink previous_;
};

}  // namespace lumora::cli
