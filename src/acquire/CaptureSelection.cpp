#include "acquire/CaptureSelection.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace lumora {

namespace {
// Which edges each handle drags: left, top, right, bottom.
struct Edges {
    bool left, top, right, bottom;
};
constexpr Edges HandleEdges[] = {
    {false, false, false, false},  // none
    {true, true, false, false},    {false, true, false, false}, {false, true, true, false},
    {false, false, true, false},   {false, false, true, true},  {false, false, false, true},
    {true, false, false, true},    {true, false, false, false},
};
}  // namespace

void CaptureSelection::setReady()
{
    mode_ = Ready;
    left_ = top_ = right_ = bottom_ = 0;
    handle_ = NoHandle;
}

QPoint CaptureSelection::clamped(QPoint point) const
{
    return QPoint(std::clamp(point.x(), 0, screen_.width()), std::clamp(point.y(), 0, screen_.height()));
}

void CaptureSelection::press(QPoint point)
{
    point = clamped(point);
    if (mode_ == Ready) {
        anchor_ = point;
        left_ = right_ = point.x();
        top_ = bottom_ = point.y();
        mode_ = Drawing;
        return;
    }
    if (mode_ != Shown)
        return;
    handle_ = handleAt(point);
    if (handle_ == Inside) {
        anchor_ = point;
        mode_ = Moving;
    } else if (handle_ != NoHandle) {
        mode_ = Resizing;
    }
}

void CaptureSelection::move(QPoint point)
{
    point = clamped(point);
    switch (mode_) {
    case Drawing:
        left_ = std::min(anchor_.x(), point.x());
        right_ = std::max(anchor_.x(), point.x());
        top_ = std::min(anchor_.y(), point.y());
        bottom_ = std::max(anchor_.y(), point.y());
        break;
    case Resizing: {
        const Edges& edges = HandleEdges[handle_];
        if (edges.left)
            left_ = point.x();
        if (edges.right)
            right_ = point.x();
        if (edges.top)
            top_ = point.y();
        if (edges.bottom)
            bottom_ = point.y();
        order();
        break;
    }
    case Moving: {
        // The whole rectangle follows the pointer, as far as the screen lets it.
        const int dx = std::clamp(point.x() - anchor_.x(), -left_, screen_.width() - right_);
        const int dy = std::clamp(point.y() - anchor_.y(), -top_, screen_.height() - bottom_);
        left_ += dx;
        right_ += dx;
        top_ += dy;
        bottom_ += dy;
        anchor_ += QPoint(dx, dy);
        break;
    }
    default:
        break;
    }
}

void CaptureSelection::order()
{
    // A dragged edge that crosses the opposite one swaps with it, and the handle in hand becomes
    // the handle on the other side, so the drag goes on smoothly.
    static constexpr int MirrorX[] = {0, 3, 2, 1, 8, 7, 6, 5, 4};
    static constexpr int MirrorY[] = {0, 7, 6, 5, 4, 3, 2, 1, 8};
    if (left_ > right_) {
        std::swap(left_, right_);
        if (handle_ >= 1 && handle_ <= 8)
            handle_ = MirrorX[handle_];
    }
    if (top_ > bottom_) {
        std::swap(top_, bottom_);
        if (handle_ >= 1 && handle_ <= 8)
            handle_ = MirrorY[handle_];
    }
}

void CaptureSelection::release(QPoint point)
{
    if (mode_ != Drawing && mode_ != Resizing && mode_ != Moving)
        return;
    move(point);
    mode_ = Shown;
    handle_ = NoHandle;
}

QList<QPoint> CaptureSelection::handlePoints() const
{
    const int midX = (left_ + right_) / 2;
    const int midY = (top_ + bottom_) / 2;
    return {{left_, top_},  {midX, top_},     {right_, top_}, {right_, midY},
            {right_, bottom_}, {midX, bottom_}, {left_, bottom_}, {left_, midY}};
}

int CaptureSelection::handleAt(QPoint point) const
{
    if (mode_ != Shown)
        return NoHandle;
    const QList<QPoint> handles = handlePoints();
    for (int i = 0; i < handles.size(); ++i) {
        if (std::abs(point.x() - handles[i].x()) <= HandleReach && std::abs(point.y() - handles[i].y()) <= HandleReach)
            return i + 1;
    }
    if (point.x() >= left_ && point.x() < right_ && point.y() >= top_ && point.y() < bottom_)
        return Inside;
    return NoHandle;
}

Qt::CursorShape CaptureSelection::cursorAt(QPoint point) const
{
    if (mode_ == Ready || mode_ == Drawing)
        return Qt::CrossCursor;
    static constexpr Qt::CursorShape Shapes[] = {
        Qt::ArrowCursor,    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeFDiagCursor, Qt::SizeVerCursor,  Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeAllCursor,
    };
    const int handle = mode_ == Resizing || mode_ == Moving ? handle_ : handleAt(point);
    return Shapes[handle];
}

}  // namespace lumora
