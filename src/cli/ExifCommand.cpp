#include "cli/CliSupport.h"
#include "cli/CommandLineDate.h"
#include "cli/Commands.h"
#include "cli/EditEachPhoto.h"
#include "cli/FirstReport.h"
#include "cli/MetadataActions.h"

#include "engine/ImageBox.h"
#include "metadata/ExifEditing.h"
#include "metadata/ExifExchange.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataMessages.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"
#include "metadata/MetadataUpdate.h"

#include <QVariant>

#include <algorithm>
#include <optional>

namespace lumora::cli {
namespace {

// The value fncUpdateAttribute takes for an attribute, or nothing (and one line said) when the
// engine would refuse it: then no photo is touched.
std::optional<QVariant> exifValue(const QString& name, const QString& text)
{
    if (!modMetadata::IsEditableExif(name)) {
        printError(QStringLiteral("\"%1\" cannot be set; the editable EXIF attributes are %2")
                       .arg(name, modMetadata::EditableExifAttributes().join(QStringLiteral(", "))));
        return std::nullopt;
    }
    if (modMetadata::IsExifDate(name)) {
        const std::optional<QDateTime> date = commandLineDate(text, DatePart::DateAndTime);
        if (!date)
            printError(QStringLiteral("\"%1\" is not a date for %2; give %3")
                           .arg(text, name, commandLineDateForms(DatePart::DateAndTime)));
        return date ? std::optional<QVariant>(*date) : std::nullopt;
    }
    // The engine's own rule, tried on an engine holding no photo: a dimension is a whole number.
    ImageBox probe;
    if (!probe.SetExifAttribute(name, text)) {
        printError(QStringLiteral("\"%1\" is no value for %2; it takes a whole number from 0 to 4294967295")
                       .arg(text, name));
        return std::nullopt;
    }
    return QVariant(text);
}

int setAttribute(const QStringList& arguments)
{
    if (arguments.size() < 3)
        throw UsageProblem{QStringLiteral("exif set needs NAME VALUE FILE...")};
    const QString name = arguments.at(0);
    const std::optional<QVariant> value = exifValue(name, arguments.at(1));
    if (!value)
        return Failure;
    return editEachPhoto(arguments.mid(2), PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString&) {
        return modMetadata::fncUpdateAttribute(photo, false, name, *value, engine);
    });
}

int deleteAttribute(const QStringList& arguments)
{
    if (arguments.size() < 2)
        throw UsageProblem{QStringLiteral("exif delete needs NAME FILE...")};
    const QString name = arguments.at(0);
    return editEachPhoto(arguments.mid(1), PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString& why) {
        MetadataList list;
        list.setTag(photo);
        if (modMetadata::fncDeleteAttribute(name, list, engine))
            return true;
        why = QStringLiteral("has no EXIF attribute \"%1\"; left as it was").arg(name);
        return false;
    });
}

int clearAll(const QStringList& photos)
{
    if (photos.isEmpty())
        throw UsageProblem{QStringLiteral("exif clear needs FILE...")};
    return editEachPhoto(photos, PhotoAccess::Write, [](ImageBox& engine, const QString& photo, QString&) {
        MetadataList list;
        list.setTag(photo);
        return modMetadata::ClearAllExif(engine, list);
    });
}

int exportAttributes(const QStringList& arguments)
{
    if (arguments.size() != 2)
        throw UsageProblem{QStringLiteral("exif export needs FILE OUT.xiff")};
    const QString out = arguments.at(1);
    if (!out.endsWith(QStringLiteral(".xiff"), Qt::CaseInsensitive))
        throw UsageProblem{QStringLiteral("exif export writes an EXIF exchange file: OUT must end in .xiff")};
    return editEachPhoto({arguments.at(0)}, PhotoAccess::Read, [&](ImageBox& engine, const QString& photo, QString& why) {
        MetadataList list;
        if (!modMetadata::ReadFileEXIFInfo(engine, list, photo))
            return false;
        // Checked here, so that an exchange file already at OUT is left as it was.
        const auto editable = [](const MetadataRow& row) { return !row.key.isEmpty(); };
        if (std::none_of(list.rows().begin(), list.rows().end(), editable)) {
            why = QString(modMetadata::NoEditableExifToSaveMessage).replace(u'\n', u' ');
            return false;
        }
        return modMetadata::SaveExifRows(list, out) == modMetadata::ExifSaveResult::Saved;
    });
}

int importAttributes(const QStringList& arguments)
{
    if (arguments.size() < 2)
        throw UsageProblem{QStringLiteral("exif import needs IN.xiff FILE...")};
    const QString in = arguments.at(0);
    {
        // Read once on an engine holding no photo: a file that cannot be read, or a record that
        // cannot be applied, stops the command before any photo is touched.
        FirstReport reports;
        ImageBox probe;
        const bool read = modMetadata::subLoadEXIFFile(in, probe);
        if (const QString reported = reports.take(); !read || !reported.isEmpty()) {
            printError(QStringLiteral("%1: %2").arg(in, reported.isEmpty() ? QStringLiteral("not read") : reported));
            return Failure;
        }
    }
    // Every record on the engine first, then the photo is written once.
    return editEachPhoto(arguments.mid(1), PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString&) {
        if (!modMetadata::subLoadEXIFFile(in, engine))
            return false;
        modMetadata::WriteMetadataBack(engine, photo);
        return true;
    });
}

}  // namespace

int runExif(const QStringList& arguments)
{
    return runMetadataAction(QStringLiteral("exif"), arguments, {setAttribute, deleteAttribute, clearAll, exportAttributes, importAttributes});
}

}  // namespace lumora::cli
