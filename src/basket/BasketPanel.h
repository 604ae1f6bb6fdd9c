#pragma once

#include "basket/BasketAdder.h"
#include "basket/BasketRoad.h"
#include "basket/BasketThumbnailRemaker.h"
#include "basket/ImageBasket.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QWidget>

class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QToolButton;

namespace lumora {

class BasketListView;

// The basket pane of the main window: the caption " Basket" (`lblQueue`), the commands New,
// Delete, Open and Save (`cmdPagesNew`, `cmdPagesDelete`, `cmdPagesOpen`, `cmdPagesSave`), the
// Image Basket list (`lvPages`), its context menu (`mnuContextBasket`), and the basket progress
// bar (`pbQueue`) with a cancel button (`cmdCancelAdd`), both shown only while files are added.
//
// The panel owns the basket and its adder. It shows nothing in the status bar itself: it emits
// statusText() with the panel key, as every part of the window does.
class BasketPanel : public QWidget {
    Q_OBJECT
public:
    // Command captions and dialog texts, shared with the tests.
    static inline const QString OpenDialogTitle = QStringLiteral("Open Image Basket");
    static inline const QString OpenDialogFilter = QStringLiteral(
        "Image basket formats (*.ibf;*.ibd)|*.ibf;*.ibd|Image basket favorite file (*.ibf)|*.ibf|"
        "Image basket description file (*.ibd)|*.ibd|");
    static inline const QString SaveDialogTitle = QStringLiteral("Save image basket");
    static inline const QString SaveDialogFilter =
        QStringLiteral("Image basket favorite file (*.ibf)|*.ibf|Image basket description file (*.ibd)|*.ibd|");

    explicit BasketPanel(QWidget* parent = nullptr);
    ~BasketPanel() override;

    ImageBasket& basket() { return basket_; }
    const ImageBasket& basket() const { return basket_; }
    BasketAdder& adder() { return adder_; }
    QListView* basketList() const;

    // Adds files (the folder view's add button, Enter and double-click; captured and scanned
    // files). While an add runs the files wait their turn and are added after it, in order.
    void addFiles(const QStringList& paths) { addFiles(paths, BasketRoad::AddButton); }
    void addFiles(const QStringList& paths, BasketRoad road);
    // From an add's start until the last waiting add has finished.
    bool isBusy() const;

    // Re-lays out the list for thumbnails of this size and makes the thumbnails of the entries
    // again at it in the background (drawn scaled until then). New adds make theirs at this size.
    // Sizes are held to 20..300 pixels as the settings dialog holds them.
    void setThumbnailSize(int width, int height);
    QSize thumbnailSize() const;
    // Kept for the settings record; the thumbnail view has no rows to stretch.
    void setFullRowSelect(bool on) { fullRowSelect_ = on; }
    bool fullRowSelect() const { return fullRowSelect_; }
    // The widths of the five detail columns, kept for the settings record; the thumbnail view
    // has no columns. Missing values become 100, extra ones are ignored.
    void setColumnWidths(const QList<int>& widths);
    QList<int> columnWidths() const { return columnWidths_; }

    // Selects only the entry before (delta -1) or after (+1) the current one and asks for its
    // preview. False when nothing is selected or there is no such entry.
    bool selectAdjacent(int delta);

public Q_SLOTS:
    // Stops the running add (the files in progress still arrive) and drops the waiting ones.
    void cancelAdd();
    // The commands of the buttons and the context menu.
    void deleteSelected();
    void newBasket();
    void openBasketFile();
    void saveBasketFile();
    // "Add description...": the album description of the one selected entry (frmAlbumDescription).
    void describeSelected();

Q_SIGNALS:
    // The file of an entry the user chose by click or arrow key.
    void previewRequested(const QString& path);
    void statusText(const QString& key, const QString& text);
    // Every add asked for has ended (done or cancelled); the "folder" panel is free again.
    void addingFinished();
    // After every change of the number of entries.
    void basketChanged(int count);

private:
    struct PendingAdd {
        QStringList paths;
        BasketRoad road;
    };

    QToolButton* makeCommand(const char* name, const QString& caption, QStyle::StandardPixmap icon,
                             const QString& toolTip);
    void startNext();
    void showProgress(int maximum);
    void onProgress(int index, int count, const QString& status);
    void onFinished();
    void updateCommands();
    void chooseEntry(int row);
    void showContextMenu(const QPoint& position);

    ImageBasket basket_;
    BasketAdder adder_;
    // Declared after the basket: it goes first and waits for its workers.
    BasketThumbnailRemaker remaker_{basket_};
    QList<PendingAdd> pending_;
    bool fullRowSelect_ = false;
    QList<int> columnWidths_;

    QLabel* caption_ = nullptr;
    QToolButton* cmdNew_ = nullptr;
    QToolButton* cmdDelete_ = nullptr;
    QToolButton* cmdOpen_ = nullptr;
    QToolButton* cmdSave_ = nullptr;
    BasketListView* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QToolButton* cmdCancel_ = nullptr;
    QMenu* contextMenu_ = nullptr;
};

}  // namespace lumora
