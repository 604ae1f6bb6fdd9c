#pragma once

// The scanner's own dialog: which scanner, and the few settings that matter for a scan (source,
// mode, resolution).

#include "acquire/SaneScanner.h"
#include "acquire/ScanRequest.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QSpinBox;

namespace lumora {

class ScannerOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from `initial`; the scanner list holds `devices` (not empty).
    ScannerOptionsDialog(const std::vector<ScannerDevice>& devices, const ScanRequest& initial, QWidget* parent = nullptr);
    ScanRequest request() const;

private:
    std::vector<ScannerDevice> devices_;
    QComboBox* cboScanner_ = nullptr;
    QComboBox* cboSource_ = nullptr;
    QComboBox* cboMode_ = nullptr;
    QSpinBox* txtResolution_ = nullptr;
};

}  // namespace lumora
