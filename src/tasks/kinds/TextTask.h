#pragma once

#include "engine/TextFont.h"
#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class ImageBox;
class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// Text (kind 10): words drawn on the photo.
//   P0  anti-aliased, a flag             P1  the photo was shown fitted (kept, not read)
//   P2  transparent background, a flag   P3  the angle in degrees, counter-clockwise
//   P4  alignment about the anchor: 0 left, 1 centre, 2 right
//   P5  font name   P6  size in points   P7, P8, P9  bold, italic, underline, flags
//   P10 text colour P11 background colour
//   P12 0 horizontal, 1 vertical         P13 position 0..8 (rows of three), 9 a clicked point
//   P14 the words   P15, P16  the anchor in pixels of the photo it was recorded on
class TextTask {
public:
    explicit TextTask(const TaskSlots& slots) : p_(slots) {}

    bool antiAlias() const;
    bool transparentBackground() const;
    float angle() const;
    std::int16_t alignment() const;
    TextFont font() const;
    std::int16_t fontSize() const;
    std::uint32_t colour() const;
    std::uint32_t backColour() const;
    bool vertical() const;
    std::int16_t position() const;
    bool atClickedPoint() const { return position() == 9; }
    const QString& words() const { return p_[14]; }
    double anchorX() const;
    double anchorY() const;

    // The engine's text settings from the slots, each an engine statement of its own.
    void applyStyle(ImageBox& engine) const;

    // The anchor from P15, P16 scaled through this view (a clicked point), else placed anew.
    static void run(TaskContext& task);
    // The anchor is worked out on the previewed photo and written into P15, P16; a clicked point
    // is raised by half the font size so that the text is centred on the click.
    static TaskPreviewResult preview(TaskPreviewContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
