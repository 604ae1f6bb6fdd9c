#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace lumora {

// "Add description": the free text the web album prints on one basket entry's page. The text
// opens on the entry's present description. Add stores it without double quotes and "&" (the
// basket description file keeps it between quotes, and the page prints it as it is) and closes;
// Cancel closes without a change.
class frmAlbumDescription : public QDialog {
    Q_OBJECT

public:
    frmAlbumDescription(const QString& entryText, const QString& description, QWidget* parent = nullptr);

    // The description to store: meaningful after Add (the dialog was accepted).
    QString description() const { return description_; }

    // The text as Add stores it: every double quote and every "&" removed, nothing else changed.
    static QString storedText(const QString& typed);

public Q_SLOTS:
    void cmdAdd_Click();

private:
    QLabel* lblDescription_ = nullptr;
    QLineEdit* txtDescription_ = nullptr;
    QString description_;
};

}  // namespace lumora
