#include "shows/ShowCommands.h"

#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "output/BatchConversion.h"
#include "output/frmStatus.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "shows/ShowRun.h"
#include "shows/frmGreetingDemo.h"
#include "shows/frmScreensaverDemo.h"
#include "shows/frmSlideShow.h"
#include "shows/modScreensaver.h"

#include <QFileInfo>
#include <QPointer>

namespace lumora {
namespace {

// Packages run on Linux and macOS, where a program carries no extension of its own: Lumora
// names them ".run" so that they are told apart from photos in a folder.
const QString ProgramExtension = QStringLiteral(".run");
const QString ScreensaverExtension = QStringLiteral(".scr");

const QString ExtractionFailedMessage = QStringLiteral("There was an error!\nPlease try again.");

enum class OnDecline { AskAgain, End };

// The file chosen in the save dialog, with its extension; empty when the person gave up. An
// existing file is replaced only after a Yes (the packager writes the new one whole before the
// old one goes, so nothing is lost when the run fails).
QString chooseOutput(QWidget* parent, const QString& title, const QString& filter, const QString& extension,
                     bool slideShow, OnDecline onDecline)
{
    for (;;) {
        const QString chosen = ui::ChooseSaveFile(parent, title, filter).path;
        if (chosen.isEmpty())
            return {};
        const QString name = showPackageName(chosen, extension);
        if (!QFileInfo::exists(name))
            return name;
        const auto answer = ui::ShowMessage(parent, overwriteQuestion(name, slideShow), QMessageBox::Question,
                                            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes)
            return name;
        if (onDecline == OnDecline::End)
            return {};
    }
}

// The built-in stub copied out for the packager, or "" after telling the person it failed.
QString extractStub(QWidget* parent, const char* name)
{
    const QString stub = fncGetExtractPluginPath(QString::fromLatin1(name));
    if (stub.isEmpty())
        ui::ShowMessage(parent, ExtractionFailedMessage, QMessageBox::Information);
    return stub;
}

// Starts the run with the status window over the main window; the window closes when it ends.
ShowRun* startRun(QWidget* parent, const QString& firstCaption, int count, ShowRun::Packager packager)
{
    auto* run = new ShowRun(std::move(packager), parent);
    QPointer<frmStatus> status = new frmStatus(parent);
    status->setAttribute(Qt::WA_DeleteOnClose);
    status->setLabelText(firstCaption);
    status->setProgress(0, count);
    status->show();
    QObject::connect(run, &ShowRun::progress, status, [status](const QString& caption, int done, int total) {
        if (!status->cancelled())  // the window says it is cancelling until the run ends
            status->setLabelText(caption);
        if (total > 0)
            status->setProgress(done, total);
    });
    QObject::connect(status, &frmStatus::cancelRequested, run, &ShowRun::cancel);
    QObject::connect(run, &ShowRun::finished, run, [run, status] {
        if (status)
            status->closeWhenDone();
        run->deleteLater();
    });
    QMetaObject::invokeMethod(run, &ShowRun::start, Qt::QueuedConnection);
    return run;
}

ShowJob basketJob(const QString& outPath, const ImageBasket& basket, const TaskBasket& tasks, int quality,
                  std::uint8_t processTasks)
{
    ShowJob job;
    job.outPath = outPath;
    job.entries = showEntriesOf(basket.entries());
    job.quality = quality;
    job.processTasks = processTasks != 0;
    job.tasks = BatchConversion::tasksOf(tasks);
    return job;
}

ShowRun* packageSingle(QWidget* parent, const QString& title, const QString& filter, const QString& extension,
                       const char* stubName, const QString& imagePath, const TaskBasket& tasks, int quality,
                       std::uint8_t processTasks)
{
    const QString outPath = chooseOutput(parent, title, filter, extension, false, OnDecline::End);
    if (outPath.isEmpty())
        return nullptr;
    const QString stub = extractStub(parent, stubName);
    if (stub.isEmpty())
        return nullptr;
    ShowJob job;
    job.outPath = outPath;
    job.entries = {ShowEntry{QStringLiteral("Single"), imagePath}};
    job.quality = quality;
    job.processTasks = processTasks != 0;
    job.tasks = BatchConversion::tasksOf(tasks);
    return startRun(parent, QFileInfo(imagePath).fileName(), 0,
                    [stub, job](ImageBox& engine, const ShowProgressCallback& progress, std::stop_token) {
                        ShowJob told = job;
                        told.progress = progress;
                        return subMakeSingleScreensaver(engine, stub, told);
                    });
}

}  // namespace

QString showPackageName(const QString& chosen, const QString& extension)
{
    if (chosen.right(extension.size()).toLower() == extension)
        return chosen;
    return chosen + extension;
}

ShowRun* cmdGenerateSlideShow(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                              SetupRecord::SlideShow& settings)
{
    SetCurrentOperation(QStringLiteral("Generating slide show"));
    {
        frmSlideShow window(settings, parent);
        if (window.exec() != QDialog::Accepted)
            return nullptr;
    }
    const QString outPath = chooseOutput(parent, QStringLiteral("Save Slide As..."),
                                         QStringLiteral("Slide (*.run) | *.run|All Files (*.*) | *.*"),
                                         ProgramExtension, true, OnDecline::AskAgain);
    if (outPath.isEmpty())
        return nullptr;
    ShowJob job = basketJob(outPath, basket, tasks, settings.jpegQuality, settings.processTaskBasket);
    job.options = SlideShowOptions{settings.backColor, settings.interval};
    return startRun(parent, QStringLiteral("Loading plugin..."), basket.size(),
                    [job](ImageBox& engine, const ShowProgressCallback& progress, std::stop_token stop) {
                        ShowJob told = job;
                        told.progress = progress;
                        return MkSlideShow(engine, told, stop);
                    });
}

ShowRun* cmdGenerateScreensaver(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                                SetupRecord::Screensaver& settings)
{
    SetCurrentOperation(QStringLiteral("Generating screensaver"));
    {
        frmScreensaverDemo window(settings, parent);
        if (window.exec() != QDialog::Accepted)
            return nullptr;
    }
    const QString outPath = chooseOutput(parent, QStringLiteral("Save as screensaver"),
                                         QStringLiteral("Screensaver file (*.scr)|*.scr"), ScreensaverExtension,
                                         false, OnDecline::End);
    if (outPath.isEmpty())
        return nullptr;
    const QString stub = extractStub(parent, ScreensaverPlugin);
    if (stub.isEmpty())
        return nullptr;
    const ShowJob job = basketJob(outPath, basket, tasks, settings.jpegQuality, settings.processTaskBasket);
    return startRun(parent, QStringLiteral("Loading Template..."), basket.size(),
                    [stub, job](ImageBox& engine, const ShowProgressCallback& progress, std::stop_token stop) {
                        ShowJob told = job;
                        told.progress = progress;
                        return subGenerateScreenSaver(engine, stub, told, stop);
                    });
}

ShowRun* cmdSaveGreetingImage(QWidget* parent, const QString& imagePath, QSize imageSize, const TaskBasket& tasks,
                              SetupRecord::Greeting& settings)
{
    if (imageSize.width() > GreetingMaxWidth || imageSize.height() > GreetingMaxHeight) {
        ui::ShowMessage(parent, greetingTooLargeMessage(), QMessageBox::Information);
        return nullptr;
    }
    SetCurrentOperation(QStringLiteral("Generating greeting image"));
    {
        frmGreetingDemo window(settings, parent);
        if (window.exec() != QDialog::Accepted)
            return nullptr;
    }
    return packageSingle(parent, QStringLiteral("Save as greeting image"),
                         QStringLiteral("Greeting images (*.run)|*.run"), ProgramExtension, GreetingPlugin,
                         imagePath, tasks, settings.jpegQuality, settings.processTaskBasket);
}

ShowRun* cmdSaveSingleScreensaver(QWidget* parent, const QString& imagePath, const TaskBasket& tasks,
                                  SetupRecord::Screensaver& settings)
{
    SetCurrentOperation(QStringLiteral("Generating screensaver"));
    {
        frmScreensaverDemo window(settings, parent);
        if (window.exec() != QDialog::Accepted)
            return nullptr;
    }
    return packageSingle(parent, QStringLiteral("Save as single-image screensaver"),
                         QStringLiteral("Screensaver file (*.scr)|*.scr"), ScreensaverExtension, ScreensaverPlugin,
                         imagePath, tasks, settings.jpegQuality, settings.processTaskBasket);
}

}  // namespace lumora
