#include "shell/ItemListEditor.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace lumora {

ItemListEditor::ItemListEditor(const QString& listName, const QString& boxName, const QString& addName,
                               const QString& deleteName, QWidget* parent)
    : QWidget(parent)
{
    list_ = new QListWidget(this);
    list_->setObjectName(listName);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    box_ = new QLineEdit(this);
    box_->setObjectName(boxName);
    add_ = new QPushButton(QStringLiteral("Add"), this);
    add_->setObjectName(addName);
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    delete_->setObjectName(deleteName);
    add_->setAutoDefault(false);
    delete_->setAutoDefault(false);
    box_->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_, 0, 0);
    layout->addWidget(add_, 0, 1);
    layout->addWidget(list_, 1, 0);
    layout->addWidget(delete_, 1, 1, Qt::AlignTop);

    connect(add_, &QPushButton::clicked, this, &ItemListEditor::addItem);
    connect(delete_, &QPushButton::clicked, this, &ItemListEditor::deleteItem);
}

bool ItemListEditor::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the box adds its word; it must not go on to the dialog's OK and lose the word.
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addItem();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ItemListEditor::setItems(const QStringList& items)
{
    list_->clear();
    list_->addItems(items);
}

QStringList ItemListEditor::items() const
{
    QStringList items;
    for (int row = 0; row < list_->count(); ++row)
        items << list_->item(row)->text();
    return items;
}

void ItemListEditor::addItem()
{
    if (box_->text().isEmpty())
        return;
    list_->addItem(box_->text());
    box_->clear();
}

void ItemListEditor::deleteItem()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty())
        delete list_->takeItem(list_->row(selected.first()));
}

}  // namespace lumora
