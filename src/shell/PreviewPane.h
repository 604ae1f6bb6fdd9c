#pragma once

#include "tasks/TaskRecord.h"
#include "tasks/TaskRunner.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;

namespace lumora {

class EngineView;
class ImageBox;
class MetadataList;
class TaskBasket;

// The preview pane: the caption "Preview", the tool bar (`cmdPreviewType`, `cmdPreviewView`,
// `cmdPreviewPrevious`, `cmdPreviewNext`) and the container `PicViewImage` holding the engine
// view `ibMain`. Selecting a file previews it here and fills the metadata pane's two lists.
//
// The pane keeps the image as first loaded (an engine snapshot): "Original" shows that, and
// "Optimized" shows it with the Task Basket applied. It never touches the status bar; it says
// what the panels should read through statusText.
//
// A photo is read on a worker thread (decoding, the snapshot and the picture to draw take a few
// hundred milliseconds for a large one), so the window stays responsive while the person arrows
// through a folder. Until the new file has arrived the previous one stays on screen, with its
// lists, tag and snapshot: what is shown and what the metadata edits work on never disagree,
// and the pane does not flash empty between two photos. The newest request always wins: the
// result of an older one still under way is dropped.
//
// Running the Task Basket on the photo again (a click in the task list, a removed task, another
// recipe, Original and Optimized) is worker work too, by the same rule: the newest render wins,
// and the one on screen stays until it is there.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // Zoom (mnuPreviewFit) and selection (mnuPreviewType) item indexes, as the settings keep them.
    enum Fit { BestFit = 0, ActualSize = 1 };
    enum Type { Original = 0, Optimized = 1 };

    // The lists are the metadata pane's; without them (or until setMetadataLists) the preview
    // reads no metadata.
    explicit PreviewPane(QWidget* parent = nullptr);
    PreviewPane(MetadataList& exifList, MetadataList& iptcList, QWidget* parent = nullptr);
    ~PreviewPane() override;

    void setMetadataLists(MetadataList* exifList, MetadataList* iptcList);
    void setTaskBasket(TaskBasket* basket);
    // How the Task Basket runs on the preview (which task the list on screen has selected...);
    // without a provider every task runs.
    void setTaskRunOptionsProvider(std::function<TaskRunOptions()> provider);

    // Starts previewing a file unless it is the one already previewed or being read (then false
    // and nothing happens); the preview, status texts and lists follow when the file has been
    // read, then previewShown tells. `pages` is the page count the list shows (negative: not
    // known, ask the engine); `resolutionText` the list's "W X H X D" text, which is filled in
    // (resolutionKnown) when it is empty or "0 X 0 X 0".
    bool showSelectedFile(const QString& path, int pages, const QString& resolutionText);
    // True from a request until its file is shown (or found unreadable).
    bool isLoading() const { return loading_; }
    // Re-applies the zoom to the engine and the scroll bars.
    void subFixedSizeTiff();
    // Shows the image as first loaded, with the Task Basket applied when the preview is
    // "Optimized" (with the run options of the provider); through renderTasks. The Task Basket
    // list calls this whenever the list or its selection changes.
    void reapplyTasks();
    // Shows the as-loaded image with `tasks` run on it (with `options`), computed on the worker
    // thread from the snapshot; the newest call wins. A call made while a file is being read
    // applies to that file once it arrives; without an image shown or coming, nothing happens.
    // `done` runs on the GUI thread right after the result is on screen, then tasksRendered is
    // emitted; neither happens for a render overtaken by a newer one, by restoreSnapshot, by a
    // cleared preview or by a newly selected file. An empty task list restores the snapshot at
    // once (`done` and the signal still follow through the event loop). The options' yield and
    // busy are not called: the run happens off the GUI thread.
    void renderTasks(QList<TaskRecord> tasks, TaskRunOptions options, std::function<void()> done = {});
    // As renderTasks, for other work on the image: `work` runs on the worker thread on an engine
    // holding `source` (an engine snapshot) with the preview engine's view box, fit and zoom, and
    // its result is shown as a render's is. Whatever `work` shares with the caller must be safe to
    // touch from another thread until `done` runs.
    void renderWork(QByteArray source, std::function<void(ImageBox&)> work, std::function<void()> done = {});
    // True from a renderTasks call until its result is on screen (or it was dropped).
    bool isRendering() const { return render_.has_value(); }
    // Puts the as-loaded image back into the engine and shows it, at once; a render still under
    // way is dropped. Nothing without a snapshot.
    void restoreSnapshot();
    // Empties the preview and both metadata lists and forgets the previewed path; a file still
    // being read is not shown.
    void clearPreview();

    // The menus as the settings keep them; no status text.
    void setPreviewMode(int fit, int type);
    int fitMode() const { return fit_; }
    int typeMode() const { return type_; }
    // The person's choices in the two preview menus.
    void chooseFit(int fit);
    void chooseType(int type);

    // The file previewed, or being read for the preview; empty when none is.
    QString previewedPath() const { return previewedPath_; }
    ImageBox& engine();
    EngineView* view() const { return view_; }
    // The as-loaded snapshot (SaveToMemory(ImageBox::SnapshotFormat)); empty without a previewed image.
    const QByteArray& snapshot() const { return snapshot_; }

    // "Save Preview As" > "Image document": asks for a file and lets the engine write it.
    void savePreviewAsDocument();

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
    void resolutionKnown(const QString& path, const QString& text);
    // A requested file was read and is shown (ok), or nothing could be read from it (the preview
    // is empty). A request overtaken by a newer one gives no signal.
    void previewShown(const QString& path, bool ok);
    // A renderTasks result is on screen (after its `done`).
    void tasksRendered();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Worker;
    struct ReadResult;
    struct RenderResult;
    struct Request {
        quint64 id = 0;
        QString path;
        int pages = -1;
        QString resolutionText;
        // The Task Basket as it stood when the file was asked for (Optimized only): the worker
        // applies it, so that a recipe does not stall the window on every new photo.
        QList<TaskRecord> tasks;
        TaskRunOptions options;
    };

    // A render asked for and not on screen yet.
    struct Render {
        quint64 id = 0;  // 0 while it waits for the file being read
        QList<TaskRecord> tasks;
        TaskRunOptions options;
        std::function<void()> done;
        // Other work than a run of tasks, on another image than the one as loaded (renderWork).
        std::function<void(ImageBox&)> work;
        QByteArray source;
    };

    // Hands the file to the worker; finishRead takes over when it has been read.
    void fncReadFile(const Request& request);
    void finishRead(const std::shared_ptr<ReadResult>& read);
    // Starts render_ on the snapshot shown; finishRender (or, for no tasks, completeRender)
    // takes over.
    void startRender();
    // The preview engine's view geometry, for work done on an engine of its own.
    struct ViewSettings {
        int width = 0;
        int height = 0;
        bool stretch = false;
        double zoom = 100;
    };
    // Work on an image on the worker; it may give up when `wanted` says it is overtaken.
    using RenderWork = std::function<void(ImageBox&, const std::function<bool()>& wanted)>;
    // Hands render_ to the worker: `work` on the image of `source`; finishRender takes over.
    void postRender(const QByteArray& source, RenderWork work, std::optional<ViewSettings> view = std::nullopt);
    void finishRender(const std::shared_ptr<RenderResult>& rendered);
    void completeRender();
    // Drops a render still under way (its result and `done` never come).
    void dropRender();
    Worker& worker();
    void buildMenus();
    void updateCaptions();
    void clearMetadata();
    void readMetadata(const QString& path);

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
    QMenu* mnuSavePreviewAs_ = nullptr;
    QActionGroup* typeGroup_ = nullptr;
    QActionGroup* fitGroup_ = nullptr;

    MetadataList* exif_ = nullptr;
    MetadataList* iptc_ = nullptr;
    TaskBasket* basket_ = nullptr;
    std::function<TaskRunOptions()> runOptions_;

    int fit_ = BestFit;
    int type_ = Optimized;
    QString previewedPath_;
    QByteArray snapshot_;

    // Numbers every job of the worker (reads and renders) and every cancellation, in order.
    quint64 serial_ = 0;
    Request current_;
    bool loading_ = false;
    std::optional<Render> render_;
    std::unique_ptr<Worker> worker_;
};

}  // namespace lumora
