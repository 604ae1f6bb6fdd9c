#pragma once

#include "settings/SetupRecord.h"

#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QActionGroup;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;

namespace lumora {

class EditSession;
class EngineView;
class MetadataList;

// The preview pane: the caption "Preview", the tool bar (`cmdPreviewType`, `cmdPreviewView`,
// `cmdPreviewPrevious`, `cmdPreviewNext`) and the container `PicViewImage` holding the view
// `ibMain`. Selecting a file previews it here and fills the metadata pane's two lists.
//
// What is shown is the edit session's (EditSession, headless): the pane asks it for a photo and
// for the Task Basket run on it ("Original" the photo as loaded, "Optimized" with the basket),
// and draws each picture it makes. The session reads and renders off the window's thread, newest
// request first; until a new picture is there the one before stays, with its lists, and a busy
// pointer shows over the view. The pane never touches the status bar; it says what the panels
// should read through statusText.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // Zoom (mnuPreviewFit) and selection (mnuPreviewType) item indexes, as the settings keep them.
    enum Fit { BestFit = 0, ActualSize = 1 };
    enum Type { Original = 0, Optimized = 1 };

    PreviewPane(EditSession& session, MetadataList& exifList, MetadataList& iptcList, QWidget* parent = nullptr);
    ~PreviewPane() override;

    // How far the Task Basket runs on an optimized preview: the last task to run (the row selected
    // in the task list in view), or -1 for every task. Without a provider every task runs.
    void setLastRowProvider(std::function<int()> provider);

    // Starts previewing a file unless it is the one already previewed or being read (then false
    // and nothing happens); the preview, status texts and lists follow when the file has been
    // read, then previewShown tells. `pages` is the page count the list shows (negative: not
    // known, count them); `resolutionText` the list's "W X H X D" text, which is filled in
    // (resolutionKnown) when it is empty or "0 X 0 X 0".
    bool showSelectedFile(const QString& path, int pages, const QString& resolutionText);
    // True from a request until its file is shown (or found unreadable).
    bool isLoading() const;
    // Re-applies the fit and zoom to the view.
    void subFixedSizeTiff();
    // Shows the photo as loaded, with the Task Basket run up to the provider's row when the
    // preview is "Optimized". The Task Basket lists call this whenever they or their selection
    // change.
    void reapplyTasks();
    // Empties the preview and both metadata lists; a file still being read is not shown.
    void clearPreview();

    // The menus as the settings keep them; no status text.
    void setPreviewMode(int fit, int type);
    int fitMode() const { return fit_; }
    int typeMode() const { return type_; }
    // The person's choices in the two preview menus.
    void chooseFit(int fit);
    void chooseType(int type);

    // The file previewed, or being read for the preview; empty when none is.
    QString previewedPath() const;
    EditSession& session() const { return session_; }
    EngineView* view() const { return view_; }

    // "Save Preview As" > "Image document": asks for a file and lets the engine write it.
    void savePreviewAsDocument();
    // "Save Preview As" > "Interactive save utility": the output format dialog on the picture shown,
    // with the OutputFormat block of the settings given here (else the running window's).
    void savePreviewInteractively();
    void setOutputFormatSettings(SetupRecord::OutputFormat& settings) { outputFormat_ = &settings; }

    // A command of another part of the window (the edit command) on the pane's tool bar, and
    // its menu item at the top of the context menu.
    void addCommand(QAction* command, QAction* menuItem = nullptr);

    QMenu* contextMenu() const { return mnuPreview_; }
    QMenu* fitMenu() const { return mnuPreviewFit_; }
    QMenu* typeMenu() const { return mnuPreviewType_; }

Q_SIGNALS:
    void statusText(const QString& key, const QString& text);
    void previousRequested();
    void nextRequested();
    void printRequested();
    // "Save Preview As" > "Greeting image" / "Single image screensaver", with a photo shown.
    void greetingRequested();
    void singleScreensaverRequested();
    void resolutionKnown(const QString& path, const QString& text);
    // A requested file was read and is shown (ok), or nothing could be read from it (the preview
    // is empty). A request overtaken by a newer one gives no signal.
    void previewShown(const QString& path, bool ok);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int lastRow() const;
    void photoOpened(const QString& path, bool ok);
    void buildMenus();
    void updateCaptions();
    void clearMetadata();
    void readMetadata(const QString& path);

    EditSession& session_;
    MetadataList& exif_;
    MetadataList& iptc_;
    std::function<int()> lastRowProvider_;
    SetupRecord::OutputFormat* outputFormat_ = nullptr;

    EngineView* view_ = nullptr;
    QWidget* container_ = nullptr;
    QLabel* caption_ = nullptr;
    QHBoxLayout* toolBar_ = nullptr;
    QToolButton* cmdPreviewType_ = nullptr;
    QToolButton* cmdPreviewView_ = nullptr;
    QToolButton* cmdPreviewPrevious_ = nullptr;
    QToolButton* cmdPreviewNext_ = nullptr;
    QMenu* mnuPreviewType_ = nullptr;
    QMenu* mnuPreviewFit_ = nullptr;
    QMenu* mnuPreview_ = nullptr;
    QAction* printAction_ = nullptr;
    QMenu* mnuSavePreviewAs_ = nullptr;
    QActionGroup* typeGroup_ = nullptr;
    QActionGroup* fitGroup_ = nullptr;

    int fit_ = BestFit;
    int type_ = Optimized;
    // What the list knew of the file being read.
    int requestedPages_ = -1;
    QString requestedResolution_;
};

}  // namespace lumora
