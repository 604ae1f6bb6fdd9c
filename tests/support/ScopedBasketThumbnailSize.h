#pragma once

#include "shell/SetupFile.h"

#include <cstdint>

namespace lumora::test {

// Gives the settings record's basket thumbnail size for as long as it lives, then restores it.
class ScopedBasketThumbnailSize {
public:
    ScopedBasketThumbnailSize(int width, int height)
        : previousWidth_(globalSetup().basketView.thumbnailWidth), previousHeight_(globalSetup().basketView.thumbnailHeight)
    {
        set(width, height);
    }
    ~ScopedBasketThumbnailSize() { set(previousWidth_, previousHeight_); }
    ScopedBasketThumbnailSize(const ScopedBasketThumbnailSize&) = delete;
    ScopedBasketThumbnailSize& operator=(const ScopedBasketThumbnailSize&) = delete;

private:
    static void set(int width, int height)
    {
        globalSetup().basketView.thumbnailWidth = static_cast<std::int16_t>(width);
        globalSetup().basketView.thumbnailHeight = static_cast<std::int16_t>(height);
    }

    int previousWidth_;
    int previousHeight_;
};

}  // namespace lumora::test
