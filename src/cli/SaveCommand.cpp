#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/LumoraError.h"
#include "core/OleColor.h"
#include "engine/ImageBox.h"
#include "output/EngineFormatCode.h"
#include "output/OutputFormatOptions.h"
#include "settings/SetupRecord.h"

#include <QColor>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lumora::cli {

namespace OFO = OutputFormatOptions;

namespace {

int wholeNumber(const QString& text, int low, int high, const QString& problem)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageProblem{problem};
    return value;
}

// Writes the format whatever OUTPUT's extension says. The engine picks the format by the
// extension and writes whole files only, so another extension is written under a name with the
// right one beside OUTPUT and then takes OUTPUT's name in one step.
void writeAs(ImageBox& engine, const OFO::Format& format, const QString& output)
{
    if (formatCodeOfExtension(QFileInfo(output).suffix()) == format.code) {
        engine.SaveToFile(output);
        return;
    }
    const QString staging = output + QStringLiteral(".lumora-save.") + QLatin1String(format.extension);
    engine.SaveToFile(staging);
    if (std::rename(QFile::encodeName(staging).constData(), QFile::encodeName(output).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(staging);
        throw LumoraError(0, why);
    }
}

}  // namespace

int runSave(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption formatOption(QStringLiteral("format"), QStringLiteral("Output format."), QStringLiteral("F"));
    const QCommandLineOption depthOption(QStringLiteral("depth"), QStringLiteral("Colour depth code."), QStringLiteral("CODE"));
    const QCommandLineOption tiffOption(QStringLiteral("tiff-compression"), QStringLiteral("TIFF compression."),
                                       QStringLiteral("0|1|2"));
    const QCommandLineOption qualityOption(QStringLiteral("quality"), QStringLiteral("JPEG quality."), QStringLiteral("N"));
    const QCommandLineOption progressiveOption(QStringLiteral("progressive"), QStringLiteral("Progressive JPEG."));
    const QCommandLineOption gifOption(QStringLiteral("gif-compression"), QStringLiteral("GIF compression."),
                                       QStringLiteral("none|lzw"));
    const QCommandLineOption transparentOption(QStringLiteral("transparent"), QStringLiteral("Transparent colour."),
                                               QStringLiteral("COLOR"));
    parser.addOptions({formatOption, depthOption, tiffOption, qualityOption, progressiveOption, gifOption,
                       transparentOption});
    parseCommandLine(parser, QStringLiteral("save"), arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        throw UsageProblem{QStringLiteral("save needs INPUT and OUTPUT")};
    if (!parser.isSet(formatOption))
        throw UsageProblem{QStringLiteral("save needs --format bmp|gif|jpg|pcx|png|wbmp|psd|tif|pdf")};
    const OFO::Format* format = OFO::formatNamed(parser.value(formatOption));
    if (!format)
        throw UsageProblem{QStringLiteral("--format must be one of bmp, gif, jpg, pcx, png, wbmp, psd, tif, pdf")};

    // What is not given is what the dialog offers on a first start.
    const SetupRecord firstStart = defaultSetup(QString());
    OFO::Choice choice = OFO::storedChoice(firstStart.outputFormat, format->code);
    choice.transparent = false;
    if (parser.isSet(depthOption)) {
        bool ok = false;
        const int code = parser.value(depthOption).toInt(&ok);
        const int position = ok ? OFO::depthPositionOf(*format, code) : -1;
        if (position < 0)
            throw UsageProblem{QStringLiteral("--depth for %1 must be one of: %2")
                                   .arg(QLatin1String(format->caption), OFO::offeredDepthsText(*format))};
        choice.depthPosition = position;
    }
    if (parser.isSet(tiffOption))
        choice.tiffCompression = wholeNumber(parser.value(tiffOption), 0, 2,
                                             QStringLiteral("--tiff-compression must be 0 (none), 1 (PackBits) or 2 (CCITT Group 4)"));
    if (parser.isSet(qualityOption))
        choice.jpegQuality = wholeNumber(parser.value(qualityOption), 1, 100,
                                         QStringLiteral("--quality must be a whole number from 1 to 100"));
    choice.progressive = choice.progressive || parser.isSet(progressiveOption);
    if (parser.isSet(gifOption)) {
        const QString value = parser.value(gifOption).toLower();
        if (value != u"none" && value != u"lzw")
            throw UsageProblem{QStringLiteral("--gif-compression must be none or lzw")};
        choice.gifLzw = value == u"lzw";
    }
    if (parser.isSet(transparentOption)) {
        const QColor color = QColor::fromString(parser.value(transparentOption));
        if (!color.isValid())
            throw UsageProblem{QStringLiteral("--transparent must be #RRGGBB or a colour name, not \"%1\"")
                                   .arg(parser.value(transparentOption))};
        choice.transparent = true;
        choice.transparentColor = OleColor::fromRgb(std::uint8_t(color.red()), std::uint8_t(color.green()),
                                                    std::uint8_t(color.blue()));
    }

    const QString input = files.at(0);
    const QString output = files.at(1);
    ImageBox engine(ImageBox::Mode::Batch);
    if (!loadPhoto(engine, input))
        return Failure;
    try {
        OFO::apply(choice, engine);
        writeAs(engine, *format, output);
    } catch (const LumoraError& e) {
        printError(QStringLiteral("cannot write \"%1\": %2").arg(output, e.description()));
        return Failure;
    }
    // The engine's size estimate counts exactly the bytes it writes.
    printOut(OFO::sizeText(QFileInfo(output).size()));
    return Success;
}

}  // namespace lumora::cli
