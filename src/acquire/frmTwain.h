#pragma once

// The acquire window: scans pages through SANE and puts each into the Image Basket, into numbered
// single-page files or into one growing multi-page TIFF or PDF, showing the last page with its
// size. Its choices live in the Twain block of the settings record.

#include "acquire/AcquisitionRun.h"
#include "acquire/SaneScanner.h"
#include "acquire/ScanRequest.h"
#include "engine/ImageBox.h"
#include "settings/SetupRecord.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QToolButton;

namespace lumora {

class frmTwain : public QDialog {
    Q_OBJECT
public:
    // `addToBasket` takes over a page written to the temporary folder: into the main window's
    // engine and the Image Basket.
    frmTwain(SetupRecord::Twain& twain, std::function<void(const QString&)> addToBasket, QWidget* parent = nullptr);
    ~frmTwain() override;

    // Stores the window into the Twain block and starts an acquisition with these scanner
    // settings (what the scanner dialog gives the Acquire button).
    void acquire(const ScanRequest& request);
    bool acquiring() const;

Q_SIGNALS:
    void acquisitionFinished();

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void cmdAcquire_Click();
    void devicesFound(const std::vector<ScannerDevice>& devices);
    void cmdBrowse_Click();
    void cmdExit_Click();
    void setFit(bool bestFit);
    void fillFrom(const SetupRecord::Twain& twain);
    void storeInto(SetupRecord::Twain& twain) const;
    void updateEnabled();
    void showImage();
    void pageAcquired(const ScannedPage& page, int index);
    void acquisitionEnded(const QString& error, int number);

    SetupRecord::Twain& twain_;
    std::function<void(const QString&)> addToBasket_;
    ImageBox ImageBox1{ImageBox::Mode::View};
    AcquisitionRun run_;
    ScanRequest lastRequest_;
    bool searching_ = false;  // the scanners are being looked for

    QRadioButton* optAcquire_[2] = {};
    QRadioButton* optFile_[2] = {};
    QLineEdit* txtFileName_ = nullptr;
    QComboBox* cboSinglepage_ = nullptr;
    QComboBox* cboMultipage_ = nullptr;
    QCheckBox* chkOverwrite_ = nullptr;
    QLineEdit* txtFolder_ = nullptr;
    QPushButton* cmdBrowse_ = nullptr;
    QToolButton* cmdfit_ = nullptr;
    QPushButton* cmdAcquire_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* picImage_ = nullptr;
    QScrollArea* view_ = nullptr;
};

}  // namespace lumora
