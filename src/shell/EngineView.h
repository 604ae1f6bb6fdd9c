#pragma once

#include "engine/ImageBox.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>

class QScrollBar;

namespace lumora {

// The preview's engine on screen (`ibMain`): owns a view engine and draws its image at the
// engine's view geometry. Best Fit (StretchToFit on) shows the image fitted into the widget,
// never enlarged, centred; Actual Size shows it at the engine's zoom with the scroll bars
// `hsbView` and `vsbView` when it does not fit.
//
// The engine's view box (Width, Height) follows the widget's drawing area. The picture is turned
// into a QImage only when refresh() says the engine's image changed, so repaints and resizes never
// go back to the engine's pixels.
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

    ImageBox& engine() { return engine_; }
    const ImageBox& engine() const { return engine_; }

    // Takes the engine's image anew (after a load, a clear or an edit) and lays out the view.
    void refresh();
    // As refresh(), with the engine's image already made into a picture (on a worker thread, say):
    // `picture` must be what engine().Picture() gives now. Spares the GUI thread that conversion,
    // the longest part of showing a large photo.
    void showPicture(const lumora::Picture& picture);
    // Lays the view out again after a change of StretchToFit or Zoom (the image is unchanged).
    void relayout();

    // What is drawn, for tests and for tools that map mouse positions: the engine's image as last
    // taken by refresh(), and where it lands in widget coordinates (empty without an image).
    const QImage& shownImage() const { return image_; }
    QRect imageRect() const;
    // The part of the widget the image is drawn in (the widget less the visible scroll bars).
    QRect canvasRect() const;

    // Arms a tool (a crosshair pointer shows it); None also takes away a drawn rectangle.
    void setMouseTool(MouseTool tool);
    MouseTool mouseTool() const { return tool_; }
    // The view point under a widget position; nothing outside the drawn image.
    std::optional<QPoint> viewPointAt(QPoint widgetPos) const;
    // A view point as a pixel of the engine's image (x * ImageWidth / ViewWidth, y likewise,
    // rounded), clamped into the image; (0, 0) without an image.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void layoutScrollBars();
    const QImage& scaledImage(QSize size) const;
    // Takes a new image to draw; a rectangle dragged on another image goes.
    void takeImage(QImage image);
    // The widget position as a view point, held inside the drawn image.
    QPoint clampedViewPoint(QPoint widgetPos) const;
    void clearRubberBand();

    ImageBox engine_{ImageBox::Mode::View};
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
