#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace lumora {

// The small picture of the chosen watermark logo. It reports the colour under the pointer as the
// pointer moves over the picture (the Watermark page takes the logo's see-through colour from
// it) and every release of a mouse button over it.
class LogoThumbnail : public QWidget {
    Q_OBJECT
public:
    explicit LogoThumbnail(QWidget* parent = nullptr);

    // The picture, shown centred; a null image shows an empty box.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    // Where the picture lies in the widget.
    QRect imageRect() const;
    // The OLE colour of the picture at a widget point; none off the picture.
    std::optional<std::uint32_t> colorAt(QPoint point) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The pointer is over a pixel of this OLE colour.
    void colorHovered(std::uint32_t oleColor);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace lumora
