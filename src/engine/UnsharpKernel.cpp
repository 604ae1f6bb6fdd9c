#include "engine/UnsharpKernel.h"

#include <cmath>
#include <vector>

namespace lumora {

vips::VImage UnsharpKernel::make(double sigma, double amount)
{
    constexpr double kScale = 128.0;
    const int radius = std::max(1, static_cast<int>(std::ceil(2.5 * sigma)));
    const int size = 2 * radius + 1;
    const int centre = radius * size + radius;

    std::vector<double> gauss(static_cast<size_t>(size * size));
    double total = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d2 = double((x - radius) * (x - radius) + (y - radius) * (y - radius));
            gauss[static_cast<size_t>(y * size + x)] = std::exp(-d2 / (2 * sigma * sigma));
            total += gauss[static_cast<size_t>(y * size + x)];
        }

    std::vector<double> mask(gauss.size());
    double outer = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (static_cast<int>(i) == centre)
            continue;
        mask[i] = std::round(-amount * kScale * gauss[i] / total);
        outer += mask[i];
    }
    mask[static_cast<size_t>(centre)] = kScale - outer;

    vips::VImage kernel = vips::VImage::new_matrix(size, size, mask.data(), static_cast<int>(mask.size()));
    kernel.set("scale", kScale);
    kernel.set("offset", 0.0);
    return kernel;
}

}  // namespace lumora
