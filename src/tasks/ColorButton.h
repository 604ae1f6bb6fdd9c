#pragma once

#include <QPushButton>

#include <cstdint>

namespace lumora {

// A button that shows an OLE colour as a swatch; system colours show the colour they stand for.
// Clicking it opens the colour dialog (ui::ChooseColor) on the current colour; a colour chosen
// there becomes the button's colour and is announced with colorChosen. Colours set by the
// program are not announced.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t oleColor);

    QSize sizeHint() const override;

Q_SIGNALS:
    // A person chose this colour in the dialog.
    void colorChosen(std::uint32_t oleColor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    std::uint32_t color_ = 0;
};

}  // namespace lumora
