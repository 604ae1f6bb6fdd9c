#pragma once

#include "browse/FolderLister.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QAbstractItemView;
class QFileSystemModel;
class QListView;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolButton;
class QTreeView;

namespace lumora {

class FolderListModel;
class FolderThumbnailModel;

// The "File System" tab of the browse pane: the folder tree ftvBrowse and the file list lvFolder
// of the selected folder, as thumbnails (view mode 0) or as a table of eight columns (mode 3).
//
// Listing: a change of the tree's selection stops the running listing at once and (re)starts the
// 200 ms timer timerShowFiles, so quick successive selections list only the last folder; when it
// fires, subShowFilesInFolder lists the folder on worker threads (FolderLister) while the window
// stays responsive. selectFolder() lists at once.
//
// The list: Enter or a double-click asks to add the selected files to the basket, Ctrl+A selects
// every row, a left-button release on a row or an arrow key asks to preview it, a right-button
// release opens the context menu with "Add to basket"; a column-header click sorts by that column
// as text (again: reversed); rows dragged out carry their files as file URLs. The browser never
// touches the status bar: it emits statusText with the panel's key.
class FolderBrowser : public QWidget {
    Q_OBJECT
public:
    explicit FolderBrowser(QWidget* parent = nullptr);
    ~FolderBrowser() override;

    // Selects the folder in the tree (expanding the way to it) and lists it without delay.
    void selectFolder(const QString& path);
    // The folder selected in the tree ("" before the first selection).
    QString currentFolder() const;
    // What the "folder" status panel says while this folder is shown.
    static QString folderStatus(const QString& folder);

    // 0 thumbnails, 3 details (any other value counts as 0); relists the current folder.
    void setViewMode(int mode);
    int viewMode() const { return viewMode_; }

    // Take effect at the next listing.
    void setThumbnailSize(int width, int height);
    void setShortFileSize(bool shortSizes);

    void setFullRowSelect(bool fullRow);

    // The widths of the detail table's eight columns, kept while the thumbnails are shown.
    void setColumnWidths(const QList<int>& eightWidths);
    QList<int> columnWidths() const;

    // The paths of the selected rows, in list order.
    QStringList selectedPaths() const;

    // Facts of the row holding the path ("" / 0 when no row does).
    QString rowResolution(const QString& path) const;
    void setRowResolution(const QString& path, const QString& text);
    int rowPages(const QString& path) const;

    // Selects only the row before (delta -1) or after (+1) the current one and asks to preview it.
    // False, with nothing changed, when there is no such row.
    bool selectAdjacent(int delta);

    QTreeView* folderTree() { return tree_; }
    // The list view now shown (the thumbnail list or the detail table).
    QAbstractItemView* fileList() const;
    // The rows behind both list views.
    FolderListModel* listModel() const { return model_; }
    void setListToolTips(const QString& treeTip, const QString& listTip);

    // While a listing is running.
    bool isListing() const;

public Q_SLOTS:
    // Lists the folder selected in the tree.
    void subShowFilesInFolder();

Q_SIGNALS:
    void previewRequested(const QString& path);
    void addToBasketRequested(const QStringList& paths);
    void statusText(const QString& key, const QString& text);
    // For the progress bar pbQueue: shown only while a folder with files is listed.
    void listingProgress(int value, int maximum, bool visible);
    void listingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void folderSelectionChanged();
    void showCurrentView();
    void applyIconGeometry();
    // Expands the tree down to the current folder, selects it and scrolls it into view.
    void revealFolderInTree();
    // A folder chosen by the program is still being brought into view in the tree.
    bool revealPending_ = false;
    void previewSelected();
    void addSelectedToBasket();
    void headerClicked(int column);

    QFileSystemModel* folders_;
    QTreeView* tree_;
    QToolButton* thumbnailButton_;
    QToolButton* detailButton_;
    QStackedWidget* stack_;
    QListView* icons_;
    QTreeView* details_;
    QMenu* menu_;
    QTimer* timer_;
    FolderListModel* model_;
    FolderThumbnailModel* shown_;
    FolderLister* lister_;

    QString folder_;
    int viewMode_ = FolderThumbnails;
    int thumbnailWidth_ = 40;
    int thumbnailHeight_ = 40;
    bool shortSizes_ = false;
    QList<int> widths_;
    bool selectingProgrammatically_ = false;
    bool applyingWidths_ = false;
};

}  // namespace lumora
