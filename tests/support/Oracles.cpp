#include "support/Oracles.h"

#include <QProcess>

namespace lumora::test {

ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.err = QStringLiteral("could not start ") + program;
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
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

QString identify(const QString& path, const QString& format)
{
    return runTool(QStringLiteral("identify"), {QStringLiteral("-format"), format, path}).out.trimmed();
}

}  // namespace lumora::test
