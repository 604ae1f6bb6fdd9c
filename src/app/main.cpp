// lumora: the desktop window. One copy runs per program folder.
#include "shell/LumoraStartup.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>

#include <malloc.h>

int main(int argc, char** argv)
{
    // Thumbnails and batches decode on many threads; two arenas keep the heap from growing with
    // every thread that ever touched a photo.
    mallopt(M_ARENA_MAX, 2);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumora, the batch photo processor"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Folder to open instead of the last one"));
    parser.process(app);

    lumora::SingleInstance instance;
    const QStringList folders = parser.positionalArguments();
    std::unique_ptr<lumora::frmMain> window = lumora::Form_Load(instance, folders.value(0));
    if (!window)
        return 1;
    window->show();
    return app.exec();
}
