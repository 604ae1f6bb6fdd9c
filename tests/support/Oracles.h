#pragma once

#include <QString>
#include <QStringList>

namespace lumora::test {

// Independent programs that check what Lumora writes.
struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
};
ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs = 60000);

// ImageMagick's view of a file: "WIDTHxHEIGHT" and more through a format string.
QString identify(const QString& path, const QString& format = QStringLiteral("%wx%h"));

}  // namespace lumora::test
