#include "tasks/kinds/ChannelAmountSlots.h"

#include "core/Conversions.h"

namespace lumora {

std::int32_t ChannelAmountSlots::amount() const { return convert::toInt32(p_[0]); }
bool ChannelAmountSlots::red() const { return convert::toFlag(p_[1]); }
bool ChannelAmountSlots::green() const { return convert::toFlag(p_[2]); }
bool ChannelAmountSlots::blue() const { return convert::toFlag(p_[3]); }

}  // namespace lumora
