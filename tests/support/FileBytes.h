#pragma once

#include <QByteArray>
#include <QString>

namespace lumora::test {

// The whole file as bytes, or nothing when it cannot be read: a missing file compares unequal to
// any expected content, so callers need no separate check.
QByteArray readBytes(const QString& path);

// Replaces the file with exactly these bytes; a failed open or short write fails the test.
void writeBytes(const QString& path, const QByteArray& bytes);

}  // namespace lumora::test
