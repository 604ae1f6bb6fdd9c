#pragma once

// A Gaussian blur whose cost does not grow with its width. Internal to the engine.

#include <vips/vips8>

namespace lumora {

class BoundedGaussian {
public:
    // Blurs with the given sigma. Up to kDirectSigma this is libvips' own blur, unchanged; a wider
    // blur is made on a copy reduced so that its sigma is kDirectSigma and enlarged back, which
    // looks the same (such a blur has no detail left to lose) at a cost bounded by the image's
    // size. A direct blur's cost grows with sigma: a sigma of 500 takes a minute on 8 megapixels.
    static vips::VImage blur(const vips::VImage& in, double sigma);

    static constexpr double kDirectSigma = 20.0;
};

}  // namespace lumora
