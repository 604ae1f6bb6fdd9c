#include "core/ErrorReporter.h"

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"

#include <QTextStream>

#include <cstdio>
#include <mutex>

namespace lumora {
namespace {

std::mutex& sinkMutex()
{
    static std::mutex m;
    return m;
}

ErrorSink& currentSink()
{
    static ErrorSink sink;
    return sink;
}

void printToStandardError(const ErrorReport& report)
{
    const QByteArray line = (report.application + QStringLiteral(": ") + report.oneLine() + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

ErrorSink SetErrorSink(ErrorSink sink)
{
    std::lock_guard lock(sinkMutex());
    ErrorSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void ReportError(const QString& description, int number, int line, const QString& routine)
{
    ErrorReport report;
    report.application = QString::fromLatin1(app::Title) + u' ' + QString::fromLatin1(app::Version);
    report.routine = routine;
    report.line = line;
    report.trappingString = CurrentOperation();
    report.number = number;
    report.description = description;

    std::lock_guard lock(sinkMutex());
    if (currentSink())
        currentSink()(report);
    else
        printToStandardError(report);
}

}  // namespace lumora
