#include "engine/VipsRuntime.h"

#include <vips/vips8>

#include <cstdlib>
#include <mutex>
#include <stdexcept>

namespace lumora {

void ensureVipsStarted()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (VIPS_INIT("lumora") != 0)
            throw std::runtime_error("the image library could not start");
        // Engines hold their own snapshots; the operation cache would only pin old images.
        vips_cache_set_max(0);
    });
}

}  // namespace lumora
