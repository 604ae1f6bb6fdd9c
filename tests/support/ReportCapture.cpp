#include "support/ReportCapture.h"

#include <gtest/gtest.h>

#include <utility>

namespace lumora::test {

ReportCapture::ReportCapture()
    : previous_(SetErrorSink([this](const ErrorReport& report) { reports_.push_back(report); }))
{
}

ReportCapture::~ReportCapture() { SetErrorSink(std::move(previous_)); }

void ReportCapture::expectOne(const QString& routine, int number, int line,
                              const std::optional<QString>& trappingString)
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

}  // namespace lumora::test
