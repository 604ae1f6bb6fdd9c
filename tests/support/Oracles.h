#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace lumora::test {

// Independent programs that check what Lumora writes.
struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end; one that does not start, or runs a minute, gives exit code -1.
inline ToolResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(60000)) {
        result.err = QStringLiteral("could not start ") + program;
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
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
