#include "output/BatchEndMessage.h"

#include "output/BatchSummary.h"
#include "shell/MessageBoxes.h"

#include <QDesktopServices>
#include <QUrl>

namespace lumora {

void showBatchEnd(QWidget* parent, const BatchSummary& summary)
{
    const QMessageBox::Icon icon = summary.ok ? QMessageBox::Information : QMessageBox::Warning;
    if (summary.outputFolder.isEmpty()) {
        ui::ShowMessage(parent, summary.text(), icon);
        return;
    }
    const QString text = summary.text() + QStringLiteral("\n\nOpen the folder %1?").arg(summary.outputFolder);
    if (ui::ShowMessage(parent, text, icon, QMessageBox::Open | QMessageBox::Close, QMessageBox::Close)
        == QMessageBox::Open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(summary.outputFolder));
}

}  // namespace lumora
