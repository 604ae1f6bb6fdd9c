#include "acquire/ScannerOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace lumora {

ScannerOptionsDialog::ScannerOptionsDialog(const std::vector<ScannerDevice>& devices, const ScanRequest& initial,
                                           QWidget* parent)
    : QDialog(parent), devices_(devices)
{
    setObjectName(QStringLiteral("frmScannerOptions"));
    setWindowTitle(QStringLiteral("Scanner"));

    cboScanner_ = new QComboBox(this);
    cboScanner_->setObjectName(QStringLiteral("cboScanner"));
    for (const ScannerDevice& device : devices_) {
        const QString model = QStringLiteral("%1 %2").arg(device.vendor, device.model).trimmed();
        cboScanner_->addItem(model.isEmpty() ? device.name : QStringLiteral("%1 (%2)").arg(model, device.name));
        if (device.name == initial.device)
            cboScanner_->setCurrentIndex(cboScanner_->count() - 1);
    }
    cboSource_ = new QComboBox(this);
    cboSource_->setObjectName(QStringLiteral("cboSource"));
    cboSource_->addItems({QStringLiteral("Flatbed"), QStringLiteral("Document feeder")});
    cboSource_->setCurrentIndex(initial.source == ScanRequest::Source::Feeder ? 1 : 0);
    cboMode_ = new QComboBox(this);
    cboMode_->setObjectName(QStringLiteral("cboMode"));
    cboMode_->addItems({QStringLiteral("Colour"), QStringLiteral("Grey"), QStringLiteral("Black and white (line art)")});
    cboMode_->setCurrentIndex(static_cast<int>(initial.mode));
    txtResolution_ = new QSpinBox(this);
    txtResolution_->setObjectName(QStringLiteral("txtResolution"));
    txtResolution_->setRange(25, 2400);
    txtResolution_->setSingleStep(25);
    txtResolution_->setSuffix(QStringLiteral(" dpi"));
    txtResolution_->setValue(initial.resolution > 0 ? initial.resolution : 150);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Scan"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Scanner:"), cboScanner_);
    layout->addRow(QStringLiteral("Source:"), cboSource_);
    layout->addRow(QStringLiteral("Mode:"), cboMode_);
    layout->addRow(QStringLiteral("Resolution:"), txtResolution_);
    layout->addRow(buttons);
}

ScanRequest ScannerOptionsDialog::request() const
{
    ScanRequest request;
    const int at = cboScanner_->currentIndex();
    if (at >= 0 && at < int(devices_.size()))
        request.device = devices_[static_cast<size_t>(at)].name;
    request.source = cboSource_->currentIndex() == 1 ? ScanRequest::Source::Feeder : ScanRequest::Source::Flatbed;
    request.mode = static_cast<ScanRequest::Mode>(cboMode_->currentIndex());
    request.resolution = txtResolution_->value();
    return request;
}

}  // namespace lumora
