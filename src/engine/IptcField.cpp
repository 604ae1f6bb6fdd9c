#include "engine/IptcField.h"

namespace lumora {

namespace {

// In the order of IptcField, which is the order of the metadata pane.
constexpr std::array<IptcFieldInfo, kIptcFieldCount> kFields = {{
    {IptcField::Caption, "Caption", 120, IptcKind::Text},
    {IptcField::CaptionWriter, "Caption Writer", 122, IptcKind::Text},
    {IptcField::Headline, "Headline", 105, IptcKind::Text},
    {IptcField::SpecialInstructions, "Special Instructions", 40, IptcKind::Text},
    {IptcField::Keywords, "Keywords", 25, IptcKind::List},
    {IptcField::Category, "Category", 15, IptcKind::Text},
    {IptcField::SupplementalCategories, "Supplemental Categories", 20, IptcKind::List},
    {IptcField::ByLine, "By (Author)", 80, IptcKind::Text},
    {IptcField::ByLineTitle, "By Title (Author's Position)", 85, IptcKind::Text},
    {IptcField::Credit, "Credit", 110, IptcKind::Text},
    {IptcField::Source, "Source", 115, IptcKind::Text},
    {IptcField::ObjectName, "Object Name (Title)", 5, IptcKind::Text},
    {IptcField::City, "City", 90, IptcKind::Text},
    {IptcField::ProvinceState, "Province/State", 95, IptcKind::Text},
    {IptcField::CountryName, "Country Name", 101, IptcKind::Text},
    {IptcField::OriginalTransmissionReference, "Original Transmission Reference (OTR)", 103, IptcKind::Text},
    {IptcField::CopyrightNotice, "Copyright Notice", 116, IptcKind::Text},
    {IptcField::ImageUrl, "Image URL", 231, IptcKind::Text},
    {IptcField::DateCreated, "Date Created", 55, IptcKind::Date},
    {IptcField::EditStatus, "Edit Status", 7, IptcKind::Text},
    {IptcField::FixtureIdentifier, "Fixture Identifier", 22, IptcKind::Text},
    {IptcField::DateReleased, "Date Released", 30, IptcKind::Date},
    {IptcField::ReferenceService, "Reference Service", 45, IptcKind::Text},
    {IptcField::ReferenceDate, "Reference Date", 47, IptcKind::Date},
    {IptcField::ReferenceNumber, "Reference Number", 50, IptcKind::Text},
    {IptcField::OriginatingProgram, "Originating Program", 65, IptcKind::Text},
    {IptcField::ProgramVersion, "Program Version", 70, IptcKind::Text},
    {IptcField::ObjectCycle, "Object Cycle", 75, IptcKind::Text},
    {IptcField::Sublocation, "Sublocation", 92, IptcKind::Text},
    {IptcField::CountryCode, "Country Code", 100, IptcKind::Text},
    {IptcField::LocalCaption, "Local Caption", 121, IptcKind::Text},
    {IptcField::CustomField1, "Custom Field 1", 200, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 1), "Custom Field 2", 201, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 2), "Custom Field 3", 202, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 3), "Custom Field 4", 203, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 4), "Custom Field 5", 204, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 5), "Custom Field 6", 205, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 6), "Custom Field 7", 206, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 7), "Custom Field 8", 207, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 8), "Custom Field 9", 208, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 9), "Custom Field 10", 209, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 10), "Custom Field 11", 210, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 11), "Custom Field 12", 211, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 12), "Custom Field 13", 212, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 13), "Custom Field 14", 213, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 14), "Custom Field 15", 214, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 15), "Custom Field 16", 215, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 16), "Custom Field 17", 216, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 17), "Custom Field 18", 217, IptcKind::Text},
    {static_cast<IptcField>(int(IptcField::CustomField1) + 18), "Custom Field 19", 218, IptcKind::Text},
    {IptcField::CustomField20, "Custom Field 20", 219, IptcKind::Text},
    {IptcField::ImageNotes, "Image Notes", 230, IptcKind::Text},
    {IptcField::TimeReleased, "Time Released", 35, IptcKind::Date},
    {IptcField::TimeCreated, "Time Created", 60, IptcKind::Date},
}};

constexpr bool inEnumOrder()
{
    for (int i = 0; i < kIptcFieldCount; ++i)
        if (int(kFields[i].field) != i)
            return false;
    return true;
}
static_assert(inEnumOrder(), "the table must follow IptcField, so that a field indexes its row");

}  // namespace

const std::array<IptcFieldInfo, kIptcFieldCount>& IptcFields() { return kFields; }

bool IptcFieldByLabel(const QString& label, IptcField& field)
{
    for (const IptcFieldInfo& info : kFields) {
        if (label == QLatin1String(info.label)) {
            field = info.field;
            return true;
        }
    }
    return false;
}

const IptcFieldInfo& IptcFieldInfoOf(IptcField field)
{
    const int index = int(field);
    return kFields[static_cast<std::size_t>(index >= 0 && index < kIptcFieldCount ? index : 0)];
}

}  // namespace lumora
