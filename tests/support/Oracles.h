#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/resource.h>

namespace lumora::test {

// Independent programs that check what Lumora writes.
struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// How a program under test may run: killed after killAfterMs, and, when addressSpaceBytes is set,
// under that address-space limit, so that a regression that would hang or take the machine fails
// instead.
struct RunLimits {
    int killAfterMs = 60000;
    rlim_t addressSpaceBytes = 0;
};

// Runs a program to its end; one that does not start, or outlives its limit, gives exit code -1.
inline ToolResult runTool(const QString& program, const QStringList& arguments, const RunLimits& limits = {})
{
    QProcess process;
    if (limits.addressSpaceBytes > 0)
        process.setChildProcessModifier([bytes = limits.addressSpaceBytes] {
            const rlimit space{bytes, bytes};
            ::setrlimit(RLIMIT_AS, &space);
        });
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(60000)) {
        result.err = QStringLiteral("could not start ") + program;
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(limits.killAfterMs)) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not finish");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// ImageMagick's view of a file: "WIDTHxHEIGHT" and more through a format string.
inline QString identify(const QString& path, const QString& format = QStringLiteral("%wx%h"))
{
    return runTool(QStringLiteral("identify"), {QStringLiteral("-format"), format, path}).out.trimmed();
}

}  // namespace lumora::test
