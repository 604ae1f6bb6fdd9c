#pragma once

#include "engine/Picture.h"
#include "engine/ViewGeometry.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>

class QScrollBar;

namespace lumora {

// The preview's picture on screen (`ibMain`): draws the picture it is given at the view geometry
// of an engine view. Best Fit (stretched to fit) shows it fitted into the widget, never
// enlarged, centred; Actual Size shows it at the zoom with the scroll bars `hsbView` and `vsbView`
// when it does not fit. The view box follows the widget's drawing area; viewChanged() tells when
// it or the fit changes.
//
// The edit panel arms one mouse tool at a time on the view: picking a colour, picking a point, or
// dragging a rectangle (drawn as a rubber band). Positions are given in view coordinates, those of
// the image as drawn: (0, 0) at its top-left, ViewWidth x ViewHeight in size, the scroll offset
// included in Actual Size. Scrolling and the wheel work the same whichever tool is armed.
class EngineView : public QWidget {
    Q_OBJECT
public:
    enum class MouseTool { None, PickColor, PickPoint, DragRectangle };

    explicit EngineView(QWidget* parent = nullptr);
    ~EngineView() override;

    // The picture to draw (a null picture empties the view); it is shared, not copied.
    void showPicture(const lumora::Picture& picture);
    // Best Fit or Actual Size at a zoom.
    void setFit(bool stretchToFit, double zoom = 100);
    // The view box, fit and zoom: what a task previewed for this view is laid out by.
    ViewSettings viewSettings() const { return view_; }
    // The picture as shown (its size fitted or zoomed); empty without one.
    QSize viewSize() const;

    // What is drawn, for tests and for tools that map mouse positions: the picture as last given,
    // and where it lands in widget coordinates (empty without a picture).
    const QImage& shownImage() const { return image_; }
    QRect imageRect() const;
    // The part of the widget the image is drawn in (the widget less the visible scroll bars).
    QRect canvasRect() const;

    // Arms a tool (a crosshair pointer shows it); None also takes away a drawn rectangle.
    void setMouseTool(MouseTool tool);
    MouseTool mouseTool() const { return tool_; }
    // The view point under a widget position; nothing outside the drawn image.
    std::optional<QPoint> viewPointAt(QPoint widgetPos) const;
    // A view point as a pixel of the picture (x * width / view width, y likewise, rounded),
    // clamped into the picture; (0, 0) without one.
    QPoint imagePixelAt(QPoint viewPoint) const;
    // The dragged rectangle in view coordinates (start and current or end point); empty when
    // none is drawn.
    std::optional<std::pair<QPoint, QPoint>> rubberBand() const;

    QScrollBar* horizontalScrollBar() const { return hsb_; }
    QScrollBar* verticalScrollBar() const { return vsb_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // PickColor: a left press on the image; the pixel under the pointer and its OLE colour.
    void colorPicked(QPoint imagePixel, std::uint32_t oleColor);
    // PickPoint: a left release on the image.
    void pointPicked(QPoint viewPoint);
    // DragRectangle: the press that starts a rectangle and the release that ends it, both
    // clamped to the drawn image.
    void rectanglePressed(QPoint viewPoint);
    void rectangleReleased(QPoint start, QPoint end);
    // Every left release on the view, whatever tool is armed (after the tool's own signal).
    void mouseReleased();
    // The view box, fit or zoom changed.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void layoutScrollBars();
    void relayout();
    const QImage& scaledImage(QSize size) const;
    // Takes a new image to draw; a rectangle dragged on another image goes.
    void takeImage(QImage image);
    // The widget position as a view point, held inside the drawn image.
    QPoint clampedViewPoint(QPoint widgetPos) const;
    void clearRubberBand();

    ViewSettings view_;
    QScrollBar* hsb_ = nullptr;
    QScrollBar* vsb_ = nullptr;
    QImage image_;
    // The image drawn at the last size other than 1:1, so a repaint does not scale it again.
    mutable QImage scaled_;

    MouseTool tool_ = MouseTool::None;
    // A DragRectangle press is being dragged.
    bool dragging_ = false;
    // The rectangle drawn, in view coordinates, while dragged and after.
    bool bandShown_ = false;
    QPoint bandStart_;
    QPoint bandEnd_;
};

}  // namespace lumora
