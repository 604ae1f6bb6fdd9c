#pragma once

namespace lumora {

// Whether photos are turned upright by their EXIF orientation as they are read: one switch for
// the whole process, read wherever a photo is opened (the engine, thumbnails, the preview, the
// header sizes shown). The window sets it from its options at start-up and when Settings is
// confirmed, lumora-batch from its command line. On unless switched off.
class UprightPhotos {
public:
    static bool enabled();
    static void setEnabled(bool on);
};

}  // namespace lumora
