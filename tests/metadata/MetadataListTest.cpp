// The row list of the metadata pane, seen through the model interface a list view uses.

#include "metadata/MetadataList.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

MetadataRow row(const QString& tag, const QString& value, bool editable = false)
{
    return MetadataRow{tag + QStringLiteral(" shown"), editable ? tag : QString(), tag, value, editable};
}

QString cell(const MetadataList& list, int r, int c, int role = Qt::DisplayRole)
{
    return list.data(list.index(r, c), role).toString();
}

}  // namespace

TEST(MetadataList, RowsShowTextAndValueInTwoColumns)
{
    MetadataList list;
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.headerData(0, Qt::Horizontal).toString(), "Attribute");
    EXPECT_EQ(list.headerData(1, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(MetadataList(QStringLiteral("Field")).headerData(0, Qt::Horizontal).toString(), "Field");

    EXPECT_EQ(list.addRow(row("Make", "Canon", true)), 0);
    EXPECT_EQ(list.addRow(row("Flash", "16")), 1);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(cell(list, 0, 0), "Make shown");
    EXPECT_EQ(cell(list, 0, 1), "Canon");
    EXPECT_TRUE(list.data(list.index(0, 0), MetadataList::EditableRole).toBool());
    EXPECT_FALSE(list.data(list.index(1, 0), MetadataList::EditableRole).toBool());
    EXPECT_EQ(cell(list, 0, 0, MetadataList::KeyRole), "Make");
    EXPECT_EQ(cell(list, 1, 0, MetadataList::KeyRole), "");
    EXPECT_EQ(cell(list, 1, 1, MetadataList::TagRole), "Flash");
    EXPECT_FALSE(list.data(list.index(2, 0)).isValid());
}

TEST(MetadataList, RowsAreUpdatedInPlaceAndViewsAreTold)
{
    MetadataList list;
    list.addRow(row("Make", "Canon", true));
    list.addRow(row("Model", "X", true));
    int changes = 0;
    QObject::connect(&list, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         ++changes;
                         EXPECT_EQ(from.row(), 1);
                         EXPECT_EQ(to.row(), 1);
                     });
    list.setValue(1, "Y");
    list.setText(1, "Model");
    list.setValue(5, "ignored");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.at(1), (MetadataRow{"Model", "Model", "Model", "Y", true}));
    EXPECT_EQ(list.at(0).value, "Canon");
}

TEST(MetadataList, RowsAreFoundByKeyOrTag)
{
    MetadataList list;
    list.addRow(row("Flash", "16"));
    list.addRow(row("Artist", "Ann", true));
    EXPECT_EQ(list.findKey("Artist"), 1);
    EXPECT_EQ(list.findKey("artist"), -1);
    EXPECT_EQ(list.findKey("ARTIST", Qt::CaseInsensitive), 1);
    EXPECT_EQ(list.findKey("Flash"), -1);  // rows without a key are never found by key
    EXPECT_EQ(list.findKey(""), -1);
    EXPECT_EQ(list.findTag("Flash"), 0);
    EXPECT_EQ(list.findTag("flash"), -1);
}

TEST(MetadataList, RemovingAndClearingKeepTheTag)
{
    MetadataList list;
    list.setTag("/photos/a.jpg");
    list.addRow(row("Make", "Canon", true));
    list.addRow(row("Flash", "16"));
    list.addRow(row("Artist", "Ann", true));
    int removed = 0;
    QObject::connect(&list, &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
    list.removeRowAt(1);
    list.removeRowAt(7);
    EXPECT_EQ(removed, 1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(1).tag, "Artist");
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.tag(), "/photos/a.jpg");
}
