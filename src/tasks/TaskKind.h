#pragma once

#include <QString>

namespace lumora {

// The kinds of editing task. Kinds 1 to 15 stand in the Task Basket; RedEye is applied at once to
// the previewed photo and never recorded.
enum class TaskKind : int {
    Orientation = 1,
    Rotate = 2,
    Resize = 3,
    Blur = 4,
    Contrast = 5,
    Brightness = 6,
    Sharpen = 7,
    Crop = 8,
    Watermark = 9,
    Text = 10,
    Negative = 11,
    Canvas = 12,
    Frame = 13,
    Mask = 14,
    Shadow = 15,
    RedEye = 16,
};

// Display name of a kind number: "Orientation" .. "Shadow" for 1..15, empty for anything else.
QString TaskKindName(int kind);

}  // namespace lumora
