#pragma once

#include "engine/ImageBox.h"

#include <QImage>
#include <QRect>
#include <QWidget>

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
class EngineView : public QWidget {
    Q_OBJECT
public:
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

    QScrollBar* horizontalScrollBar() const { return hsb_; }
    QScrollBar* verticalScrollBar() const { return vsb_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void layoutScrollBars();
    const QImage& scaledImage(QSize size) const;

    ImageBox engine_{ImageBox::Mode::View};
    QScrollBar* hsb_ = nullptr;
    QScrollBar* vsb_ = nullptr;
    QImage image_;
    // The image drawn at the last size other than 1:1, so a repaint does not scale it again.
    mutable QImage scaled_;
};

}  // namespace lumora
