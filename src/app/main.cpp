// lumora: the desktop window. One copy runs per program folder; a copy started with photos or
// folders while another runs hands them over to it and ends.
#include "core/ProgramFolder.h"
#include "shell/LumoraStartup.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <malloc.h>

int main(int argc, char** argv)
{
    // Thumbnails and batches decode on many threads; two arenas keep the heap from growing with
    // every thread that ever touched a photo.
    mallopt(M_ARENA_MAX, 2);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lumora, the batch photo processor. Photos given are added to the Image Basket and the "
                       "folder list opens on the first folder given, or on the first photo's folder. When "
                       "Lumora already runs, they are handed to its window instead."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("Photos and folders to open"),
                                 QStringLiteral("[PHOTO|FOLDER...]"));
    parser.process(app);

    QStringList paths;
    for (const QString& path : parser.positionalArguments())
        paths.append(QDir::current().absoluteFilePath(path));
    if (!paths.isEmpty() && lumora::SingleInstance::handOver(lumora::ProgramFolder::path(), paths))
        return 0;

    lumora::SingleInstance instance;
    std::unique_ptr<lumora::frmMain> window = lumora::Form_Load(instance);
    if (!window)
        return 1;
    window->openPaths(paths);
    window->show();
    return app.exec();
}
