#include "shell/frmSettings.h"

#include "controls/NumericEntry.h"
#include "controls/NumericField.h"
#include "core/UprightPhotos.h"
#include "settings/LumoraOptions.h"
#include "settings/SettingsForm.h"
#include "shell/FileDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumora {
namespace {

// The folder box and its "Browse" button side by side.
QWidget* folderRow(QLineEdit* edit, QPushButton* browse)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    return row;
}

QLineEdit* namedEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* browseButton(const char* name)
{
    auto* button = new QPushButton(QStringLiteral("Browse"));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);  // Enter in a box means OK, not another browse
    return button;
}

}  // namespace

frmSettings::frmSettings(SetupRecord& record, QWidget* parent) : QDialog(parent), record_(record)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));

    tbsSettings_ = new QTabBar;
    tbsSettings_->setObjectName(QStringLiteral("tbsSettings"));
    tbsSettings_->setExpanding(false);
    for (const char* caption : {"General", "Capture", "Twain", "Shortcuts"})
        tbsSettings_->addTab(QString::fromLatin1(caption));

    panels_ = new QStackedWidget;
    panels_->addWidget(buildGeneral());
    panels_->addWidget(buildCapture());
    panels_->addWidget(buildTwain());
    panels_->addWidget(buildShortcuts());
    connect(tbsSettings_, &QTabBar::currentChanged, panels_, &QStackedWidget::setCurrentIndex);

    cmdOK_ = new QPushButton(QStringLiteral("OK"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel_, QDialogButtonBox::RejectRole);
    // Direct connections rather than the box's accepted(): OK must store before the dialog ends.
    connect(cmdOK_, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbsSettings_);
    layout->addWidget(panels_, 1);
    layout->addWidget(buttons);

    subSetup();
    setCurrentTab(0);
}

int frmSettings::currentTab() const { return tbsSettings_->currentIndex(); }

void frmSettings::setCurrentTab(int index)
{
    tbsSettings_->setCurrentIndex(index);
    panels_->setCurrentIndex(tbsSettings_->currentIndex());
}

QWidget* frmSettings::buildGeneral()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picGeneral"));

    chkAllowTip_ = new QCheckBox(QStringLiteral("Show Tips for controls"));
    chkAllowTip_->setObjectName(QStringLiteral("chkAllowTip"));

    optLongSize_ = new QRadioButton(QStringLiteral("Show long file size"));
    optLongSize_->setObjectName(QStringLiteral("optFileSize_0"));
    optShortSize_ = new QRadioButton(QStringLiteral("Show short file size"));
    optShortSize_->setObjectName(QStringLiteral("optFileSize_1"));
    optFileSize_ = new QButtonGroup(this);
    optFileSize_->setObjectName(QStringLiteral("optFileSize"));
    optFileSize_->addButton(optLongSize_, 0);
    optFileSize_->addButton(optShortSize_, 1);

    auto* folderFiles = new QGroupBox(QStringLiteral("Folder Files"));
    folderFiles->setObjectName(QStringLiteral("fraFolderFiles"));
    chkFolderFullRowSelect_ = new QCheckBox(QStringLiteral("Enable Full Row Select"));
    chkFolderFullRowSelect_->setObjectName(QStringLiteral("chkFolderFullRowSelect"));
    txtFolderThumbnailWidth_ = new NumericField(ThumbnailSizeSpec);
    txtFolderThumbnailWidth_->setObjectName(QStringLiteral("txtFolderThumbnailWidth"));
    txtFolderThumbnailHeight_ = new NumericField(ThumbnailSizeSpec);
    txtFolderThumbnailHeight_->setObjectName(QStringLiteral("txtFolderThumbnailHeight"));
    for (NumericField* box : {txtFolderThumbnailWidth_, txtFolderThumbnailHeight_})
        box->setMaxLength(5);  // a 16-bit value; leaving the box clamps it anyway

    auto* sizes = new QFormLayout;
    sizes->addRow(QStringLiteral("Thumbnail Width"), txtFolderThumbnailWidth_);
    sizes->addRow(QStringLiteral("Thumbnail Height"), txtFolderThumbnailHeight_);
    auto* frameLayout = new QVBoxLayout(folderFiles);
    frameLayout->addWidget(chkFolderFullRowSelect_);
    frameLayout->addLayout(sizes);

    chkAutoOrient_ = new QCheckBox(QStringLiteral("Turn photos upright (EXIF orientation)"));
    chkAutoOrient_->setObjectName(QStringLiteral("chkAutoOrient"));

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(chkAllowTip_);
    layout->addWidget(chkAutoOrient_);
    layout->addWidget(optLongSize_);
    layout->addWidget(optShortSize_);
    layout->addWidget(folderFiles);
    layout->addStretch(1);
    return panel;
}

QWidget* frmSettings::buildCapture()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picCapture"));
    txtCaptureFolder_ = namedEdit("txtCaptureFolder");
    txtCaptureGeneric_ = namedEdit("txtCaptureGeneric");
    QPushButton* browse = browseButton("cmdCaptureBrowse");
    connect(browse, &QPushButton::clicked, this, &frmSettings::browseCaptureFolder);

    auto* layout = new QFormLayout(panel);
    layout->addRow(QStringLiteral("Default Capture Folder"), folderRow(txtCaptureFolder_, browse));
    layout->addRow(QStringLiteral("Generic Name"), txtCaptureGeneric_);
    return panel;
}

QWidget* frmSettings::buildTwain()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picTwain"));
    txtTwainFolder_ = namedEdit("txtTwainFolder");
    txtTwainGeneric_ = namedEdit("txtTwainGeneric");
    QPushButton* browse = browseButton("cmdTwainBrowse");
    connect(browse, &QPushButton::clicked, this, &frmSettings::browseTwainFolder);

    auto* layout = new QFormLayout(panel);
    layout->addRow(QStringLiteral("Default Twain Folder"), folderRow(txtTwainFolder_, browse));
    layout->addRow(QStringLiteral("Generic Name"), txtTwainGeneric_);
    return panel;
}

QWidget* frmSettings::buildShortcuts()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("picShortcuts"));

    lvShortcuts_ = new QTreeWidget;
    lvShortcuts_->setObjectName(QStringLiteral("lvShortcuts"));
    lvShortcuts_->setHeaderLabels({QStringLiteral("Action"), QStringLiteral("Shortcut")});
    lvShortcuts_->setRootIsDecorated(false);
    lvShortcuts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvShortcuts_->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::pair<const char*, const char*> rows[] = {
        {"Add Selected Files to basket", "Enter [Return]"},
        {"Select all files", "Ctrl + A"},
        {"Delete selected files from basket", "Delete"},
    };
    for (const auto& [action, keys] : rows)
        new QTreeWidgetItem(lvShortcuts_, {QString::fromLatin1(action), QString::fromLatin1(keys)});
    lvShortcuts_->resizeColumnToContents(0);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(lvShortcuts_);
    return panel;
}

void frmSettings::subSetup()
{
    SettingsForm form;
    form.subSetup(record_);
    chkAllowTip_->setChecked(form.showTips);
    chkAutoOrient_->setChecked(LumoraOptions().autoOrient());
    (form.shortFileSize ? optShortSize_ : optLongSize_)->setChecked(true);
    chkFolderFullRowSelect_->setChecked(form.fullRowSelect);
    txtFolderThumbnailWidth_->setText(QString::number(form.thumbnailWidth));
    txtFolderThumbnailHeight_->setText(QString::number(form.thumbnailHeight));
    txtCaptureFolder_->setText(form.captureFolder);
    txtCaptureGeneric_->setText(form.captureGenericName);
    txtTwainFolder_->setText(form.twainFolder);
    txtTwainGeneric_->setText(form.twainGenericName);
}

void frmSettings::cmdOK_Click()
{
    // OK taken with Enter leaves the focus in a box that has not been left yet.
    txtFolderThumbnailWidth_->commit();
    txtFolderThumbnailHeight_->commit();

    SettingsForm form;
    form.showTips = chkAllowTip_->isChecked();
    form.shortFileSize = optShortSize_->isChecked();
    form.fullRowSelect = chkFolderFullRowSelect_->isChecked();
    form.thumbnailWidth = txtFolderThumbnailWidth_->value();
    form.thumbnailHeight = txtFolderThumbnailHeight_->value();
    form.captureFolder = txtCaptureFolder_->text();
    form.captureGenericName = txtCaptureGeneric_->text();
    form.twainFolder = txtTwainFolder_->text();
    form.twainGenericName = txtTwainGeneric_->text();
    form.cmdOK(record_);
    LumoraOptions().setAutoOrient(chkAutoOrient_->isChecked());
    UprightPhotos::setEnabled(chkAutoOrient_->isChecked());

    Q_EMIT settingsApplied();
    accept();
}

void frmSettings::browseCaptureFolder()
{
    const QString folder = ui::ChooseFolder(this, QStringLiteral("Default Capture Folder"), txtCaptureFolder_->text());
    if (!folder.isEmpty())
        txtCaptureFolder_->setText(folder);
}

void frmSettings::browseTwainFolder()
{
    const QString folder = ui::ChooseFolder(this, QStringLiteral("Default Twain Folder"), txtTwainFolder_->text());
    if (!folder.isEmpty())
        txtTwainFolder_->setText(folder);
}

}  // namespace lumora
