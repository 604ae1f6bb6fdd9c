#pragma once

namespace lumora {

// Starts the image library once per process; every engine entry point calls it, so callers never
// have to. Safe to call from any thread.
void ensureVipsStarted();

}  // namespace lumora
