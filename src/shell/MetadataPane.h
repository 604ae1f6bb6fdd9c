#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QTabBar;
class QTreeView;

namespace lumora {

class MetadataList;

// The metadata pane: the caption " Metadata" (`lblMetadata`), the tab strip `tbsMetadata` with
// "EXIF Tags" and "IPTC File Info", and the lists `lvExif` and `lvIPTC` over the two metadata
// lists of the previewed file. The lists are read-only here; rows a person may edit carry the
// editable icon. The name column fits its longest name, the value column takes the rest of the
// pane, and every cell shows its whole text as its tool-tip (the lists give it).
class MetadataPane : public QWidget {
    Q_OBJECT
public:
    explicit MetadataPane(QWidget* parent = nullptr);
    ~MetadataPane() override;

    MetadataList& exifList() { return *exif_; }
    MetadataList& iptcList() { return *iptc_; }
    QTreeView* exifView() const { return lvExif_; }
    QTreeView* iptcView() const { return lvIPTC_; }
    QTabBar* tabs() const { return tabs_; }

    // Widths of the EXIF name and value columns, then of the IPTC name and value columns, as the
    // settings record keeps them. The columns size themselves, so setting them changes nothing.
    void setColumnWidths(const QList<int>& four);
    QList<int> columnWidths() const;

    void setListToolTips(const QString& exifTip, const QString& iptcTip);

private:
    QTreeView* makeView(MetadataList* list, const QString& name);

    MetadataList* exif_ = nullptr;
    MetadataList* iptc_ = nullptr;
    QLabel* caption_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTreeView* lvExif_ = nullptr;
    QTreeView* lvIPTC_ = nullptr;
};

}  // namespace lumora
