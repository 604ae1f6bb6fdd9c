#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumora {

// A list of words that a person adds to and deletes from, as the keyword and supplemental
// category dialogs have it: a box and "Add" append the box's text (when it is not empty; the
// same word may come twice), "Delete" removes the selected entry. Enter in the box adds too.
class ItemListEditor : public QWidget {
    Q_OBJECT
public:
    // The object names of the list, the box and the two buttons (`lstKeywords`, ...).
    ItemListEditor(const QString& listName, const QString& boxName, const QString& addName, const QString& deleteName,
                   QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;

    QListWidget* list() const { return list_; }
    QLineEdit* box() const { return box_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addItem();
    void deleteItem();

    QListWidget* list_ = nullptr;
    QLineEdit* box_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace lumora
