#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace lumora::test {

// The whole file as bytes, or nothing when it cannot be read: a missing file compares unequal to
// any expected content, so callers need no separate check.
inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file with exactly these bytes and gives back its path; a failed write fails the test.
inline QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        << "cannot write " << path.toStdString();
    return path;
}

}  // namespace lumora::test
