#include "album/frmAlbumDescription.h"

#include "controls/TypingFilter.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

frmAlbumDescription::frmAlbumDescription(const QString& entryText, const QString& description, QWidget* parent)
    : QDialog(parent), description_(description)
{
    setObjectName(QStringLiteral("frmAlbumDescription"));
    setWindowTitle(QStringLiteral("Add description"));

    lblDescription_ = new QLabel(QStringLiteral("Description of the image - '") + entryText + u'\'', this);
    lblDescription_->setObjectName(QStringLiteral("lblDescription"));
    lblDescription_->setTextFormat(Qt::PlainText);
    txtDescription_ = new QLineEdit(description, this);
    txtDescription_->setObjectName(QStringLiteral("txtDescription"));
    txtDescription_->setMinimumWidth(360);
    lblDescription_->setBuddy(txtDescription_);
    // The quote key does nothing here: the description file keeps the text between quotes.
    new TypingFilter(txtDescription_, [](QChar c) { return c == u'"'; });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(QStringLiteral("Add"), QDialogButtonBox::AcceptRole);
    add->setObjectName(QStringLiteral("cmdAdd"));
    add->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(add, &QPushButton::clicked, this, &frmAlbumDescription::cmdAdd_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDescription_);
    layout->addWidget(txtDescription_);
    layout->addWidget(buttons);
}

QString frmAlbumDescription::storedText(const QString& typed)
{
    QString text = typed;
    text.remove(u'"');
    text.remove(u'&');
    return text;
}

void frmAlbumDescription::cmdAdd_Click()
{
    description_ = storedText(txtDescription_->text());
    accept();
}

}  // namespace lumora
