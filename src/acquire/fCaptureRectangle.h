#pragma once

#include "acquire/CaptureSelection.h"
#include "engine/Picture.h"
#include "settings/SetupRecord.h"

#include <QImage>
#include <QWidget>

namespace lumora {

class frmMain;

// The region window: the grabbed screen at 1:1 from the top-left corner, full screen and without
// a frame, and a rubber band to choose the part to keep (CaptureSelection holds its rules; the
// window draws it and hands it the mouse). A double-click inside the rectangle, or the tool bar's
// accept button, takes that part over as a capture; a double-click elsewhere shows or hides the
// tool bar, which also shows when the pointer reaches the top of the screen. Cancel (or Escape)
// adds nothing and brings the main window back. The window deletes itself when it closes.
class fCaptureRectangle : public QWidget {
    Q_OBJECT
public:
    // The tool bar's buttons.
    enum Command { Select = 0, Accept = 1, ToggleToolBar = 2, Cancel = 3 };

    fCaptureRectangle(frmMain& window, const SetupRecord::Capture& settings);

    // Shows the picture full screen, ready for a rectangle to be drawn.
    void ShowPicture(const Picture& picture);
    void cmdBar_Click(int index);

    const CaptureSelection& selection() const { return selection_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void accept();
    void cancel();

    frmMain& window_;
    SetupRecord::Capture settings_;
    Picture picture_;
    QImage image_;
    CaptureSelection selection_{QSize()};
    QWidget* toolBar_ = nullptr;
    // Reaching this many pixels from the top of the screen shows the tool bar.
    static constexpr int ToolBarReach = 10;
};

}  // namespace lumora
