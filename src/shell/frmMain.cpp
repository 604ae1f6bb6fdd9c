#include "shell/frmMain.h"

#include "acquire/AcquiredPhoto.h"
#include "acquire/frmCapture.h"
#include "acquire/frmTwain.h"
#include "album/AlbumRun.h"
#include "album/GenerateAlbum.h"
#include "basket/BasketPanel.h"
#include "basket/ImageBasket.h"
#include "controls/WheelGuard.h"
#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/ProgramFolder.h"
#include "core/UprightPhotos.h"
#include "output/BatchPrint.h"
#include "output/BatchRun.h"
#include "output/BatchSummary.h"
#include "output/PrintedPhoto.h"
#include "output/SaveAsSinglePage.h"
#include "settings/SetupFile.h"
#include "settings/SetupRecord.h"
#include "shell/AboutWindow.h"
#include "shell/FolderBrowser.h"
#include "shell/HelpPage.h"
#include "shell/MessageBoxes.h"
#include "shell/MetadataCommands.h"
#include "shell/MetadataPane.h"
#include "shell/PaneCaption.h"
#include "shell/PreviewPane.h"
#include "shell/StatusPanels.h"
#include "shell/TaskBasketPane.h"
#include "shell/WindowActivation.h"
#include "shell/frmSettings.h"
#include "shows/ShowCommands.h"
#include "shows/ShowRun.h"
#include "tasks/TaskEditingPanel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

namespace {
// The six lists' tool-tips when tool-tips are on.
const QString FolderTreeTip = QStringLiteral("Browse for a particular folder where image files are placed.");
const QString FolderListTip = QStringLiteral("List all supported image formats from the selected folder.");
const QString ExifListTip = QStringLiteral("List all available EXIF attributes from JPEG/TIFF files.");
const QString IptcListTip = QStringLiteral("List all available EXIF attributes from JPEG/TIFF files.");
const QString BasketListTip = QStringLiteral("List all added files or pages in the basket");
const QString PreviewTip = QStringLiteral("Container for the preview file.");

const QString NeedTwoImagesMessage = QStringLiteral("You need at least 2 images in the basket to use this feature!");

// A splitter position is the share of the first pane in percent; 1..99 keeps both panes
// visible whatever a settings file held.
int positionOf(const QSplitter* splitter)
{
    const QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        return 50;
    return std::clamp((sizes.value(0) * 100 + total / 2) / total, 1, 99);
}

void setPosition(QSplitter* splitter, int percent)
{
    const int share = std::clamp(percent, 1, 99);
    const int total = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    const int extent = std::max(total, 100);
    splitter->setSizes({extent * share / 100, extent - extent * share / 100});
}

template <std::size_t N>
QList<int> widthsOf(const std::array<std::int16_t, N>& stored)
{
    QList<int> widths;
    for (std::int16_t width : stored)
        widths << width;
    return widths;
}

template <std::size_t N>
void storeWidths(std::array<std::int16_t, N>& stored, const QList<int>& widths)
{
    for (std::size_t i = 0; i < N && i < static_cast<std::size_t>(widths.size()); ++i)
        stored[i] = static_cast<std::int16_t>(std::clamp(widths[static_cast<qsizetype>(i)], 0, 32767));
}
}  // namespace

frmMain::frmMain(SetupRecord& record, QWidget* parent) : QMainWindow(parent), record_(record)
{
    SetCurrentOperation(QStringLiteral("Setting up Main Application"));
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(app::Title));
    setWindowIcon(style()->standardIcon(QStyle::SP_DesktopIcon));

    // Before any pane is built: the guard meets every combo box and spin box as it is polished.
    QApplication::instance()->installEventFilter(new WheelGuard(this));
    buildPanes();
    buildMenus();
    connectPanes();

    // The settings routine: splitters (applied once the window has its size), preview menus,
    // column widths, the remembered folder, then everything the Settings dialog governs. A
    // failure here is reported and the window opens with what was set so far.
    try {
        preview_->setPreviewMode(record_.previewMode.zoom, record_.previewMode.selection);
        browser_->setViewMode(record_.folderView.viewMode == 3 ? 3 : 0);
        browser_->setColumnWidths(widthsOf(record_.folderView.columnWidths));
        basketPanel_->setColumnWidths(widthsOf(record_.basketView.columnWidths));
        metadata_->setColumnWidths({record_.metadataColumns.exifName, record_.metadataColumns.exifValue,
                                    record_.metadataColumns.iptcName, record_.metadataColumns.iptcValue});
        rememberedFolder_ = record_.basketView.rememberedFolder;
        subUpdateForm();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 3, QStringLiteral("FrmMain.subSetup"));
    }

    status_->setPanelText(QStringLiteral("queue"), QStringLiteral("No files in basket"));
    resize(1180, 760);
}

frmMain::~frmMain()
{
    // The preview and the task pane work on the session and the Task Basket, which are members
    // and go before the window's children would: the panes go first.
    delete editPanel_;
    delete preview_;
}

void frmMain::buildPanes()
{
    // Browse pane: "File System" (folder tree and files) and "Task Basket".
    auto* browsePane = new QWidget(this);
    browsePane->setObjectName(QStringLiteral("picBrowse"));
    auto* browseLayout = new QVBoxLayout(browsePane);
    browseLayout->setContentsMargins(0, 0, 0, 0);
    browseLayout->setSpacing(0);
    browseCaption_ = makePaneCaption(QStringLiteral(" Browse File System"), QStringLiteral("lblBrowse"), browsePane);
    browseLayout->addWidget(browseCaption_);
    browseTabs_ = new QTabWidget(browsePane);
    browseTabs_->setObjectName(QStringLiteral("tbsBrowse"));
    browseTabs_->setDocumentMode(true);
    browser_ = new FolderBrowser(browseTabs_);
    taskPane_ = new TaskBasketPane(tasks_, browseTabs_);
    browseTabs_->addTab(browser_, QStringLiteral("File System"));
    browseTabs_->addTab(taskPane_, QStringLiteral("  Task Basket"));

    metadata_ = new MetadataPane(this);
    preview_ = new PreviewPane(session_, metadata_->exifList(), metadata_->iptcList(), this);
    metadataCommands_ = new MetadataCommands(*metadata_, *preview_, this);

    // Edit mode shows the task pane where the browse tabs were.
    editPanel_ = new TaskEditingPanel(tasks_, session_, *preview_, record_.taskDefaults, browsePane);
    editPanel_->setExplorerList(taskPane_->taskList());
    taskPane_->setCommands({editPanel_->editBarAction(0), editPanel_->editBarAction(1), editPanel_->editBarAction(2),
                            editPanel_->editBarAction(3)});
    preview_->setLastRowProvider([this] { return editPanel_->lastRow(); });
    preview_->setOutputFormatSettings(record_.outputFormat);
    preview_->addCommand(editPanel_->editAction(), editPanel_->editMenuAction());
    browseStack_ = new QStackedWidget(browsePane);
    browseStack_->addWidget(browseTabs_);
    browseStack_->addWidget(editPanel_);
    browseLayout->addWidget(browseStack_, 1);
    basketPanel_ = new BasketPanel(this);

    splLeft_ = new QSplitter(Qt::Horizontal);
    splLeft_->setObjectName(QStringLiteral("splLeft"));
    splLeft_->addWidget(browsePane);
    splLeft_->addWidget(preview_);

    splRight_ = new QSplitter(Qt::Horizontal);
    splRight_->setObjectName(QStringLiteral("splRight"));
    splRight_->addWidget(splLeft_);
    splRight_->addWidget(metadata_);

    splMain_ = new QSplitter(Qt::Vertical, this);
    splMain_->setObjectName(QStringLiteral("splMain"));
    splMain_->addWidget(splRight_);
    splMain_->addWidget(basketPanel_);
    for (QSplitter* splitter : {splMain_, splRight_, splLeft_})
        splitter->setChildrenCollapsible(false);
    setCentralWidget(splMain_);

    // The folder tree and the file list share the "File System" tab through the browser's own
    // splitter.
    splView_ = browser_->findChild<QSplitter*>();
    if (splView_)
        splView_->setObjectName(QStringLiteral("splView"));

    status_ = new StatusPanels(this);
    setStatusBar(status_);
    listingProgress_ = new QProgressBar(status_);
    listingProgress_->setObjectName(QStringLiteral("pbListing"));
    listingProgress_->setMaximumWidth(160);
    listingProgress_->setMaximumHeight(14);
    listingProgress_->setTextVisible(false);
    listingProgress_->hide();
    status_->addPermanentWidget(listingProgress_);
}

void frmMain::buildMenus()
{
    auto* fileMenu = menuBar()->addMenu(tr("&File"));
    QAction* settings = fileMenu->addAction(style()->standardIcon(QStyle::SP_FileDialogListView), tr("&Settings..."));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    fileMenu->addSeparator();
    const QIcon captureIcon = QIcon::fromTheme(QStringLiteral("camera-photo"), style()->standardIcon(QStyle::SP_DesktopIcon));
    QAction* capture = fileMenu->addAction(captureIcon, tr("&Capture screen..."));
    capture->setObjectName(QStringLiteral("mnuCapture"));
    connect(capture, &QAction::triggered, this, [this] { (new frmCapture(*this, record_.capture))->open(); });
    const QIcon scannerIcon = QIcon::fromTheme(QStringLiteral("scanner"), style()->standardIcon(QStyle::SP_DriveHDIcon));
    QAction* acquire = fileMenu->addAction(scannerIcon, tr("&Acquire from scanner..."));
    acquire->setObjectName(QStringLiteral("mnuAcquire"));
    connect(acquire, &QAction::triggered, this, &frmMain::showAcquire);
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(tr("E&xit"));
    quit->setShortcut(QKeySequence::Quit);

    auto* basketMenu = menuBar()->addMenu(tr("&Basket"));
    QAction* add = basketMenu->addAction(style()->standardIcon(QStyle::SP_ArrowDown), tr("&Add selected files to basket"));
    add->setObjectName(QStringLiteral("cmdAddToQueue"));
    add->setToolTip(tr("Add the selected files to the Image Basket"));

    auto* outputMenu = menuBar()->addMenu(tr("&Output"));
    QAction* batch = batchAction_ = outputMenu->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("&Batch conversion..."));
    batch->setObjectName(QStringLiteral("mnuBatchConversion"));
    batch->setToolTip(tr("Apply the Task Basket to every photo of the Image Basket and save them as JPEG"));
    QAction* album = albumAction_ = outputMenu->addAction(tr("Web &album..."));
    album->setObjectName(QStringLiteral("mnuWebAlbum"));
    album->setToolTip(tr("Make a web album of the photos of the Image Basket"));
    connect(album, &QAction::triggered, this, [this] { subGenerateDocument(1); });
    QAction* print = batchPrintAction_ = outputMenu->addAction(tr("Batch &print..."));
    print->setObjectName(QStringLiteral("mnuBatchPrint"));
    connect(print, &QAction::triggered, this, &frmMain::subBatchPrint);
    QAction* slideShow = outputMenu->addAction(tr("&Slide show..."));
    slideShow->setObjectName(QStringLiteral("mnuSlideShow"));
    slideShow->setToolTip(tr("Make a self-running slide show of the photos of the Image Basket"));
    connect(slideShow, &QAction::triggered, this, [this] { subGenerateDocument(3); });
    QAction* screensaver = outputMenu->addAction(tr("Scree&nsaver..."));
    screensaver->setObjectName(QStringLiteral("mnuScreensaver"));
    screensaver->setToolTip(tr("Make a screensaver of the photos of the Image Basket"));
    connect(screensaver, &QAction::triggered, this, [this] { subGenerateDocument(2); });

    auto* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuAbout"));
    QAction* manual = helpMenu->addAction(tr("Help Manual"));
    manual->setShortcut(QKeySequence::HelpContents);
    QAction* about = helpMenu->addAction(tr("About"));

    auto* tools = addToolBar(tr("Commands"));
    tools->setObjectName(QStringLiteral("tbMain"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->setIconSize(QSize(18, 18));
    tools->addAction(add);
    tools->addAction(batch);
    tools->addSeparator();
    tools->addAction(settings);

    connect(settings, &QAction::triggered, this, &frmMain::showSettings);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(add, &QAction::triggered, this, &frmMain::addSelectedToBasket);
    connect(batch, &QAction::triggered, this, [this] { subGenerateDocument(0); });
    connect(manual, &QAction::triggered, this, &frmMain::showHelp);
    connect(about, &QAction::triggered, this, &frmMain::showAbout);
}

void frmMain::connectPanes()
{
    auto toStatus = [this](const QString& key, const QString& text) { status_->setPanelText(key, text); };
    connect(browser_, &FolderBrowser::statusText, this, toStatus);
    connect(preview_, &PreviewPane::statusText, this, toStatus);
    connect(basketPanel_, &BasketPanel::statusText, this, toStatus);

    connect(browser_, &FolderBrowser::previewRequested, this, &frmMain::previewFromFolder);
    connect(browser_, &FolderBrowser::addToBasketRequested, this,
            [this](const QStringList& paths) { basketPanel_->addFiles(paths); });
    connect(browser_, &FolderBrowser::listingProgress, this, [this](int value, int maximum, bool visible) {
        listingProgress_->setMaximum(std::max(maximum, 1));
        listingProgress_->setValue(value);
        listingProgress_->setVisible(visible);
    });
    connect(basketPanel_, &BasketPanel::previewRequested, this, &frmMain::previewFromBasket);
    // The panel showed the add's progress in the "folder" panel; the folder comes back after it.
    connect(basketPanel_, &BasketPanel::addingFinished, this, [this] {
        status_->setPanelText(QStringLiteral("folder"), FolderBrowser::folderStatus(browser_->currentFolder()));
    });
    connect(preview_, &PreviewPane::previousRequested, this, [this] { previewAdjacent(-1); });
    connect(preview_, &PreviewPane::nextRequested, this, [this] { previewAdjacent(+1); });
    connect(preview_, &PreviewPane::printRequested, this,
            [this] { cmdPreviewPrint(this, PrintedPhoto::shown(session_.picture(), session_.path()), record_.print); });
    connect(preview_, &PreviewPane::greetingRequested, this, [this] {
        if (!showRun_)
            showRun_ = cmdSaveGreetingImage(this, session_.path(), session_.imageSize(), tasks_, record_.greeting);
    });
    connect(preview_, &PreviewPane::singleScreensaverRequested, this, [this] {
        if (!showRun_)
            showRun_ = cmdSaveSingleScreensaver(this, session_.path(), tasks_, record_.screensaver);
    });
    connect(preview_, &PreviewPane::resolutionKnown, this, [this](const QString& path, const QString& text) {
        browser_->setRowResolution(path, text);
    });
    connect(editPanel_, &TaskEditingPanel::editModeChanged, this, &frmMain::editModeChanged);
    connect(browseTabs_, &QTabWidget::currentChanged, this, &frmMain::browseTabChanged);
}

void frmMain::subUpdateForm()
{
    try {
        updateFormFromRecord();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 1, QStringLiteral("FrmMain.subUpdateForm"));
    }
}

void frmMain::updateFormFromRecord()
{
    SetCurrentOperation(QStringLiteral("Updating settings to controls"));
    const auto& folder = record_.folderView;
    const auto& basket = record_.basketView;
    browser_->setThumbnailSize(folder.thumbnailWidth, folder.thumbnailHeight);
    browser_->setShortFileSize(folder.fileSizeStyle == 1);
    browser_->setFullRowSelect(folder.fullRowSelect != 0);
    basketPanel_->setThumbnailSize(basket.thumbnailWidth, basket.thumbnailHeight);
    basketPanel_->setFullRowSelect(basket.fullRowSelect != 0);

    const bool tips = record_.toolTips.show == 1;
    auto tip = [tips](const QString& text) { return tips ? text : QString(); };
    browser_->setListToolTips(tip(FolderTreeTip), tip(FolderListTip));
    metadata_->setListToolTips(tip(ExifListTip), tip(IptcListTip));
    basketPanel_->basketList()->setToolTip(tip(BasketListTip));
    if (auto* container = preview_->findChild<QWidget*>(QStringLiteral("PicViewImage")))
        container->setToolTip(tip(PreviewTip));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (firstShowPending_) {
        firstShowPending_ = false;
        // The splitters need the window's real size to turn percentages into pixels.
        QTimer::singleShot(0, this, &frmMain::firstShow);
    }
}

void frmMain::firstShow()
{
    applySplitterPositions();
    QString folder = startFolder_.isEmpty() ? record_.lastFolder.path : startFolder_;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    browser_->selectFolder(folder);
    status_->setVisible(true);
}

void frmMain::applySplitterPositions()
{
    const auto& splits = record_.paneSplits;
    setPosition(splMain_, splits.main);
    // splRight gives its share to the metadata pane on the right: the stored value is that pane's.
    setPosition(splRight_, 100 - splits.right);
    setPosition(splLeft_, splits.left);
    if (splView_)
        setPosition(splView_, splits.view);
}

QString frmMain::currentFolder() const
{
    return browser_->currentFolder();
}

void frmMain::previewFromFolder(const QString& path)
{
    previewSource_ = PreviewSource::Folder;
    preview_->showSelectedFile(path, browser_->rowPages(path), browser_->rowResolution(path));
    metadataCommands_->updateCommands();
}

void frmMain::previewFromBasket(const QString& path)
{
    previewSource_ = PreviewSource::Basket;
    preview_->showSelectedFile(path, 1, QString());
    metadataCommands_->updateCommands();
}

void frmMain::previewAdjacent(int delta)
{
    if (previewSource_ == PreviewSource::Basket)
        basketPanel_->selectAdjacent(delta);
    else
        browser_->selectAdjacent(delta);
}

void frmMain::editModeChanged(bool editing)
{
    browseStack_->setCurrentWidget(editing ? static_cast<QWidget*>(editPanel_) : browseTabs_);
    browseCaption_->setVisible(!editing);
    if (auto* type = preview_->findChild<QWidget*>(QStringLiteral("cmdPreviewType")))
        type->setEnabled(!editing);
}

void frmMain::browseTabChanged(int index)
{
    browseCaption_->setText(index == 0 ? QStringLiteral(" Browse File System") : QStringLiteral("Task Basket"));
}

void frmMain::openPaths(const QStringList& paths)
{
    QString folder;
    QStringList photos;
    QStringList missing;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            if (folder.isEmpty())
                folder = info.absoluteFilePath();
        } else if (info.isFile()) {
            photos.append(info.absoluteFilePath());
            if (folder.isEmpty())
                folder = info.absolutePath();
        } else {
            missing.append(QDir::toNativeSeparators(path));
        }
    }
    if (!folder.isEmpty()) {
        if (firstShowPending_)
            startFolder_ = folder;
        else
            browser_->selectFolder(folder);
    }
    if (!photos.isEmpty())
        basketPanel_->addFiles(photos);
    if (isVisible())
        bringToFront(this);
    if (!missing.isEmpty())
        ui::ShowMessage(this, tr("Lumora cannot find:\n%1").arg(missing.join(u'\n')), QMessageBox::Warning);
}

void frmMain::addSelectedToBasket()
{
    SetCurrentOperation(QStringLiteral("Adding selected files to basket!"));
    const QStringList paths = browser_->selectedPaths();
    if (!paths.isEmpty())
        basketPanel_->addFiles(paths);
}

void frmMain::subGenerateDocument(int index)
{
    if (index < 0 || index > 3)
        return;
    if (basketPanel_->basket().size() < 2) {
        ui::ShowMessage(this, NeedTwoImagesMessage, QMessageBox::Information);
        return;
    }
    if (index == 2 || index == 3) {
        if (showRun_)
            return;
        showRun_ = index == 3
                       ? cmdGenerateSlideShow(this, basketPanel_->basket(), tasks_, record_.slideShow)
                       : cmdGenerateScreensaver(this, basketPanel_->basket(), tasks_, record_.screensaver);
        return;
    }
    if (index == 1) {
        if (albumRun_)
            return;
        albumRun_ = subGenerateAlbum(this, basketPanel_->basket(), tasks_, record_.album);
        if (albumRun_) {
            albumAction_->setEnabled(false);
            connect(albumRun_, &QObject::destroyed, this, [this] { albumAction_->setEnabled(true); });
        }
        return;
    }
    if (batchRun_)
        return;
    batchRun_ = subSaveAsSinglePage(this, basketPanel_->basket(), tasks_, record_);
    if (batchRun_) {
        batchAction_->setEnabled(false);
        connect(batchRun_, &QObject::destroyed, this, [this] { batchAction_->setEnabled(true); });
        // The folder list shows the files the run wrote into the folder on show.
        connect(batchRun_, &BatchRun::finished, this, [this, run = batchRun_](bool ok) {
            if (run && BatchSummary::of(run->results(), ok).wroteInto(browser_->currentFolder()))
                browser_->subShowFilesInFolder();
        });
    }
}

void frmMain::showAcquire()
{
    frmTwain window(
        record_.twain,
        [this](const QString& path) { AcquiredPhoto(*this).take(path, QStringLiteral("FrmTwain.subAddItemToBasket")); },
        this);
    window.exec();
}

void frmMain::subBatchPrint()
{
    BatchPrint* run = lumora::subBatchPrint(this, basketPanel_->basket(), session_.path(), record_.print);
    if (run) {
        batchPrintAction_->setEnabled(false);
        connect(run, &QObject::destroyed, this, [this] { batchPrintAction_->setEnabled(true); });
    }
}

void frmMain::showSettings()
{
    frmSettings dialog(record_, this);
    connect(&dialog, &frmSettings::settingsApplied, this, &frmMain::subUpdateForm);
    const bool upright = UprightPhotos::enabled();
    dialog.exec();
    // Pictures already read stand the other way now: the photo and the folder are read again.
    if (UprightPhotos::enabled() != upright) {
        const QString shown = preview_->previewedPath();
        preview_->clearPreview();
        if (!shown.isEmpty())
            preview_->showSelectedFile(shown, -1, {});
        browser_->subShowFilesInFolder();
    }
}

void frmMain::showAbout()
{
    AboutWindow about(this);
    about.exec();
}

void frmMain::showHelp()
{
    openHelpPage(this);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    subEnd();
    QMainWindow::closeEvent(event);
}

void frmMain::subEnd()
{
    if (ended_)
        return;
    ended_ = true;
    try {
        SetCurrentOperation(QStringLiteral("Saving Settings before termination"));
        auto& splits = record_.paneSplits;
        splits.main = static_cast<std::int16_t>(positionOf(splMain_));
        splits.right = static_cast<std::int16_t>(100 - positionOf(splRight_));
        splits.left = static_cast<std::int16_t>(positionOf(splLeft_));
        if (splView_)
            splits.view = static_cast<std::int16_t>(positionOf(splView_));
        record_.previewMode.zoom = static_cast<std::uint8_t>(preview_->fitMode());
        record_.previewMode.selection = static_cast<std::uint8_t>(preview_->typeMode());
        const QString folder = browser_->currentFolder();
        if (!folder.isEmpty())
            record_.lastFolder.path = folder;
        record_.folderView.viewMode = browser_->viewMode();
        storeWidths(record_.folderView.columnWidths, browser_->columnWidths());
        storeWidths(record_.basketView.columnWidths, basketPanel_->columnWidths());
        const QList<int> metadataWidths = metadata_->columnWidths();
        record_.metadataColumns.exifName = static_cast<std::int16_t>(metadataWidths.value(0, 100));
        record_.metadataColumns.exifValue = static_cast<std::int16_t>(metadataWidths.value(1, 200));
        record_.metadataColumns.iptcName = static_cast<std::int16_t>(metadataWidths.value(2, 100));
        record_.metadataColumns.iptcValue = static_cast<std::int16_t>(metadataWidths.value(3, 200));
        record_.basketView.rememberedFolder = rememberedFolder_;
        subSaveSetup(record_);
        SetCurrentOperation(QStringLiteral("Trying to stop Graphic Engine"));
        basketPanel_->cancelAdd();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 1, QStringLiteral("FrmMain.subEnd"));
    }
    deleteTempFilesWithoutExtension();
}

void frmMain::deleteTempFilesWithoutExtension()
{
    // The loader's and the page splitter's scratch files have no extension; pages (*.tif) stay
    // until a new basket is started.
    QDir temp(ProgramFolder::tempFolder());
    const QStringList files = temp.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        if (!name.contains(QLatin1Char('.')))
            QFile::remove(temp.filePath(name));
    }
}

}  // namespace lumora
