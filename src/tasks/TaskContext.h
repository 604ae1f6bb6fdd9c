#pragma once

#include "core/LumoraError.h"
#include "tasks/TaskRecord.h"

#include <cstdint>
#include <memory>

namespace lumora {

class Gallery;
class ImageBox;

// What the steps of a task work with while the Task Basket runs on one image: the engine, the
// stock pictures, and the task's slots with their blanks trimmed. A step may rewrite its copy of
// the slots (a point worked out for this image); the task in the basket never changes.
class TaskContext {
public:
    TaskContext(ImageBox& engine, const Gallery& gallery);
    ~TaskContext();
    TaskContext(const TaskContext&) = delete;
    TaskContext& operator=(const TaskContext&) = delete;

    ImageBox& engine;
    const Gallery& gallery;
    TaskSlots slots;

    // A second engine for work that must not touch the image (a mask stretched to the photo);
    // made when first asked for and kept for the rest of the run.
    ImageBox& spare();

private:
    std::unique_ptr<ImageBox> spare_;
};

// One engine statement of a task. An engine failure skips just this statement and the task goes
// on with the next; every other error (a slot that is not a number, an overflow) ends the run.
template <typename Statement>
void attempt(Statement&& statement)
{
    try {
        statement();
    } catch (const LumoraError& e) {
        if (e.number() != errnum::EngineFailure)
            throw;
    }
}

namespace taskslot {

// A colour slot: the decimal text of a 32-bit OLE colour.
std::uint32_t colour(const QString& text);
// numerator / denominator; error 11 for a zero denominator.
double divided(double numerator, int denominator);
// A sum of whole numbers that must still fit in 32 bits.
std::int32_t sum32(qint64 a, qint64 b);

}  // namespace taskslot

}  // namespace lumora
