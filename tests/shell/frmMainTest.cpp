// The main window's start-up and shutdown, driven the way the program drives them.
#include "basket/BasketPanel.h"
#include "core/ProgramFolder.h"
#include "settings/SetupFile.h"
#include "settings/SetupRecord.h"
#include "shell/FolderBrowser.h"
#include "shell/LumoraStartup.h"
#include "shell/MetadataPane.h"
#include "shell/PreviewPane.h"
#include "shell/SingleInstance.h"
#include "shell/StatusPanels.h"
#include "shell/frmMain.h"
#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskEditingPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    test::ScopedEnvironment homeVariable{"LUMORA_HOME", home.path().toUtf8()};
    test::ScriptedDialogs dialogs;

    QString settingsFile() const { return ProgramFolder::settingsFile(); }

    QString makeFolder(const QString& name)
    {
        const QString path = home.filePath(name);
        QDir().mkpath(path);
        return path;
    }

    // Starts the window as the program does and waits for its first showing to open the folder.
    std::unique_ptr<frmMain> start(SingleInstance& instance, const QString& folder = QString())
    {
        auto window = Form_Load(instance, folder);
        if (!window)
            return window;
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        const QString expected = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
        EXPECT_TRUE(test::waitFor([&] {
            return !window->currentFolder().isEmpty() && (expected.isEmpty() || window->currentFolder() == expected);
        })) << window->currentFolder().toStdString();
        return window;
    }
};

TEST_F(MainWindowTest, ClosingSavesTheWindowStateASecondCopyLeavesItAndTheNextStartRestoresIt)
{
    const QString photos = makeFolder("photos");
    QList<int> folderWidths{150, 90, 80, 50, 70, 120, 130, 140};
    // Closing also deletes the scratch files without an extension; pages stay.
    QDir().mkpath(ProgramFolder::tempFolder());
    const QString scratch = ProgramFolder::tempFolder() + "conversion";
    const QString page = ProgramFolder::tempFolder() + "scan_page1.tif";
    test::writeBytes(scratch, "x");
    test::writeBytes(page, "x");
    {
        SingleInstance instance;
        auto window = start(instance, photos);
        ASSERT_TRUE(window);
        window->resize(1200, 800);
        ASSERT_TRUE(test::waitFor([&] { return window->width() == 1200; }));
        auto* splMain = window->findChild<QSplitter*>("splMain");
        auto* splLeft = window->findChild<QSplitter*>("splLeft");
        ASSERT_TRUE(splMain && splLeft);
        const int height = splMain->sizes()[0] + splMain->sizes()[1];
        splMain->setSizes({height * 60 / 100, height - height * 60 / 100});
        const int width = splLeft->sizes()[0] + splLeft->sizes()[1];
        splLeft->setSizes({width * 40 / 100, width - width * 40 / 100});
        window->preview().setPreviewMode(1, 0);  // Actual Size, Original
        window->browser().setColumnWidths(folderWidths);
        window->metadata().setColumnWidths({111, 222, 133, 244});
        window->close();
        window.reset();

        // The first copy still holds the program folder: a second one says so and leaves the
        // settings file as the first one wrote it.
        const QByteArray written = test::readBytes(settingsFile());
        const QDateTime modified = QFileInfo(settingsFile()).lastModified();
        SingleInstance second;
        dialogs.clear();
        EXPECT_FALSE(Form_Load(second));
        EXPECT_EQ(dialogs.messageTexts(),
                  QStringList{"There is already an instance of Lumora running!\nMultiple instance is unsupported."});
        EXPECT_EQ(dialogs.messages().value(0).icon, QMessageBox::Critical);
        EXPECT_EQ(test::readBytes(settingsFile()), written);
        EXPECT_EQ(QFileInfo(settingsFile()).lastModified(), modified);
    }
    EXPECT_FALSE(QFile::exists(scratch));
    EXPECT_TRUE(QFile::exists(page));

    SetupRecord saved;
    readSetupFile(settingsFile(), saved);
    EXPECT_NEAR(saved.paneSplits.main, 60, 1);
    EXPECT_NEAR(saved.paneSplits.left, 40, 1);
    EXPECT_EQ(saved.previewMode.zoom, 1);
    EXPECT_EQ(saved.previewMode.selection, 0);
    EXPECT_EQ(QDir(saved.lastFolder.path).absolutePath(), QDir(photos).absolutePath());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(saved.folderView.columnWidths[static_cast<std::size_t>(i)], folderWidths[i]) << "column " << i;
    EXPECT_EQ(saved.metadataColumns.exifName, 111);
    EXPECT_EQ(saved.metadataColumns.iptcValue, 244);

    SingleInstance instance;
    auto window = start(instance);
    ASSERT_TRUE(window);
    ASSERT_TRUE(test::waitFor([&] { return QDir(window->currentFolder()).absolutePath() == QDir(photos).absolutePath(); }));
    EXPECT_EQ(window->preview().fitMode(), 1);
    EXPECT_EQ(window->preview().typeMode(), 0);
    EXPECT_EQ(window->browser().columnWidths(), folderWidths);
    EXPECT_EQ(window->metadata().columnWidths(), (QList<int>{111, 222, 133, 244}));
    auto* splMain = window->findChild<QSplitter*>("splMain");
    ASSERT_TRUE(test::waitFor([&] { return splMain->sizes()[0] > 0; }));
    const int total = splMain->sizes()[0] + splMain->sizes()[1];
    EXPECT_NEAR(splMain->sizes()[0] * 100.0 / total, 60.0, 2.0);
}

TEST_F(MainWindowTest, ToolTipsFollowTheSettingsDialogWithoutARestart)
{
    SingleInstance instance;
    auto window = start(instance, makeFolder("photos"));
    ASSERT_TRUE(window);
    auto* previewImage = window->preview().findChild<QWidget*>("PicViewImage");
    ASSERT_TRUE(previewImage);
    const auto tipped = [&] {
        return QList<QWidget*>{window->browser().folderTree(), window->browser().fileList(), window->metadata().exifView(),
                               window->metadata().iptcView(), window->basketPanel().basketList(), previewImage};
    };
    for (QWidget* widget : tipped())
        EXPECT_FALSE(widget->toolTip().isEmpty()) << widget->objectName().toStdString();

    // The dialog is modal: answer it from the event loop it runs.
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->findChild<QCheckBox*>("chkAllowTip")->setChecked(false);
        dialog->findChild<QPushButton*>("cmdOK")->click();
        answered = true;
    });
    window->showSettings();
    ASSERT_TRUE(answered);
    for (QWidget* widget : tipped())
        EXPECT_TRUE(widget->toolTip().isEmpty()) << widget->toolTip().toStdString();
}

TEST_F(MainWindowTest, AFreshStartShowsTheFolderAndAnEmptyBasketAndTheBatchWaitsForTwoPhotos)
{
    SingleInstance instance;
    auto window = start(instance, makeFolder("empty"));
    ASSERT_TRUE(window);
    StatusPanels& status = window->statusPanels();
    EXPECT_EQ(status.panelText("queue"), "No files in basket");
    const QString folderText = "Current Folder - " + QDir(home.filePath("empty")).absolutePath();
    EXPECT_TRUE(test::waitFor([&] { return status.panelText("folder") == folderText; }))
        << status.panelText("folder").toStdString();

    dialogs.clear();
    window->subGenerateDocument(0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"You need at least 2 images in the basket to use this feature!"});
}

TEST_F(MainWindowTest, EditModeTakesTheBrowsePanesPlaceAndItsOptionsOutliveTheProgram)
{
    const QString folder = makeFolder("photos");
    const QString photo = test::writePng(test::gradientPicture(320, 240), folder + "/photo.png");
    auto previewPhoto = [&](frmMain& window) {
        QSignalSpy shown(&window.preview(), &PreviewPane::previewShown);
        ASSERT_TRUE(window.preview().showSelectedFile(photo, 1, QString()));
        ASSERT_TRUE(test::waitFor([&] { return !shown.isEmpty(); }));
    };
    auto degreesField = [](frmMain& window) {
        return window.editPanel().currentPage()->findChild<QLineEdit*>("txtDegrees");
    };
    {
        SingleInstance instance;
        auto window = start(instance, folder);
        ASSERT_TRUE(window);
        previewPhoto(*window);
        auto* edit = window->preview().findChild<QToolButton*>("CmdPreviewEdit");
        ASSERT_TRUE(edit);
        auto* tabs = window->findChild<QTabWidget*>("tbsBrowse");
        auto* type = window->preview().findChild<QWidget*>("cmdPreviewType");
        TaskEditingPanel& panel = window->editPanel();
        edit->click();
        ASSERT_TRUE(test::waitFor([&] { return !window->session().isBusy(); }));
        EXPECT_TRUE(panel.isVisible());
        EXPECT_FALSE(tabs->isVisible());
        EXPECT_FALSE(type->isEnabled());
        EXPECT_EQ(edit->text(), "Finish");  // without the blanks that made room for a picture

        panel.chooseItem("Rotate");
        QLineEdit* degrees = degreesField(*window);
        ASSERT_TRUE(degrees);
        degrees->setFocus();
        degrees->selectAll();
        QTest::keyClicks(degrees, "30");
        QTest::keyClick(degrees, Qt::Key_Tab);
        panel.confirmButton()->click();
        ASSERT_TRUE(test::waitFor([&] { return !window->session().isBusy(); }));
        ASSERT_EQ(window->tasks().size(), 1);
        // The task shows in the explorer view's list too.
        EXPECT_EQ(window->findChild<QListView*>("lvEdit")->model()->rowCount(), 1);

        edit->click();
        EXPECT_FALSE(panel.isVisible());
        EXPECT_TRUE(tabs->isVisible());
        EXPECT_TRUE(type->isEnabled());
        window->close();
    }
    SingleInstance instance;
    auto window = start(instance, folder);
    ASSERT_TRUE(window);
    previewPhoto(*window);
    window->editPanel().enterEditMode();
    window->editPanel().chooseItem("Rotate");
    ASSERT_TRUE(degreesField(*window));
    EXPECT_EQ(degreesField(*window)->text(), "30");
    window->close();
}

}  // namespace
