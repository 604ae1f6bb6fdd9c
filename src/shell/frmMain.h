#pragma once

#include "edit/EditSession.h"
#include "tasks/TaskBasket.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace lumora {

class AlbumRun;
class BasketPanel;
class BatchRun;
class FolderBrowser;
class MetadataCommands;
class MetadataPane;
class PreviewPane;
class ShowRun;
class StatusPanels;
class TaskBasketPane;
class TaskEditingPanel;
struct SetupRecord;

// Lumora's one top-level window: the browse pane (folder tree and files, or the Task Basket),
// the preview, the metadata pane, the Image Basket and the status bar. It owns the Task Basket
// and the edit session that the preview and the task pane work on, lays the panes out from the
// settings record when it opens and puts the window's state back into the record when it closes.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // The set-up of a window whose settings record has been loaded (subSetup).
    explicit frmMain(SetupRecord& record, QWidget* parent = nullptr);
    ~frmMain() override;

    // Re-applies what the Settings dialog changes: thumbnail sizes, full-row selection, tool-tips.
    void subUpdateForm();
    // Copies the window's state into the settings record and writes it. Called once, on closing.
    void subEnd();

    // The output commands: 0 the batch conversion, 1 the web album; both need two photos in the
    // Image Basket.
    void subGenerateDocument(int index);
    // Prints every Image Basket entry after the print dialogs.
    void subBatchPrint();
    // Adds the folder list's selected files to the Image Basket (`cmdAddToQueue`).
    void addSelectedToBasket();
    // Opens the Settings dialog.
    void showSettings();
    void showAbout();
    void showHelp();
    // Opens the acquire window (scanning); its pages for the Image Basket come back here.
    void showAcquire();

    // The folder the tree opens on and the window's panes, for the application and its tests.
    FolderBrowser& browser() const { return *browser_; }
    PreviewPane& preview() const { return *preview_; }
    MetadataPane& metadata() const { return *metadata_; }
    MetadataCommands& metadataCommands() const { return *metadataCommands_; }
    BasketPanel& basketPanel() const { return *basketPanel_; }
    StatusPanels& statusPanels() const { return *status_; }
    TaskBasket& tasks() { return tasks_; }
    EditSession& session() { return session_; }
    TaskBasketPane& taskPane() const { return *taskPane_; }
    TaskEditingPanel& editPanel() const { return *editPanel_; }

    // The folder the tree shows now.
    QString currentFolder() const;
    // Previews a file of the Image Basket (its entry chosen, or a photo just acquired).
    void previewFromBasket(const QString& path);
    // A folder named on the command line: the tree opens there instead of on the last folder.
    void setStartFolder(const QString& folder) { startFolder_ = folder; }
    // Photos and folders given from outside (the command line, a file manager through a second
    // copy): the tree opens on the first folder (or the first photo's folder), the photos go into
    // the Image Basket, and the window comes to the front. Missing paths are named in a message.
    void openPaths(const QStringList& paths);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class PreviewSource { Folder, Basket };

    void updateFormFromRecord();
    void buildPanes();
    void buildMenus();
    void connectPanes();
    void applySplitterPositions();
    void firstShow();
    void previewFromFolder(const QString& path);
    void previewAdjacent(int delta);
    void browseTabChanged(int index);
    void editModeChanged(bool editing);
    static void deleteTempFilesWithoutExtension();

    SetupRecord& record_;
    TaskBasket tasks_;
    // The photo in the preview and its edits, shared by the preview and the task pane.
    EditSession session_{tasks_};

    FolderBrowser* browser_ = nullptr;
    PreviewPane* preview_ = nullptr;
    MetadataPane* metadata_ = nullptr;
    MetadataCommands* metadataCommands_ = nullptr;
    BasketPanel* basketPanel_ = nullptr;
    TaskBasketPane* taskPane_ = nullptr;
    TaskEditingPanel* editPanel_ = nullptr;
    QStackedWidget* browseStack_ = nullptr;
    StatusPanels* status_ = nullptr;
    QProgressBar* listingProgress_ = nullptr;
    QLabel* browseCaption_ = nullptr;
    QAction* batchAction_ = nullptr;
    QAction* batchPrintAction_ = nullptr;
    QAction* albumAction_ = nullptr;
    // The batch running now, if any: one at a time, since both would write the same files.
    QPointer<BatchRun> batchRun_;
    // The album being written, if any: one at a time.
    QPointer<AlbumRun> albumRun_;
    // The show being packaged, if any: one at a time, since they share the extracted player.
    QPointer<ShowRun> showRun_;
    QTabWidget* browseTabs_ = nullptr;

    // splMain, splRight, splLeft, splView: their positions are the percentage of the splitter
    // given to its first pane.
    QSplitter* splMain_ = nullptr;
    QSplitter* splRight_ = nullptr;
    QSplitter* splLeft_ = nullptr;
    QSplitter* splView_ = nullptr;

    // The folder kept in the basket block between runs.
    QString rememberedFolder_;
    QString startFolder_;
    PreviewSource previewSource_ = PreviewSource::Folder;
    bool firstShowPending_ = true;
    bool ended_ = false;
};

}  // namespace lumora
