#include "core/UprightPhotos.h"

#include <atomic>

namespace lumora {
namespace {

std::atomic<bool> uprightOn{true};

}  // namespace

bool UprightPhotos::enabled() { return uprightOn.load(std::memory_order_relaxed); }

void UprightPhotos::setEnabled(bool on) { uprightOn.store(on, std::memory_order_relaxed); }

}  // namespace lumora
