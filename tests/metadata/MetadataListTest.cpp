// The row list of the metadata pane, seen through the model interface a list view uses.

#include "metadata/MetadataList.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

MetadataRow row(const QString& tag, const QString& value, bool editable = false)
{
    return MetadataRow{tag + QStringLiteral(" shown"), editable ? tag : QString(), tag, value, editable};
}

QVariant cell(const MetadataList& list, int r, int c, int role = Qt::DisplayRole)
{
    return list.data(list.index(r, c), role);
}

}  // namespace

TEST(MetadataList, RowsShowTextAndValueInTwoColumns)
{
    MetadataList list;
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.headerData(0, Qt::Horizontal).toString(), "Attribute");
    EXPECT_EQ(list.headerData(1, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(MetadataList("Field").headerData(0, Qt::Horizontal).toString(), "Field");

    EXPECT_EQ(list.addRow(row("Make", "Canon", true)), 0);
    EXPECT_EQ(list.addRow(row("Flash", "16")), 1);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(cell(list, 0, 0), "Make shown");
    EXPECT_EQ(cell(list, 0, 1), "Canon");
    EXPECT_EQ(cell(list, 0, 0, MetadataList::EditableRole), true);
    EXPECT_EQ(cell(list, 1, 0, MetadataList::EditableRole), false);
    EXPECT_EQ(cell(list, 0, 0, MetadataList::KeyRole), "Make");
    EXPECT_EQ(cell(list, 1, 0, MetadataList::KeyRole), "");
    EXPECT_EQ(cell(list, 1, 1, MetadataList::TagRole), "Flash");
    EXPECT_FALSE(cell(list, 2, 0).isValid());
}

TEST(MetadataList, RowsAreFoundByKeyOrTagAndUpdatedInPlace)
{
    MetadataList list;
    list.setTag("/photos/a.jpg");
    list.addRow(row("Flash", "16"));
    list.addRow(row("Artist", "Ann", true));
    list.addRow(row("Model", "X", true));
    EXPECT_EQ(list.findKey("Artist"), 1);
    EXPECT_EQ(list.findKey("artist"), -1);
    EXPECT_EQ(list.findKey("ARTIST", Qt::CaseInsensitive), 1);
    EXPECT_EQ(list.findKey("Flash"), -1);  // rows without a key are never found by key
    EXPECT_EQ(list.findKey(""), -1);
    EXPECT_EQ(list.findTag("Flash"), 0);
    EXPECT_EQ(list.findTag("flash"), -1);

    int changes = 0;
    QObject::connect(&list, &QAbstractItemModel::dataChanged, [&](const QModelIndex& from, const QModelIndex& to) {
        ++changes;
        EXPECT_EQ(from.row(), 2);
        EXPECT_EQ(to.row(), 2);
    });
    list.setValue(2, "Y");
    list.setText(2, "Model");
    list.setValue(5, "ignored");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.at(2), (MetadataRow{"Model", "Model", "Model", "Y", true}));

    int removed = 0;
    QObject::connect(&list, &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
    list.removeRowAt(0);
    list.removeRowAt(7);
    EXPECT_EQ(removed, 1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).value, "Ann");
    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.tag(), "/photos/a.jpg");
}
