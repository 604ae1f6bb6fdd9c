#pragma once

namespace lumora {

class TaskContext;

// Contrast (kind 5): an amount on the chosen colour channels (ChannelAmountSlots).
class ContrastTask {
public:
    static void run(TaskContext& task);
};

}  // namespace lumora
