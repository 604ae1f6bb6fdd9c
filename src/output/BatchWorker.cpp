#include "output/BatchWorker.h"

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/ReportFailures.h"
#include "engine/EngineError.h"
#include "engine/EngineReadFormats.h"
#include "imageio/LoadPic.h"
#include "metadata/ExifExchange.h"
#include "output/BatchConversion.h"
#include "output/BatchLedger.h"
#include "output/OutputNaming.h"
#include "tasks/ShrinkOnLoad.h"
#include "tasks/TaskRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace lumora {
namespace {

const QString kRoutine = QStringLiteral("fncSaveSinglePage");

// Once an entry is taken, the ledger must hear that it was read (or not), where it writes and
// that it is finished, on every way out, or later entries would wait for it for ever.
class EntryTurn {
public:
    EntryTurn(BatchLedger& ledger, int index) : ledger_(ledger), index_(index) {}
    ~EntryTurn()
    {
        if (!ledger_.readTold(index_))
            ledger_.setRead(index_, false);
        if (!ledger_.outputTold(index_))
            ledger_.setOutput(index_, {});
        ledger_.finish(index_);
    }
    EntryTurn(const EntryTurn&) = delete;
    EntryTurn& operator=(const EntryTurn&) = delete;

private:
    BatchLedger& ledger_;
    int index_;
};

// Whether the file begins as a JPEG does; only JPEGs decode reduced.
bool startsAsJpeg(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(3) == QByteArray("\xFF\xD8\xFF", 3);
}

}  // namespace

BatchWorker::BatchWorker(BatchConversion& job, BatchLedger& ledger, const std::vector<bool>& readFirst)
    : job_(job), ledger_(ledger), readFirst_(readFirst)
{
}

bool BatchWorker::process(int index)
{
    const EntryTurn turn(ledger_, index);
    BatchEntryResult& result = job_.results_[static_cast<size_t>(index)];
    const int position = index + 1;
    BatchEntryOutcome outcome = BatchEntryOutcome::Failed;
    const bool ran = reportFailures(kRoutine, position, [&] { outcome = convert(index); });
    result.outcome = outcome;  // Failed when it did not run through
    return ran;
}

BatchEntryOutcome BatchWorker::convert(int index)
{
    const BatchEntry& entry = job_.entries_.at(index);
    const SetupRecord::Naming& settings = job_.settings_;
    SetCurrentOperation(QStringLiteral("Converting '") + entry.tag + u'\'');
    const bool runTasks = settings.processTaskBasket != 0 && !job_.tasks_.isEmpty();
    // An engine of a one-at-a-time run starts each photo with the settings the Task Basket left
    // on the photo before; a worker's engine that has not run it yet takes them from the entry
    // that did.
    if (runTasks && !tasksRan_) {
        if (const std::optional<EngineSettings> before = ledger_.settingsBefore(index)) {
            engine_.SetSettings(*before);
            tasksRan_ = true;
        }
    }
    engine_.ClearImage();

    const QString folder = job_.outputFolderOf(entry.tag);

    if (readFirst_[static_cast<size_t>(index)])
        ledger_.waitBeforeReading(index);

    const bool wasRead = read(entry.tag, job_.results_[static_cast<size_t>(index)].reason);
    ledger_.setRead(index, wasRead);
    if (!wasRead)
        return BatchEntryOutcome::Unreadable;
    engine_.SetTag(QStringLiteral("%1x%2").arg(engine_.ImageWidth()).arg(engine_.ImageHeight()));
    applySaveOptions();

    if (runTasks) {
        subProcessPages(shrinkOnLoad(entry.tag), engine_, taskOptions());
        tasksRan_ = true;
        ledger_.setSettings(index, engine_.Settings());
    }

    SetCurrentOperation(QStringLiteral("Naming the output of '") + entry.tag + u'\'');
    const QString output = fncOutputFilePath(settings, engine_, folder, entry.text, entry.tag, index + 1,
                                             job_.outputExtension_);
    job_.results_[static_cast<size_t>(index)].outputPath = output;
    // A name made from the photo's values can still land on a photo of the batch.
    if (!job_.replaceSources_ && ledger_.isSource(output)) {
        ledger_.setOutput(index, {});
        return BatchEntryOutcome::KeptSource;
    }
    ledger_.setOutput(index, output);
    ledger_.waitBeforeWriting(index);
    if (QFileInfo::exists(output) && settings.overwrite == 0)
        return BatchEntryOutcome::Existing;
    if (!job_.sourceSubfolder_.isEmpty())
        QDir().mkpath(folder);  // one that cannot be made shows as the write's failure

    importMetadata();
    SetCurrentOperation(QStringLiteral("Saving '") + output + u'\'');
    applySaveOptions();  // given before the tasks too, for the size estimate; once more right here
    engine_.SaveToFile(output);
    return BatchEntryOutcome::Written;
}

bool BatchWorker::read(const QString& path, QString& whyNot)
{
    openedByEngine_ = false;
    if (EngineReadFormats::batchReads(path)) {
        try {
            engine_.LoadFromFile(path);
            openedByEngine_ = engine_.HasImage();
            return openedByEngine_;
        } catch (const EngineError& e) {
            // The content decides, not the name: what the engine does not read itself (a WebP
            // named .png) may still be a picture for the loader, which decodes it under its
            // guards. What neither reads is skipped, with the engine's reason.
            whyNot = e.description();
        }
    }
    const Picture picture = LoadPic(path, NaturalSize, -1, -1, 0xFFFFFF);
    if (picture.isNull()) {
        if (whyNot.isEmpty())
            whyNot = QStringLiteral("\"%1\" is not a picture Lumora can read").arg(QDir::toNativeSeparators(path));
        return false;
    }
    engine_.SetBitmapHandle(picture);
    return true;
}

QList<TaskRecord> BatchWorker::shrinkOnLoad(const QString& path)
{
    if (job_.fullDecode_ || !openedByEngine_ || !startsAsJpeg(path))
        return job_.tasks_;
    ShrinkOnLoad plan = ShrinkOnLoad::plan(job_.tasks_, engine_.ImageWidth(), engine_.ImageHeight());
    if (plan.factor == 1)
        return job_.tasks_;
    // Only the header was read: opening the file again costs little next to the decoding saved.
    try {
        engine_.LoadFromFile(path, plan.factor);
    } catch (const EngineError&) {
        return job_.tasks_;  // the photo opened before is still there, whole
    }
    return std::move(plan.tasks);
}

TaskRunOptions BatchWorker::taskOptions() const
{
    TaskRunOptions options;
    options.gallery = job_.gallery_;
    return options;
}

void BatchWorker::applySaveOptions()
{
    // The JPEG options are the settings'; WebP and AVIF take the engine's JPEG quality as theirs,
    // and every format but JPEG is written in true colour.
    const bool jpeg = job_.outputExtension_ == kBatchOutputExtension;
    engine_.SetJpegQuality(jpeg ? job_.settings_.jpegQuality : job_.outputQuality_);
    engine_.SetJpegProgressive(job_.settings_.progressive != 0);
    engine_.SetSaveColorDepth(jpeg && job_.settings_.jpegDepth == 1 ? 2 : 0);
}

void BatchWorker::importMetadata()
{
    const SetupRecord::Naming& settings = job_.settings_;
    const QString exifFile = settings.exifFile.trimmed();
    if (settings.importExif != 0 && !exifFile.isEmpty() && FileExists(exifFile)) {
        SetCurrentOperation(QStringLiteral("Importing EXIF from '") + exifFile + u'\'');
        modMetadata::subLoadEXIFFile(exifFile, engine_);  // reports its own failures
    }
    engine_.SetExifAttribute(QStringLiteral("Software"), QString::fromLatin1(app::Title));
    const QString iptcFile = settings.iptcFile.trimmed();
    if (settings.importIptc != 0 && !iptcFile.isEmpty() && FileExists(iptcFile)) {
        SetCurrentOperation(QStringLiteral("Importing IPTC from '") + iptcFile + u'\'');
        engine_.LoadIptcFromFile(iptcFile);
    }
}

}  // namespace lumora
