#pragma once

#include "basket/BasketEntry.h"
#include "basket/BasketRoad.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <stop_token>
#include <vector>

namespace lumora {

class ImageBasket;
template <typename Result>
class OrderedJobs;
template <typename Progress>
class OrderedProgress;

// One file to add, with the description its entries get (a description file's second field).
struct BasketItem {
    QString path;
    QString description;
};

// Adds files to an Image Basket without blocking the thread the basket lives on. Thumbnails are
// made and multipage TIFF files split on worker threads, several files at once; the entries reach
// the basket on its own thread, file by file and always in input order.
//
// Per file: a file whose source path is already in the basket (or earlier in the same list) is
// skipped without any work; so are missing files when a basket file is reopened. Unreadable
// files give no entry and no report. A failure of the engine while splitting pages is reported
// under the road's routine; on the add and drop roads it ends the add (the pages made before it
// stay, no later file is added even if a worker had already made its entries), on reopening it
// ends only that file.
//
// Cancel: the files in progress finish, with all their pages, and are added; no new file starts.
// The basket therefore holds exactly the first files of the list that were started.
//
// The entries arrive through the event loop of the basket's thread: the window has one running;
// the command line and the tests call waitForFinished().
class BasketAdder : public QObject {
    Q_OBJECT
public:
    explicit BasketAdder(ImageBasket& basket, QObject* parent = nullptr);
    // Cancels a running add and waits for its workers; entries not yet delivered are dropped.
    ~BasketAdder() override;

    // How many files are worked on at once, from the next start on; by default the processor
    // count, at most 4 (libvips uses threads of its own within each file).
    void setWorkerCount(int count);
    int workerCount() const { return workerCount_; }
    // The thumbnail size of the entries, from the next start on (the basket view's setting).
    void setThumbnailSize(QSize size);
    QSize thumbnailSize() const { return thumbnailSize_; }

    // Starts adding, with the basket thumbnail size and program folder as they are now. False,
    // and nothing started, while an add is running.
    bool start(const QStringList& paths, BasketRoad road);
    bool start(const QList<BasketItem>& items, BasketRoad road);

    // The one method that is safe from any thread, also from a slot connected directly to
    // progress().
    void cancel();

    // From start() until finished() has been emitted.
    bool isRunning() const { return running_; }
    // Whether the last add was cancelled before it reached the end of its list.
    bool wasCancelled() const { return cancel_.stop_requested(); }

    // Runs the calling thread's events until the running add has finished (at once when none
    // runs). For callers without an event loop of their own.
    void waitForFinished();

    // The routine an add's failures are reported under.
    static QString routineName(BasketRoad road);

Q_SIGNALS:
    // What the window shows while adding. When a file starts: index = its position in the list,
    // count = the list's length, status "Adding file to basket - '<name>'" (reopening: "Opening
    // image list from file!"). For each page of a multipage file: index = pages done, count = its
    // pages, status "Please wait... extracting multipage file - '<name>' Pages N of M" ("document"
    // on the drop road). Emitted from worker threads, in list order: when several files are in
    // progress only the first of them reports, and the next one's latest state follows when it
    // becomes the first.
    void progress(int index, int count, const QString& status);
    // After the last entry of the add reached the basket.
    void finished();

private:
    // Where the first file in progress has got to.
    struct Step {
        int index;
        int count;
        QString status;
    };
    // What one file gave: its entries, or a failure that was reported.
    struct Added {
        QList<BasketEntry> entries;
        bool failed = false;
    };

    Added addFile(int file);
    void deliver(int first, std::vector<Added>&& files);
    void end();

    QPointer<ImageBasket> basket_;
    int workerCount_;
    QSize thumbnailSize_{40, 40};
    bool running_ = false;
    // A failure on the add or drop road ended the add: later files are not added.
    bool discarding_ = false;
    std::stop_source cancel_;
    // Fixed at start: the workers read them, nothing changes them while they run.
    QList<BasketItem> items_;
    QSize runThumbnailSize_;
    std::vector<bool> skip_;
    BasketRoad road_ = BasketRoad::AddButton;
    QString tempFolder_;
    std::unique_ptr<OrderedProgress<Step>> progress_;
    std::unique_ptr<OrderedJobs<Added>> jobs_;
};

}  // namespace lumora
