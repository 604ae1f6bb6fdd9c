#pragma once

#include "output/BatchEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lumora {

// What a batch run did, as the person who started it wants to hear it once it has ended: how many
// files were written, skipped and failed, whether it was cancelled, and where the files went.
struct BatchSummary {
    int written = 0;
    int unreadable = 0;  // skipped: no picture could be read from the file
    int existing = 0;    // skipped: the output was there and overwriting is off
    int keptSource = 0;  // skipped: the output would have replaced a photo of the run
    int failed = 0;
    int notConverted = 0;  // never reached: the run was cancelled or stopped by an error
    bool ok = true;        // false when an error ended the run

    // The folder of the first output named (written or left alone), "" when the run named none.
    QString outputFolder;
    // The folders files were written into, each once, in the order of the entries.
    QStringList writtenFolders;

    // `ok` as the run reported it: false when an error ended it.
    static BatchSummary of(const std::vector<BatchEntryResult>& results, bool ok);

    int skipped() const { return unreadable + existing + keptSource; }
    bool cancelled() const { return ok && notConverted > 0; }
    // Whether the run wrote a file into this folder (paths compared as absolute, cleaned paths).
    bool wroteInto(const QString& folder) const;
    // One short paragraph: the outcome and the counts.
    QString text() const;
};

}  // namespace lumora
