#include "core/LibraryVersions.h"

#include "imageio/DecoderProcess.h"
#include "imageio/DecoderProtocol.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cairo.h>
#include <cups/cups.h>
#include <exiv2/version.hpp>
#include <link.h>
#include <pango/pango.h>
#include <vips/vips.h>

namespace lumora {
namespace {

// The decoding libraries live in the helper process only; it names their versions itself.
QList<LibraryVersion> decoderLibraries()
{
    const QString helper = DecoderProcess::helperPath();
    if (helper.isEmpty())
        return {};
    QProcess process;
    process.start(helper, {QString::fromLatin1(decoder::kVersionsCommand)});
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return {};
    QList<LibraryVersion> libraries;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 2)
            libraries.append({fields[0], fields[1]});
    }
    return libraries;
}

// SANE has no version call that does not start its backends; a loaded libsane's file name
// (libsane.so.1.2.1) carries it.
QString loadedSaneVersion()
{
    QString path;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            const QString name = QString::fromLocal8Bit(info->dlpi_name);
            if (name.contains(QStringLiteral("/libsane.so")))
                *static_cast<QString*>(found) = name;
            return 0;
        },
        &path);
    if (path.isEmpty())
        return {};
    const QRegularExpressionMatch version =
        QRegularExpression(QStringLiteral("\\.so\\.(\\d+(?:\\.\\d+)*)$")).match(QFileInfo(path).canonicalFilePath());
    return version.hasMatch() ? version.captured(1) : QStringLiteral("loaded");
}

}  // namespace

QList<LibraryVersion> libraryVersions()
{
    QList<LibraryVersion> libraries{
        {QStringLiteral("Qt"), QString::fromLatin1(qVersion())},
        {QStringLiteral("libvips"), QString::fromLatin1(vips_version_string())},
        {QStringLiteral("Exiv2"), QString::fromStdString(Exiv2::versionString())},
        {QStringLiteral("cairo"), QString::fromLatin1(cairo_version_string())},
        {QStringLiteral("Pango"), QString::fromLatin1(pango_version_string())},
        // libcups has no version call: this is the version Lumora was built against.
        {QStringLiteral("libcups"),
         QStringLiteral("%1.%2.%3").arg(CUPS_VERSION_MAJOR).arg(CUPS_VERSION_MINOR).arg(CUPS_VERSION_PATCH)},
    };
    libraries.append(decoderLibraries());
    const QString sane = loadedSaneVersion();
    if (!sane.isEmpty())
        libraries.append({QStringLiteral("SANE"), sane});
    return libraries;
}

}  // namespace lumora
