#pragma once

#include <QString>

namespace lumora {

// One row of the metadata pane's EXIF or IPTC list.
struct MetadataRow {
    QString text;               // first column: the display name or label
    QString key;                // the raw name of an editable attribute ("" for the others)
    QString tag;                // the raw attribute name or field label the row stands for
    QString value;              // second column
    bool editableIcon = false;  // the row shows the "editable" icon

    friend bool operator==(const MetadataRow&, const MetadataRow&) = default;
};

}  // namespace lumora
