#include "edit/EditSession.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "edit/PreviewReading.h"
#include "engine/ImageBox.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRunner.h"

#include <QFileInfo>

#include <exception>

namespace lumora {
namespace {

const QString ReadRoutine = QStringLiteral("FrmMain.fncReadFile");
const QString RefreshRoutine = QStringLiteral("FrmMain.subRefreshPreview");

// A fresh view engine sharing the image of another.
std::unique_ptr<ImageBox> copyOf(const ImageBox& source)
{
    auto engine = std::make_unique<ImageBox>(ImageBox::Mode::View);
    engine->CopyImageFrom(source);
    return engine;
}

}  // namespace

// One image the session can show, made on the worker and never changed after: the worker and the
// window's thread may both copy from it at once (ImageBox::CopyImageFrom).
struct EditSession::Shot {
    std::unique_ptr<const ImageBox> image;
    Picture picture;

    static std::shared_ptr<const Shot> of(std::unique_ptr<ImageBox> engine)
    {
        auto shot = std::make_shared<Shot>();
        shot->picture = engine->Picture();
        shot->image = std::move(engine);
        return shot;
    }
};

EditSession::EditSession(TaskBasket& basket, QObject* parent) : QObject(parent), basket_(basket), worker_(this)
{
    qRegisterMetaType<lumora::EditSession::State>("lumora::EditSession::State");
    qRegisterMetaType<lumora::TaskPreviewResult>("lumora::TaskPreviewResult");
    // Any change of the basket makes the base stale.
    const auto changed = [this] { ++revision_; };
    connect(&basket_, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&basket_, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&basket_, &QAbstractItemModel::rowsMoved, this, changed);
    connect(&basket_, &QAbstractItemModel::modelReset, this, changed);
    connect(&basket_, &QAbstractItemModel::dataChanged, this, changed);
}

EditSession::~EditSession() = default;

QSize EditSession::imageSize() const
{
    return shownEngine_ ? QSize(shownEngine_->ImageWidth(), shownEngine_->ImageHeight()) : QSize();
}

QSize EditSession::loadedSize() const
{
    return loaded_ ? QSize(loaded_->image->ImageWidth(), loaded_->image->ImageHeight()) : QSize();
}

int EditSession::loadedDepth() const { return loaded_ ? loaded_->image->ImageDepth() : 0; }

bool EditSession::atBase() const { return shownShot_ && shownShot_ == base_ && baseIsCurrent(); }

int EditSession::normalisedRow(int lastRow) const
{
    if (basket_.isEmpty() || lastRow == NoTasks)
        return NoTasks;
    if (lastRow < 0 || lastRow >= basket_.size() - 1)
        return AllTasks;
    return lastRow;
}

bool EditSession::baseIsCurrent() const { return base_ && baseRevision_ == revision_; }

void EditSession::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    Q_EMIT stateChanged(state);
}

void EditSession::show(const std::shared_ptr<const Shot>& shot, Showing showing, int row)
{
    shownShot_ = shot;
    shownEngine_ = copyOf(*shot->image);
    picture_ = shot->picture;
    showing_ = showing;
    shownRow_ = normalisedRow(row);
    shownRevision_ = revision_;
    setState(showing == Showing::Preview ? State::Previewed : State::Shown);
    Q_EMIT pictureChanged();
}

bool EditSession::open(const QString& path, int lastRow)
{
    if (path.isEmpty() || path == path_)
        return false;
    path_ = path;
    const QFileInfo file(path);
    fileChanged_ = file.lastModified();
    fileSize_ = file.size();
    rowWanted_ = lastRow;
    previewWanted_.reset();
    confirmWanted_ = false;
    setState(State::Loading);

    const QList<TaskRecord> tasks = basket_.tasks();
    const int row = normalisedRow(lastRow);
    const quint64 revision = revision_;
    struct Read {
        std::shared_ptr<const Shot> loaded;
        std::shared_ptr<const Shot> shown;
        int pages = 0;
        std::exception_ptr error;
        int line = 0;
    };
    worker_.post([this, path, tasks, row, revision](const std::stop_token& stop) -> LatestWorker::Completion {
        auto read = std::make_shared<Read>();
        SetCurrentOperation(QStringLiteral("Trying to read/view selected image file"));
        try {
            read->line = 3;
            std::unique_ptr<ImageBox> engine = ReadForPreview(path);
            if (engine && !stop.stop_requested()) {
                read->pages = PreviewPageCount(path);
                read->line = 4;
                std::unique_ptr<ImageBox> loaded = copyOf(*engine);
                if (row != NoTasks) {
                    read->line = 5;
                    TaskRunOptions options;
                    options.lastRow = row;
                    options.stop = stop;
                    if (subProcessPages(tasks, *engine, options) == TaskRunOutcome::Stopped)
                        return {};
                    read->shown = Shot::of(std::move(engine));
                }
                read->line = 4;
                read->loaded = Shot::of(std::move(loaded));
                if (!read->shown)
                    read->shown = read->loaded;
            }
        } catch (...) {
            read->loaded.reset();
            read->shown.reset();
            read->error = std::current_exception();
        }
        if (stop.stop_requested())
            return {};
        return [this, path, row, revision, read] {
            if (read->error)
                reportFailures(ReadRoutine, read->line, [&] { std::rethrow_exception(read->error); });
            if (!read->loaded) {
                // Nothing to show; the file is read again when it is asked for again.
                clear();
                Q_EMIT opened(path, false);
                return;
            }
            loaded_ = read->loaded;
            pages_ = read->pages;
            allTasks_.reset();
            base_.reset();
            if (row == NoTasks && basket_.isEmpty() && revision == revision_)
                tookAllTasks(loaded_, revision);
            if (row == AllTasks)
                tookAllTasks(read->shown, revision);
            show(read->shown, Showing::Tasks, row);
            shownRevision_ = revision;
            Q_EMIT opened(path, true);
            // Asked for meanwhile: another part of the basket, a task preview.
            follow();
        };
    });
    return true;
}

void EditSession::tookAllTasks(const std::shared_ptr<const Shot>& shot, quint64 revision)
{
    if (revision != revision_)
        return;
    allTasks_ = shot;
    allTasksRevision_ = revision;
    // A base made in edit mode (with a red-eye correction) stays while the basket does.
    if (!baseIsCurrent()) {
        base_ = shot;
        baseRevision_ = revision;
    }
}

void EditSession::showBase() { want(BaseRow); }

void EditSession::runBasket(int lastRow) { want(lastRow); }

void EditSession::want(int row)
{
    rowWanted_ = row;
    previewWanted_.reset();
    confirmWanted_ = false;
    // A photo being read applies what is wanted once it is there.
    if (state_ == State::Loading || !loaded_)
        return;
    follow();
}

void EditSession::follow()
{
    if (previewWanted_) {
        postPreview();
        return;
    }
    if (basket_.isEmpty())
        tookAllTasks(loaded_, revision_);
    if (rowWanted_ == BaseRow) {
        if (!baseIsCurrent()) {
            postRun(AllTasks);
            return;
        }
        worker_.forget();
        if (shownShot_ == base_)
            setState(State::Shown);
        else
            show(base_, Showing::Base, AllTasks);
        return;
    }
    const int row = normalisedRow(rowWanted_);
    const bool current = row == NoTasks || shownRevision_ == revision_;
    if (showing_ == Showing::Tasks && shownRow_ == row && current) {
        worker_.forget();
        setState(State::Shown);
        return;
    }
    if (row == NoTasks) {
        worker_.forget();
        show(loaded_, Showing::Tasks, NoTasks);
        return;
    }
    if (row == AllTasks && allTasks_ && allTasksRevision_ == revision_) {
        worker_.forget();
        show(allTasks_, Showing::Tasks, AllTasks);
        return;
    }
    postRun(row);
}

void EditSession::postRun(int row)
{
    setState(State::Rendering);
    const QList<TaskRecord> tasks = basket_.tasks();
    const quint64 revision = revision_;
    worker_.post([this, source = loaded_, tasks, row, revision](const std::stop_token& stop) -> LatestWorker::Completion {
        SetCurrentOperation(QStringLiteral("Refreshing the preview"));
        std::shared_ptr<const Shot> shot;
        std::exception_ptr error;
        try {
            std::unique_ptr<ImageBox> engine = copyOf(*source->image);
            TaskRunOptions options;
            options.lastRow = row;
            options.stop = stop;
            if (subProcessPages(tasks, *engine, options) == TaskRunOutcome::Stopped)
                return {};
            shot = Shot::of(std::move(engine));
        } catch (...) {
            error = std::current_exception();
        }
        return [this, shot, error, row, revision] {
            if (error) {
                // The picture on show stays as it was.
                const int line = 1;
                reportFailures(RefreshRoutine, line, [&] { std::rethrow_exception(error); });
                setState(showing_ == Showing::Preview ? State::Previewed : State::Shown);
                return;
            }
            if (row == AllTasks)
                tookAllTasks(shot, revision);
            show(shot, rowWanted_ == BaseRow ? Showing::Base : Showing::Tasks, row);
            shownRevision_ = revision;
            if (revision != revision_)
                follow();  // the basket changed meanwhile
        };
    });
}

void EditSession::previewTask(const TaskRecord& task, const TaskViewContext& context, QRect area)
{
    previewWanted_ = Preview{task, context, area};
    confirmWanted_ = false;
    if (state_ == State::Loading || !loaded_)
        return;
    postPreview();
}

void EditSession::postPreview()
{
    setState(State::Rendering);
    const Preview preview = *previewWanted_;
    if (basket_.isEmpty())
        tookAllTasks(loaded_, revision_);
    const std::shared_ptr<const Shot> base = baseIsCurrent() ? base_ : nullptr;
    const QList<TaskRecord> tasks = basket_.tasks();
    const quint64 revision = revision_;
    struct Result {
        std::shared_ptr<const Shot> base;  // made for this preview
        std::shared_ptr<const Shot> shown;
        TaskRecord task;
        TaskPreviewResult outcome = TaskPreviewResult::Applied;
        std::exception_ptr error;
    };
    worker_.post([this, preview, base, source = loaded_, tasks, revision, view = view_, backColor = backColor_](
                     const std::stop_token& stop) -> LatestWorker::Completion {
        auto result = std::make_shared<Result>();
        result->task = preview.task;
        try {
            std::shared_ptr<const Shot> from = base;
            if (!from) {
                // The base is stale: the photo with the whole Task Basket first.
                SetCurrentOperation(QStringLiteral("Refreshing the preview"));
                std::unique_ptr<ImageBox> engine = copyOf(*source->image);
                TaskRunOptions options;
                options.stop = stop;
                if (subProcessPages(tasks, *engine, options) == TaskRunOutcome::Stopped)
                    return {};
                from = result->base = Shot::of(std::move(engine));
            }
            if (stop.stop_requested())
                return {};
            std::unique_ptr<ImageBox> engine = copyOf(*from->image);
            engine->SetWidth(view.box.width());
            engine->SetHeight(view.box.height());
            engine->SetStretchToFit(view.stretchToFit);
            engine->SetZoom(view.zoom);
            engine->SetBackColor(backColor);
            result->outcome = PreviewTask(*engine, result->task, preview.context, preview.area);
            result->shown = Shot::of(std::move(engine));
        } catch (...) {
            result->error = std::current_exception();
        }
        return [this, result, revision] {
            previewWanted_.reset();
            if (result->base)
                tookAllTasks(result->base, revision);
            if (result->error) {
                const int line = 2;
                reportFailures(RefreshRoutine, line, [&] { std::rethrow_exception(result->error); });
                confirmWanted_ = false;
                setState(showing_ == Showing::Preview ? State::Previewed : State::Shown);
                return;
            }
            previewed_ = result->task;
            show(result->shown, Showing::Preview, AllTasks);
            Q_EMIT previewed(result->outcome);
            if (confirmWanted_)
                finishConfirm();
        };
    });
}

void EditSession::confirm()
{
    if (previewWanted_) {
        confirmWanted_ = true;
        return;
    }
    if (showing_ == Showing::Preview)
        finishConfirm();
}

void EditSession::finishConfirm()
{
    confirmWanted_ = false;
    bool recorded = false;
    if (previewed_.kind != TaskKind::RedEye)
        recorded = basket_.append(previewed_);
    // What was previewed is now the base.
    base_ = shownShot_;
    baseRevision_ = revision_;
    showing_ = Showing::Base;
    shownRevision_ = revision_;
    rowWanted_ = BaseRow;
    setState(State::Shown);
    Q_EMIT confirmed(recorded);
}

void EditSession::reset() { want(BaseRow); }

void EditSession::clear()
{
    worker_.forget();
    path_.clear();
    pages_ = 0;
    loaded_.reset();
    allTasks_.reset();
    base_.reset();
    shownShot_.reset();
    shownEngine_.reset();
    picture_ = Picture();
    showing_ = Showing::Nothing;
    shownRow_ = NoTasks;
    previewWanted_.reset();
    confirmWanted_ = false;
    setState(State::Empty);
    Q_EMIT pictureChanged();
}

void EditSession::saveShownTo(const QString& path)
{
    if (!shownEngine_)
        return;
    const QFileInfo file(path_);
    if (!file.isFile() || (file.lastModified() == fileChanged_ && file.size() == fileSize_)) {
        shownEngine_->SaveToFile(path);
        return;
    }
    ImageBox copy(ImageBox::Mode::Batch);
    copy.SetSettings(shownEngine_->Settings());
    copy.CopyImageFrom(*shownEngine_);
    copy.LoadMetadataFromFile(path_);
    copy.SaveToFile(path);
}

}  // namespace lumora
