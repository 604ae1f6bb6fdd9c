#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "work/OrderedJobs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <vector>

namespace lumora::cli {
namespace {

struct ThumbRequest {
    int mode = FixedBox;
    int width = 40;  // the folder view's thumbnail size of a first start
    int height = 40;
};

// One file's thumbnail; the text of the failure, empty when the thumbnail was written.
QString makeThumbnail(const ThumbRequest& request, const QString& input, const QString& output)
{
    std::uint32_t back = 0xFFFFFF;
    int sourceWidth = 0;
    int sourceHeight = 0;
    const bool natural = request.mode == NaturalSize;
    const Picture picture = LoadPic(input, request.mode, natural ? -1 : request.width, natural ? -1 : request.height,
                                    back, sourceWidth, sourceHeight);
    if (picture.isNull())
        return QStringLiteral("cannot read \"%1\"").arg(input);
    try {
        ImageBox engine(ImageBox::Mode::Batch);
        engine.SetBitmapHandle(picture);
        engine.SetSaveColorDepth(0);
        engine.SaveToFile(output);
    } catch (const LumoraError& e) {
        return QStringLiteral("cannot write \"%1\": %2").arg(output, e.description());
    }
    return {};
}

// The loader reports unexpected failures through the common error report. While thumbnails are
// made, each report is kept with the file of the thread that raised it, so that every file that
// fails gets exactly one line, in the order of the command line, whichever thread it ran on.
thread_local int currentFile = -1;  // index of the file the calling thread works on

// Installs the sink that keeps reports per file; returns the sink to put back afterwards.
ErrorSink keepReportsPerFile(std::vector<QString>& reports)
{
    return SetErrorSink([&reports](const ErrorReport& report) {
        if (currentFile < 0)
            printError(report.oneLine());  // from a thread of no file: said at once, never lost
        else if (reports[static_cast<size_t>(currentFile)].isEmpty())
            reports[static_cast<size_t>(currentFile)] = report.oneLine();
    });
}

// One file's thumbnail with its report kept; the line to print for it, empty when it was written.
QString thumbnailLine(const ThumbRequest& request, const QString& input, const QString& output, int index,
                      std::vector<QString>& reports)
{
    currentFile = index;
    const QString failure = makeThumbnail(request, input, output);
    currentFile = -1;
    if (failure.isEmpty())
        return {};
    return reports[static_cast<size_t>(index)].isEmpty() ? failure : reports[static_cast<size_t>(index)];
}

ThumbRequest parseRequest(const QString& modeText, const QString& sizeText)
{
    ThumbRequest request;
    bool modeOk = false;
    request.mode = modeText.toInt(&modeOk);
    if (!modeOk || request.mode < NaturalSize || request.mode > FixedBox)
        throw UsageProblem{QStringLiteral("--mode must be 0, 1 or 2")};
    static const QRegularExpression sizePattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch size = sizePattern.match(sizeText);
    if (!size.hasMatch() || size.captured(1).toInt() < 1 || size.captured(2).toInt() < 1)
        throw UsageProblem{QStringLiteral("--size must be WIDTHxHEIGHT, for example 40x40")};
    request.width = size.captured(1).toInt();
    request.height = size.captured(2).toInt();
    return request;
}

// DIR/<name without its last extension>.png for every input; two inputs that would write the same
// file are a usage error, since which of them won would depend on the threads.
QStringList outputNames(const QStringList& inputs, const QString& folder)
{
    QStringList outputs;
    QHash<QString, QString> firstInput;
    for (const QString& input : inputs) {
        const QString output = QDir(folder).filePath(QFileInfo(input).completeBaseName() + QStringLiteral(".png"));
        if (firstInput.contains(output))
            throw UsageProblem{QStringLiteral("\"%1\" and \"%2\" would both write \"%3\"")
                                   .arg(firstInput.value(output), input, output)};
        firstInput.insert(output, input);
        outputs.append(output);
    }
    return outputs;
}

int runBatch(const ThumbRequest& request, const QStringList& inputs, const QString& folder, int jobs)
{
    const QStringList outputs = outputNames(inputs, folder);
    if (!QDir().mkpath(folder)) {
        printError(QStringLiteral("cannot create the folder \"%1\"").arg(folder));
        return Failure;
    }
    std::vector<QString> reports(static_cast<size_t>(inputs.size()));
    ErrorSink previous = keepReportsPerFile(reports);
    int failed = 0;
    // Failures are said as they come, in the order of the command line.
    OrderedJobs<QString> thumbnails({
        .count = static_cast<int>(inputs.size()),
        .workers = jobs,
        .work = [&](int index, int, const std::stop_token&) {
            return thumbnailLine(request, inputs.at(index), outputs.at(index), index, reports);
        },
        .deliver =
            [&](int, std::vector<QString>&& lines) {
                for (const QString& line : lines) {
                    if (!line.isEmpty()) {
                        ++failed;
                        printError(line);
                    }
                }
            },
    });
    thumbnails.run();
    SetErrorSink(std::move(previous));
    return failed == 0 ? Success : Failure;
}

}  // namespace

int runThumb(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption modeOption({QStringLiteral("m"), QStringLiteral("mode")},
                                        QStringLiteral("0 own size, 1 shrink to fit, 2 fixed box (default)."),
                                        QStringLiteral("M"), QStringLiteral("2"));
    const QCommandLineOption sizeOption({QStringLiteral("s"), QStringLiteral("size")},
                                        QStringLiteral("Box of modes 1 and 2 (default 40x40)."), QStringLiteral("WxH"),
                                        QStringLiteral("40x40"));
    const QCommandLineOption jobsOption({QStringLiteral("j"), QStringLiteral("jobs")},
                                        QStringLiteral("Files rendered at once (default: number of cores)."),
                                        QStringLiteral("N"));
    const QCommandLineOption outDirOption(QStringLiteral("out-dir"), QStringLiteral("Folder for DIR/<name>.png."),
                                          QStringLiteral("DIR"));
    parser.addOptions({modeOption, sizeOption, jobsOption, outDirOption});
    parseCommandLine(parser, QStringLiteral("thumb"), arguments);
    const ThumbRequest request = parseRequest(parser.value(modeOption), parser.value(sizeOption));
    const QStringList files = parser.positionalArguments();

    if (!parser.isSet(outDirOption)) {
        if (parser.isSet(jobsOption))
            throw UsageProblem{QStringLiteral("--jobs goes with --out-dir")};
        if (files.size() != 2)
            throw UsageProblem{QStringLiteral("thumb needs INPUT and OUTPUT, or --out-dir DIR and inputs")};
        std::vector<QString> report(1);
        ErrorSink previous = keepReportsPerFile(report);
        const QString line = thumbnailLine(request, files.at(0), files.at(1), 0, report);
        SetErrorSink(std::move(previous));
        if (line.isEmpty())
            return Success;
        printError(line);
        return Failure;
    }

    if (files.isEmpty())
        throw UsageProblem{QStringLiteral("thumb --out-dir needs at least one input")};
    int jobs = std::max(1, QThread::idealThreadCount());
    if (parser.isSet(jobsOption)) {
        bool ok = false;
        jobs = parser.value(jobsOption).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256)
            throw UsageProblem{QStringLiteral("--jobs must be a whole number from 1 to 256")};
    }
    return runBatch(request, files, parser.value(outDirOption), jobs);
}

}  // namespace lumora::cli
