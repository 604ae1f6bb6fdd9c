#pragma once

#include <QWidget>

#include <cstdint>

class QCheckBox;

namespace lumora {

class ColorButton;

// The fill colour of the pages that uncover or add picture area (Rotate, the elliptical crop,
// Canvas, Frame): the colour button `picCropBackColor` and beside it the box `chkCropBackColor`
// ("Pick") that arms the preview's colour picker, so the colour can be taken from the photo.
class BackColorPicker : public QWidget {
    Q_OBJECT
public:
    explicit BackColorPicker(QWidget* parent = nullptr);

    std::uint32_t color() const;
    // Not announced: the program's own setting.
    void setColor(std::uint32_t oleColor);

    bool picking() const;
    void setPicking(bool on);

    ColorButton* button() const { return button_; }
    QCheckBox* pickBox() const { return pick_; }

Q_SIGNALS:
    // A person chose a colour in the colour dialog.
    void colorChosen(std::uint32_t oleColor);
    // The "Pick" box was ticked or unticked.
    void pickingChanged(bool on);

private:
    ColorButton* button_;
    QCheckBox* pick_;
};

}  // namespace lumora
