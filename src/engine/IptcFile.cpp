#include "engine/IptcFile.h"

#include "core/RegularFile.h"
#include "core/WholeFileWrite.h"
#include "engine/Exiv2Runtime.h"
#include "engine/IimCodec.h"
#include "engine/VipsBridge.h"

#include <QFile>

#include <optional>

namespace lumora::iptcfile {

namespace {

using vipsbridge::fail;

// IPTC of a photo is a few kilobytes; anything near this is not an .ffo file.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

}  // namespace

Exiv2::IptcData load(const QString& path)
{
    constexpr const char* operation = "LoadIptcFromFile";
    if (const QString special = NotRegularFileText(path); !special.isEmpty())
        fail(operation, special);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(operation, QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
    // Read with a bound: a device or pipe has no size to check beforehand.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize || !iimcodec::isWellFormed(bytes))
        fail(operation, QStringLiteral("\"%1\" is not an IPTC file").arg(path));
    ensureExiv2Started();
    Exiv2::IptcData data;
    try {
        data = iimcodec::decode(bytes);
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot read \"%1\": %2").arg(path, QString::fromLocal8Bit(error.what())));
    }
    return data;
}

void save(const QString& path, const IptcStore& iptc)
{
    constexpr const char* operation = "SaveIptcToFile";
    ensureExiv2Started();
    QByteArray bytes;
    try {
        bytes = iimcodec::encode(iptc.forWriting());
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot encode the IPTC: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    if (const std::optional<QString> why = writeWholeFile(path, bytes))
        fail(operation, QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

}  // namespace lumora::iptcfile
