#pragma once

#include "engine/Picture.h"
#include "output/OptimizedRoundTrip.h"
#include "output/OutputFormatOptions.h"
#include "settings/SetupRecord.h"

#include <QDialog>
#include <QPoint>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QStatusBar;
class QToolButton;

namespace lumora {

class EngineView;
class LatestWorker;

// The output format dialog ("Save Preview As" > "Interactive save utility"): the nine formats with
// their colour depths and options, the picture as it is (`ibOriginal`) beside the same picture
// encoded with those options by the real encoder and decoded back (`ibOptimized`), and the size
// the file will have. The encoding runs off the window's thread, the newest choice first; the
// optimized view keeps its picture until the newer one is there.
//
// The depth box remembers the depth of each format in the settings at once; Exit (or closing the
// window) writes every other choice back. The settings object must outlive the dialog. Widgets
// carry their control names as object names; option group members add their index
// ("optGIFCompression_1").
class frmSaveAdvanced : public QDialog {
    Q_OBJECT
public:
    frmSaveAdvanced(SetupRecord::OutputFormat& settings, const Picture& original, QWidget* parent = nullptr);
    ~frmSaveAdvanced() override;

    // The choice the controls show now.
    OutputFormatOptions::Choice currentChoice() const;
    // True from a change until the optimized view shows its result.
    bool isRefreshing() const { return refreshing_; }
    QString statusText(const QString& panel) const;
    // Leaving by the close box or Esc keeps the choices as Exit does.
    void reject() override;

public Q_SLOTS:
    void cboFormat_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

Q_SIGNALS:
    // The optimized view and the size show the newest choice.
    void optimizedShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGifFrame();
    QWidget* buildJpgFrame();
    QWidget* buildPngFrame();
    QWidget* buildTiffFrame();
    void cboColorFormat_Click();
    void refreshOptimized();
    void showOptimized(OptimizedResult result);
    void choosePreviewMode(int mode);
    void updateZoomPanel();
    void chooseTransparentColor(bool gif);
    void updatePickTool();
    void colorPicked(std::uint32_t ole);
    void showColor(QPushButton* button, std::uint32_t ole);
    void storeSettings();
    void setPanel(const QString& key, const QString& text);

    SetupRecord::OutputFormat& settings_;
    Picture original_;
    std::unique_ptr<LatestWorker> worker_;
    bool refreshing_ = false;
    bool filling_ = false;  // the boxes are being filled: their clicks are no choices
    OptimizedResult shown_;
    int previewMode_ = 0;
    std::uint32_t gifColor_ = 0;
    std::uint32_t pngColor_ = 0;
    QPoint dragFrom_;
    bool dragging_ = false;

    QComboBox* cboFormat_ = nullptr;
    QLabel* lblColorFormat_ = nullptr;
    QComboBox* cboColorFormat_ = nullptr;
    QWidget* picFrameGIF_ = nullptr;
    QWidget* picFrameJPG_ = nullptr;
    QWidget* picFramePNG_ = nullptr;
    QWidget* picFrameTiff_ = nullptr;
    QButtonGroup* optGIFCompression_ = nullptr;
    QCheckBox* chkGIFTransparent_ = nullptr;
    QPushButton* cmdGIFTransparentColor_ = nullptr;
    QCheckBox* chkGIFPickColor_ = nullptr;
    QSlider* sldJPGQuality_ = nullptr;
    QSpinBox* txtJPGQuality_ = nullptr;
    QLabel* txtJPGQualityD_ = nullptr;
    QButtonGroup* optJPGEncoding_ = nullptr;
    QCheckBox* chkPNGTransparent_ = nullptr;
    QPushButton* cmdPNGtransprentColor_ = nullptr;
    QCheckBox* chkPNGpickColor_ = nullptr;
    QComboBox* cboTIFFCompression_ = nullptr;
    EngineView* ibOriginal_ = nullptr;
    EngineView* ibOptimized_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QToolButton* cmdZoom_ = nullptr;
    QMenu* mnuPreview_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
};

}  // namespace lumora
