#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Frame (kind 13), in one of two layouts chosen by P1.
//   P0  the frame colour
//   P1  "0" a picture frame from the gallery, "1" a plain border of one colour
//   plain border:   P2 its width in pixels on every side
//   picture frame:  P2 the frame style 0..7 (style 4 has corner ornaments); P3 "1" grows the
//                   canvas so that the frame lies outside the photo
class FrameTask {
public:
    explicit FrameTask(const TaskSlots& slots) : p_(slots) {}

    std::uint32_t colour() const;
    bool plainBorder() const;
    std::int32_t borderWidth() const;
    std::int16_t style() const;
    bool ornate() const;
    std::uint8_t enlargeCanvas() const;

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
