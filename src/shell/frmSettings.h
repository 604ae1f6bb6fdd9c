#pragma once

#include "settings/SetupRecord.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;
class QPushButton;

namespace lumora {

class NumericField;

// The Settings dialog: general preferences, the look of the folder and basket lists, and the
// folders and base names used by screen capture and the scanner. It shows the record's values
// when it opens; OK writes them back (see SettingsForm) and asks the main window to re-apply
// them, Cancel leaves the record as it was. Options the record has no field for (turning photos
// upright) are kept in the options file (LumoraOptions) and take effect on OK.
class frmSettings : public QDialog {
    Q_OBJECT

public:
    explicit frmSettings(SetupRecord& record, QWidget* parent = nullptr);

    // The tab whose panel is shown: 0 General, 1 Capture, 2 Twain, 3 Shortcuts.
    int currentTab() const;
    void setCurrentTab(int index);

Q_SIGNALS:
    // The record holds the confirmed values; the main window re-applies them (subUpdateForm).
    void settingsApplied();

private Q_SLOTS:
    void cmdOK_Click();
    void browseCaptureFolder();
    void browseTwainFolder();

private:
    QWidget* buildGeneral();
    QWidget* buildCapture();
    QWidget* buildTwain();
    QWidget* buildShortcuts();
    void subSetup();

    SetupRecord& record_;

    QTabBar* tbsSettings_ = nullptr;
    QStackedWidget* panels_ = nullptr;

    QCheckBox* chkAllowTip_ = nullptr;
    QCheckBox* chkAutoOrient_ = nullptr;
    QButtonGroup* optFileSize_ = nullptr;
    QRadioButton* optLongSize_ = nullptr;
    QRadioButton* optShortSize_ = nullptr;
    QCheckBox* chkFolderFullRowSelect_ = nullptr;
    NumericField* txtFolderThumbnailWidth_ = nullptr;
    NumericField* txtFolderThumbnailHeight_ = nullptr;

    QLineEdit* txtCaptureFolder_ = nullptr;
    QLineEdit* txtCaptureGeneric_ = nullptr;
    QLineEdit* txtTwainFolder_ = nullptr;
    QLineEdit* txtTwainGeneric_ = nullptr;

    QTreeWidget* lvShortcuts_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumora
