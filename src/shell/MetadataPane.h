#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QLabel;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QTreeView;

namespace lumora {

class MetadataList;

// The metadata pane: the caption " Metadata" (`lblMetadata`), the tab strip `tbsMetadata` with
// "EXIF Tags" and "IPTC File Info", and on each tab a command bar (`cmdEXIFBar`, `cmdIPTCBar`)
// over its list (`lvExif`, `lvIPTC`) of the previewed file's metadata. Rows a person may edit
// carry the editable icon. The name column fits its longest name, the value column takes the
// rest of the pane, and every cell shows its whole text as its tool-tip (the lists give it). A
// click on a column heading sorts that list by the column; the lists themselves keep the file's
// order, and selectedRow() always names a row of the list, whatever the view's order.
//
// The pane only shows: the commands' work and their enabling are MetadataCommands'.
class MetadataPane : public QWidget {
    Q_OBJECT
public:
    enum Tab { ExifTab = 0, IptcTab = 1 };

    // The commands of the two bars, in their order on the bar.
    enum ExifCommand { ExifEdit, ExifAdd, ExifDelete, ExifClearAll, ExifOpen, ExifSave, ExifCommandCount };
    enum IptcCommand { IptcEdit, IptcOpen, IptcSave, IptcDelete, IptcClearAll, IptcCommandCount };

    explicit MetadataPane(QWidget* parent = nullptr);
    ~MetadataPane() override;

    MetadataList& exifList() { return *exif_; }
    MetadataList& iptcList() { return *iptc_; }
    MetadataList& list(int tab) { return tab == IptcTab ? *iptc_ : *exif_; }
    QTreeView* exifView() const { return lvExif_; }
    QTreeView* iptcView() const { return lvIPTC_; }
    QTreeView* view(int tab) const { return tab == IptcTab ? lvIPTC_ : lvExif_; }
    QTabBar* tabs() const { return tabs_; }
    int currentTab() const;

    QToolBar* exifBar() const { return cmdEXIFBar_; }
    QToolBar* iptcBar() const { return cmdIPTCBar_; }
    QAction* exifCommand(ExifCommand command) const { return exifCommands_.value(command); }
    QAction* iptcCommand(IptcCommand command) const { return iptcCommands_.value(command); }

    // The row of the tab's list that is selected in its view, -1 when none is.
    int selectedRow(int tab) const;
    // Selects a row of the tab's list in its view (-1 clears the selection).
    void selectRow(int tab, int row);

    // Widths of the EXIF name and value columns, then of the IPTC name and value columns, as the
    // settings record keeps them. The columns size themselves, so setting them changes nothing.
    void setColumnWidths(const QList<int>& four);
    QList<int> columnWidths() const;

    void setListToolTips(const QString& exifTip, const QString& iptcTip);

Q_SIGNALS:
    // A row of the list on show was double-clicked (it is the selected row now).
    void rowActivated();
    // The tab, a selection or a list's rows changed: what the commands may do may have changed.
    void stateChanged();

private:
    QTreeView* makeView(MetadataList* list, const QString& name);
    QToolBar* makeBar(const QString& name, const QList<QPair<QString, QString>>& tipsAndIcons, QList<QAction*>& actions);

    MetadataList* exif_ = nullptr;
    MetadataList* iptc_ = nullptr;
    QLabel* caption_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTreeView* lvExif_ = nullptr;
    QTreeView* lvIPTC_ = nullptr;
    QToolBar* cmdEXIFBar_ = nullptr;
    QToolBar* cmdIPTCBar_ = nullptr;
    QList<QAction*> exifCommands_;
    QList<QAction*> iptcCommands_;
};

}  // namespace lumora
