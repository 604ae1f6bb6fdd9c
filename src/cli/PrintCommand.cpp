#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/LumoraError.h"
#include "output/CupsSubmission.h"
#include "output/PrintDocument.h"
#include "output/PrintOptions.h"
#include "output/PrintedPhoto.h"
#include "settings/SetupFile.h"

#include <QCommandLineParser>
#include <QTemporaryDir>

namespace lumora::cli {
namespace {

// One photo, one job: its page rendered into a PDF of its own, which CUPS then gets.
bool printOnePhoto(const PrintedPhoto& photo, const PrintOptions& options, const QString& printer,
                   const QPageSize& printerPaper, const QTemporaryDir& spool, const QString& path)
{
    const QString pdf = spool.filePath(QStringLiteral("page.pdf"));
    PrintDocument document(pdf, printerPaper);
    document.addPage(photo, options);
    if (!document.finish()) {
        printError(document.error());
        return false;
    }
    QString error;
    const bool sent = submitToCups(pdf, printer, photo.fileName, options.copies, error) != 0;
    if (!sent)
        printError(QStringLiteral("cannot print \"%1\": %2").arg(path, error));
    return sent;
}

}  // namespace

int runPrint(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption printer{QStringLiteral("printer"), QStringLiteral("CUPS queue."), QStringLiteral("NAME")};
    const QCommandLineOption settings{QStringLiteral("settings"), QStringLiteral("Settings file."),
                                      QStringLiteral("FILE")};
    const QCommandLineOption toPdf{QStringLiteral("to-pdf"), QStringLiteral("PDF to write."), QStringLiteral("OUT")};
    parser.addOptions({printer, settings, toPdf});
    parseCommandLine(parser, QStringLiteral("print"), arguments);
    const QStringList photos = parser.positionalArguments();
    if (photos.isEmpty())
        throw UsageProblem{QStringLiteral("print needs at least one PHOTO")};
    if (parser.isSet(toPdf) && parser.isSet(printer))
        throw UsageProblem{QStringLiteral("--to-pdf and --printer exclude each other")};

    SetupRecord record = defaultSetup(QString());
    if (parser.isSet(settings)) {
        try {
            readSetupFile(parser.value(settings), record);
        } catch (const LumoraError& e) {
            printError(QStringLiteral("cannot read \"%1\": %2").arg(parser.value(settings), e.description()));
            return Failure;
        }
    }
    const PrintOptions options = PrintOptions::fromRecord(record.print);

    // Each photo made ready for its page; one line for a photo that cannot be read.
    bool failed = false;
    const auto readable = [&](const QString& path) {
        PrintedPhoto photo = PrintedPhoto::read(path, options.grey);
        if (photo.image.isNull()) {
            printError(photo.error);
            failed = true;
        }
        return photo;
    };
    if (parser.isSet(toPdf)) {
        // Every photo that can be read becomes a page; the file is written only if one was.
        PrintDocument document(parser.value(toPdf));
        for (const QString& path : photos) {
            const PrintedPhoto photo = readable(path);
            if (photo.image.isNull())
                continue;
            document.addPage(photo, options);
        }
        if (!document.finish()) {
            printError(document.error());
            return Failure;
        }
        return failed ? Failure : Success;
    }

    QTemporaryDir spool;
    if (!spool.isValid()) {
        printError(QStringLiteral("cannot make a temporary folder: %1").arg(spool.errorString()));
        return Failure;
    }
    const QPageSize printerPaper = cupsDefaultPaper(parser.value(printer));
    for (const QString& path : photos) {
        const PrintedPhoto photo = readable(path);
        if (photo.image.isNull())
            continue;
        if (!printOnePhoto(photo, options, parser.value(printer), printerPaper, spool, path))
            failed = true;
    }
    return failed ? Failure : Success;
}

}  // namespace lumora::cli
