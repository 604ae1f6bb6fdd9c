#include "engine/IptcStore.h"

#include "core/TextCodec.h"
#include "engine/ExifDate.h"
#include "engine/IimDate.h"

#include <exiv2/datasets.hpp>
#include <exiv2/value.hpp>

namespace lumora {

namespace {

constexpr std::uint16_t kEnvelope = 1;
constexpr std::uint16_t kApplication = 2;
constexpr std::uint16_t kCharacterSetDataset = 90;
constexpr std::uint16_t kRecordVersionDataset = 0;
// The record version the engine writes where a file had none.
constexpr std::uint16_t kRecordVersion = 4;
// ESC % G: ISO 2022's designation of UTF-8, the IIM's marker for text in UTF-8.
const std::string kUtf8Marker = "\x1B%G";

bool isTimeField(IptcField field) { return field == IptcField::TimeReleased || field == IptcField::TimeCreated; }

QByteArray rawOf(const Exiv2::Iptcdatum& datum)
{
    QByteArray bytes(static_cast<qsizetype>(datum.size()), '\0');
    if (!bytes.isEmpty())
        bytes.resize(datum.copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), Exiv2::bigEndian));
    // Some writers pad text with NULs.
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return bytes;
}

bool isDataset(const Exiv2::Iptcdatum& datum, int dataset)
{
    return datum.record() == kApplication && datum.tag() == dataset;
}

Exiv2::StringValue stringValue(const QByteArray& bytes) { return Exiv2::StringValue(bytes.toStdString()); }

}  // namespace

bool IptcStore::hasContent() const
{
    for (const Exiv2::Iptcdatum& datum : data_)
        if (datum.record() == kApplication && datum.tag() != kRecordVersionDataset)
            return true;
    return false;
}

bool IptcStore::hasUtf8Marker() const
{
    const auto marker = data_.findId(kCharacterSetDataset, kEnvelope);
    return marker != data_.end() && rawOf(*marker).toStdString() == kUtf8Marker;
}

QString IptcStore::textOf(const Exiv2::Iptcdatum& datum) const { return textOf(datum, hasUtf8Marker()); }

QString IptcStore::textOf(const Exiv2::Iptcdatum& datum, bool utf8Marker) const
{
    const QByteArray bytes = rawOf(datum);
    if (utf8Marker || isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

QString IptcStore::text(IptcField field) const
{
    const IptcFieldInfo& info = IptcFieldInfoOf(field);
    if (info.kind == IptcKind::List)
        return list(info.dataset).join(QStringLiteral(", "));
    const auto found = data_.findId(static_cast<std::uint16_t>(info.dataset), kApplication);
    return found == data_.end() ? QString() : textOf(*found);
}

void IptcStore::setText(IptcField field, const QString& text)
{
    lists_.clear();
    const IptcFieldInfo& info = IptcFieldInfoOf(field);
    if (text.isEmpty()) {
        removeAll(info.dataset);
        return;
    }
    switch (info.kind) {
    case IptcKind::List:
        removeAll(info.dataset);
        for (const QString& item : text.split(u','))
            add(info.dataset, item.trimmed());
        return;
    case IptcKind::Date:
        if (isTimeField(field)) {
            if (const auto time = iimdate::parseTime(text.toLatin1()))
                setDate(field, QDateTime(exifdate::zeroDate().date(), *time));
        } else if (const auto day = iimdate::parseDate(text.toLatin1())) {
            setDate(field, QDateTime(*day, QTime(0, 0)));
        }
        return;
    case IptcKind::Text: {
        Exiv2::StringValue value = stringValue(text.toUtf8());
        setSingle(info.dataset, value);
        return;
    }
    }
}

QDateTime IptcStore::date(IptcField field) const
{
    const IptcFieldInfo& info = IptcFieldInfoOf(field);
    const auto found = data_.findId(static_cast<std::uint16_t>(info.dataset), kApplication);
    if (info.kind != IptcKind::Date || found == data_.end())
        return exifdate::zeroDate();
    const QByteArray raw = rawOf(*found);
    if (isTimeField(field)) {
        const auto time = iimdate::parseTime(raw);
        return time ? QDateTime(exifdate::zeroDate().date(), *time) : exifdate::zeroDate();
    }
    const auto day = iimdate::parseDate(raw);
    return day ? QDateTime(*day, QTime(0, 0)) : exifdate::zeroDate();
}

void IptcStore::setDate(IptcField field, const QDateTime& date)
{
    lists_.clear();
    const IptcFieldInfo& info = IptcFieldInfoOf(field);
    if (info.kind != IptcKind::Date)
        return;
    if (!date.isValid() || date == exifdate::zeroDate()) {
        removeAll(info.dataset);
        return;
    }
    if (isTimeField(field)) {
        // The IIM wants a zone; the engine's times are clock times, written as "+0000". (Read
        // from text: Exiv2's constructor from numbers gives the value the type of a date.)
        const QByteArray text = date.time().toString(QStringLiteral("HHmmss")).toLatin1() + "+0000";
        Exiv2::TimeValue value;
        if (value.read(reinterpret_cast<const Exiv2::byte*>(text.constData()), long(text.size()), Exiv2::bigEndian) != 0)
            return;
        setSingle(info.dataset, value);
        return;
    }
    const QDate day = date.date();
    if (day.year() < 1 || day.year() > 9999)
        return;  // CCYYMMDD has four digits for the year
    Exiv2::DateValue value(day.year(), day.month(), day.day());
    setSingle(info.dataset, value);
}

QStringList IptcStore::list(int dataset) const
{
    // Kept until the next change: the pane reads a list item by item.
    const auto cached = lists_.find(dataset);
    if (cached != lists_.end())
        return cached->second;
    const bool utf8 = hasUtf8Marker();
    QStringList items;
    for (const Exiv2::Iptcdatum& datum : data_)
        if (isDataset(datum, dataset))
            items.append(textOf(datum, utf8));
    return lists_[dataset] = items;
}

void IptcStore::add(int dataset, const QString& item)
{
    lists_.clear();
    if (item.isEmpty())
        return;
    Exiv2::StringValue value = stringValue(item.toUtf8());
    data_.add(Exiv2::IptcKey(static_cast<std::uint16_t>(dataset), kApplication), &value);
}

void IptcStore::removeAll(int dataset)
{
    lists_.clear();
    for (auto it = data_.begin(); it != data_.end();)
        it = isDataset(*it, dataset) ? data_.erase(it) : std::next(it);
}

int IptcStore::urgency() const
{
    const auto found = data_.findId(kIptcUrgencyDataset, kApplication);
    if (found == data_.end())
        return 0;
    const QByteArray raw = rawOf(*found).trimmed();
    return raw.size() == 1 && raw[0] >= '1' && raw[0] <= '9' ? raw[0] - '0' : 0;
}

void IptcStore::setUrgency(int urgency)
{
    lists_.clear();
    if (urgency == 0) {
        removeAll(kIptcUrgencyDataset);
        return;
    }
    Exiv2::StringValue value = stringValue(QByteArray::number(urgency));
    setSingle(kIptcUrgencyDataset, value);
}

void IptcStore::setSingle(int dataset, Exiv2::Value& value)
{
    lists_.clear();
    // In place of the first, so that the datasets keep their order; the field holds one value.
    const auto key = static_cast<std::uint16_t>(dataset);
    auto found = data_.findId(key, kApplication);
    if (found == data_.end()) {
        data_.add(Exiv2::IptcKey(key, kApplication), &value);
        return;
    }
    found->setValue(&value);
    for (auto it = std::next(found); it != data_.end();)
        it = isDataset(*it, dataset) ? data_.erase(it) : std::next(it);
}

Exiv2::IptcData IptcStore::forWriting() const
{
    const bool utf8 = hasUtf8Marker();
    Exiv2::IptcData out;
    Exiv2::StringValue marker(kUtf8Marker);
    out.add(Exiv2::IptcKey(kCharacterSetDataset, kEnvelope), &marker);
    for (const Exiv2::Iptcdatum& datum : data_)
        if (datum.record() == kEnvelope && datum.tag() != kCharacterSetDataset)
            out.add(datum);

    // The record version leads record 2.
    const auto version = data_.findId(kRecordVersionDataset, kApplication);
    if (version != data_.end()) {
        out.add(*version);
    } else {
        Exiv2::UShortValue fresh(kRecordVersion);
        out.add(Exiv2::IptcKey(kRecordVersionDataset, kApplication), &fresh);
    }
    for (const Exiv2::Iptcdatum& datum : data_) {
        if (datum.record() != kApplication || datum.tag() == kRecordVersionDataset)
            continue;
        // Under the marker every text must be UTF-8: text a file held in its code page moves over.
        const QByteArray raw = rawOf(datum);
        if (!utf8 && datum.typeId() == Exiv2::string && !isValidUtf8(raw)) {
            Exiv2::StringValue converted = stringValue(fromWindows1252(raw).toUtf8());
            out.add(Exiv2::IptcKey(datum.tag(), datum.record()), &converted);
        } else {
            out.add(datum);
        }
    }
    for (const Exiv2::Iptcdatum& datum : data_)
        if (datum.record() != kEnvelope && datum.record() != kApplication)
            out.add(datum);
    return out;
}

}  // namespace lumora
