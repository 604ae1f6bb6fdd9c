#pragma once

#include "settings/SetupRecord.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;

namespace lumora {

class ColorButton;
class NumericField;

// "Generate Slide show": the background colour, the seconds each photo stays, the JPEG quality
// and whether the Task Basket is applied, shown from the SlideShow block. Generate writes them
// back and closes the window accepted; the caller then asks for the file and packages the Image
// Basket. Cancel leaves the block as it was. The block must outlive the window.
//
// Widgets carry their control names as object names.
class frmSlideShow : public QDialog {
    Q_OBJECT

public:
    explicit frmSlideShow(SetupRecord::SlideShow& settings, QWidget* parent = nullptr);

public Q_SLOTS:
    void cmdCreate_Click();

private:
    void subSetup();

    SetupRecord::SlideShow& settings_;

    ColorButton* cmdPageBackgroundColor_ = nullptr;
    NumericField* txtInterval_ = nullptr;
    QScrollBar* vsInterval_ = nullptr;
    QSlider* sldQuality_ = nullptr;
    QLabel* lblQuality_ = nullptr;
    QCheckBox* chkProcessEditingList_ = nullptr;
    QPushButton* cmdCreate_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumora
