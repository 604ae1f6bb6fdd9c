#include "output/BatchSummary.h"

#include <QDir>
#include <QFileInfo>

namespace lumora {
namespace {

QString files(int count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

QString folderOf(const QString& path) { return QDir::cleanPath(QFileInfo(path).absolutePath()); }

}  // namespace

BatchSummary BatchSummary::of(const std::vector<BatchEntryResult>& results, bool ok)
{
    BatchSummary summary;
    summary.ok = ok;
    for (const BatchEntryResult& result : results) {
        switch (result.outcome) {
        case BatchEntryOutcome::Written:
            ++summary.written;
            if (!summary.writtenFolders.contains(folderOf(result.outputPath)))
                summary.writtenFolders.append(folderOf(result.outputPath));
            break;
        case BatchEntryOutcome::Unreadable:
            ++summary.unreadable;
            break;
        case BatchEntryOutcome::Existing:
            ++summary.existing;
            break;
        case BatchEntryOutcome::KeptSource:
            ++summary.keptSource;
            break;
        case BatchEntryOutcome::Failed:
            ++summary.failed;
            break;
        case BatchEntryOutcome::NotStarted:
            ++summary.notConverted;
            break;
        }
        if (summary.outputFolder.isEmpty() && !result.outputPath.isEmpty()
            && (result.outcome == BatchEntryOutcome::Written || result.outcome == BatchEntryOutcome::Existing))
            summary.outputFolder = folderOf(result.outputPath);
    }
    return summary;
}

bool BatchSummary::wroteInto(const QString& folder) const
{
    if (folder.isEmpty())
        return false;
    const QString wanted = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const QString& folderWritten : writtenFolders) {
        if (folderWritten == wanted || (!canonical.isEmpty() && QFileInfo(folderWritten).canonicalFilePath() == canonical))
            return true;
    }
    return false;
}

QString BatchSummary::text() const
{
    QString outcome;
    if (!ok)
        outcome = QStringLiteral("The batch conversion was stopped by an error.");
    else if (cancelled())
        outcome = QStringLiteral("The batch conversion was cancelled.");
    else
        outcome = QStringLiteral("The batch conversion has finished.");

    QString counts = QStringLiteral("%1 written, %2 skipped, %3 failed.").arg(files(written)).arg(skipped()).arg(failed);
    QStringList reasons;
    if (unreadable > 0)
        reasons << QStringLiteral("%1 could not be read").arg(files(unreadable));
    if (existing > 0)
        reasons << QStringLiteral("%1 already there and not overwritten").arg(files(existing));
    if (keptSource > 0)
        reasons << QStringLiteral("%1 kept: the output would have replaced an original").arg(files(keptSource));
    if (notConverted > 0)
        reasons << QStringLiteral("%1 not converted").arg(files(notConverted));
    if (!reasons.isEmpty())
        counts += u'\n' + reasons.join(QStringLiteral(", ")) + u'.';
    return outcome + QStringLiteral("\n\n") + counts;
}

}  // namespace lumora
