#pragma once

// Exiv2's process-wide set-up. Internal to the engine.

namespace lumora {

// Starts Exiv2 once per process, before any engine reads or writes metadata: the XMP toolkit is
// initialised under a lock (engines on several threads may be the first to touch it), and Exiv2's
// warnings about damaged files are muted, since a damaged block only means fewer attributes.
void ensureExiv2Started();

}  // namespace lumora
