#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumora::cli {
namespace {

// Why the file cannot be read, "" when it can be opened.
QString unreadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (!info.isReadable())
        return QStringLiteral("permission denied");
    return {};
}

QJsonArray exifJson(const MetadataList& list)
{
    QJsonArray rows;
    for (const MetadataRow& row : list.rows())
        rows.append(QJsonObject{{QStringLiteral("name"), row.tag},
                                {QStringLiteral("text"), row.text},
                                {QStringLiteral("value"), row.value},
                                {QStringLiteral("editable"), row.editableIcon}});
    return rows;
}

QJsonArray iptcJson(const MetadataList& list)
{
    QJsonArray rows;
    for (const MetadataRow& row : list.rows())
        rows.append(QJsonObject{{QStringLiteral("label"), row.text}, {QStringLiteral("value"), row.value}});
    return rows;
}

void printRows(const QString& heading, const MetadataList& list)
{
    printOut(heading);
    for (const MetadataRow& row : list.rows())
        printOut(row.text + QStringLiteral(": ") + row.value);
}

}  // namespace

int runInfo(const QStringList& arguments)
{
    QStringList files;
    bool json = false;
    for (const QString& argument : arguments) {
        if (argument == u"--json")
            json = true;
        else if (argument.startsWith(u'-'))
            throw UsageProblem{QStringLiteral("unknown option \"%1\"").arg(argument)};
        else
            files.append(argument);
    }
    if (files.size() != 1)
        throw UsageProblem{QStringLiteral("info needs exactly one FILE")};
    const QString path = files.first();
    if (const QString why = unreadable(path); !why.isEmpty()) {
        printError(QStringLiteral("cannot read \"%1\": %2").arg(path, why));
        return Failure;
    }

    ImageBox engine(ImageBox::Mode::Batch);
    if (!loadPhoto(engine, path))
        return Failure;

    // Values the pane cannot interpret are shown raw; their reports go to standard error.
    const ReportCounter reports;
    MetadataList exif;
    MetadataList iptc(QStringLiteral("Field"));
    bool complete = true;
    if (modMetadata::ShowsExif(path))
        complete = modMetadata::ReadFileEXIFInfo(engine, exif, path) && complete;
    if (modMetadata::ShowsIptc(path))
        complete = modMetadata::ReadFileIPTCInfo(engine, iptc, path) && complete;

    if (json) {
        const QJsonObject document{{QStringLiteral("file"), path},
                                   {QStringLiteral("exif"), exifJson(exif)},
                                   {QStringLiteral("iptc"), iptcJson(iptc)}};
        printOut(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)).trimmed());
    } else {
        if (modMetadata::ShowsExif(path))
            printRows(QStringLiteral("EXIF"), exif);
        if (modMetadata::ShowsIptc(path))
            printRows(QStringLiteral("IPTC"), iptc);
    }
    return complete ? Success : Failure;
}

}  // namespace lumora::cli
