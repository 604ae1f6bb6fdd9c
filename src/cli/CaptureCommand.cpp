#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "acquire/modCapture.h"
#include "engine/ImageBox.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QRegularExpression>

#include <stdexcept>

namespace lumora::cli {

namespace {

// "X,Y,W,H" in screen pixels, the size at least 1 x 1.
QRect regionOf(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+),(\\d+),(\\d+),(\\d+)$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    bool ok[4] = {false, false, false, false};
    int values[4] = {0, 0, 0, 0};
    for (int i = 0; match.hasMatch() && i < 4; ++i)
        values[i] = match.captured(i + 1).toInt(&ok[i]);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || values[2] < 1 || values[3] < 1)
        throw UsageProblem{QStringLiteral("--region must be X,Y,WIDTH,HEIGHT in pixels, the size at least 1,1")};
    return QRect(values[0], values[1], values[2], values[3]);
}

}  // namespace

int runCapture(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption regionOption(QStringLiteral("region"), QStringLiteral("Area of the screen."),
                                          QStringLiteral("X,Y,W,H"));
    parser.addOption(regionOption);
    parseCommandLine(parser, QStringLiteral("capture"), arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageProblem{QStringLiteral("capture needs OUTPUT")};
    const QRect wanted = parser.isSet(regionOption) ? regionOf(parser.value(regionOption)) : QRect();

    // main() starts the GUI application only when there is a display to grab.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QString problem;
        modCapture::DisplayPlatform(problem);
        printError(problem.isEmpty() ? QStringLiteral("no display to capture") : problem);
        return Failure;
    }
    Picture picture;
    if (wanted.isValid()) {
        const QSize screen = modCapture::ScreenSize();
        const QRect area = wanted.intersected(QRect(QPoint(0, 0), screen));
        if (area.isEmpty()) {
            printError(QStringLiteral("the region lies outside the screen (%1 x %2 pixels)")
                           .arg(screen.width())
                           .arg(screen.height()));
            return Failure;
        }
        picture = modCapture::CaptureWindow(0, area.x(), area.y(), area.width(), area.height());
    } else {
        picture = modCapture::CaptureScreen();
    }
    ImageBox engine;
    engine.SetBitmapHandle(picture);
    engine.SaveToFile(files.first());
    return Success;
}

}  // namespace lumora::cli
