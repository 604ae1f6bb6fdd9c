#pragma once

#include "metadata/MetadataRow.h"

#include <QAbstractTableModel>
#include <QList>

namespace lumora {

// The rows of one list of the metadata pane (EXIF or IPTC), for the window's list view: column 0
// the attribute or field, column 1 its value. The list's tag is the full path of the file whose
// metadata it shows. Headless: the window turns EditableRole into its icon.
class MetadataList : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        EditableRole = Qt::UserRole + 1,  // bool: the row shows the editable icon
        KeyRole,                          // the row's key ("" when it has none)
        TagRole,                          // the raw name or label the row stands for
    };

    // The column headings, "Attribute" / "Value" for EXIF, "Field" / "Value" for IPTC.
    explicit MetadataList(const QString& nameHeading = QStringLiteral("Attribute"), QObject* parent = nullptr);

    const QString& tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    int size() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.isEmpty(); }
    const MetadataRow& at(int row) const { return rows_.at(row); }
    const QList<MetadataRow>& rows() const { return rows_; }

    // Appends a row; returns its position.
    int addRow(const MetadataRow& row);
    // Replaces the row at a position; rows outside the list are ignored.
    void setRow(int row, const MetadataRow& content);
    void setValue(int row, const QString& value);
    void setText(int row, const QString& text);
    void removeRowAt(int row);
    // Removes every row; the tag stays.
    void clear();

    // The first row whose key / tag is that text, -1 when none.
    int findKey(const QString& key, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive) const;
    int findTag(const QString& tag) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    bool valid(int row) const { return row >= 0 && row < size(); }
    void changed(int row, int firstColumn, int lastColumn);

    QString nameHeading_;
    QString tag_;
    QList<MetadataRow> rows_;
};

}  // namespace lumora
