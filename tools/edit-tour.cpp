// A tour of edit mode for looking at it: previews a photo, enters edit mode, opens every task's
// options in turn and composes a Task Basket, saving a screenshot of the screen after each step.
// It also says how long the window stood still for each command. Run it on a virtual display
// (scripts/screenshots.sh).
#include "Heartbeat.h"
#include "TourSteps.h"
#include "shell/EngineView.h"
#include "shell/FolderBrowser.h"
#include "shell/GlobalSetup.h"
#include "shell/LumoraStartup.h"
#include "shell/PreviewPane.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskEditingPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <cstdio>
#include <functional>

using lumora::tools::pump;
using lumora::tools::shoot;
using lumora::tools::waitUntil;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PHOTO_FOLDER SCREENSHOT_FOLDER [LOGO]\n", argv[0]);
        return 2;
    }
    const QString photos = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString shots = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(shots);

    lumora::SingleInstance instance;
    auto window = lumora::Form_Load(instance, photos);
    if (!window)
        return 1;
    if (argc > 3)
        lumora::globalSetup().taskDefaults.watermarkFile = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
    window->setGeometry(0, 0, 1280, 800);
    window->show();
    lumora::FolderBrowser& browser = window->browser();
    waitUntil([&] { return browser.currentFolder() == photos; });
    waitUntil([&] { return !browser.isListing() && browser.fileList()->model()->rowCount() > 0; });

    lumora::PreviewPane& preview = window->preview();
    bool shown = false;
    QObject::connect(&preview, &lumora::PreviewPane::previewShown, [&shown] { shown = true; });
    browser.fileList()->setCurrentIndex(browser.fileList()->model()->index(0, 0));
    Q_EMIT browser.previewRequested(browser.selectedPaths().value(0));
    waitUntil([&] { return shown; });

    lumora::TaskEditingPanel& panel = window->editPanel();
    lumora::tools::Heartbeat heartbeat;
    const auto timed = [&](const char* what, const std::function<void()>& command) {
        pump(50);
        heartbeat.reset();
        QElapsedTimer clock;
        clock.start();
        command();
        const qint64 call = clock.elapsed();
        waitUntil([&] { return !window->session().isBusy(); });
        const qint64 done = clock.elapsed();
        pump(100);
        std::printf("%s: %lld ms in the call, done after %lld ms; longest GUI-thread gap %.1f ms\n", what,
                    static_cast<long long>(call), static_cast<long long>(done), heartbeat.longestMs());
    };

    timed("enter edit mode", [&] { panel.editAction()->trigger(); });
    shoot(shots, QStringLiteral("edit-0-nothing"));

    const QStringList items = {"Resize", "Canvas", "Crop",     "Rotate", "Flip",   "Invert", "Contrast", "Sharpen",
                               "Blur",   "Brightness", "Text", "Watermark", "Mask", "Shadow", "Frame",   "RedEye",
                               "Fit"};
    int shot = 1;
    for (const QString& item : items) {
        panel.chooseItem(item);
        if (panel.previewButton()->isEnabled())
            timed(qPrintable(QStringLiteral("preview ") + item), [&] { panel.previewTask(); });
        shoot(shots, QStringLiteral("edit-%1-%2").arg(shot++, 2, 10, QLatin1Char('0')).arg(item.toLower()));
        if (panel.imageModified())
            panel.resetTask();
    }

    // A rectangle dragged on the photo for a crop, as the mouse would.
    panel.chooseItem(QStringLiteral("Crop"));
    if (auto* byMouse = panel.currentPage()->findChild<QCheckBox*>(QStringLiteral("chkCropMouse")))
        byMouse->click();
    lumora::EngineView* view = preview.view();
    const QPoint origin = view->imageRect().topLeft();
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        const QPointF local = origin + at;
        QMouseEvent event(type, local, view->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    };
    mouse(QEvent::MouseButtonPress, {60, 40}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {300, 200}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {300, 200}, Qt::NoButton);
    shoot(shots, QStringLiteral("edit-17-crop-dragged"));
    timed("preview the dragged crop", [&] { panel.previewTask(); });
    shoot(shots, QStringLiteral("edit-18-crop-previewed"));
    panel.resetTask();

    // A composed recipe: a smaller photo, a frame and a caption.
    panel.chooseItem(QStringLiteral("Resize"));
    if (auto* scale = panel.currentPage()->findChild<QRadioButton*>(QStringLiteral("optResize1")))
        scale->click();
    if (auto* percent = panel.currentPage()->findChild<QLineEdit*>(QStringLiteral("txtScale"))) {
        percent->setText(QStringLiteral("50"));
        Q_EMIT percent->textEdited(percent->text());
    }
    timed("confirm resize", [&] { panel.confirmTask(); });
    panel.chooseItem(QStringLiteral("Brightness"));
    timed("confirm brightness", [&] { panel.confirmTask(); });
    panel.chooseItem(QStringLiteral("Text"));
    timed("confirm text", [&] { panel.confirmTask(); });
    panel.chooseItem(QStringLiteral("Frame"));
    timed("confirm frame", [&] { panel.confirmTask(); });
    shoot(shots, QStringLiteral("edit-20-composed"));

    QListView* list = panel.editPreviewList();
    list->setCurrentIndex(list->model()->index(1, 0));
    timed("click the second task", [&] { panel.taskListClicked(); });
    shoot(shots, QStringLiteral("edit-21-second-task"));

    // Clicks faster than the photo can be worked on: none is lost, the last one shows.
    timed("click the first task, then the third 30 ms later", [&] {
        list->setCurrentIndex(list->model()->index(0, 0));
        panel.taskListClicked();
        pump(30);
        list->setCurrentIndex(list->model()->index(2, 0));
        panel.taskListClicked();
    });
    shoot(shots, QStringLiteral("edit-21b-third-task"));
    list->setCurrentIndex(list->model()->index(1, 0));

    timed("remove the second task", [&] { panel.removeTask(); });
    shoot(shots, QStringLiteral("edit-22-removed"));

    timed("finish", [&] { panel.editAction()->trigger(); });
    shoot(shots, QStringLiteral("edit-23-finished"));
    window->close();
    return 0;
}
