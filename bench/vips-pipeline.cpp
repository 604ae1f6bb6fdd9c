// The plain libvips pipeline that bench/convert.sh measures Lumora against: for each photo, load
// (streaming, no shrink-on-load), Lanczos resize to 50 %, the same 5 x 5 unsharp mask as
// ImageMagick's -unsharp 0x0.6+0.4+0 as one whole-number convolution, JPEG quality 80.
//   vips-pipeline OUT_DIR PHOTO...
#include <vips/vips8>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using vips::VImage;

namespace {

// 1.4 x identity - 0.4 x Gaussian(sigma 0.6), in 128ths, summing to exactly 128.
VImage unsharpMask()
{
    const double sigma = 0.6;
    double g[5];
    double sum = 0;
    for (int i = 0; i < 5; ++i) {
        g[i] = std::exp(-(i - 2) * (i - 2) / (2 * sigma * sigma));
        sum += g[i];
    }
    std::vector<double> cells(25);
    int total = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const double gauss = g[x] * g[y] / (sum * sum);
            const double weight = ((x == 2 && y == 2) ? 1.4 : 0.0) - 0.4 * gauss;
            cells[y * 5 + x] = std::lround(weight * 128);
            total += static_cast<int>(cells[y * 5 + x]);
        }
    cells[12] += 128 - total;
    VImage mask = VImage::new_matrix(5, 5, cells.data(), 25);
    mask.set("scale", 128.0);
    mask.set("offset", 0.0);
    return mask;
}

}  // namespace

int main(int argc, char** argv)
{
    if (VIPS_INIT(argv[0]) || argc < 3) {
        std::fprintf(stderr, "usage: vips-pipeline OUT_DIR PHOTO...\n");
        return 2;
    }
    const VImage mask = unsharpMask();
    const std::string outDir = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string in = argv[i];
        const std::string name = in.substr(in.find_last_of('/') + 1);
        VImage image = VImage::new_from_file(in.c_str(), VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
        image = image.resize(0.5, VImage::option()->set("kernel", VIPS_KERNEL_LANCZOS3))
                    .conv(mask, VImage::option()->set("precision", VIPS_PRECISION_INTEGER))
                    .cast(VIPS_FORMAT_UCHAR);
        image.jpegsave((outDir + "/" + name).c_str(), VImage::option()->set("Q", 80));
    }
    vips_shutdown();
    return 0;
}
