#pragma once

#include "OutputTestFiles.h"

#include "output/BatchConversion.h"
#include "settings/SetupRecord.h"
#include "tasks/TaskRecord.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {

// A folder of photos and the batch settings of a first start, with helpers to run the batch.
class BatchFixture : public ::testing::Test {
protected:
    BatchFixture() : settings(defaultSetup(QStringLiteral("/lumora")).naming) {}

    QString path(const QString& name) const { return dir.filePath(name); }

    static QList<BatchEntry> entriesFor(const QStringList& files)
    {
        QList<BatchEntry> entries;
        for (const QString& file : files)
            entries.append(BatchEntry{QFileInfo(file).completeBaseName(), file});
        return entries;
    }

    // Runs the batch over the files; the conversion stays for its results.
    bool run(const QStringList& files, int jobs = 1, const QList<TaskRecord>& tasks = {})
    {
        conversion = std::make_unique<BatchConversion>(entriesFor(files), tasks, settings);
        conversion->setJobs(jobs);
        if (progress)
            conversion->setProgressCallback(progress);
        return conversion->fncSaveSinglePage();
    }

    QTemporaryDir dir;
    SetupRecord::Naming settings;
    BatchConversion::ProgressCallback progress;
    std::unique_ptr<BatchConversion> conversion;
};

}  // namespace lumora::test
