#include "cli/CliSupport.h"
#include "cli/CommandLineDate.h"
#include "cli/Commands.h"
#include "cli/EditEachPhoto.h"
#include "cli/MetadataActions.h"

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "engine/IptcField.h"
#include "metadata/ExifEditing.h"
#include "metadata/IptcExchange.h"
#include "metadata/IptcListEdits.h"
#include "metadata/IptcUrgency.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataUpdate.h"

#include <QVariant>

#include <optional>

namespace lumora::cli {
namespace {

// The field a label names, or nothing (and one line said).
std::optional<IptcField> fieldOf(const QString& label)
{
    IptcField field{};
    if (IptcFieldByLabel(label, field))
        return field;
    printError(QStringLiteral("unknown IPTC field \"%1\"; give a label as \"lumora-batch info\" lists it (\"Caption\", "
                              "\"By (Author)\", \"Keywords\", \"Date Created\", ...) or \"Time Created\", \"Time Released\"")
                   .arg(label));
    return std::nullopt;
}

// A list as typed: items separated by commas, blanks around them dropped, empty ones left out.
QStringList listItems(const QString& text)
{
    QStringList items;
    for (const QString& item : text.split(u','))
        if (!item.trimmed().isEmpty())
            items.append(item.trimmed());
    return items;
}

// The value fncUpdateAttribute takes for a text or date field, or nothing (and one line said)
// for a date that is none. An empty value removes the field.
std::optional<QVariant> fieldValue(IptcField field, const QString& text)
{
    const IptcFieldInfo& info = IptcFieldInfoOf(field);
    if (info.kind != IptcKind::Date || text.trimmed().isEmpty())
        return QVariant(text);
    const DatePart part =
        field == IptcField::TimeCreated || field == IptcField::TimeReleased ? DatePart::TimeOnly : DatePart::DateOnly;
    if (const std::optional<QDateTime> date = commandLineDate(text, part))
        return QVariant(*date);
    printError(QStringLiteral("\"%1\" is not a date for %2; give %3")
                   .arg(text, QString::fromLatin1(info.label), commandLineDateForms(part)));
    return std::nullopt;
}

int setField(const QStringList& arguments)
{
    if (arguments.size() < 3)
        throw UsageProblem{QStringLiteral("iptc set needs LABEL VALUE FILE...")};
    const QString label = arguments.at(0);
    const std::optional<IptcField> field = fieldOf(label);
    if (!field)
        return Failure;
    const QStringList photos = arguments.mid(2);
    if (*field == IptcField::Keywords) {
        const QStringList items = listItems(arguments.at(1));
        return editEachPhoto(photos, PhotoAccess::Write, [&](ImageBox& engine, const QString&, QString&) {
            modMetadata::subUpdateIPTC_Keywords(engine, items);  // reports its failure
            return true;
        });
    }
    if (*field == IptcField::SupplementalCategories) {
        const QStringList items = listItems(arguments.at(1));
        return editEachPhoto(photos, PhotoAccess::Write, [&](ImageBox& engine, const QString&, QString&) {
            // The urgency is set in the same dialog; a command that does not name it keeps it.
            modMetadata::subUpdateIPTC_Category(engine, items, modMetadata::UrgencyText(engine.IptcUrgency()));
            return true;
        });
    }
    const std::optional<QVariant> value = fieldValue(*field, arguments.at(1));
    if (!value)
        return Failure;
    return editEachPhoto(photos, PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString&) {
        return modMetadata::fncUpdateAttribute(photo, true, label, *value, engine);
    });
}

int deleteField(const QStringList& arguments)
{
    if (arguments.size() < 2)
        throw UsageProblem{QStringLiteral("iptc delete needs LABEL FILE...")};
    const QString label = arguments.at(0);
    const std::optional<IptcField> field = fieldOf(label);
    if (!field)
        return Failure;
    const bool list = IptcFieldInfoOf(*field).kind == IptcKind::List;
    return editEachPhoto(arguments.mid(1), PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString&) {
        // As the pane deletes a row: a list is emptied, any other field written empty.
        return list ? modMetadata::fncDeleteIPTC_Keywords_suppCat(photo, label, engine)
                    : modMetadata::fncUpdateAttribute(photo, true, label, QString(), engine);
    });
}

int clearAll(const QStringList& photos)
{
    if (photos.isEmpty())
        throw UsageProblem{QStringLiteral("iptc clear needs FILE...")};
    return editEachPhoto(photos, PhotoAccess::Write, [](ImageBox& engine, const QString& photo, QString&) {
        MetadataList list(QStringLiteral("Field"));
        list.setTag(photo);
        return modMetadata::ClearAllIptc(engine, list);
    });
}

int exportFields(const QStringList& arguments)
{
    if (arguments.size() != 2)
        throw UsageProblem{QStringLiteral("iptc export needs FILE OUT.ffo")};
    const QString out = arguments.at(1);
    if (!out.endsWith(QStringLiteral(".ffo"), Qt::CaseInsensitive))
        throw UsageProblem{QStringLiteral("iptc export writes an IPTC File Info file: OUT must end in .ffo")};
    return editEachPhoto({arguments.at(0)}, PhotoAccess::Read, [&](ImageBox& engine, const QString&, QString& why) {
        // An empty file would read back as no IPTC at all.
        if (!engine.HasIptc()) {
            why = QStringLiteral("has no IPTC to export; nothing written");
            return false;
        }
        return modMetadata::fncSaveIPTC(engine, out);
    });
}

int importFields(const QStringList& arguments)
{
    if (arguments.size() < 2)
        throw UsageProblem{QStringLiteral("iptc import needs IN.ffo FILE...")};
    const QString in = arguments.at(0);
    // Read once before any photo is touched: a file that is not IPTC stops the command, and so
    // does one without any field, which would leave every photo as it was.
    ImageBox probe;
    try {
        probe.LoadIptcFromFile(in);
    } catch (const LumoraError& e) {
        printError(QStringLiteral("%1: %2").arg(in, e.description()));
        return Failure;
    }
    if (!probe.HasIptc()) {
        printError(QStringLiteral("%1: holds no IPTC; no photo touched").arg(in));
        return Failure;
    }
    return editEachPhoto(arguments.mid(1), PhotoAccess::Write, [&](ImageBox& engine, const QString& photo, QString&) {
        MetadataList list(QStringLiteral("Field"));
        list.setTag(photo);
        return modMetadata::fncOpenIPTC(in, list, engine);  // replaces the IPTC, then one write-back
    });
}

}  // namespace

int runIptc(const QStringList& arguments)
{
    return runMetadataAction(QStringLiteral("iptc"), arguments, {setField, deleteField, clearAll, exportFields, importFields});
}

}  // namespace lumora::cli
