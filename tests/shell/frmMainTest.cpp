// The main window's start-up and shutdown, driven the way the program drives them.
#include "basket/BasketPanel.h"
#include "browse/FolderListModel.h"
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
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWheelEvent>

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

    SingleInstance instance;
    auto window = start(instance);
    ASSERT_TRUE(window);
    ASSERT_TRUE(test::waitFor([&] { return QDir(window->currentFolder()).absolutePath() == QDir(photos).absolutePath(); }));
    EXPECT_EQ(window->preview().fitMode(), 1);
    EXPECT_EQ(window->preview().typeMode(), 0);
    EXPECT_EQ(window->browser().columnWidths(), folderWidths);
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

    // The batch, the album, the screensaver and the slide show.
    for (int command = 0; command <= 3; ++command) {
        dialogs.clear();
        window->subGenerateDocument(command);
        EXPECT_EQ(dialogs.messageTexts(), QStringList{"You need at least 2 images in the basket to use this feature!"})
            << command;
    }
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

// The basket gives the folder panel back when its add ends; a batch that writes into the folder
// on show lists its new files there.
TEST_F(MainWindowTest, AnAddGivesTheFolderPanelBackAndABatchIntoTheShownFolderListsItsFiles)
{
    const QString folder = QDir(makeFolder("photos")).absolutePath();
    const QStringList photos = {test::writePng(test::gradientPicture(64, 48), folder + "/p1.png"),
                                test::writePng(test::gradientPicture(48, 64), folder + "/p2.png")};
    SingleInstance instance;
    auto window = start(instance, folder);
    ASSERT_TRUE(window);
    FolderListModel* files = window->browser().listModel();
    ASSERT_TRUE(test::waitFor([&] { return files->rowCount() == 2 && !window->browser().isListing(); }));

    window->basketPanel().addFiles(photos);
    ASSERT_TRUE(test::waitFor([&] { return !window->basketPanel().isBusy(); }));
    EXPECT_EQ(window->statusPanels().panelText("folder"), "Current Folder - " + folder);

    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* save = top->findChild<QPushButton*>("cmdStarConversion"); save && top->isVisible())
                return save->click();
        ADD_FAILURE() << "the batch dialog is not open";
    });
    window->subGenerateDocument(0);
    EXPECT_TRUE(test::waitFor([&] { return files->rowCount() == 4; })) << files->rowCount();
}

// Turning the wheel over a combo box or spin box scrolls the pane around it until the control has
// the focus: the wheel never changes a value on the way down a pane.
TEST_F(MainWindowTest, TheWheelScrollsThePaneOverControlsWithoutFocus)
{
    SingleInstance instance;
    auto window = start(instance, makeFolder("empty"));
    ASSERT_TRUE(window);
    QScrollArea pane;
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* field = new QLineEdit;  // where the focus is
    layout->addWidget(field);
    auto* combo = new QComboBox;
    auto* editable = new QComboBox;  // its focus is in its line edit
    editable->setEditable(true);
    for (QComboBox* box : {combo, editable})
        box->addItems({"8", "9", "10"});
    auto* spin = new QSpinBox;
    spin->setRange(-5, 5);
    const std::initializer_list<QWidget*> controls{combo, editable, spin};
    for (QWidget* control : controls)
        layout->addWidget(control);
    layout->addSpacing(2000);
    pane.setWidget(content);
    pane.resize(200, 150);
    pane.show();
    pane.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    field->setFocus();
    const auto values = [&] { return QList<int>{combo->currentIndex(), editable->currentIndex(), spin->value()}; };
    const auto turn = [](QWidget* control) {
        const QPointF centre(control->width() / 2.0, control->height() / 2.0);
        QWheelEvent wheel(centre, control->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &wheel);
    };
    for (QWidget* control : controls) {
        const int scrolled = pane.verticalScrollBar()->value();
        turn(control);
        EXPECT_EQ(values(), QList<int>({0, 0, 0}));
        EXPECT_GT(pane.verticalScrollBar()->value(), scrolled);
    }
    // With the focus the wheel is the control's.
    for (QWidget* control : {static_cast<QWidget*>(editable), static_cast<QWidget*>(spin)}) {
        control->setFocus();
        turn(control);
    }
    EXPECT_EQ(values(), QList<int>({0, 1, -1}));
}

// At the window's size the status bar cuts no panel's text while the bar has room for all of them.
TEST_F(MainWindowTest, StatusPanelsShowTheirWholeTextsAtTheDefaultSize)
{
    SingleInstance instance;
    auto window = start(instance, makeFolder("empty"));
    ASSERT_TRUE(window);
    StatusPanels& status = window->statusPanels();
    const QMap<QString, QString> texts = {{"filename", "IMG_20240612_183455_HDR.jpg"},
                                          {"folder", "Current Folder - /home/ann/Pictures/2024"}};
    for (auto it = texts.begin(); it != texts.end(); ++it)
        status.setPanelText(it.key(), it.value());
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        QLabel* label = status.panel(it.key());
        const int needed = label->fontMetrics().horizontalAdvance(it.value());
        // What shows of the label, once the bar has laid itself out again.
        EXPECT_TRUE(test::waitFor([&] { return label->visibleRegion().boundingRect().width() >= needed; }))
            << it.key().toStdString() << ": " << label->visibleRegion().boundingRect().width() << " of " << needed;
    }
}
