#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <Qt>

namespace lumora {

// The rubber band of the region window, without the window: what the mouse does to the rectangle
// and which handle is under the pointer. Coordinates are screen pixels; the rectangle runs from
// (left, top) to (right, bottom), the right and bottom edges outside it, and is always ordered
// (left <= right, top <= bottom), whichever way it was drawn, resized or moved. It stays within the
// screen.
class CaptureSelection {
public:
    enum Mode { Idle = 0, Ready = 1, Drawing = 2, Shown = 3, Resizing = 4, Moving = 5 };
    // 1 to 8 the handles, clockwise from the top-left corner: 1 top-left, 2 top, 3 top-right,
    // 4 right, 5 bottom-right, 6 bottom, 7 bottom-left, 8 left; 9 inside the rectangle.
    static constexpr int NoHandle = 0;
    static constexpr int Inside = 9;
    // How near a handle's point (both axes) the pointer picks it.
    static constexpr int HandleReach = 2;

    explicit CaptureSelection(QSize screen) : screen_(screen) {}

    Mode mode() const { return mode_; }
    // Drops the rectangle and waits for a new one to be drawn (mode 1).
    void setReady();

    // The mouse on the picture. Press in mode 1 starts drawing; in mode 3 it picks a handle
    // (resize) or the inside (move), elsewhere it does nothing. Release ends any of them (mode 3).
    void press(QPoint point);
    void move(QPoint point);
    void release(QPoint point);

    // The handle under the point (0 none, 1..8, 9 inside); none unless a rectangle is shown.
    int handleAt(QPoint point) const;
    // The pointer shape over the point.
    Qt::CursorShape cursorAt(QPoint point) const;
    // The handle being dragged (mode 4), or 9 while moving.
    int activeHandle() const { return handle_; }

    // The rectangle (empty before one is drawn).
    QRect area() const { return QRect(QPoint(left_, top_), QPoint(right_ - 1, bottom_ - 1)); }
    bool hasArea() const { return right_ > left_ && bottom_ > top_; }
    // The points of the eight handles, in handle order.
    QList<QPoint> handlePoints() const;

private:
    QPoint clamped(QPoint point) const;
    void order();

    QSize screen_;
    Mode mode_ = Ready;
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int handle_ = NoHandle;
    // Drawing: the corner pressed first. Moving: where the pointer was.
    QPoint anchor_;
};

}  // namespace lumora
