#pragma once

#include <QString>

#include <array>

namespace lumora {

// The IPTC fields the engine keeps, one property each. The first 52 are the rows of the metadata
// pane, in its order; the last two are written by the pane but not listed. Keywords and
// supplemental categories are lists (see ImageBox), the urgency is a number of its own.
enum class IptcField : int {
    Caption,
    CaptionWriter,
    Headline,
    SpecialInstructions,
    Keywords,
    Category,
    SupplementalCategories,
    ByLine,
    ByLineTitle,
    Credit,
    Source,
    ObjectName,
    City,
    ProvinceState,
    CountryName,
    OriginalTransmissionReference,
    CopyrightNotice,
    ImageUrl,
    DateCreated,
    EditStatus,
    FixtureIdentifier,
    DateReleased,
    ReferenceService,
    ReferenceDate,
    ReferenceNumber,
    OriginatingProgram,
    ProgramVersion,
    ObjectCycle,
    Sublocation,
    CountryCode,
    LocalCaption,
    CustomField1,
    CustomField20 = CustomField1 + 19,
    ImageNotes,
    TimeReleased,
    TimeCreated,
};

// How a field's value is held.
enum class IptcKind {
    Text,  // a string
    Date,  // a date and time; the zero date when the field is absent
    List,  // repeated datasets (keywords, supplemental categories)
};

struct IptcFieldInfo {
    IptcField field;
    const char* label;  // the pane's row text and the field's key
    int dataset;        // IIM record 2 dataset number
    IptcKind kind;
};

inline constexpr int kListedIptcFields = 52;
inline constexpr int kIptcFieldCount = 54;

// Every field, in the pane's order, then "Time Released" and "Time Created".
const std::array<IptcFieldInfo, kIptcFieldCount>& IptcFields();

// The field of a label (exact, case-sensitive); false when no field has it.
bool IptcFieldByLabel(const QString& label, IptcField& field);

const IptcFieldInfo& IptcFieldInfoOf(IptcField field);

// IIM record 2 dataset of the urgency (a one-digit number, 0 when absent).
inline constexpr int kIptcUrgencyDataset = 10;

}  // namespace lumora
