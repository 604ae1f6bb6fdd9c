#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "acquire/AcquiredPageFile.h"
#include "acquire/SaneScanner.h"
#include "core/LumoraError.h"
#include "engine/ImageBox.h"

#include <QCommandLineParser>
#include <QDir>

#include <stop_token>

namespace lumora::cli {
namespace {

int listDevices()
{
    if (!SaneScanner::available()) {
        printError(QStringLiteral("scanning is not available: libsane could not be loaded"));
        return Failure;
    }
    for (const ScannerDevice& device : SaneScanner::devices())
        printOut(QStringLiteral("%1\t%2 %3 (%4)").arg(device.name, device.vendor, device.model, device.type));
    return Success;
}

// The value of an option that must be one of `allowed`, as its position there.
int choiceOf(const QCommandLineParser& parser, const QString& option, const QStringList& allowed)
{
    const int at = int(allowed.indexOf(parser.value(option).toLower()));
    if (at < 0)
        throw UsageProblem{QStringLiteral("--%1 takes %2").arg(option, allowed.join(u'|'))};
    return at;
}

int positive(const QCommandLineParser& parser, const QString& option)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value <= 0)
        throw UsageProblem{QStringLiteral("--%1 takes a whole number above 0").arg(option)};
    return value;
}

}  // namespace

int runScan(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{"list", "list the scanners"},
                       {"device", "scanner", "name"},
                       {"source", "flatbed or adf", "source", "flatbed"},
                       {"mode", "color, gray or lineart", "mode", "color"},
                       {"resolution", "dots per inch", "dpi", "150"},
                       {"pages", "at most N pages", "n"},
                       {"dest", "folder", "dir"},
                       {"name", "file name", "name", "Twain"},
                       {"format", "single-page files", "ext"},
                       {"multipage", "one multi-page file", "ext"}});
    parseCommandLine(parser, QStringLiteral("scan"), arguments);
    if (!parser.positionalArguments().isEmpty())
        throw UsageProblem{QStringLiteral("scan takes no file arguments")};
    if (parser.isSet("list"))
        return listDevices();
    if (!parser.isSet("dest"))
        throw UsageProblem{QStringLiteral("scan needs --dest DIR")};
    if (parser.isSet("format") && parser.isSet("multipage"))
        throw UsageProblem{QStringLiteral("scan takes --format or --multipage, not both")};

    ScanRequest request;
    request.device = parser.value("device");
    request.source = choiceOf(parser, "source", {"flatbed", "adf"}) == 1 ? ScanRequest::Source::Feeder
                                                                        : ScanRequest::Source::Flatbed;
    request.mode = static_cast<ScanRequest::Mode>(choiceOf(parser, "mode", {"color", "gray", "lineart"}));
    request.resolution = positive(parser, "resolution");
    request.maxPages = parser.isSet("pages") ? positive(parser, "pages") : 0;

    SetupRecord::Twain twain;
    twain.destination = 1;
    twain.folder = QDir::fromNativeSeparators(parser.value("dest"));
    twain.genericName = parser.value("name");
    if (parser.isSet("multipage")) {
        twain.fileMode = 1;
        twain.multiPageFormat = static_cast<std::int16_t>(choiceOf(parser, "multipage", {"tif", "pdf"}));
    } else if (parser.isSet("format")) {
        twain.singlePageFormat =
            static_cast<std::int16_t>(choiceOf(parser, "format", {"bmp", "jpg", "tif", "pdf", "psd", "gif"}));
    }

    SaneScanner scanner;
    const StopOnInterrupt interrupt;
    const std::stop_callback onInterrupt(interrupt.token(), [&scanner] { scanner.cancel(); });
    ImageBox engine(ImageBox::Mode::Batch);
    QString lastPath;
    try {
        const int pages = scanner.run(request, [&](const ScannedPage& page, int n) {
            AcquiredPageFile::takeInto(engine, page);
            const QString path = AcquiredPageFile::pathFor(twain, n, {});
            AcquiredPageFile::store(engine, twain, n, path);
            if (path != lastPath)
                printOut(path);
            lastPath = path;
            return true;
        });
        if (pages == 0) {
            printError(QStringLiteral("the scanner gave no page"));
            return Failure;
        }
    } catch (const LumoraError& e) {
        printError(e.description());
        return Failure;
    }
    return Success;
}

}  // namespace lumora::cli
