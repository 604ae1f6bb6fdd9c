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
  header FILE
        Read the size, bits per pixel, resolution and grey flag of a GIF, BMP,
        little-endian TIFF, JPEG or PNG file from its header alone, one
        "key: value" line each: format, width, height, bits-per-pixel, dpi, grey
        and result (whether the file was recognised). Sizes and resolutions are
        the header's full values, also above 32767. A JPEG without a baseline
        frame (a progressive one) reads 0 x 0; TIFF and JPEG always read 24 bits
        per pixel. Exit status 1 when the file is not recognised.
  thumb [--mode 0|1|2] [--size WxH] INPUT OUTPUT
        Make the thumbnail the folder view and the image basket show for INPUT
        and write it to OUTPUT (its extension picks the format, as for apply).
        Mode 2 (the default): exactly WxH, the photo centred on white; mode 1:
        shrunk to fit inside WxH, never enlarged; mode 0: the photo's own size.
        The size defaults to 40x40. Exit status 1 when INPUT cannot be read.
  thumb [--mode M] [--size WxH] [--jobs N] --out-dir DIR INPUT...
        The same for many files, N at a time (default: the number of cores),
        each written to DIR/NAME.png, NAME being the input's file name without
        its last extension. A file that cannot be read gets one line on standard
        error, the others are still written, and the exit status is 1.

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
    if (command == u"header")
        return runHeader(rest);
    if (command == u"thumb")
        return runThumb(rest);
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
