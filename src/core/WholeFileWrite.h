#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace lumora {

// Writes `bytes` as the whole new content of `path`, through a temporary file in the same folder
// that takes the name only when every byte is on the disk, so a failure leaves the old file (or
// none) and never a half-written one. Nothing on success; otherwise the system's own words for
// what went wrong ("No space left on device", "Read-only file system", "Permission denied").
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace lumora
