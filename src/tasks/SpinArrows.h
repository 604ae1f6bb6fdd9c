#pragma once

#include <QAbstractSlider>

namespace lumora {

// The small up/down arrow pair beside a numeric field (the field's companion): the upper arrow
// raises the value by one step, the lower one lowers it, and holding an arrow repeats. The wheel
// and the Up/Down keys work as on any slider. It never takes the focus, so the field it serves
// keeps it while the arrows are clicked.
class SpinArrows : public QAbstractSlider {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Arrow { None, Up, Down };
    Arrow arrowAt(QPoint point) const;

    Arrow pressed_ = Arrow::None;
};

}  // namespace lumora
