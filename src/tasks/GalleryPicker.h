#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QToolButton;

namespace lumora {

// Eight gallery pictures in a grid of two rows, one of them chosen. The buttons are named after
// the picker with their index appended ("OptFrameImage0" ...). The pictures are asked for only
// when the picker is first shown, so that building the pages costs nothing.
class GalleryPicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int Count = 8;

    // `picture(i)` gives picture i (0..7).
    GalleryPicker(const QString& name, std::function<QImage(int)> picture, QWidget* parent = nullptr);

    int currentIndex() const;
    // Chooses picture `index` (clamped to 0..7) without announcing it.
    void setCurrentIndex(int index);

    QToolButton* button(int index) const { return buttons_.value(index); }

Q_SIGNALS:
    // A person chose picture `index`.
    void chosen(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadPictures();

    std::function<QImage(int)> picture_;
    QButtonGroup* group_;
    QList<QToolButton*> buttons_;
    bool picturesLoaded_ = false;
};

}  // namespace lumora
