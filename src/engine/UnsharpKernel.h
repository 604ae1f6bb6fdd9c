#pragma once

// The convolution mask of an unsharp mask. Internal to the engine.

#include <vips/vips8>

namespace lumora {

class UnsharpKernel {
public:
    // (1 + amount) x identity - amount x Gaussian(sigma) as a whole-number mask in 128ths whose
    // coefficients sum to exactly its scale, so flat areas stay exactly as they are. Whole
    // numbers run several times faster than the same filter in floating point; with steps
    // coarser than 128ths the fast path rounds flat areas off by one level.
    static vips::VImage make(double sigma, double amount);
};

}  // namespace lumora
