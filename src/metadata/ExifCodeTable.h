#pragma once

#include <QHash>
#include <QString>

#include <initializer_list>
#include <utility>

namespace lumora::modMetadata {

// The meanings of one coded EXIF attribute's values ("Orientation": 1 "Upper Left", ...). A value
// without an entry means `otherwise`, which is "" for most attributes (the raw value then shows).
class ExifCodeTable {
public:
    ExifCodeTable(std::initializer_list<std::pair<int, const char*>> meanings, const char* otherwise = "");

    QString meaning(int code) const { return meanings_.value(code, otherwise_); }

private:
    QHash<int, QString> meanings_;
    QString otherwise_;
};

// The table of a coded attribute (exact name), nullptr for an attribute that is not coded.
const ExifCodeTable* ExifCodeTableOf(const QString& name);

}  // namespace lumora::modMetadata
