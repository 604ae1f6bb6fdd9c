#pragma once

#include "engine/EngineError.h"

namespace lumora::vipsbridge {

template <typename F>
auto guarded(const char* operation, F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const vips::VError& e) {
        vips_error_clear();
        fail(operation, QString::fromUtf8(e.what()).trimmed());
    } catch (const EngineError&) {
        // A failure of our own after a libvips call that failed (a loader looked for in vain)
        // leaves libvips' message behind, which the next failure would repeat as its own.
        vips_error_clear();
        throw;
    }
}

}  // namespace lumora::vipsbridge
