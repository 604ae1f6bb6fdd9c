#include "output/frmStatus.h"

#include "shell/MessageBoxes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

frmStatus::frmStatus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(ui::ApplicationName());
    setModal(false);

    lblStatus_ = new QLabel(QStringLiteral("Please wait..... your request is being processed"), this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    pbStatus_ = new QProgressBar(this);
    pbStatus_->setObjectName(QStringLiteral("pbStatus"));
    pbStatus_->setRange(0, 0);
    pbStatus_->setTextVisible(false);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus_);
    layout->addWidget(pbStatus_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel_);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(cmdCancel_, &QPushButton::clicked, this, &frmStatus::cmdCancel_Click);
}

QString frmStatus::labelText() const { return lblStatus_->text(); }

void frmStatus::setProgress(int done, int count)
{
    pbStatus_->setRange(0, std::max(count, 1));
    pbStatus_->setValue(done);
}

void frmStatus::setLabelText(const QString& text) { lblStatus_->setText(text); }

void frmStatus::cmdCancel_Click()
{
    lblStatus_->setText(QStringLiteral("Please wait...... cancelling operaration"));
    cancelled_ = true;
    cmdCancel_->setEnabled(false);
    Q_EMIT cancelRequested();
}

void frmStatus::closeWhenDone()
{
    done_ = true;
    close();
}

void frmStatus::reject()
{
    if (done_)
        QDialog::reject();
    else if (!cancelled_)
        cmdCancel_Click();
}

void frmStatus::closeEvent(QCloseEvent* event)
{
    if (done_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    if (!cancelled_)
        cmdCancel_Click();
}

}  // namespace lumora
