#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

// The slots of the filters that take an amount and the colour channels it applies to (Contrast,
// Brightness): 50 leaves the photo as it is, 0 and 100 are the extremes.
//   P0          the amount, a 32-bit whole number
//   P1, P2, P3  whether red, green and blue change, flags ("1" / "0")
class ChannelAmountSlots {
public:
    explicit ChannelAmountSlots(const TaskSlots& slots) : p_(slots) {}

    std::int32_t amount() const;
    bool red() const;
    bool green() const;
    bool blue() const;

private:
    const TaskSlots& p_;
};

}  // namespace lumora
