#pragma once

#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {

// lumora-batch run as a script runs it.
inline ToolResult lumoraBatch(const QStringList& arguments)
{
    return runTool(QStringLiteral(LUMORA_BATCH_EXE), arguments);
}

// lumora-batch on hostile input: killed after 20 seconds and limited to 2 GiB of address space, so
// that a file which would hold it or take the machine fails the test instead.
inline ToolResult lumoraBatchLimited(const QStringList& arguments)
{
    return runTool(QStringLiteral(LUMORA_BATCH_EXE), arguments, {.killAfterMs = 20000, .addressSpaceBytes = 2ull << 30});
}

// A failure as scripts see it: exit status 1 and one line on standard error, naming `mention`.
inline void expectFailure(const ToolResult& r, const QString& mention = {})
{
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith(u'\n') && r.err.contains(mention)) << r.err.toStdString();
}

// A .tbf record with these leading fields ("\"3\",\"resize\""), padded with empty ones to the 19
// fields of a task.
inline QByteArray taskRecord(const QByteArray& fields)
{
    return fields + QByteArray(",\"\"").repeated(18 - fields.count(',')) + "\r\n";
}
// A rotation by an angle that is no number: the task fails when it runs.
inline const QByteArray kFailingRotation = taskRecord("\"2\",\"rotate\",\"False\",\"quarter\",\"0\"");

// A folder of its own for the files a command reads and writes.
class BatchFolderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    // A .tbf file with these records; returns its path.
    QString writeTasks(const QByteArray& records)
    {
        writeBytes(path("tasks.tbf"), records);
        return path("tasks.tbf");
    }

    QTemporaryDir dir;
};

}  // namespace lumora::test
