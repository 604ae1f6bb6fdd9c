#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "basket/ImageBasketFile.h"
#include "core/LumoraError.h"
#include "core/OleColor.h"
#include "core/ProgramFolder.h"
#include "engine/ImageBox.h"
#include "settings/SetupFile.h"
#include "shows/modScreensaver.h"
#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

#include <QColor>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <stop_token>

namespace lumora::cli {
namespace {

struct ShowOptionSet {
    QCommandLineOption kind{QStringLiteral("kind"), QStringLiteral("slideshow, greeting, screensaver or single-screensaver."),
                            QStringLiteral("KIND")};
    QCommandLineOption out{QStringLiteral("out"), QStringLiteral("The package written."), QStringLiteral("FILE")};
    QCommandLineOption interval{QStringLiteral("interval"), QStringLiteral("Seconds per photo."), QStringLiteral("N")};
    QCommandLineOption background{QStringLiteral("background"), QStringLiteral("Background colour."),
                                  QStringLiteral("COLOR")};
    QCommandLineOption quality{QStringLiteral("quality"), QStringLiteral("JPEG quality."), QStringLiteral("N")};
    QCommandLineOption tasks{QStringLiteral("tasks"), QStringLiteral("Task basket file."), QStringLiteral("FILE")};
    QCommandLineOption settings{QStringLiteral("settings"), QStringLiteral("Settings file."), QStringLiteral("FILE")};
    QCommandLineOption basket{QStringLiteral("basket"), QStringLiteral("Image basket file."), QStringLiteral("FILE")};
    QCommandLineOption overwrite{QStringLiteral("overwrite"), QStringLiteral("Replace an existing package.")};

    QList<QCommandLineOption> all() const
    {
        return {kind, out, interval, background, quality, tasks, settings, basket, overwrite};
    }
};

enum class Kind { SlideShow, Greeting, Screensaver, SingleScreensaver };

Kind kindOf(const QString& text)
{
    if (text == u"slideshow")
        return Kind::SlideShow;
    if (text == u"greeting")
        return Kind::Greeting;
    if (text == u"screensaver")
        return Kind::Screensaver;
    if (text == u"single-screensaver")
        return Kind::SingleScreensaver;
    throw UsageProblem{
        QStringLiteral("--kind takes slideshow, greeting, screensaver or single-screensaver, not \"%1\"").arg(text)};
}

int numberFrom(const QString& text, int low, int high, const QString& name)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageProblem{QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"")
                               .arg(name)
                               .arg(low)
                               .arg(high)
                               .arg(text)};
    return value;
}

}  // namespace

int runShow(const QStringList& arguments)
{
    QCommandLineParser parser;
    const ShowOptionSet o;
    parser.addOptions(o.all());
    parseCommandLine(parser, QStringLiteral("show"), arguments);
    if (!parser.isSet(o.kind))
        throw UsageProblem{QStringLiteral("show needs --kind slideshow|greeting|screensaver|single-screensaver")};
    if (!parser.isSet(o.out))
        throw UsageProblem{QStringLiteral("show needs --out FILE, the package written")};
    const Kind kind = kindOf(parser.value(o.kind));
    const bool single = kind == Kind::Greeting || kind == Kind::SingleScreensaver;
    if (kind != Kind::SlideShow && (parser.isSet(o.interval) || parser.isSet(o.background)))
        throw UsageProblem{QStringLiteral("--interval and --background belong to a slide show")};

    SetupRecord record = defaultSetup(ProgramFolder::path());
    if (parser.isSet(o.settings)) {
        try {
            readSetupFile(parser.value(o.settings), record);
        } catch (const LumoraError& e) {
            printError(QStringLiteral("cannot read \"%1\": %2").arg(parser.value(o.settings), e.description()));
            return Failure;
        }
    }

    ShowJob job;
    job.outPath = parser.value(o.out);
    switch (kind) {
    case Kind::SlideShow:
        job.quality = record.slideShow.jpegQuality;
        job.processTasks = record.slideShow.processTaskBasket != 0;
        job.options.backgroundColor = record.slideShow.backColor;
        job.options.interval = record.slideShow.interval;
        break;
    case Kind::Greeting:
        job.quality = record.greeting.jpegQuality;
        job.processTasks = record.greeting.processTaskBasket != 0;
        break;
    case Kind::Screensaver:
    case Kind::SingleScreensaver:
        job.quality = record.screensaver.jpegQuality;
        job.processTasks = record.screensaver.processTaskBasket != 0;
        break;
    }
    if (parser.isSet(o.quality))
        job.quality = numberFrom(parser.value(o.quality), 1, 100, QStringLiteral("--quality"));
    if (parser.isSet(o.interval))
        job.options.interval = static_cast<std::int16_t>(numberFrom(parser.value(o.interval), 1, 9, QStringLiteral("--interval")));
    if (parser.isSet(o.background)) {
        const QColor color = QColor::fromString(parser.value(o.background));
        if (!color.isValid())
            throw UsageProblem{QStringLiteral("--background must be #RRGGBB or a colour name, not \"%1\"")
                                   .arg(parser.value(o.background))};
        job.options.backgroundColor = static_cast<std::int32_t>(
            OleColor::fromRgb(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue())));
    }

    const ReportCounter reports;
    if (parser.isSet(o.basket)) {
        QList<ImageBasketFileEntry> basket;
        if (!modSaveOpenImageList::fncOpenImageBasket(parser.value(o.basket), basket))
            return Failure;
        for (const ImageBasketFileEntry& e : basket)
            job.entries.append({QFileInfo(e.sourcePath).completeBaseName(), e.sourcePath});
    }
    for (const QString& path : parser.positionalArguments())
        job.entries.append({QFileInfo(path).completeBaseName(), path});
    if (single && job.entries.size() != 1)
        throw UsageProblem{QStringLiteral("a %1 takes exactly one photo").arg(parser.value(o.kind))};
    if (job.entries.isEmpty())
        throw UsageProblem{QStringLiteral("show needs photos, or --basket FILE")};

    if (parser.isSet(o.tasks)) {
        TaskBasket tasks;
        if (!modSaveOpenImageList::fncOpenTaskBasket(parser.value(o.tasks), tasks, false))
            return Failure;
        job.tasks = tasks.tasks();
    }
    const bool overwrite = parser.isSet(o.overwrite);
    job.askOverwrite = [overwrite](const QString&) { return overwrite; };

    ImageBox engine;
    if (kind == Kind::Greeting) {
        if (!loadPhoto(engine, job.entries.first().path))
            return Failure;
        if (engine.ImageWidth() > GreetingMaxWidth || engine.ImageHeight() > GreetingMaxHeight) {
            printError(greetingTooLargeMessage().replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
            return Failure;
        }
    }

    ShowResult result;
    if (kind == Kind::SlideShow) {
        const StopOnInterrupt interrupt;
        result = MkSlideShow(engine, job, interrupt.token());
    } else {
        const char* plugin = kind == Kind::Greeting ? GreetingPlugin : ScreensaverPlugin;
        const QString stub = fncGetExtractPluginPath(QString::fromLatin1(plugin));
        if (stub.isEmpty())
            return Failure;
        if (kind == Kind::Screensaver) {
            const StopOnInterrupt interrupt;
            result = subGenerateScreenSaver(engine, stub, job, interrupt.token());
        } else {
            result = subMakeSingleScreensaver(engine, stub, job);
        }
    }

    switch (result.outcome) {
    case ShowOutcome::Declined:
        printError(QStringLiteral("\"%1\" exists; --overwrite replaces it").arg(job.outPath));
        return Failure;
    case ShowOutcome::Failed:
        return Failure;
    case ShowOutcome::Cancelled:
        printError(QStringLiteral("stopped: \"%1\" holds the first %2 photos").arg(job.outPath).arg(result.imagesPacked));
        return Failure;
    case ShowOutcome::Written:
        break;
    }
    printOut(QDir::toNativeSeparators(job.outPath));
    return reports.count() == 0 ? Success : Failure;
}

}  // namespace lumora::cli
