#include "shell/PreviewPane.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"
#include "shell/EngineView.h"
#include "shell/FileDialogs.h"
#include "shell/PaneCaption.h"
#include "tasks/TaskBasket.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
#include <mutex>
#include <optional>
#include <thread>

namespace lumora {

namespace {

const QString UnknownResolution = QStringLiteral("0 X 0 X 0");

// The engine reads these itself, page 1 for a TIFF; PSD too, because its IPTC block must reach the
// engine and a picture handed over by the universal loader carries no metadata. Everything else
// goes through the universal loader.
bool EngineReadsForPreview(const QString& extension)
{
    static const QStringList own = {QStringLiteral("tiff"), QStringLiteral("tif"), QStringLiteral("jpg"),
                                    QStringLiteral("jpeg"), QStringLiteral("psd")};
    return own.contains(extension);
}

// What "Save Preview As" > "Image document" offers: every format the engine writes, by extension.
struct SaveFormat {
    const char* description;
    const char* patterns;
    const char* extension;
};
constexpr SaveFormat SaveFormats[] = {
    {"JPEG Image", "*.jpg;*.jpeg;*.jpe", "jpg"},  {"PNG Image", "*.png", "png"},
    {"TIFF Image", "*.tif;*.tiff", "tif"},        {"Windows Bitmap", "*.bmp", "bmp"},
    {"GIF Image", "*.gif", "gif"},                {"PCX Image", "*.pcx", "pcx"},
    {"Photoshop Image", "*.psd", "psd"},          {"Wireless Bitmap", "*.wbmp", "wbmp"},
    {"PDF Document", "*.pdf", "pdf"},
};

QString SaveFilter()
{
    QString filter;
    for (const SaveFormat& f : SaveFormats)
        filter += QLatin1String(f.description) + u'|' + QLatin1String(f.patterns) + u'|';
    return filter;
}

bool WritableExtension(const QString& extension)
{
    for (const SaveFormat& f : SaveFormats) {
        const QStringList patterns = QString::fromLatin1(f.patterns).split(u';');
        if (patterns.contains(QStringLiteral("*.") + extension))
            return true;
    }
    return false;
}

}  // namespace

// What the worker read for one request.
struct PreviewPane::ReadResult {
    quint64 id = 0;
    QString path;
    // The file in an engine of its own; null when nothing could be read from it.
    std::unique_ptr<ImageBox> engine;
    QByteArray snapshot;
    // The picture to draw: the file as loaded, or with the request's tasks applied.
    Picture picture;
    bool tasksRan = false;
    int pageCount = 0;  // counted only when the request did not know it
    // A failure other than an unreadable file, reported on the GUI thread at that line.
    std::exception_ptr error;
    int line = 0;
};

// What the worker rendered for one renderTasks call.
struct PreviewPane::RenderResult {
    quint64 id = 0;
    // The as-loaded image with the tasks run on it, in an engine of its own.
    std::unique_ptr<ImageBox> engine;
    Picture picture;
    // A failure outside the task runner (which reports its own), reported on the GUI thread.
    std::exception_ptr error;
};

namespace {

// Thrown between two tasks of a render that a newer one has overtaken: it ends the run at once
// instead of finishing work nobody will see. Not an std::exception, so the task runner does not
// take it for a failure to report.
struct RenderOvertaken {};

}  // namespace

// The preview's worker thread. It runs one job at a time, always the newest: jobs posted meanwhile
// replace each other, and a job overtaken by a newer one (or forgotten) is abandoned at its next
// step and what it made is freed here, off the GUI thread. Only the newest job's completion is
// posted to the pane. Reading a file and rendering the Task Basket share the thread: a new file
// makes a render of the old one pointless, and a render waits for the file it applies to.
class PreviewPane::Worker {
public:
    // Runs on the worker thread and asks `wanted` between its steps; returns what the pane does
    // with the result on the GUI thread, or nothing when it was overtaken.
    using Job = std::function<std::function<void()>(const std::function<bool()>& wanted)>;

    explicit Worker(PreviewPane* pane) : pane_(pane) {}

    // Waits for the job under way, which stops at its next step.
    ~Worker()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            pending_.reset();
        }
        if (thread_.joinable())
            thread_.join();
    }

    void post(quint64 id, Job job)
    {
        std::lock_guard lock(mutex_);
        latest_ = id;
        pending_ = Pending{id, std::move(job)};
        if (running_)
            return;
        // A thread that found nothing more to do has returned or is about to: collect it.
        if (thread_.joinable())
            thread_.join();
        running_ = true;
        thread_ = std::thread([this] { run(); });
    }

    // Nothing posted so far is wanted any more.
    void forget(quint64 newest)
    {
        std::lock_guard lock(mutex_);
        latest_ = newest;
        pending_.reset();
    }

    // Loads the file by the preview's rules, then makes the snapshot and the picture to draw; null
    // when a newer request overtook this one.
    static std::shared_ptr<ReadResult> read(const Request& request, const std::function<bool()>& wanted)
    {
        auto result = std::make_shared<ReadResult>();
        result->id = request.id;
        result->path = request.path;
        const QString& path = request.path;
        int line = 3;
        try {
            auto engine = std::make_unique<ImageBox>(ImageBox::Mode::View);
            const QString extension = modMetadata::LowerExtension(path);
            bool inEngine = false;
            if (EngineReadsForPreview(extension)) {
                engine->SetTiffPage(1);
                try {
                    engine->LoadFromFile(path);
                    inEngine = true;
                } catch (const EngineError&) {
                    // A file the engine cannot read is not an error: the preview stays empty.
                    // Only a PSD still has the universal loader's roads to try.
                    engine->ClearImage();
                    if (extension != u"psd")
                        return result;
                }
            }
            if (!inEngine) {
                const Picture picture = LoadPic(path);
                if (picture.isNull())
                    return result;
                engine->SetBitmapHandle(picture);
            }
            if (!wanted())
                return nullptr;

            line = 4;
            result->snapshot = engine->SaveToMemory(ImageBox::SnapshotFormat);
            if (!wanted())
                return nullptr;
            if (!request.tasks.isEmpty()) {
                line = 5;
                subProcessPages(request.tasks, *engine, request.options);
                result->tasksRan = true;
                if (!wanted())
                    return nullptr;
            }
            line = 4;
            result->picture = engine->Picture();
            if (request.pages < 0)
                result->pageCount = engine->TiffPageCount(path);
            result->engine = std::move(engine);
        } catch (...) {
            result->engine.reset();
            result->snapshot.clear();
            result->picture = Picture();
            result->error = std::current_exception();
            result->line = line;
        }
        return result;
    }

    // Restores the snapshot into an engine of its own, runs the tasks on it and makes the picture
    // to draw; null when a newer job overtook this one.
    // Work on the image of `source` in an engine of its own. A run of tasks works on a plain
    // engine, as a batch would; other work (a task being previewed) gets `view`, the screen's view
    // geometry. `work` may throw RenderOvertaken to give up.
    static std::shared_ptr<RenderResult> render(quint64 id, const QByteArray& source, const RenderWork& work,
                                                const std::optional<ViewSettings>& view,
                                                const std::function<bool()>& wanted)
    {
        auto result = std::make_shared<RenderResult>();
        result->id = id;
        SetCurrentOperation(QStringLiteral("Refreshing the preview"));
        try {
            auto engine = std::make_unique<ImageBox>(ImageBox::Mode::View);
            engine->LoadFromMemory(ImageBox::SnapshotFormat, source);
            if (view) {
                engine->SetWidth(view->width);
                engine->SetHeight(view->height);
                engine->SetStretchToFit(view->stretch);
                engine->SetZoom(view->zoom);
            }
            work(*engine, wanted);
            if (!wanted())
                return nullptr;
            result->picture = engine->Picture();
            result->engine = std::move(engine);
        } catch (const RenderOvertaken&) {
            return nullptr;
        } catch (...) {
            result->engine.reset();
            result->picture = Picture();
            result->error = std::current_exception();
        }
        return result;
    }

private:
    struct Pending {
        quint64 id = 0;
        Job job;
    };

    bool wanted(quint64 id) const { return !stopping_ && latest_ == id; }

    void run()
    {
        for (;;) {
            Pending pending;
            {
                std::lock_guard lock(mutex_);
                if (stopping_ || !pending_) {
                    running_ = false;
                    return;
                }
                pending = std::move(*pending_);
                pending_.reset();
            }
            const quint64 id = pending.id;
            std::function<void()> completion = pending.job([this, id] { return wanted(id); });
            pending.job = nullptr;
            {
                std::lock_guard lock(mutex_);
                // Posted under the lock: the pane, whose destructor waits for it, is alive.
                if (completion && wanted(id))
                    QMetaObject::invokeMethod(pane_, std::move(completion), Qt::QueuedConnection);
            }
            // An overtaken result goes here, on this thread.
            completion = nullptr;
        }
    }

    PreviewPane* const pane_;
    std::mutex mutex_;
    std::optional<Pending> pending_;
    bool running_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<quint64> latest_ = 0;
    std::thread thread_;
};

PreviewPane::PreviewPane(MetadataList& exifList, MetadataList& iptcList, QWidget* parent) : PreviewPane(parent)
{
    setMetadataLists(&exifList, &iptcList);
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent)
{
    caption_ = makePaneCaption(QStringLiteral("Preview"), QStringLiteral("lblPreview"), this);

    auto makeButton = [this](const QString& name, const QString& text) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        return button;
    };
    cmdPreviewType_ = makeButton(QStringLiteral("cmdPreviewType"), QString());
    cmdPreviewView_ = makeButton(QStringLiteral("cmdPreviewView"), QString());
    cmdPreviewPrevious_ = makeButton(QStringLiteral("cmdPreviewPrevious"), QStringLiteral("Previous file"));
    cmdPreviewNext_ = makeButton(QStringLiteral("cmdPreviewNext"), QStringLiteral("Next image"));
    connect(cmdPreviewPrevious_, &QToolButton::clicked, this, &PreviewPane::previousRequested);
    connect(cmdPreviewNext_, &QToolButton::clicked, this, &PreviewPane::nextRequested);

    container_ = new QWidget(this);
    container_->setObjectName(QStringLiteral("PicViewImage"));
    view_ = new EngineView(container_);
    auto* inner = new QVBoxLayout(container_);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(view_);

    buildMenus();

    auto* bar = toolBar_ = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(caption_);
    bar->addStretch(1);
    bar->addWidget(cmdPreviewType_);
    bar->addWidget(cmdPreviewView_);
    bar->addWidget(cmdPreviewPrevious_);
    bar->addWidget(cmdPreviewNext_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(container_, 1);

    setPreviewMode(BestFit, Optimized);
}

PreviewPane::~PreviewPane()
{
    // Before the view and its engine go: a job still under way must not post to them.
    worker_.reset();
}

void PreviewPane::addCommand(QAction* command, QAction* menuItem)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(command);
    button->setObjectName(command->objectName());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    // After the caption and the stretch, before the preview's own commands.
    toolBar_->insertWidget(2, button);
    if (menuItem) {
        QAction* first = mnuPreview_->actions().value(0);
        mnuPreview_->insertAction(first, menuItem);
        mnuPreview_->insertSeparator(first);
    }
}

void PreviewPane::buildMenus()
{
    // A menu of two exclusive choices; choosing item i calls choose(i).
    auto choiceMenu = [this](const QString& name, const QString (&items)[2], QActionGroup*& group, void (PreviewPane::*choose)(int)) {
        auto* menu = new QMenu(this);
        menu->setObjectName(name);
        group = new QActionGroup(this);
        for (int i = 0; i < 2; ++i) {
            QAction* item = menu->addAction(items[i]);
            item->setCheckable(true);
            group->addAction(item);
            connect(item, &QAction::triggered, this, [this, choose, i] { (this->*choose)(i); });
        }
        return menu;
    };
    const QString types[] = {QStringLiteral("Original"), QStringLiteral("Optimized")};
    mnuPreviewType_ = choiceMenu(QStringLiteral("mnuPreviewType"), types, typeGroup_, &PreviewPane::chooseType);
    const QString fits[] = {QStringLiteral("Best Fit"), QStringLiteral("Actual Size")};
    mnuPreviewFit_ = choiceMenu(QStringLiteral("mnuPreviewFit"), fits, fitGroup_, &PreviewPane::chooseFit);

    cmdPreviewType_->setMenu(mnuPreviewType_);
    cmdPreviewType_->setPopupMode(QToolButton::InstantPopup);
    cmdPreviewView_->setMenu(mnuPreviewFit_);
    cmdPreviewView_->setPopupMode(QToolButton::InstantPopup);

    mnuPreview_ = new QMenu(this);
    mnuPreview_->setObjectName(QStringLiteral("mnuPreview"));
    QAction* previous = mnuPreview_->addAction(QStringLiteral("Previous file"));
    previous->setObjectName(QStringLiteral("mnuPreviewPrevious"));
    connect(previous, &QAction::triggered, this, &PreviewPane::previousRequested);
    QAction* next = mnuPreview_->addAction(QStringLiteral("Next image"));
    next->setObjectName(QStringLiteral("mnuPreviewNext"));
    connect(next, &QAction::triggered, this, &PreviewPane::nextRequested);
    mnuPreview_->addSeparator();
    mnuSavePreviewAs_ = mnuPreview_->addMenu(QStringLiteral("Save Preview As"));
    mnuSavePreviewAs_->setObjectName(QStringLiteral("mnuSavePreviewAs"));
    QAction* document = mnuSavePreviewAs_->addAction(QStringLiteral("Image document"));
    document->setObjectName(QStringLiteral("mnuSaveImageDocument"));
    connect(document, &QAction::triggered, this, &PreviewPane::savePreviewAsDocument);
}

void PreviewPane::setMetadataLists(MetadataList* exifList, MetadataList* iptcList)
{
    exif_ = exifList;
    iptc_ = iptcList;
}

void PreviewPane::setTaskBasket(TaskBasket* basket) { basket_ = basket; }

void PreviewPane::setTaskRunOptionsProvider(std::function<TaskRunOptions()> provider)
{
    runOptions_ = std::move(provider);
}

ImageBox& PreviewPane::engine() { return view_->engine(); }

void PreviewPane::updateCaptions()
{
    // The padding leaves room for the buttons' pictures.
    typeGroup_->actions().at(type_)->setChecked(true);
    fitGroup_->actions().at(fit_)->setChecked(true);
    cmdPreviewType_->setText(QStringLiteral("    ") + typeGroup_->actions().at(type_)->text());
    cmdPreviewView_->setText(QStringLiteral("  ") + fitGroup_->actions().at(fit_)->text());
}

void PreviewPane::setPreviewMode(int fit, int type)
{
    const int oldType = type_;
    fit_ = fit == ActualSize ? ActualSize : BestFit;
    type_ = type == Original ? Original : Optimized;
    updateCaptions();
    subFixedSizeTiff();
    if (type_ != oldType)
        reapplyTasks();
}

void PreviewPane::chooseFit(int fit)
{
    fit_ = fit == ActualSize ? ActualSize : BestFit;
    updateCaptions();
    subFixedSizeTiff();
    Q_EMIT statusText(QStringLiteral("status"), QString::number(engine().Zoom()) + u'%');
}

void PreviewPane::chooseType(int type)
{
    type_ = type == Original ? Original : Optimized;
    updateCaptions();
    reapplyTasks();
}

void PreviewPane::subFixedSizeTiff()
{
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subFixedSizeTiff"), line, [&] {
        line = 1;
        SetCurrentOperation(QStringLiteral("Resizing Image according to preview setting"));
        engine().SetStretchToFit(fit_ == BestFit);
        line = 2;
        if (fit_ == ActualSize)
            engine().SetZoom(100);
        line = 3;
        view_->relayout();
    });
}

void PreviewPane::reapplyTasks()
{
    if (snapshot_.isEmpty() && !loading_)
        return;
    QList<TaskRecord> tasks;
    if (type_ == Optimized && basket_)
        tasks = basket_->tasks();
    renderTasks(tasks, runOptions_ ? runOptions_() : TaskRunOptions{});
}

PreviewPane::Worker& PreviewPane::worker()
{
    if (!worker_)
        worker_ = std::make_unique<Worker>(this);
    return *worker_;
}

void PreviewPane::renderTasks(QList<TaskRecord> tasks, TaskRunOptions options, std::function<void()> done)
{
    dropRender();
    if (snapshot_.isEmpty() && !loading_)
        return;
    render_ = Render{0, std::move(tasks), std::move(options), std::move(done), {}, {}};
    // The file being read is what the tasks are meant for: finishRead starts the render.
    if (loading_)
        return;
    startRender();
}

void PreviewPane::renderWork(QByteArray source, std::function<void(ImageBox&)> work, std::function<void()> done)
{
    dropRender();
    if (source.isEmpty() || !work)
        return;
    render_ = Render{0, {}, {}, std::move(done), std::move(work), std::move(source)};
    if (loading_)
        return;
    startRender();
}

void PreviewPane::startRender()
{
    Render& render = *render_;
    render.id = ++serial_;
    if (render.work) {
        const ImageBox& shown = engine();
        postRender(render.source, [work = render.work](ImageBox& image, const auto&) { work(image); },
                   ViewSettings{shown.Width(), shown.Height(), shown.StretchToFit(), shown.Zoom()});
        return;
    }
    if (render.tasks.isEmpty()) {
        // Only the snapshot to put back: quicker done here than handed over.
        worker().forget(render.id);
        int line = 0;
        reportFailures(QStringLiteral("FrmMain.subRefreshPreview"), line, [&] {
            line = 1;
            SetCurrentOperation(QStringLiteral("Refreshing the preview"));
            engine().LoadFromMemory(ImageBox::SnapshotFormat, snapshot_);
        });
        view_->refresh();
        // As for a render on the worker, the caller hears of it from the event loop.
        QMetaObject::invokeMethod(
            this,
            [this, id = render.id] {
                if (render_ && render_->id == id)
                    completeRender();
            },
            Qt::QueuedConnection);
        return;
    }
    postRender(snapshot_, [tasks = render.tasks, options = render.options](ImageBox& image, const auto& wanted) mutable {
        static_cast<void>(wanted);
        subProcessPages(tasks, image, options);
    });
}

void PreviewPane::postRender(const QByteArray& source, RenderWork work, std::optional<ViewSettings> view)
{
    worker().post(render_->id, [pane = this, id = render_->id, source, work = std::move(work),
                                view](const std::function<bool()>& wanted) -> std::function<void()> {
        std::shared_ptr<RenderResult> rendered = Worker::render(id, source, work, view, wanted);
        if (!rendered)
            return {};
        return [pane, rendered] { pane->finishRender(rendered); };
    });
}

void PreviewPane::finishRender(const std::shared_ptr<RenderResult>& rendered)
{
    // Overtaken after it was posted.
    if (!render_ || render_->id != rendered->id)
        return;
    if (rendered->error) {
        // The image on screen stays as it was.
        const int line = 1;
        reportFailures(QStringLiteral("FrmMain.subRefreshPreview"), line, [&] { std::rethrow_exception(rendered->error); });
    } else {
        int line = 0;
        const bool taken = reportFailures(QStringLiteral("FrmMain.subRefreshPreview"), line, [&] {
            line = 2;
            SetCurrentOperation(QStringLiteral("Refreshing the preview"));
            // The view's own settings (zoom, fit, view box) stay; only the image changes.
            engine().TakeImageFrom(*rendered->engine);
        });
        if (taken)
            view_->showPicture(rendered->picture);
        else
            view_->refresh();
    }
    rendered->engine.reset();
    rendered->picture = Picture();
    completeRender();
}

void PreviewPane::completeRender()
{
    std::function<void()> done = std::move(render_->done);
    render_.reset();
    if (done)
        done();
    Q_EMIT tasksRendered();
}

void PreviewPane::dropRender()
{
    if (!render_)
        return;
    // A render waiting for the file being read was never handed over; forgetting now would
    // drop the read.
    const bool handedOver = render_->id != 0;
    render_.reset();
    if (handedOver && worker_)
        worker_->forget(++serial_);
}

void PreviewPane::restoreSnapshot()
{
    dropRender();
    if (snapshot_.isEmpty())
        return;
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subRefreshPreview"), line, [&] {
        line = 1;
        SetCurrentOperation(QStringLiteral("Refreshing the preview"));
        engine().LoadFromMemory(ImageBox::SnapshotFormat, snapshot_);
    });
    view_->refresh();
}

void PreviewPane::clearMetadata()
{
    if (exif_)
        exif_->clear();
    if (iptc_)
        iptc_->clear();
}

void PreviewPane::clearPreview()
{
    // A file still being read, or a render, would otherwise show up in the emptied preview.
    render_.reset();
    current_ = Request{++serial_, QString(), -1, QString(), {}, {}};
    loading_ = false;
    if (worker_)
        worker_->forget(current_.id);
    engine().ClearImage();
    engine().SetTag(QString());
    snapshot_.clear();
    previewedPath_.clear();
    clearMetadata();
    view_->refresh();
}

void PreviewPane::fncReadFile(const Request& request)
{
    worker().post(request.id, [pane = this, request](const std::function<bool()>& wanted) -> std::function<void()> {
        std::shared_ptr<ReadResult> read = Worker::read(request, wanted);
        if (!read)
            return {};
        return [pane, read] { pane->finishRead(read); };
    });
}

void PreviewPane::finishRead(const std::shared_ptr<ReadResult>& read)
{
    // Overtaken by a newer request (or a cleared preview) after it was posted.
    if (read->id != current_.id)
        return;
    loading_ = false;
    const QString path = read->path;
    clearMetadata();

    if (read->error) {
        const int failedLine = read->line;
        reportFailures(QStringLiteral("FrmMain.fncReadFile"), failedLine, [&] { std::rethrow_exception(read->error); });
    }
    bool loaded = false;
    bool stale = false;
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.fncReadFile"), line, [&] {
        line = 1;
        SetCurrentOperation(QStringLiteral("Trying to read/view selected image file"));
        engine().ClearImage();
        snapshot_.clear();
        if (!read->engine)
            return;

        line = 2;
        engine().SetStretchToFit(fit_ == BestFit);

        line = 3;
        engine().TakeImageFrom(*read->engine);

        line = 4;
        snapshot_ = std::move(read->snapshot);

        line = 5;
        // The worker applied the Task Basket as it stood at the request. Should the preview
        // selection or the basket have changed meanwhile without a render being asked for, the
        // image is brought in line with them below.
        stale = read->tasksRan != (type_ == Optimized && basket_ && !basket_->isEmpty());

        line = 7;
        Q_EMIT statusText(QStringLiteral("filename"), QFileInfo(path).fileName());

        line = 8;
        engine().SetTag(path);
        SetCurrentOperation(QStringLiteral("Resizing image to fit the container control"));
        loaded = true;
    });
    if (!loaded) {
        // Nothing to show; the file is read again when it is selected again. A render asked for
        // meanwhile has nothing to work on.
        engine().ClearImage();
        snapshot_.clear();
        previewedPath_.clear();
        render_.reset();
    }
    // The worker's picture is what the engine now holds.
    if (loaded && !read->picture.isNull())
        view_->showPicture(read->picture);
    else
        view_->refresh();
    read->picture = Picture();
    // Work asked for on an image of the previous photo has nothing to work on any more.
    if (render_ && render_->work)
        render_.reset();
    if (render_)
        startRender();
    else if (stale)
        reapplyTasks();

    QString resolution = current_.resolutionText;
    if (loaded && (resolution.isEmpty() || resolution == UnknownResolution)) {
        const ImageBox& e = engine();
        resolution = QStringLiteral("%1 X %2 X %3").arg(e.ImageWidth()).arg(e.ImageHeight()).arg(e.ImageDepth());
        Q_EMIT resolutionKnown(path, resolution);
    }
    if (loaded) {
        const int pageCount = current_.pages < 0 ? read->pageCount : current_.pages;
        Q_EMIT statusText(QStringLiteral("pages"), QString::number(pageCount) + QStringLiteral(" page(s)"));
        Q_EMIT statusText(QStringLiteral("resolution"), QStringLiteral("     ") + resolution);
    }

    readMetadata(path);
    Q_EMIT previewShown(path, loaded);
}

void PreviewPane::readMetadata(const QString& path)
{
    if (!engine().HasImage()) {
        Q_EMIT statusText(QStringLiteral("metadata"), QStringLiteral("No metadata"));
        return;
    }
    if (exif_ && modMetadata::ShowsExif(path))
        modMetadata::ReadFileEXIFInfo(engine(), *exif_, path);
    if (iptc_ && modMetadata::ShowsIptc(path))
        modMetadata::ReadFileIPTCInfo(engine(), *iptc_, path);

    // The IPTC list always has its rows once read; whether the file carries IPTC is the engine's.
    const bool exif = exif_ && !exif_->isEmpty();
    const bool iptc = modMetadata::ShowsIptc(path) && engine().HasIptc();
    QString text = QStringLiteral("No metadata");
    if (exif || iptc) {
        text = QStringLiteral("Metadata - ");
        if (exif)
            text += QStringLiteral("EXIF");
        if (iptc)
            text += QStringLiteral(" IPTC");
    }
    Q_EMIT statusText(QStringLiteral("metadata"), text);
}

bool PreviewPane::showSelectedFile(const QString& path, int pages, const QString& resolutionText)
{
    // The path counts as previewed from the request on, so selecting it again while it is being
    // read starts no second read.
    if (path.isEmpty() || path == previewedPath_)
        return false;
    previewedPath_ = path;
    // A render of the photo before is of no use any more; the new request overtakes it.
    render_.reset();
    current_ = Request{++serial_, path, pages, resolutionText, {}, {}};
    if (type_ == Optimized && basket_ && !basket_->isEmpty()) {
        current_.tasks = basket_->tasks();
        current_.options = runOptions_ ? runOptions_() : TaskRunOptions{};
    }
    loading_ = true;
    fncReadFile(current_);
    return true;
}

void PreviewPane::savePreviewAsDocument()
{
    if (!engine().HasImage())
        return;
    engine().CancelMouseTool();
    const ui::FileChoice choice = ui::ChooseSaveFile(this, QStringLiteral("Save Preview As"), SaveFilter());
    if (choice.path.isEmpty())
        return;

    QString target = choice.path;
    if (!WritableExtension(modMetadata::LowerExtension(target))) {
        const int index = std::clamp(choice.filterIndex, 0, int(std::size(SaveFormats)) - 1);
        target += u'.' + QLatin1String(SaveFormats[index].extension);
    }
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subSavePreview"), line, [&] {
        line = 1;
        SetCurrentOperation(QStringLiteral("Saving the preview as an image document"));
        engine().SaveToFile(target);
    });
}

void PreviewPane::contextMenuEvent(QContextMenuEvent* event)
{
    if (!container_->geometry().contains(event->pos())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    mnuSavePreviewAs_->menuAction()->setEnabled(engine().HasImage());
    mnuPreview_->popup(event->globalPos());
    event->accept();
}

}  // namespace lumora
