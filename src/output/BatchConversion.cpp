#include "output/BatchConversion.h"

#include "basket/BasketEntry.h"
#include "core/LumoraError.h"
#include "output/BatchLedger.h"
#include "output/BatchWorker.h"
#include "output/OutputNaming.h"
#include "tasks/TaskBasket.h"
#include "work/OrderedJobs.h"

#include <QSet>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace lumora {
namespace {

// Each entry's output, comparable, where its name can be told before the photos are read.
using PredictedOutputs = std::vector<std::optional<QString>>;

PredictedOutputs predictOutputs(const QList<BatchEntry>& entries, const SetupRecord::Naming& settings,
                                const QString& extension, const std::function<QString(const QString&)>& folderOf)
{
    PredictedOutputs outputs(static_cast<size_t>(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        try {
            if (const std::optional<QString> output =
                    predictedOutputFilePath(settings, folderOf(entries.at(i).tag), entries.at(i).text,
                                            static_cast<int>(i + 1), extension))
                outputs[static_cast<size_t>(i)] = BatchLedger::comparable(*output);
        } catch (const LumoraError&) {
            // A counter that is not a number: the run stops at the first photo read, when it
            // names its output; until then nothing is written.
        }
    }
    return outputs;
}

// Per entry, whether an earlier entry may write the file it reads, so that it has to wait for
// that entry as a one-at-a-time run would. Exact while the names can be told before the photos
// are read; after the first that cannot, any source with the output extension may be one.
std::vector<bool> readAfterEarlierWrites(const QList<BatchEntry>& entries, const PredictedOutputs& outputs,
                                         const QString& extension)
{
    std::vector<bool> waits(static_cast<size_t>(entries.size()), false);
    QSet<QString> earlierOutputs;
    bool namesKnown = true;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString source = BatchLedger::comparable(entries.at(i).tag);
        waits[static_cast<size_t>(i)] = namesKnown ? earlierOutputs.contains(source)
                                                   : source.endsWith(u'.' + extension);
        if (!namesKnown)
            continue;
        if (const std::optional<QString>& output = outputs[static_cast<size_t>(i)])
            earlierOutputs.insert(*output);
        else
            namesKnown = false;
    }
    return waits;
}

}  // namespace

BatchConversion::BatchConversion(QList<BatchEntry> entries, QList<TaskRecord> tasks, SetupRecord::Naming settings)
    : entries_(std::move(entries)),
      tasks_(std::move(tasks)),
      settings_(std::move(settings)),
      jobs_(std::max(1, QThread::idealThreadCount()))
{
}

QList<BatchEntry> BatchConversion::entriesOf(const QList<BasketEntry>& basket)
{
    QList<BatchEntry> entries;
    entries.reserve(basket.size());
    for (const BasketEntry& e : basket)
        entries.append(BatchEntry{e.text, e.tag});
    return entries;
}

QList<TaskRecord> BatchConversion::tasksOf(const TaskBasket& basket) { return basket.tasks(); }

void BatchConversion::setJobs(int jobs) { jobs_ = std::max(1, jobs); }

bool BatchConversion::setOutputFormat(const QString& extension, int quality)
{
    if (!outputFormats().contains(extension))
        return false;
    outputExtension_ = extension;
    outputQuality_ = std::clamp(quality, 1, 100);
    return true;
}

const QStringList& BatchConversion::outputFormats()
{
    static const QStringList formats{kBatchOutputExtension, QStringLiteral("webp"), QStringLiteral("avif"),
                                     QStringLiteral("png"), QStringLiteral("tif")};
    return formats;
}

QString BatchConversion::outputFolderOf(const QString& sourcePath) const
{
    const QString folder = outputFolder(settings_, sourcePath);
    return sourceSubfolder_.isEmpty() ? folder : folder + sourceSubfolder_ + u'/';
}

QStringList BatchConversion::sourcesReplaced() const
{
    QSet<QString> outputs;
    for (const std::optional<QString>& output :
         predictOutputs(entries_, settings_, outputExtension_,
                        [this](const QString& source) { return outputFolderOf(source); }))
        if (output)
            outputs.insert(*output);
    QStringList replaced;
    for (const BatchEntry& entry : entries_) {
        const QString source = BatchLedger::comparable(entry.tag);
        if (outputs.contains(source) && !replaced.contains(source))
            replaced.append(source);
    }
    return replaced;
}

int BatchConversion::count(BatchEntryOutcome outcome) const
{
    return static_cast<int>(std::count_if(results_.begin(), results_.end(),
                                          [outcome](const BatchEntryResult& r) { return r.outcome == outcome; }));
}

struct BatchConversion::Run {
    Run(const QStringList& sources, std::vector<bool> reads) : ledger(sources), readFirst(std::move(reads)) {}

    BatchLedger ledger;
    const std::vector<bool> readFirst;
    std::vector<std::unique_ptr<BatchWorker>> workers;
    std::unique_ptr<OrderedJobs<bool>> jobs;
};

BatchConversion::~BatchConversion()
{
    *alive_ = false;
    cancel();
    // The jobs go first: their destructor waits for the photos in progress.
    if (run_)
        run_->jobs.reset();
}

std::unique_ptr<BatchConversion::Run> BatchConversion::prepare(QObject* receiver, std::function<void()> finished)
{
    const int entryCount = static_cast<int>(entries_.size());
    results_.assign(static_cast<size_t>(entryCount), BatchEntryResult{});
    QStringList sources;
    for (const BatchEntry& entry : entries_)
        sources.append(entry.tag);
    const PredictedOutputs outputs = predictOutputs(entries_, settings_, outputExtension_,
                                                    [this](const QString& source) { return outputFolderOf(source); });
    auto run = std::make_unique<Run>(sources, readAfterEarlierWrites(entries_, outputs, outputExtension_));

    const int workerCount = std::clamp(jobs_, 1, std::max(1, entryCount));
    for (int w = 0; w < workerCount; ++w)
        run->workers.push_back(std::make_unique<BatchWorker>(*this, run->ledger, run->readFirst));
    Run& r = *run;
    run->jobs = std::make_unique<OrderedJobs<bool>>(OrderedJobs<bool>::Setup{
        .count = entryCount,
        .workers = workerCount,
        .work = [&r](int index, int worker,
                     const std::stop_token&) { return r.workers[static_cast<size_t>(worker)]->process(index); },
        // The callback may end the conversion's life (a window closed on the first progress):
        // it is called through copies, and not again once the conversion is gone.
        .deliver =
            [alive = alive_, progress = progress_, entryCount](int first, std::vector<bool>&& done) {
                for (size_t i = 0; progress && i < done.size() && *alive; ++i)
                    progress(first + static_cast<int>(i) + 1, entryCount);
            },
        .receiver = receiver,
        .finished = std::move(finished),
        .cancel = cancel_.get_token(),
        // An error ends the run, unless it is to keep going: the photos in progress finish, no
        // new one starts.
        .endsWork = [keepGoing = keepGoing_](bool ran) { return !ran && !keepGoing; },
    });
    return run;
}

void BatchConversion::start(QObject* receiver, std::function<void(bool ok)> finished)
{
    if (run_)
        return;
    run_ = prepare(receiver, [this, finished = std::move(finished)] {
        if (finished)
            finished(count(BatchEntryOutcome::Failed) == 0);
    });
    run_->jobs->start();
}

bool BatchConversion::fncSaveSinglePage()
{
    const std::unique_ptr<Run> run = prepare(nullptr, {});
    run->jobs->run();
    return count(BatchEntryOutcome::Failed) == 0;
}

}  // namespace lumora
