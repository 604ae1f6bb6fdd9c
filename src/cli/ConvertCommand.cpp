#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "basket/ImageBasketFile.h"
#include "core/Conversions.h"
#include "core/ErrorReporter.h"
#include "core/FileExists.h"
#include "core/LumoraError.h"
#include "output/BatchConversion.h"
#include "output/BatchSummary.h"
#include "output/NamingTokens.h"
#include "output/OutputNaming.h"
#include "settings/SetupFile.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskKind.h"
#include "tasks/modSaveOpenImageList.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <optional>

namespace lumora::cli {
namespace {

// The options of the command, in the order the help lists them.
struct ConvertOptions {
    QCommandLineOption basket{QStringLiteral("basket"), QStringLiteral("Image basket file (.ibf, .ibd)."),
                              QStringLiteral("FILE")};
    QCommandLineOption tasks{QStringLiteral("tasks"), QStringLiteral("Task basket file to apply."),
                             QStringLiteral("FILE.tbf")};
    QCommandLineOption dest{QStringLiteral("dest"), QStringLiteral("Folder for every output."),
                            QStringLiteral("DIR")};
    QCommandLineOption inPlace{QStringLiteral("in-place"),
                               QStringLiteral("Let outputs replace the photos they are made from.")};
    QCommandLineOption keepGoing{QStringLiteral("keep-going"),
                                 QStringLiteral("Report a photo that fails and go on with the next.")};
    QCommandLineOption overwrite{QStringLiteral("overwrite"), QStringLiteral("Replace existing outputs.")};
    QCommandLineOption noOverwrite{QStringLiteral("no-overwrite"), QStringLiteral("Leave existing outputs.")};
    QCommandLineOption naming{QStringLiteral("naming"), QStringLiteral("original, hybrid or generic."),
                              QStringLiteral("MODE")};
    QCommandLineOption prefix{QStringLiteral("prefix"), QStringLiteral("Hybrid prefix."), QStringLiteral("TOKEN")};
    QCommandLineOption sep1{QStringLiteral("sep1"), QStringLiteral("Hybrid first separator."),
                            QStringLiteral("SEP")};
    QCommandLineOption sep2{QStringLiteral("sep2"), QStringLiteral("Hybrid second separator."),
                            QStringLiteral("SEP")};
    QCommandLineOption suffix{QStringLiteral("suffix"), QStringLiteral("Hybrid suffix."), QStringLiteral("TOKEN")};
    QCommandLineOption genericName{QStringLiteral("generic-name"), QStringLiteral("Generic name."),
                                   QStringLiteral("NAME")};
    QCommandLineOption counter{QStringLiteral("counter"), QStringLiteral("Generic counter start."),
                               QStringLiteral("START")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("Output format: jpg (default), webp, avif, png or tif."),
                              QStringLiteral("FORMAT")};
    QCommandLineOption quality{QStringLiteral("quality"),
                               QStringLiteral("Quality 1..100 of JPEG, WebP and AVIF outputs (WebP and AVIF: 80)."),
                               QStringLiteral("N")};
    QCommandLineOption progressive{QStringLiteral("progressive"), QStringLiteral("Progressive JPEG.")};
    QCommandLineOption grey{QStringLiteral("grey"), QStringLiteral("8-bit greyscale JPEG.")};
    QCommandLineOption importExif{QStringLiteral("import-exif"), QStringLiteral("EXIF exchange file to apply."),
                                  QStringLiteral("FILE.xiff")};
    QCommandLineOption importIptc{QStringLiteral("import-iptc"), QStringLiteral("IPTC file to apply."),
                                  QStringLiteral("FILE.ffo")};
    QCommandLineOption jobs{QStringLiteral("jobs"), QStringLiteral("Photos converted at once."),
                            QStringLiteral("N")};
    QCommandLineOption settings{QStringLiteral("settings"), QStringLiteral("Settings file giving the defaults."),
                                QStringLiteral("FILE")};
    QCommandLineOption fullDecode{QStringLiteral("full-decode"), QStringLiteral("Decode every JPEG at its full size.")};
    QCommandLineOption fit{QStringLiteral("fit"),
                           QStringLiteral("Fit each photo into a box, keeping its shape (after --tasks)."),
                           QStringLiteral("WxH")};
    QCommandLineOption enlarge{QStringLiteral("enlarge"),
                               QStringLiteral("With --fit: enlarge photos smaller than the box.")};

    QList<QCommandLineOption> all() const
    {
        return {basket,    tasks,       fit,    enlarge,     naming,      prefix,     sep1,       sep2, suffix,
                dest,      inPlace,     keepGoing, overwrite, noOverwrite, genericName, counter,  format, quality,
                progressive, grey,      importExif, importIptc, jobs,      settings,   fullDecode};
    }
};

// A list entry as it is; typed text without the characters the naming boxes refuse.
QString namingText(const QString& text, const QStringList& list)
{
    return list.contains(text) ? text : withoutRefusedNameCharacters(text);
}

int wholeNumber(const QString& text, int low, int high, const QString& option)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageProblem{QStringLiteral("--%1 must be a whole number from %2 to %3").arg(option).arg(low).arg(high)};
    return value;
}

// The extension of the outputs: --format's, "jpg" without it.
QString outputFormat(const QCommandLineParser& parser, const ConvertOptions& o)
{
    if (!parser.isSet(o.format))
        return kBatchOutputExtension;
    const QString format = parser.value(o.format).toLower();
    if (format == u"jpeg")
        return kBatchOutputExtension;
    if (format == u"tiff")
        return QStringLiteral("tif");
    if (!BatchConversion::outputFormats().contains(format))
        throw UsageProblem{QStringLiteral("--format must be jpg, webp, avif, png or tif")};
    return format;
}

// The quality of WebP and AVIF outputs.
int outputQuality(const QCommandLineParser& parser, const ConvertOptions& o)
{
    return parser.isSet(o.quality) ? wholeNumber(parser.value(o.quality), 1, 100, QStringLiteral("quality")) : 80;
}

// The Fit task of --fit WxH, with --enlarge; none without --fit.
std::optional<TaskRecord> fitTask(const QCommandLineParser& parser, const ConvertOptions& o)
{
    if (!parser.isSet(o.fit)) {
        if (parser.isSet(o.enlarge))
            throw UsageProblem{QStringLiteral("--enlarge needs --fit WxH")};
        return std::nullopt;
    }
    static const QRegularExpression box(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = box.match(parser.value(o.fit));
    const auto side = [&match](int n) { return match.hasMatch() ? match.captured(n).toInt() : 0; };
    if (side(1) < 1 || side(1) > 32767 || side(2) < 1 || side(2) > 32767)
        throw UsageProblem{QStringLiteral("--fit must be WIDTHxHEIGHT, each from 1 to 32767 (e.g. 800x600)")};
    return TaskRecord(TaskKind::Fit, taskKindInfo(TaskKind::Fit)->key(),
                      {QString::number(side(1)), QString::number(side(2)),
                       parser.isSet(o.enlarge) ? QStringLiteral("True") : QStringLiteral("False")});
}

// The naming settings: the defaults of a first start, or those of a settings file, with the
// command line's options over them.
SetupRecord::Naming namingSettings(const QCommandLineParser& parser, const ConvertOptions& o)
{
    SetupRecord record = defaultSetup(QString());
    if (parser.isSet(o.settings))
        readSetupFile(parser.value(o.settings), record);  // throws when it cannot be read
    SetupRecord::Naming n = record.naming;

    n.processTaskBasket = parser.isSet(o.tasks) || parser.isSet(o.fit) ? 1 : 0;
    if (parser.isSet(o.dest)) {
        n.destinationChoice = 1;
        n.destinationFolder = parser.value(o.dest);
    }
    if (parser.isSet(o.overwrite) && parser.isSet(o.noOverwrite))
        throw UsageProblem{QStringLiteral("--overwrite and --no-overwrite exclude each other")};
    if (parser.isSet(o.overwrite))
        n.overwrite = 1;
    if (parser.isSet(o.noOverwrite))
        n.overwrite = 0;
    if (parser.isSet(o.naming)) {
        const QStringList modes{QStringLiteral("original"), QStringLiteral("hybrid"), QStringLiteral("generic")};
        const qsizetype mode = modes.indexOf(parser.value(o.naming));
        if (mode < 0)
            throw UsageProblem{QStringLiteral("--naming must be original, hybrid or generic")};
        n.nameMode = static_cast<std::int16_t>(mode);
    }
    if (parser.isSet(o.prefix))
        n.prefix = namingText(parser.value(o.prefix), namingTokens());
    if (parser.isSet(o.suffix))
        n.suffix = namingText(parser.value(o.suffix), namingTokens());
    if (parser.isSet(o.sep1))
        n.separator1 = namingText(parser.value(o.sep1), namingSeparators());
    if (parser.isSet(o.sep2))
        n.separator2 = namingText(parser.value(o.sep2), namingSeparators());
    if (parser.isSet(o.genericName))
        n.genericName = withoutRefusedNameCharacters(parser.value(o.genericName));
    if (parser.isSet(o.counter)) {
        const QString start = parser.value(o.counter);
        bool whole = false;
        start.toInt(&whole);
        if (start != kStartingOne && start != kStartingThousandOne && !whole)
            throw UsageProblem{QStringLiteral("--counter must be \"[Starting 1]\", \"[Starting 1001]\" or a whole number")};
        n.counterStart = start;
    }
    if (parser.isSet(o.quality) && outputFormat(parser, o) == kBatchOutputExtension)
        n.jpegQuality = static_cast<std::int16_t>(wholeNumber(parser.value(o.quality), 1, 100, QStringLiteral("quality")));
    if (parser.isSet(o.progressive))
        n.progressive = 1;
    if (parser.isSet(o.grey))
        n.jpegDepth = 1;
    if (parser.isSet(o.importExif)) {
        n.importExif = 1;
        n.exifFile = parser.value(o.importExif);
    }
    if (parser.isSet(o.importIptc)) {
        n.importIptc = 1;
        n.iptcFile = parser.value(o.importIptc);
    }
    return n;
}

// The photos: the basket file's first, then the command line's; a file stands for its first page.
bool collectEntries(const QCommandLineParser& parser, const ConvertOptions& o, QList<BatchEntry>& entries)
{
    QStringList paths;
    if (parser.isSet(o.basket)) {
        QList<ImageBasketFileEntry> basket;
        if (!modSaveOpenImageList::fncOpenImageBasket(parser.value(o.basket), basket))
            return false;
        for (const ImageBasketFileEntry& e : basket)
            paths.append(e.sourcePath);
    }
    paths += parser.positionalArguments();
    for (const QString& path : paths)
        entries.append(BatchEntry{QFileInfo(path).completeBaseName(), path});
    return true;
}

// Progress bar and error reports share standard error: a report first clears the bar's line, and
// the bar is drawn again after it.
class Terminal {
public:
    explicit Terminal(bool bar) : bar_(bar) {}

    void progress(int done, int count)
    {
        std::lock_guard lock(mutex_);
        done_ = done;
        count_ = count;
        draw();
    }

    void report(const QString& line)
    {
        std::lock_guard lock(mutex_);
        ++reports_;
        if (bar_ && count_ > 0)
            write(QStringLiteral("\r%1\r").arg(QString(barWidth + 20, u' ')));
        printError(line);
        draw();
    }

    void end()
    {
        std::lock_guard lock(mutex_);
        if (bar_ && count_ > 0)
            write(QStringLiteral("\n"));
    }

    int reports() const { return reports_; }

private:
    static constexpr int barWidth = 20;

    void draw()
    {
        if (!bar_ || count_ <= 0)
            return;
        const int filled = static_cast<int>(qint64{done_} * barWidth / count_);
        write(QStringLiteral("\r[%1%2] %3/%4")
                  .arg(QString(filled, u'#'), QString(barWidth - filled, u' '))
                  .arg(done_)
                  .arg(count_));
    }

    static void write(const QString& text)
    {
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        std::fflush(stderr);
    }

    const bool bar_;
    std::mutex mutex_;
    int done_ = 0;
    int count_ = 0;
    std::atomic<int> reports_{0};
};

// The first Ctrl-C cancels the run (the photos in progress finish and the summary is printed);
// a second one ends the program at once.
std::atomic<BatchConversion*> gRunning{nullptr};

extern "C" void cancelOnInterrupt(int)
{
    if (BatchConversion* run = gRunning.load())
        run->cancel();
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int runConvert(const QStringList& arguments)
{
    QCommandLineParser parser;
    const ConvertOptions o;
    parser.addOptions(o.all());
    parseCommandLine(parser, QStringLiteral("convert"), arguments);

    int jobs = std::max(1, QThread::idealThreadCount());
    if (parser.isSet(o.jobs))
        jobs = wholeNumber(parser.value(o.jobs), 1, 256, QStringLiteral("jobs"));
    if (!parser.isSet(o.basket) && parser.positionalArguments().isEmpty())
        throw UsageProblem{QStringLiteral("convert needs photos, or --basket FILE")};

    const QString format = outputFormat(parser, o);
    const int quality = outputQuality(parser, o);
    const std::optional<TaskRecord> fit = fitTask(parser, o);

    SetupRecord::Naming settings;
    try {
        settings = namingSettings(parser, o);
    } catch (const LumoraError& e) {
        printError(QStringLiteral("cannot read \"%1\": %2").arg(parser.value(o.settings), e.description()));
        return Failure;
    }
    for (const QCommandLineOption* option : {&o.importExif, &o.importIptc}) {
        if (parser.isSet(*option) && !FileExists(parser.value(*option))) {
            printError(QStringLiteral("cannot read \"%1\"").arg(parser.value(*option)));
            return Failure;
        }
    }

    Terminal terminal(isatty(STDERR_FILENO) == 1);
    const ErrorSink previousSink =
        SetErrorSink([&terminal](const ErrorReport& report) { terminal.report(report.oneLine()); });
    struct SinkBack {
        const ErrorSink& sink;
        ~SinkBack() { SetErrorSink(sink); }
    } sinkBack{previousSink};

    QList<BatchEntry> entries;
    if (!collectEntries(parser, o, entries))
        return Failure;
    TaskBasket tasks;
    if (parser.isSet(o.tasks) && !modSaveOpenImageList::fncOpenTaskBasket(parser.value(o.tasks), tasks, false))
        return Failure;
    // A destination that cannot be made shows when the first photo is written, as it would for
    // one that cannot be written.
    if (parser.isSet(o.dest))
        QDir().mkpath(parser.value(o.dest));

    QList<TaskRecord> taskList = tasks.tasks();
    if (fit)
        taskList.append(*fit);
    BatchConversion run(entries, taskList, settings);
    run.setOutputFormat(format, quality);
    run.setJobs(jobs);
    run.setReplaceSources(parser.isSet(o.inPlace));
    run.setKeepGoing(parser.isSet(o.keepGoing));
    run.setFullDecode(parser.isSet(o.fullDecode));
    if (!parser.isSet(o.inPlace)) {
        const QStringList replaced = run.sourcesReplaced();
        if (!replaced.isEmpty()) {
            printError(QStringLiteral("the outputs would replace %1: give --dest DIR to write elsewhere, or "
                                      "--in-place to replace them")
                           .arg(replaced.size() == 1
                                    ? QStringLiteral("the original \"%1\"").arg(replaced.front())
                                    : QStringLiteral("%1 originals (\"%2\", ...)").arg(replaced.size()).arg(replaced.front())));
            return UsageError;
        }
    }
    run.setProgressCallback([&terminal](int done, int count) { terminal.progress(done, count); });
    gRunning = &run;
    const auto previousHandler = std::signal(SIGINT, cancelOnInterrupt);
    const bool completed = run.fncSaveSinglePage();
    std::signal(SIGINT, previousHandler);
    gRunning = nullptr;
    terminal.end();

    for (const BatchEntryResult& result : run.results()) {
        if (result.outcome == BatchEntryOutcome::Unreadable)
            printError(QStringLiteral("skipped: %1").arg(result.reason));
        if (result.outcome == BatchEntryOutcome::KeptSource)
            printError(QStringLiteral("not written: \"%1\" would replace a photo of the batch (give --dest DIR, or "
                                      "--in-place to replace it)")
                           .arg(result.outputPath));
    }
    const BatchSummary summary = BatchSummary::of(run.results(), completed);
    // Every failed photo was reported once; what else was reported (a task that failed, a text
    // left out of an import) is counted as a warning.
    const int warnings = std::max(0, terminal.reports() - summary.failed);
    printOut(QStringLiteral("written %1, skipped %2, failed %3%4")
                 .arg(summary.written)
                 .arg(summary.skipped())
                 .arg(summary.failed)
                 .arg(warnings > 0 ? QStringLiteral(", warnings %1").arg(warnings) : QString()));
    return completed && terminal.reports() == 0 && summary.keptSource == 0 ? Success : Failure;
}

}  // namespace lumora::cli
