#include "cli/CliSupport.h"

#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "engine/ImageBox.h"

#include <QCommandLineParser>

#include <atomic>
#include <cstdio>

namespace lumora::cli {
namespace {

std::atomic<int> gReports{0};

void writeLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

void parseCommandLine(QCommandLineParser& parser, const QString& command, const QStringList& arguments)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{command} + arguments))
        throw UsageProblem{parser.errorText()};
}

void printOut(const QString& line) { writeLine(stdout, line); }
void printError(const QString& line) { writeLine(stderr, QStringLiteral("lumora-batch: ") + line); }

ReportCounter::ReportCounter()
{
    gReports = 0;
    SetErrorSink([](const ErrorReport& report) {
        ++gReports;
        printError(report.oneLine());
    });
}

ReportCounter::~ReportCounter() { SetErrorSink({}); }

int ReportCounter::count() const { return gReports; }

bool loadPhoto(ImageBox& engine, const QString& path)
{
    try {
        engine.LoadFromFile(path);
        return true;
    } catch (const LumoraError& e) {
        printError(QStringLiteral("cannot read \"%1\": %2").arg(path, e.description()));
        return false;
    }
}

namespace {

std::stop_source gInterrupt;

extern "C" void stopOnInterrupt(int)
{
    gInterrupt.request_stop();
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

StopOnInterrupt::StopOnInterrupt()
{
    gInterrupt = std::stop_source();
    previous_ = std::signal(SIGINT, stopOnInterrupt);
}

StopOnInterrupt::~StopOnInterrupt() { std::signal(SIGINT, previous_); }

std::stop_token StopOnInterrupt::token() const { return gInterrupt.get_token(); }

}  // namespace lumora::cli
