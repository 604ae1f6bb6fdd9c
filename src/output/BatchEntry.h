#pragma once

#include <QString>

namespace lumora {

// One photo of a batch as the run needs it: what the Image Basket entry shows and processes.
struct BatchEntry {
    QString text;  // the entry's label: the file name without extension; names mode-0 and hybrid outputs
    QString tag;   // the file read

    friend bool operator==(const BatchEntry&, const BatchEntry&) = default;
};

// How one entry of a batch run ended.
enum class BatchEntryOutcome {
    NotStarted,  // the run was cancelled or had stopped on an error before reaching it
    Written,
    Unreadable,  // no picture could be read from the file: skipped
    Existing,    // the output file was there and overwriting is off: skipped
    Failed,      // an error ended the run here (reported under "fncSaveSinglePage")
    KeptSource,  // the output would have replaced a photo of the batch, which the run may not do: skipped
};

struct BatchEntryResult {
    BatchEntryOutcome outcome = BatchEntryOutcome::NotStarted;
    QString outputPath;  // the name it was given; empty when the run never got that far
    QString reason;      // for an Unreadable entry: why it could not be read
};

}  // namespace lumora
