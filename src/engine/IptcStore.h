#pragma once

// The engine's IPTC datasets (IIM records 1 and 2) with the fields of IptcField on top. Internal
// to the engine.

#include "engine/IptcField.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <exiv2/iptc.hpp>

#include <map>

namespace lumora {

class IptcStore {
public:
    const Exiv2::IptcData& data() const { return data_; }
    void replace(const Exiv2::IptcData& data)
    {
        data_ = data;
        lists_.clear();
    }
    void clear()
    {
        data_.clear();
        lists_.clear();
    }

    // Whether any record-2 dataset other than the record version is there.
    bool hasContent() const;

    // A text field's text; a list field's items joined with ", "; a date field's stored text.
    QString text(IptcField field) const;
    // "" removes the field. A list field becomes the items of the text split at commas; a date
    // field takes the forms parseDate/parseTime read, and anything else leaves it as it was.
    void setText(IptcField field, const QString& text);

    // The date part (date fields) or the time part on the zero date (time fields); the zero date
    // when absent or unreadable.
    QDateTime date(IptcField field) const;
    // The zero date (or an invalid date) removes the field.
    void setDate(IptcField field, const QDateTime& date);

    QStringList list(int dataset) const;
    void add(int dataset, const QString& item);
    void removeAll(int dataset);

    int urgency() const;
    void setUrgency(int urgency);  // 0 removes it

    // The datasets as the engine writes them: the UTF-8 marker (1:90) first, record 2 led by its
    // version (2:00, added where missing), text that was in Windows-1252 turned into UTF-8.
    Exiv2::IptcData forWriting() const;

private:
    QString textOf(const Exiv2::Iptcdatum& datum) const;
    QString textOf(const Exiv2::Iptcdatum& datum, bool utf8Marker) const;
    bool hasUtf8Marker() const;
    void setSingle(int dataset, Exiv2::Value& value);

    Exiv2::IptcData data_;
    mutable std::map<int, QStringList> lists_;
};

}  // namespace lumora
