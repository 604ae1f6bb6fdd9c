#pragma once

#include "engine/ImageBox.h"
#include "output/BatchEntry.h"
#include "tasks/TaskRunner.h"

#include <vector>

namespace lumora {

class BatchConversion;
class BatchLedger;

// One worker of a batch run: takes entries from the ledger until none is left or the run stops,
// and converts each with an engine of its own.
class BatchWorker {
public:
    // readFirst: per entry, whether an earlier entry may write the file it reads.
    BatchWorker(BatchConversion& job, BatchLedger& ledger, const std::vector<bool>& readFirst);

    void run();

private:
    void process(int index);
    BatchEntryOutcome convert(int index);
    bool read(const QString& path);
    void reachTaskSettings();
    TaskRunOptions taskOptions() const;
    void applySaveOptions();
    void importMetadata();

    BatchConversion& job_;
    BatchLedger& ledger_;
    const std::vector<bool>& readFirst_;
    ImageBox engine_{ImageBox::Mode::Batch};
    bool tasksRan_ = false;  // the engine holds the settings the tasks leave
};

}  // namespace lumora
