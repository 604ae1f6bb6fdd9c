// lumora-batch: Lumora's editing and conversion without a window.

#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/AppInfo.h"
#include "engine/VipsRuntime.h"

#include <QCoreApplication>

#include <exception>

namespace {

using namespace lumora::cli;

const char* const kHelp = R"(Usage: lumora-batch COMMAND [OPTIONS] ARGUMENTS

Lumora's photo editing without the window.

Commands:
  apply --tasks FILE.tbf [--quality N] [--progressive] INPUT OUTPUT
        Load INPUT, apply every task of the task basket file in order and write
        OUTPUT; its extension picks the format (jpg, png, tif, bmp, gif, pcx, psd,
        wbmp). JPEG quality defaults to 80. A task that fails is reported on
        standard error and ends the task run; OUTPUT is still written with the
        photo as it stood, and the exit status is 1.
  tasks FILE.tbf
        List the tasks of a task basket file, one per line, tab-separated:
        position, kind number, kind name, key and the 17 parameter slots.
  settings dump [FILE]
        Print a settings file as JSON: its blocks and fields in file order, the
        values as stored. FILE defaults to the settings file of the program
        folder ($LUMORA_HOME when set).
  settings init FILE
        Write a settings file holding the defaults of a first start.

Options:
  -h, --help     Show this help and exit.
  -V, --version  Show the version and exit.

Exit status: 0 success, 1 failure (one line on standard error), 2 wrong usage.
)";

int dispatch(const QStringList& arguments)
{
    if (arguments.isEmpty())
        throw UsageProblem{QStringLiteral("no command given")};
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == u"-h" || command == u"--help" || command == u"help") {
        printOut(QString::fromUtf8(kHelp).trimmed());
        return Success;
    }
    if (command == u"-V" || command == u"--version") {
        printOut(QStringLiteral("lumora-batch %1").arg(QString::fromLatin1(lumora::app::Version)));
        return Success;
    }
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        printOut(QString::fromUtf8(kHelp).trimmed());
        return Success;
    }
    if (command == u"apply")
        return runApply(rest);
    if (command == u"tasks")
        return runTasks(rest);
    if (command == u"settings")
        return runSettings(rest);
    throw UsageProblem{QStringLiteral("unknown command \"%1\"").arg(command)};
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora-batch"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(lumora::app::Version));
    try {
        lumora::ensureVipsStarted();
        return dispatch(app.arguments().mid(1));
    } catch (const UsageProblem& problem) {
        printError(problem.message);
        printError(QStringLiteral("try \"lumora-batch --help\""));
        return UsageError;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        return Failure;
    }
}
