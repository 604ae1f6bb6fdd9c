#pragma once

#include <QStringList>
#include <QStyle>
#include <QWidget>

class QListWidget;
class QPushButton;
class QToolButton;

namespace lumora {

// The album window's metadata basket: the ordered list `lstMetadata` of the EXIF and IPTC values
// printed on every image page ("EXIF - Make", "IPTC - Caption", ...) and its commands. Choose
// (`cmdChooseMetadata`) appends what is picked in the insert-metadata dialog and not listed yet;
// New empties the list, Remove drops the selected entry; Save and Open keep the list in a
// metadata basket file (.mbf). The list starts empty.
class frmAlbumMetadataBasket : public QWidget {
    Q_OBJECT

public:
    static inline const QString SaveDialogTitle = QStringLiteral("Save Metadata Basket");
    static inline const QString OpenDialogTitle = QStringLiteral("Open Metadata basket");
    static inline const QString DialogFilter = QStringLiteral("Metadata basket file (*.mbf)|*.mbf");

    explicit frmAlbumMetadataBasket(QWidget* parent = nullptr);

    QStringList entries() const;
    // Appends the entries not listed yet (exact text), in their order.
    void addEntries(const QStringList& entries);

public Q_SLOTS:
    void cmdChooseMetadata_Click();
    void cmdNew_Click();
    void cmdRemove_Click();
    void cmdSave_Click();
    void cmdOpen_Click();

private:
    QToolButton* makeCommand(const char* name, const QString& caption, const QString& toolTip,
                             QStyle::StandardPixmap icon);
    void updateCommands();

    QListWidget* lstMetadata_ = nullptr;
    QPushButton* cmdChooseMetadata_ = nullptr;
    QToolButton* cmdNew_ = nullptr;
    QToolButton* cmdRemove_ = nullptr;
    QToolButton* cmdSave_ = nullptr;
    QToolButton* cmdOpen_ = nullptr;
};

}  // namespace lumora
