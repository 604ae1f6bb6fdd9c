#pragma once

#include <QString>
#include <QStringList>

#include <csignal>
#include <stop_token>

class QCommandLineParser;

namespace lumora {
class ImageBox;
}

namespace lumora::cli {

// Exit codes of lumora-batch.
enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Thrown by a command for a wrong command line; main prints it with a hint and exits with 2.
struct UsageProblem {
    QString message;
};

// Parses the arguments of `command` with the options the parser holds; a single-dash word is a
// long option ("-dest" is "--dest"), as with every command of lumora-batch. Throws UsageProblem
// with the parser's message for a wrong command line.
void parseCommandLine(QCommandLineParser& parser, const QString& command, const QStringList& arguments);

// Writes one line to standard output / standard error.
void printOut(const QString& line);
void printError(const QString& line);

// Loads the photo into the engine; false, with the line "cannot read "PATH": why" on standard
// error, when the engine cannot read it.
bool loadPhoto(ImageBox& engine, const QString& path);

// Routes the common error reports to standard error, one line each, prefixed with the program
// name, and counts them.
class ReportCounter {
public:
    ReportCounter();
    ~ReportCounter();
    ReportCounter(const ReportCounter&) = delete;
    ReportCounter& operator=(const ReportCounter&) = delete;
    int count() const;
};

// While it lives, Ctrl-C asks the work holding token() to stop after the step in progress (a
// second Ctrl-C ends the program); the handler before it comes back when it goes.
class StopOnInterrupt {
public:
    StopOnInterrupt();
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;
    std::stop_token token() const;

private:
    void (*previous_)(int) = nullptr;
};

}  // namespace lumora::cli
