#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRunner.h"
#include "tasks/modSaveOpenImageList.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace lumora::cli {

int runApply(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption tasksOption({QStringLiteral("t"), QStringLiteral("tasks")},
                                         QStringLiteral("Task basket file to apply."), QStringLiteral("FILE.tbf"));
    const QCommandLineOption qualityOption({QStringLiteral("q"), QStringLiteral("quality")},
                                           QStringLiteral("JPEG quality 1..100 (default 80)."), QStringLiteral("N"),
                                           QStringLiteral("80"));
    const QCommandLineOption progressiveOption(QStringLiteral("progressive"), QStringLiteral("Write progressive JPEG."));
    parser.addOptions({tasksOption, qualityOption, progressiveOption});
    parser.addPositionalArgument(QStringLiteral("INPUT"), QStringLiteral("Photo to read."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("File to write; the extension picks the format."));
    parseCommandLine(parser, QStringLiteral("apply"), arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        throw UsageProblem{QStringLiteral("apply needs INPUT and OUTPUT")};
    if (!parser.isSet(tasksOption))
        throw UsageProblem{QStringLiteral("apply needs --tasks FILE.tbf")};
    bool qualityOk = false;
    const int quality = parser.value(qualityOption).toInt(&qualityOk);
    if (!qualityOk || quality < 1 || quality > 100)
        throw UsageProblem{QStringLiteral("--quality must be a whole number from 1 to 100")};

    ReportCounter reports;
    TaskBasket basket;
    if (!modSaveOpenImageList::fncOpenTaskBasket(parser.value(tasksOption), basket, false))
        return Failure;

    const QString input = files.at(0);
    const QString output = files.at(1);
    ImageBox engine(ImageBox::Mode::Batch);
    if (!loadPhoto(engine, input))
        return Failure;
    engine.SetTag(QStringLiteral("%1x%2").arg(engine.ImageWidth()).arg(engine.ImageHeight()));

    // Like a batch run: a task that fails is reported and ends the task run, and the photo is
    // still written as it stood; the exit code tells scripts that something went wrong.
    subProcessPages(basket, engine);

    try {
        engine.SetJpegQuality(quality);
        engine.SetJpegProgressive(parser.isSet(progressiveOption));
        engine.SetSaveColorDepth(0);
        engine.SaveToFile(output);
    } catch (const LumoraError& e) {
        printError(QStringLiteral("cannot write \"%1\": %2").arg(output, e.description()));
        return Failure;
    }
    return reports.count() == 0 ? Success : Failure;
}

}  // namespace lumora::cli
