#pragma once

#include "core/ErrorReport.h"
#include "core/ErrorReporter.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace lumora::test {

// While it lives, every error report is kept here instead of reaching the installed sink, which
// gets its place back afterwards so one test's reports never leak into another. The sink points
// at this object, hence no copies or moves.
class ReportCapture {
public:
    ReportCapture() : previous_(SetErrorSink([this](const ErrorReport& report) { reports_.push_back(report); })) {}
    ~ReportCapture() { SetErrorSink(std::move(previous_)); }
    ReportCapture(const ReportCapture&) = delete;
    ReportCapture& operator=(const ReportCapture&) = delete;

    const std::vector<ErrorReport>& reports() const { return reports_; }
    void clear() { reports_.clear(); }

    // Checks that exactly one report came, from the routine, with the error number and line (and
    // the operation text, when given); clears it so the next step starts with none.
    void expectOne(const QString& routine, int number, int line,
                   const std::optional<QString>& trappingString = std::nullopt)
    {
        ASSERT_EQ(reports_.size(), 1u);
        const ErrorReport& report = reports_.front();
        EXPECT_EQ(report.routine, routine);
        if (trappingString) {
            EXPECT_EQ(report.trappingString, *trappingString);
        }
        EXPECT_EQ(report.number, number);
        EXPECT_EQ(report.line, line);
        reports_.clear();
    }

private:
    std::vector<ErrorReport> reports_;
    ErrorSink previous_;
};

}  // namespace lumora::test
