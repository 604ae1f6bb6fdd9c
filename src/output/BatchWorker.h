#pragma once

#include "engine/ImageBox.h"
#include "output/BatchEntry.h"
#include "tasks/TaskRunner.h"

#include <vector>

namespace lumora {

class BatchConversion;
class BatchLedger;

// One worker of a batch run: converts the entries it is handed, with an engine of its own that
// keeps its settings from one photo to the next.
class BatchWorker {
public:
    // readFirst: per entry, whether an earlier entry may write the file it reads.
    BatchWorker(BatchConversion& job, BatchLedger& ledger, const std::vector<bool>& readFirst);

    // Converts one entry; false when an error ended the run there (it was reported).
    bool process(int index);

private:
    BatchEntryOutcome convert(int index);
    // Whether the photo could be read; if not, `whyNot` says why.
    bool read(const QString& path, QString& whyNot);
    // The tasks to run on the photo read: when they allow, a JPEG read in full is opened again to
    // be decoded reduced, and the tasks are the ones for the reduced photo.
    QList<TaskRecord> shrinkOnLoad(const QString& path);
    TaskRunOptions taskOptions() const;
    void applySaveOptions();
    void importMetadata();

    BatchConversion& job_;
    BatchLedger& ledger_;
    const std::vector<bool>& readFirst_;
    ImageBox engine_{ImageBox::Mode::Batch};
    bool tasksRan_ = false;  // the engine holds the settings the tasks leave
    bool openedByEngine_ = false;  // the photo read was opened from its file by the engine
};

}  // namespace lumora
