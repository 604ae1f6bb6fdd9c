#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace lumora {

class NumericField;
class SpinArrows;

// What the greeting and screensaver windows share: the template list (one template,
// "Fireworks!"), the JPEG quality as a slider mirrored in a number box with its arrows, the
// "Process task basket" flag and a link to the help manual (where the samples are). The window
// opens with the values of its settings block; Generate writes them back and closes the window accepted, Exit leaves the
// block as it was. The caller asks for the file and packages after an accepted window.
//
// Widgets carry their control names as object names.
class ShowDemoDialog : public QDialog {
    Q_OBJECT

public:
    // The block's fields; they must outlive the window.
    ShowDemoDialog(std::uint8_t& processTaskBasket, std::int16_t& jpegQuality, QWidget* parent = nullptr);

public Q_SLOTS:
    void cmdGenerate_Click();

protected:
    // Where a derived window adds its own lines, above the buttons.
    QVBoxLayout* extraLines() const { return extra_; }

private:
    void subSetupCommon();
    void saveSetupCommon();

    std::uint8_t& processTaskBasket_;
    std::int16_t& jpegQuality_;

    QListWidget* lstTemplate_ = nullptr;
    QSlider* sldQuality_ = nullptr;
    NumericField* tTransition_ = nullptr;
    SpinArrows* tTransitionD_ = nullptr;
    QCheckBox* chkProcessTaskBasket_ = nullptr;
    QLabel* lblSamples_ = nullptr;
    QVBoxLayout* extra_ = nullptr;
    QPushButton* cmdGenerate_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumora
