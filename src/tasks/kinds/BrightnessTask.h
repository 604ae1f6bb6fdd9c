#pragma once

namespace lumora {

class TaskContext;

// Brightness (kind 6): an amount on the chosen colour channels (ChannelAmountSlots).
class BrightnessTask {
public:
    static void run(TaskContext& task);
};

}  // namespace lumora
