#pragma once

#include "settings/SetupRecord.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QAbstractSlider;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace lumora {

class ColorButton;
class NumericField;
class frmAlbumMetadataBasket;

// "Generate web album": everything the album generator needs, shown from the settings record's
// Album block when the window opens. Generate writes every control back into the block and
// closes the window accepted; the caller then runs the generator on the Image Basket with
// metadataEntries(). Cancel (or closing the window) leaves the block as it was. The block must
// outlive the window.
//
// Widgets carry their control names as object names; the members of an option group are named
// after the group with their index ("optPageStyle_1", "optContainerImage_3").
class frmAlbum : public QDialog {
    Q_OBJECT

public:
    // The background pictures offered, in option order: the GIF decorations' names.
    static const QStringList PageImageNames;
    static const QStringList CellImageNames;

    explicit frmAlbum(SetupRecord::Album& settings, QWidget* parent = nullptr);

    // The metadata basket, in list order.
    QStringList metadataEntries() const;

public Q_SLOTS:
    void cmdGenerate_Click();

private:
    QWidget* buildProject();
    QWidget* buildThumbnails();
    QWidget* buildPage();
    QWidget* buildContainer();
    QWidget* buildFont();
    QWidget* buildImage();
    QWidget* buildMetadata();
    NumericField* numericBox(const char* name, QWidget* parent);
    ColorButton* colorButton(const char* name, QWidget* parent);
    QButtonGroup* optionGroup(const char* name, const QStringList& captions, QWidget* parent);
    QWidget* imageChoices(const char* name, const QStringList& captions, const QStringList& pictures,
                          QButtonGroup*& group, QWidget* parent);
    void subSetup();
    void store();
    void showPageStyle();
    void showContainerBackground();
    void cmdFolder_Click();

    SetupRecord::Album& settings_;

    QLineEdit* TAlbumTitle_ = nullptr;
    QLineEdit* txtFolder_ = nullptr;
    QPushButton* cmdFolder_ = nullptr;

    NumericField* TThumbnailWidth_ = nullptr;
    NumericField* TthumbnailHeight_ = nullptr;
    QCheckBox* chkResample_ = nullptr;
    NumericField* TPicturesPerRow_ = nullptr;
    QCheckBox* CShowFileName_ = nullptr;
    QCheckBox* CShowImageResolution_ = nullptr;
    NumericField* TBorderSize_ = nullptr;
    ColorButton* BorderColor_ = nullptr;

    QButtonGroup* optPageStyle_ = nullptr;
    QButtonGroup* optPageImage_ = nullptr;
    QStackedWidget* pagePanels_ = nullptr;
    ColorButton* AlbumBackground_ = nullptr;

    QButtonGroup* optContainerBackground_ = nullptr;
    QButtonGroup* optContainerImage_ = nullptr;
    QStackedWidget* containerPanels_ = nullptr;
    ColorButton* cmdContainerBackground_ = nullptr;
    NumericField* TableBorderSize_ = nullptr;
    ColorButton* CellBorderColor_ = nullptr;

    QComboBox* cboFonts_ = nullptr;
    QComboBox* cboFontSize_ = nullptr;
    ColorButton* cmdFontColor_ = nullptr;

    QSlider* sldQuality_ = nullptr;
    QLabel* lblJPGQuality_ = nullptr;
    QCheckBox* chkJPGProgressive_ = nullptr;
    QCheckBox* chkProcessTaskBasket_ = nullptr;

    frmAlbumMetadataBasket* metadata_ = nullptr;
    ColorButton* cmdMetadataFontColor_ = nullptr;

    // Each numeric box's arrows (its name plus "D").
    QHash<NumericField*, QAbstractSlider*> arrows_;

    QCheckBox* chkOpenWhenOver_ = nullptr;
    QPushButton* cmdGenerate_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumora
