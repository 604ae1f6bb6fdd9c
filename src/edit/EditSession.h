#pragma once

#include "engine/Picture.h"
#include "engine/ViewGeometry.h"
#include "tasks/TaskPreview.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskViewContext.h"
#include "work/LatestWorker.h"

#include <QDateTime>
#include <QObject>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace lumora {

class ImageBox;
class TaskBasket;

// The photo in the preview and what is done to it, without a window: the photo as loaded, the
// base (the photo with the whole Task Basket applied), the task being edited, and the picture
// shown now. The preview pane draws what it shows; the task pane asks it to run the basket,
// preview a task, confirm or reset.
//
// All pixel work runs on one worker thread, always on the newest request: a new request asks the
// work under way to stop between two tasks and replaces it, so a click is never dropped and never
// waits for work nobody will see, and a new photo does not wait for the previous photo's Task
// Basket. Until the result is there, the picture before stays on show. Requests that depend on
// work under way wait for it: a confirm waits for its preview, and anything asked while a photo
// is being read applies to that photo once it is there.
//
// The session follows the Task Basket it is given: any change of it makes the base stale, and
// the next request that needs the base makes it anew. It lives on one thread (the window's);
// its signals come there.
class EditSession : public QObject {
    Q_OBJECT
public:
    enum class State {
        Empty,      // no photo
        Loading,    // a photo is being read (the one before, if any, is still on show)
        Shown,      // the photo, as loaded or with some or all of the Task Basket
        Rendering,  // a run of the basket or a task preview is being made
        Previewed,  // the base with the task being edited
    };
    // lastRow values for runBasket and open: the photo as loaded, or with every task.
    static constexpr int NoTasks = -2;
    static constexpr int AllTasks = -1;

    explicit EditSession(TaskBasket& basket, QObject* parent = nullptr);
    ~EditSession() override;

    // Reads a photo and shows it with the Task Basket run up to `lastRow` (0-based, or NoTasks /
    // AllTasks). False, and nothing happens, when it is the photo already shown or being read.
    bool open(const QString& path, int lastRow);
    // Shows the photo as loaded with the tasks up to `lastRow`, as a batch would make it.
    void runBasket(int lastRow);
    // Shows the base: the photo with every task as edit mode has made it (a red-eye correction
    // confirmed on it stays until the Task Basket changes).
    void showBase();
    // Shows the base with `task` applied as the editing panel previews it (TaskPreview.h), in a
    // view of the current view settings; `area` is the area marked on the view, for red-eye.
    void previewTask(const TaskRecord& task, const TaskViewContext& context, QRect area = {});
    // Makes the previewed task part of the photo: it is appended to the Task Basket (red-eye is
    // not) and the previewed image becomes the base. Waits for a preview under way; does nothing
    // when no task is previewed.
    void confirm();
    // Drops the task being previewed (or its preview under way) and shows the base.
    void reset();
    // Empties the session; work under way is dropped.
    void clear();

    // The view a task preview is made in (the preview's view box, fit and zoom).
    void setView(const ViewSettings& view) { view_ = view; }
    const ViewSettings& view() const { return view_; }
    // The back colour a task preview starts with: the colour last chosen or picked in a page.
    void setBackColor(std::uint32_t oleColor) { backColor_ = oleColor; }

    State state() const { return state_; }
    bool isBusy() const { return state_ == State::Loading || state_ == State::Rendering; }
    // The photo opened, or being read; empty when none is.
    const QString& path() const { return path_; }
    // The picture shown now and its image; null and empty without a photo.
    const Picture& picture() const { return picture_; }
    const ImageBox* shown() const { return shownEngine_.get(); }
    QSize imageSize() const;
    // The photo as loaded: its size, depth and pages (TIFF files are counted).
    QSize loadedSize() const;
    int loadedDepth() const;
    int pageCount() const { return pages_; }
    // The shown picture is the base.
    bool atBase() const;
    // A task is previewed, or its preview is being made.
    bool taskPending() const { return state_ == State::Previewed || previewWanted_.has_value(); }
    // The task previewed last, with what its preview filled in (a text's anchor).
    const TaskRecord& previewedTask() const { return previewed_; }

    // Writes the shown image to a file through the engine's writers ("Save Preview As"). When the
    // photo's file changed since it was read (its metadata edited in the metadata pane or by
    // another program), the copy carries the metadata the file holds now.
    void saveShownTo(const QString& path);

Q_SIGNALS:
    void stateChanged(lumora::EditSession::State state);
    // A new picture is to be drawn (also when it became empty).
    void pictureChanged();
    // A photo asked for was read and shown (ok), or nothing could be read from it (the session is
    // empty). A photo overtaken by another gives no signal.
    void opened(const QString& path, bool ok);
    // A task preview is on show; what it came to.
    void previewed(lumora::TaskPreviewResult result);
    // The previewed task was confirmed; `recorded`: it went into the Task Basket.
    void confirmed(bool recorded);

private:
    struct Shot;
    struct Preview {
        TaskRecord task;
        TaskViewContext context;
        QRect area;
    };
    enum class Showing { Nothing, Tasks, Base, Preview };
    // rowWanted_ for the base.
    static constexpr int BaseRow = -3;

    void setState(State state);
    void show(const std::shared_ptr<const Shot>& shot, Showing showing, int row);
    // Asks for the photo with the tasks up to a row, or BaseRow; no preview.
    void want(int row);
    void follow();
    void postRun(int lastRow);
    void tookAllTasks(const std::shared_ptr<const Shot>& shot, quint64 revision);
    void postPreview();
    void finishConfirm();
    bool baseIsCurrent() const;
    int normalisedRow(int lastRow) const;

    TaskBasket& basket_;
    State state_ = State::Empty;
    QString path_;
    // The photo's file as it stood when it was asked for: its time of change and size.
    QDateTime fileChanged_;
    qint64 fileSize_ = -1;
    int pages_ = 0;
    ViewSettings view_;
    std::uint32_t backColor_ = 0xFFFFFF;

    std::shared_ptr<const Shot> loaded_;
    // The photo with every task, as a run makes it, and the base; usually one and the same.
    std::shared_ptr<const Shot> allTasks_;
    quint64 allTasksRevision_ = 0;
    std::shared_ptr<const Shot> base_;
    quint64 baseRevision_ = 0;
    std::shared_ptr<const Shot> shownShot_;
    std::unique_ptr<ImageBox> shownEngine_;
    Picture picture_;
    Showing showing_ = Showing::Nothing;
    int shownRow_ = NoTasks;
    quint64 shownRevision_ = 0;

    // Every change of the Task Basket counts here.
    quint64 revision_ = 0;
    // What the picture is to show once the work under way is done: a row, or BaseRow.
    int rowWanted_ = NoTasks;
    std::optional<Preview> previewWanted_;
    bool confirmWanted_ = false;
    TaskRecord previewed_;

    // Last, so that it goes first: no job outlives the session.
    LatestWorker worker_;
};

}  // namespace lumora
