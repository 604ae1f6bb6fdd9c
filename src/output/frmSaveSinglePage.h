#pragma once

#include "settings/SetupRecord.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;

namespace lumora {

class NumericField;

// The batch conversion dialog: how the output files are named, where they go, what is merged
// into them, their format and how the JPEG is written. It shows the settings' values when it opens; Save
// checks the counter, writes every control back into the settings and sets the running flag
// (-1), Cancel clears the flag (0). Either way the settings object must outlive the dialog.
//
// Widgets carry their control names as object names; the members of an option group are named
// after the group with their index ("OptName_2", "optDestinationFolder_1", "optJPEGDepth_0").
class frmSaveSinglePage : public QDialog {
    Q_OBJECT

public:
    explicit frmSaveSinglePage(SetupRecord::Naming& settings, QWidget* parent = nullptr);

    // The naming option chosen (0 original name, 1 hybrid, 2 generic) and the destination
    // option (0 source folder, 1 the folder typed).
    int nameMode() const;
    int destinationChoice() const;

    // The output format by extension (BatchConversion::outputFormats(), "jpg" at first) and the
    // quality of WebP and AVIF (1..100, 80 at first). The settings record has no place for them:
    // the caller keeps them (LumoraOptions).
    void setOutputFormat(const QString& extension, int quality);
    QString outputFormat() const;
    int outputQuality() const;

public Q_SLOTS:
    // Save: when the counter is refused a message says why and the dialog stays open.
    void cmdStarConversion_Click();
    void cmdCancel_Click();

protected:
    // Closing the window or Esc is a Cancel.
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFileName();
    QWidget* buildDestination();
    QWidget* buildMetadata();
    QWidget* buildJpeg();
    QWidget* buildFormat();
    void updateFormatControls();
    void subSetup();
    void updateNameControls();
    void updateDestinationControls();
    void updateImportControls();
    void cmdBrowseFolder_Click();
    void cmdImportEXIF_Click();
    void cmdImportIPTC_Click();
    void limitCounter();

    SetupRecord::Naming& settings_;

    QButtonGroup* OptName_ = nullptr;
    QComboBox* cboRenamePrefix_ = nullptr;
    QComboBox* cboSeparator1_ = nullptr;
    QComboBox* cboSeparator2_ = nullptr;
    QComboBox* cboRenameSuffix_ = nullptr;
    QLineEdit* txtRenameGeneric_ = nullptr;
    QComboBox* cboRenameGeneric_ = nullptr;

    QButtonGroup* optDestinationFolder_ = nullptr;
    QLineEdit* txtDestinationFolder_ = nullptr;
    QPushButton* cmdBrowseFolder_ = nullptr;
    QCheckBox* chkOverwrite_ = nullptr;
    QCheckBox* chkProcessEditingList_ = nullptr;

    QCheckBox* chkImportEXIF_ = nullptr;
    QLineEdit* txtImportEXIF_ = nullptr;
    QPushButton* cmdImportEXIF_ = nullptr;
    QCheckBox* chkImportIPTC_ = nullptr;
    QLineEdit* txtImportIPTC_ = nullptr;
    QPushButton* cmdImportIPTC_ = nullptr;

    QSlider* sldJPGQuality_ = nullptr;
    NumericField* tJPGQuality_ = nullptr;
    QScrollBar* tJPGQualityD_ = nullptr;
    QCheckBox* chkJPGProgressive_ = nullptr;
    QButtonGroup* optJPEGDepth_ = nullptr;
    QWidget* jpegBox_ = nullptr;

    QComboBox* cboOutputFormat_ = nullptr;
    NumericField* tOutputQuality_ = nullptr;

    QPushButton* cmdStarConversion_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumora
