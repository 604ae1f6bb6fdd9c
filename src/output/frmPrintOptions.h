#pragma once

#include "output/PrintOptions.h"
#include "output/PrintedPhoto.h"

#include <QDialog>
#include <QPageSize>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace lumora {

// Lumora's print dialog: the ten print options beside a preview of the page as it will print;
// every change redraws the preview. "Print..." accepts (the system's printer choice follows).
class frmPrintOptions : public QDialog {
    Q_OBJECT

public:
    frmPrintOptions(const PrintedPhoto& photo, const PrintOptions& options, const QPageSize& printerPaper,
                    QWidget* parent = nullptr);

    PrintOptions options() const;
    // The page preview as shown.
    QImage pagePreview() const { return preview_; }

private:
    void redraw();

    PrintedPhoto photo_;  // a reduced copy, enough for the preview
    QPageSize printerPaper_;
    QComboBox* paper_ = nullptr;
    QComboBox* orientation_ = nullptr;
    QComboBox* placement_ = nullptr;
    QDoubleSpinBox* marginX_ = nullptr;
    QDoubleSpinBox* marginY_ = nullptr;
    QSpinBox* copies_ = nullptr;
    QComboBox* size_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
    QCheckBox* fileName_ = nullptr;
    QCheckBox* grey_ = nullptr;
    QLabel* page_ = nullptr;
    QImage preview_;
};

}  // namespace lumora
